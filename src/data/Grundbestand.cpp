// The records of a new data file.
#include "data/Grundbestand.h"

namespace fkb {
namespace {

// Neutral owner data; the user replaces it by editing record 0.
void parameterSatzFuellen(DatenSatz& s) {
    using namespace SatzFeld;
    s.setzeText(KundenNummer, "00000");
    s.setzeText(Anrede, "Herr");
    s.setzeText(Firma, "Musterbetrieb GmbH");
    s.setzeText(Name, "Mustermann");
    s.setzeText(Vorname, "Max");
    s.setzeText(Zusatz, "Meisterbetrieb");
    s.setzeText(Strasse, "Musterstraße");
    s.setzeText(Nummer, "1");
    s.setzeText(PLZ, "12345");
    s.setzeText(Ort, "Musterstadt");
    s.setzeText(Land, "Deutschland");
    s.setzeText(Telephon, "0123 456789");
    s.setzeText(Fax, "0170 1234567");
    s.setzeText(Mail, "info@musterbetrieb.de");
    s.setzeText(InternetAdresse, "www.musterbetrieb.de");
    s.setzeText(Fahrzeug, "");
    s.setzeText(Bemerkung, "Achtung! ParameterSatz!\rVorsicht bei Änderungen - Hilfe beachten!\r"
                           "Rechnungs-KZ ist P und kennzeichnet ParameterSatz.");
    s.setzeText(RechnungsNummer, "000000");
    s.setzeZeichen(RechnungsKennZeichen, Kennzeichen::Parameter);
    s.setzeText(ZahlungsEingang, "");
    s.setzeText(ZolltarifNummer, "");

    static const char* const zeilen[7] = {
        "UmsatzSteuer",          "UstID   : DE123456789",
        "BIC     : MUSTDEFFXXX", "IBAN    : DE00 1234 5678 9012 3456 78",
        "Bank: Musterbank eG",   "BLZ      : 123 456 78",
        "Konto-Nr.: 1234567890",
    };
    for (int k = 1; k <= AnzahlPositionen; ++k) {
        s.setzeText(Position(k), k <= 7 ? zeilen[k - 1] : "");
        s.setzeText(ME(k), "");
        s.setzeText(Menge(k), k == 1 ? "   19,0" : "");
        s.setzeText(Preis(k), "");
    }
    for (Feld f :
         {VersandKosten, NachnameKosten, SonstigeKosten, BezeichnungSonstigeKosten, LeistungsDatum, RechnungsDatum})
        s.setzeText(f, "");
}

void stempeln(DatenSatz& s, const Stempel& stempel) {
    s.setzeText(SatzFeld::SystemStempelDatum, stempel.datum);
    s.setzeText(SatzFeld::SystemStempelZeit, stempel.zeit);
}

// The fields that all 50 templates share; what is not named keeps what record 0 left.
void vorlagenFelderFuellen(DatenSatz& s) {
    using namespace SatzFeld;
    s.setzeText(KundenNummer, "00000");
    s.setzeText(Name, "VorlageSatz");
    for (Feld f : {Anrede, Firma, Vorname, Zusatz, Strasse, Nummer, PLZ, Ort, Land, Telephon, Fax, Mail,
                   InternetAdresse, ZahlungsEingang, ZolltarifNummer})
        s.setzeText(f, "");
    s.setzeZeichen(RechnungsKennZeichen, Kennzeichen::Vorlage);
    for (int k = 1; k <= 7; ++k)
        s.setzeText(Position(k), "");
    s.setzeText(Menge(1), "");
}

std::string sechsstellig(int n) {
    std::string text = std::to_string(n);
    return std::string(text.size() < 6 ? 6 - text.size() : 0, '0') + text;
}

} // namespace

std::vector<DatenSatz> grundbestand(DatenSatz& puffer, const Stempel& parameter, const Stempel& vorlagen) {
    std::vector<DatenSatz> saetze;
    saetze.reserve(52);

    parameterSatzFuellen(puffer);
    stempeln(puffer, parameter);
    saetze.push_back(puffer);

    vorlagenFelderFuellen(puffer);
    stempeln(puffer, vorlagen);
    puffer.setzeText(SatzFeld::Bemerkung, "Achtung! VorlageSatz!\rVorsicht bei Änderungen - Hilfe beachten!\r"
                                          "Rechnungs-KZ ist V und kennzeichnet VorlageSatz.");
    for (int i = 1; i <= 50; ++i) {
        puffer.setzeText(SatzFeld::RechnungsNummer, sechsstellig(i));
        saetze.push_back(puffer);
    }

    puffer.setzeText(SatzFeld::KundenNummer, "00001");
    puffer.setzeText(SatzFeld::Name, "bearbeitbarer Satz");
    puffer.setzeZeichen(SatzFeld::RechnungsKennZeichen, Kennzeichen::Angebot);
    puffer.setzeZeichen(SatzFeld::LieferKennzeichen, 'B');
    puffer.setzeText(SatzFeld::RechnungsNummer, "000051");
    puffer.setzeText(SatzFeld::Bemerkung, "Achtung! Erster bearbeitbarer Satz!\r\rBeginnen Sie mit Dateneingabe!");
    saetze.push_back(puffer);
    return saetze;
}

} // namespace fkb
