#include "Benchdaten.h"

#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"

#include <cstdio>
#include <random>
#include <stdexcept>
#include <vector>

namespace fkb::bench {
namespace {

const char* const nachnamen[] = {
    "Müller",  "Schmidt", "Schneider", "Fischer",  "Weber", "Meyer",   "Wagner",   "Becker",  "Schulz",  "Hoffmann",
    "Schäfer", "Koch",    "Bauer",     "Richter",  "Klein", "Wolf",    "Schröder", "Neumann", "Schwarz", "Zimmermann",
    "Braun",   "Krüger",  "Hofmann",   "Hartmann", "Lange", "Schmitt", "Werner",   "Schmitz", "Krause",  "Meier",
    "Lehmann", "Köhler",  "Jäger",     "Groß",     "Weiß",  "Böhm",    "Günther",  "Förster", "Möller",  "Voß"};
const char* const vornamen[] = {"Jürgen", "Uwe",     "Klaus",  "Günter", "Hans",   "Peter",  "Michael",
                                "Thomas", "Andreas", "Stefan", "Jörg",   "Björn",  "Sören",  "Maria",
                                "Ursula", "Monika",  "Petra",  "Renate", "Sabine", "Jürgen", "Käthe",
                                "Lötte",  "Bärbel",  "Anja",   "Heike",  "Susanne"};
const char* const orte[] = {"München", "Köln",      "Düsseldorf",     "Nürnberg",  "Würzburg",
                            "Lübeck",  "Göttingen", "Saarbrücken",    "Osnabrück", "Fürth",
                            "Gießen",  "Tübingen",  "Mönchengladbach"};
const char* const leistungen[] = {
    "Fliesen verlegen",      "Wandfliesen 30 x 60",        "Silikonfuge erneuern", "Anfahrt",
    "Arbeitsstunde Geselle", "Arbeitsstunde Meister",      "Kleinmaterial",        "Heizkörper tauschen",
    "Thermostatventil",      "Rohrleitung Kupfer 15 mm",   "Entsorgung Bauschutt", "Estrich ausgleichen",
    "Türzarge einbauen",     "Parkett schleifen und ölen", "Malerarbeiten Decke",  "Gerüst Stellung"};
const char* const einheiten[] = {"Std", "Stk", "m²", "m", "kg", "psch"};

template <typename T, std::size_t N> const T& eines(const T (&liste)[N], std::mt19937& zufall) {
    return liste[zufall() % N];
}

std::string mitNullen(std::uint32_t wert, int breite) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*u", breite, wert);
    return text;
}

std::string datum(std::mt19937& zufall) {
    char text[16];
    unsigned t = 1 + unsigned(zufall() % 28), m = 1 + unsigned(zufall() % 12), j = 2024 + unsigned(zufall() % 3);
    std::snprintf(text, sizeof text, "%02u.%02u.%04u", t, m, j);
    return text;
}

} // namespace

void datenDateiErzeugen(const std::string& pfad, std::int64_t kundensaetze, std::uint32_t saat,
                        const std::string& arten) {
    std::remove(pfad.c_str());
    LeisePlattform plattform;
    plattform.pfad = pfad;
    TFKB_Formular formular(plattform);
    formular.NeuClick();

    std::mt19937 zufall(saat);
    std::uint32_t kunden = std::uint32_t(std::max<std::int64_t>(1, kundensaetze / 20));
    std::FILE* datei = std::fopen(pfad.c_str(), "ab");
    if (!datei)
        throw std::runtime_error("cannot append to " + pfad);
    DatenSatz s;
    for (std::int64_t i = 0; i < kundensaetze; ++i) {
        std::uint32_t kunde = 2 + zufall() % kunden;
        std::mt19937 kundenZufall(kunde); // a customer keeps the same name and address
        s.setzeText(SatzFeld::KundenNummer, mitNullen(kunde, 5));
        s.setzeText(SatzFeld::Anrede, kundenZufall() % 2 ? "Herr" : "Frau");
        s.setzeText(SatzFeld::Name, eines(nachnamen, kundenZufall));
        s.setzeText(SatzFeld::Vorname, eines(vornamen, kundenZufall));
        s.setzeText(SatzFeld::Firma,
                    kundenZufall() % 3 ? "" : "Hausverwaltung " + std::string(eines(nachnamen, kundenZufall)));
        s.setzeText(SatzFeld::Strasse, std::string(eines(nachnamen, kundenZufall)) + "straße");
        s.setzeText(SatzFeld::Nummer, std::to_string(1 + kundenZufall() % 120));
        s.setzeText(SatzFeld::PLZ, mitNullen(10000 + kundenZufall() % 89999, 5));
        s.setzeText(SatzFeld::Ort, eines(orte, kundenZufall));
        s.setzeText(SatzFeld::Telephon, "0" + std::to_string(100000000 + kundenZufall() % 899999999));
        s.setzeText(SatzFeld::Bemerkung,
                    "Kunde seit " + std::to_string(2000 + kundenZufall() % 26) + "\rZahlt pünktlich.");
        s.setzeText(SatzFeld::RechnungsNummer, mitNullen(std::uint32_t(52 + i), 6));
        char art = arten[zufall() % arten.size()];
        s.setzeZeichen(SatzFeld::RechnungsKennZeichen, art);
        s.setzeText(SatzFeld::ZahlungsEingang, art == 'B' ? datum(zufall) : "");
        s.setzeZeichen(SatzFeld::LieferKennzeichen, zufall() % 10 ? 'B' : 'E');
        int zeilen = 1 + int(zufall() % 25);
        for (int k = 1; k <= SatzFeld::AnzahlPositionen; ++k) {
            bool belegt = k <= zeilen;
            s.setzeText(SatzFeld::Position(k), belegt ? eines(leistungen, zufall) : "");
            s.setzeText(SatzFeld::ME(k), belegt ? eines(einheiten, zufall) : "");
            s.setzeText(SatzFeld::Menge(k), belegt ? "    2,0" : "");
            s.setzeText(SatzFeld::Preis(k), belegt ? "     49,50" : "");
        }
        s.setzeText(SatzFeld::VersandKosten, zufall() % 4 ? "" : "  4,90");
        s.setzeText(SatzFeld::LeistungsDatum, datum(zufall));
        s.setzeText(SatzFeld::RechnungsDatum, datum(zufall));
        s.setzeText(SatzFeld::SystemStempelDatum, "08.12.2026");
        s.setzeText(SatzFeld::SystemStempelZeit, "10:15:00");
        if (std::fwrite(s.bytes.data(), 1, DatenSatz::Groesse, datei) != DatenSatz::Groesse)
            throw std::runtime_error("cannot write " + pfad);
    }
    std::fclose(datei);
}

} // namespace fkb::bench
