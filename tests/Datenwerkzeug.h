#pragma once

// Building records and small data files inside the tests, without a window.
#include "TempOrdner.h"
#include "data/DatenDatei.h"
#include "data/DatenSatz.h"
#include "data/Laufzeitfehler.h"

#include <csignal>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <sys/resource.h>

namespace fkb::test {

using Felder = std::initializer_list<std::pair<Feld, std::string>>;

// A record of the given kind with the given texts; everything else zero bytes.
inline DatenSatz satz(char kind, Felder felder) {
    DatenSatz s;
    s.setzeZeichen(SatzFeld::RechnungsKennZeichen, kind);
    for (const auto& [feld, text] : felder)
        s.setzeText(feld, text);
    return s;
}

// Every field of the record in file order, the 100 position fields included.
inline std::vector<Feld> alleFelder() {
    using namespace SatzFeld;
    std::vector<Feld> felder;
    for (Feld f : {KundenNummer, Anrede, Firma, Name, Vorname, Zusatz, Strasse, Nummer, PLZ, Ort, Land})
        felder.push_back(f);
    for (Feld f : {Telephon, Fax, Mail, InternetAdresse, Fahrzeug, Bemerkung, RechnungsNummer, RechnungsKennZeichen,
                   ZahlungsEingang, LieferKennzeichen, ZolltarifNummer})
        felder.push_back(f);
    for (int k = 1; k <= AnzahlPositionen; ++k)
        for (Feld f : {Position(k), ME(k), Menge(k), Preis(k)})
            felder.push_back(f);
    for (Feld f : {VersandKosten, NachnameKosten, SonstigeKosten, BezeichnungSonstigeKosten, LeistungsDatum,
                   RechnungsDatum, SystemStempelDatum, SystemStempelZeit})
        felder.push_back(f);
    return felder;
}

// A customer record as stored through the pages.
inline DatenSatz kunde(const std::string& kundenNr, const std::string& name, const std::string& vorname,
                       const std::string& rechnungsNr, char kind = Kennzeichen::Rechnung,
                       const std::string& position1 = "Arbeit") {
    DatenSatz s = satz(kind, {{SatzFeld::KundenNummer, kundenNr},
                              {SatzFeld::Name, name},
                              {SatzFeld::Vorname, vorname},
                              {SatzFeld::RechnungsNummer, rechnungsNr},
                              {SatzFeld::RechnungsDatum, "07.12.2026"},
                              {SatzFeld::Position(1), position1}});
    s.setzeZeichen(SatzFeld::LieferKennzeichen, 'E');
    return s;
}

// A parameter record with a letterhead for the caption.
inline DatenSatz parameterSatz(const std::string& name = "Eigner") {
    return satz(Kennzeichen::Parameter, {{SatzFeld::KundenNummer, "00000"},
                                         {SatzFeld::RechnungsNummer, "000000"},
                                         {SatzFeld::Zusatz, "Dr."},
                                         {SatzFeld::Vorname, "Eva"},
                                         {SatzFeld::Name, name},
                                         {SatzFeld::Firma, "Eigen GmbH"},
                                         {SatzFeld::Position(1), "UmsatzSteuer"},
                                         {SatzFeld::Menge(1), "   19,0"}});
}

inline void dateiSchreiben(const std::string& pfad, const std::vector<DatenSatz>& saetze) {
    DatenDatei::neuSchreiben(pfad, saetze);
}

// Every whole record of a file, in file order.
inline std::vector<DatenSatz> alleSaetze(const std::string& pfad) {
    std::vector<DatenSatz> saetze;
    SatzLeser leser(pfad);
    while (const DatenSatz* s = leser.naechster())
        saetze.push_back(*s);
    return saetze;
}

inline std::string dateiInhalt(const std::string& pfad) {
    std::ifstream ein(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
}

inline void bytesAnhaengen(const std::string& pfad, const std::string& bytes) {
    std::ofstream aus(pfad, std::ios::binary | std::ios::app);
    aus << bytes;
}

// The text of the error that the call raises, or "" if it raises none.
inline std::string fehlerVon(const std::function<void()>& aufruf) {
    try {
        aufruf();
    } catch (const Laufzeitfehler& e) {
        return e.what();
    }
    return "";
}

// Lets a file grow to at most `grenze` bytes while the call runs: the write that crosses the
// limit fails part-way with EFBIG, as on a full disk. The limit is lifted again afterwards.
inline void mitDateigrenze(rlim_t grenze, const std::function<void()>& aufruf) {
    rlimit alt{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &alt), 0);
    auto alterHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit neu = alt;
    neu.rlim_cur = grenze;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &neu), 0);
    struct Zurueck {
        rlimit alt;
        void (*handler)(int);
        ~Zurueck() {
            ::setrlimit(RLIMIT_FSIZE, &alt);
            std::signal(SIGXFSZ, handler);
        }
    } zurueck{alt, alterHandler};
    aufruf();
}

} // namespace fkb::test
