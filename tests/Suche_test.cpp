#include "SatzBau.h"
#include "data/Windows1252.h"
#include "navigation/Navigationstexte.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <set>
#include <sys/mman.h>
#include <unistd.h>

using namespace fkb;
using namespace fkb::test;

namespace {

// The search as the user is told it works: a record is found when the search text, with a to z
// made capitals, occurs in one of these fields, made capitals the same way.
bool gefunden(const DatenSatz& s, const std::string& suchtext) {
    using namespace SatzFeld;
    std::vector<std::string> texte;
    for (Feld f : {KundenNummer, Anrede, Firma, Name, Vorname, Zusatz, Strasse, Nummer, PLZ, Ort, Land, Telephon, Fax,
                   Mail, InternetAdresse, Fahrzeug, Bemerkung, RechnungsNummer})
        texte.push_back(s.text(f));
    texte.push_back(s.zeichenText(RechnungsKennZeichen));
    texte.push_back(s.text(ZahlungsEingang));
    texte.push_back(s.zeichenText(LieferKennzeichen));
    for (Feld f : {ZolltarifNummer, BezeichnungSonstigeKosten, LeistungsDatum, RechnungsDatum, SystemStempelDatum,
                   SystemStempelZeit})
        texte.push_back(s.text(f));
    for (int k = 1; k <= AnzahlPositionen; ++k)
        texte.push_back(s.text(Position(k)));
    const std::string gesucht = grossAZ(suchtext);
    if (gesucht.empty())
        return false;
    for (const std::string& t : texte)
        if (grossAZ(t).find(gesucht) != std::string::npos)
            return true;
    return false;
}

// Bytes that make hits likely: few letters in both cases, umlauts, bytes that fold near letters
// ('@', '[', '`', '{'), digits, blanks, zero, and bytes of the upper half.
const std::string Alphabet = std::string("aAbBxX@[`{19 .\xFC\xDC\xDF\x80\x9F\xFF") + std::string(1, '\0');

std::string zufallsText(std::mt19937& zufall, std::size_t laenge) {
    std::string t;
    for (std::size_t i = 0; i < laenge; ++i)
        t += Alphabet[zufall() % Alphabet.size()];
    return t;
}

// A record of random bytes throughout, the fields not searched included; length bytes may lie
// above a field's capacity, as in a damaged file.
DatenSatz zufallsSatz(std::mt19937& zufall) {
    DatenSatz s;
    const std::string bytes = zufallsText(zufall, DatenSatz::Groesse);
    std::memcpy(s.bytes.data(), bytes.data(), DatenSatz::Groesse);
    for (Feld f : alleFelder())
        if (f.kapazitaet > 0)
            s.bytes[f.offset] = static_cast<unsigned char>(zufall() % (f.kapazitaet + 4u));
    return s;
}

// Search texts: pieces of a record's fields in other cases, random texts, and texts that no
// record can hold.
std::string zufallsSuche(std::mt19937& zufall, const DatenSatz& s) {
    switch (zufall() % 4) {
    case 0: {
        const std::vector<Feld> felder = alleFelder();
        const Feld f = felder[zufall() % felder.size()];
        std::string bytes(f.kapazitaet ? s.roh(f)
                                       : std::string_view(reinterpret_cast<const char*>(&s.bytes[f.offset]), 1));
        if (bytes.empty())
            return "a";
        const std::size_t von = zufall() % bytes.size();
        bytes = bytes.substr(von, 1 + zufall() % (bytes.size() - von));
        for (char& c : bytes)
            if (zufall() % 2 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
                c = char(c ^ 0x20);
        return ausWindows1252(bytes);
    }
    case 1:
        return ausWindows1252(zufallsText(zufall, 1 + zufall() % 12));
    case 2:
        return "x\xCE\xA9"; // an omega: no Windows-1252 byte holds it
    default:
        return ausWindows1252(zufallsText(zufall, 1 + zufall() % 3));
    }
}

} // namespace

// The search compares eight places at a time and may read past a field's text into the rest of
// the record, never past its end: each record lies at the end of a page followed by one that
// cannot be read. Over generated records and texts it finds exactly what the plain rule finds.
TEST(Suche, FindetGenauWasDieRegelFindet) {
    const std::size_t seite = std::size_t(::sysconf(_SC_PAGESIZE));
    auto* bereich = static_cast<unsigned char*>(
        ::mmap(nullptr, 2 * seite, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(bereich, MAP_FAILED);
    ASSERT_EQ(::mprotect(bereich + seite, seite, PROT_NONE), 0);
    auto* amEnde = reinterpret_cast<DatenSatz*>(bereich + seite - DatenSatz::Groesse);

    std::mt19937 zufall(20261208);
    int treffer = 0, vergleiche = 0;
    for (int r = 0; r < 600; ++r) {
        *amEnde = zufallsSatz(zufall);
        std::vector<std::string> suchen = {"", "A", "a", "@", "\xC3\xBC", "1", " "};
        for (int k = 0; k < 40; ++k)
            suchen.push_back(zufallsSuche(zufall, *amEnde));
        for (const std::string& suchtext : suchen) {
            const bool erwartet = gefunden(*amEnde, suchtext);
            ASSERT_EQ(SuchMuster(suchtext).trifft(*amEnde), erwartet)
                << "record " << r << ", text '" << suchtext << "'";
            treffer += erwartet;
            ++vergleiche;
        }
    }
    ::munmap(bereich, 2 * seite);
    EXPECT_GT(treffer, vergleiche / 4) << "the texts must find something to prove anything";
    EXPECT_LT(treffer, vergleiche * 3 / 4);
}

// A category is compared as stored: a chosen text with an umlaut lists its customer, a text with
// a character no record can hold lists nobody, and customers whose texts join to the same
// category share it.
TEST(Suche, KategorieWieGespeichert) {
    struct Fall {
        std::string kategorie;
        std::set<std::string> gelistet;
    };
    Fenster w;
    w.oeffnen({parameterSatz(), kunde("00001", "Jäger", "Jörg", "000051"), kunde("00001", "Jager", "Jorg", "000052"),
               kunde("00002", "A, B", "C", "000053"), kunde("00002", "A", "B, C", "000054"),
               kunde("00003", "Ω", "", "000055")});
    EXPECT_EQ(w.f.KategorieListe.eintraege,
              (std::vector<std::string>{"Alles", "00000 - Eigner, Eva", "00001 - Jäger, Jörg", "00001 - Jager, Jorg",
                                        "00002 - A, B, C", "00003 - ?, "}));
    for (const Fall& fall :
         {Fall{"00001 - Jäger, Jörg", {"000051"}}, Fall{"00001 - Jager, Jorg", {"000052"}},
          Fall{"00002 - A, B, C", {"000053", "000054"}}, Fall{"00003 - Ω, ", {}}, Fall{"00003 - ?, ", {"000055"}}}) {
        w.f.waehleKategorie(fall.kategorie);
        std::set<std::string> nummern;
        for (const std::string& z : w.f.ListeObjekt.zeilen)
            nummern.insert(std::string(fuehrendesWort(z)));
        EXPECT_EQ(nummern, fall.gelistet) << fall.kategorie;
    }
}
