// Reading the whole data file into the navigation list, the customer tree, the category
// list and the counters. Every change of the file ends with this full reload.
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "data/Laufzeitfehler.h"
#include "navigation/Navigationstexte.h"

#include <algorithm>
#include <unordered_map>

namespace fkb {
namespace {

void baumSortieren(Baumansicht& baum) {
    std::sort(baum.wurzeln.begin(), baum.wurzeln.end(),
              [](const Baumknoten& a, const Baumknoten& b) { return a.text < b.text; });
    for (Baumknoten& k : baum.wurzeln)
        std::sort(k.kinder.begin(), k.kinder.end());
}

std::uint32_t hoeherer(std::uint32_t bisher, const std::string& nummer) {
    int wert = textZuInt(nummer);
    return (wert >= 0 && std::uint32_t(wert) > bisher) ? std::uint32_t(wert) : bisher;
}

} // namespace

void TFKB_Formular::KategorienZuruecksetzen() {
    KategorieListe.eintraege.assign(1, "Alles");
    KategorieListe.text.clear();
    ++KategorieListe.stand;
    AnzahlKategorien = 1;
}

void TFKB_Formular::NavigationLaden(const std::string& text, bool suche) {
    ListeObjekt.leeren();
    ListeObjekt.mehrfach = false;
    BaumInhalt.leeren();
    AnzahlSaetze = AnzahlKnoten = 0;
    LetzteKundenNummer = LetzteRechnungsNummer = 0;
    ZaehlerAnzeigen();
    KategorienZuruecksetzen();
    PanelOverKategorie.text = text;

    const bool alles = !suche && text == "Alles";
    const SuchMuster volltext(suche ? text : std::string());
    // First match in the category list, found in constant time; "Alles" takes part in the
    // comparison but has no root node.
    std::unordered_map<std::string, int> wurzelVon{{"Alles", -1}};
    // The counter panels are refreshed after every record; a stopped load leaves them at the
    // values of the last record that was finished.
    std::int32_t gezeigtSaetze = 0;
    std::uint32_t gezeigtKunde = 0, gezeigtRechnung = 0;

    try {
        SatzLeser leser(DateiName);
        for (std::int64_t i = 0; leser.naechster(Puffer); ++i) {
            if (i == 0)
                Caption = fensterTitel(Puffer);
            if (Puffer.zeichen(SatzFeld::RechnungsKennZeichen) == Kennzeichen::Geloescht)
                continue;

            std::string kategorie = kategorieText(Puffer);
            bool gelistet = suche ? volltext.trifft(Puffer) : (alles || text == kategorie);
            if (gelistet) {
                ListeObjekt.zeilen.push_back(listenzeile(Puffer, i));
                ++AnzahlSaetze;
                LetzteKundenNummer = hoeherer(LetzteKundenNummer, Puffer.text(SatzFeld::KundenNummer));
                LetzteRechnungsNummer = hoeherer(LetzteRechnungsNummer, Puffer.text(SatzFeld::RechnungsNummer));
            }
            gezeigtSaetze = AnzahlSaetze;
            gezeigtKunde = LetzteKundenNummer;
            gezeigtRechnung = LetzteRechnungsNummer;

            auto [eintrag, neu] = wurzelVon.try_emplace(std::move(kategorie), int(BaumInhalt.wurzeln.size()));
            if (neu) {
                KategorieListe.eintraege.push_back(eintrag->first);
                ++AnzahlKategorien;
                BaumInhalt.wurzeln.push_back({eintrag->first, {}});
                AnzahlKnoten += 2;
            } else {
                ++AnzahlKnoten;
            }
            if (eintrag->second >= 0)
                BaumInhalt.wurzeln[std::size_t(eintrag->second)].kinder.push_back(baumKindText(Puffer));
        }
    } catch (...) {
        // The load stops here: what was listed so far stays, in the list's sorted order, and the
        // page shows the positions of the record that stopped it, as the search had put them there.
        std::sort(ListeObjekt.zeilen.begin(), ListeObjekt.zeilen.end());
        ++ListeObjekt.stand;
        ++BaumInhalt.stand;
        ++KategorieListe.stand;
        for (int k = 0; k < AnzahlZeilen; ++k)
            Puffer.text(SatzFeld::Position(k + 1), Position[std::size_t(k)].text);
        PanelLetzteKundenNummer.text = "letzte KundenNummer: " + std::to_string(gezeigtKunde);
        PanelLetzteRechnungsNummer.text = "Letzte RechnungsNummer: " + std::to_string(gezeigtRechnung);
        PanelAnzahlSaetze.text = "Anzahl Sätze: " + std::to_string(gezeigtSaetze);
        if (AnzahlKnoten > 0)
            PanelUst.text = "UmsatzSteuer";
        throw;
    }

    ZaehlerAnzeigen();
    if (AnzahlKnoten > 0)
        PanelUst.text = "UmsatzSteuer";
    std::sort(ListeObjekt.zeilen.begin(), ListeObjekt.zeilen.end());
    baumSortieren(BaumInhalt);
    ++ListeObjekt.stand;
    ++BaumInhalt.stand;
    ++KategorieListe.stand;

    BedienungFreigeben(true);
    SeitenZuruecksetzen();
    Satz_Neu.aktiv = true;
    Satz_Speichern.aktiv = false;
    Satz_Loeschen.aktiv = false;
}

int TFKB_Formular::SchluesselErmitteln() {
    if (ListeObjekt.auswahl < 0 || ListeObjekt.auswahl >= int(ListeObjekt.zeilen.size()))
        throw Laufzeitfehler("Listenindex überschreitet das Maximum (" + std::to_string(ListeObjekt.auswahl) + ")");
    const std::string& zeile = ListeObjekt.zeilen[std::size_t(ListeObjekt.auswahl)];
    // The key always ends the line; taking it after the last separator keeps a name that
    // itself contains "~~~" reachable.
    auto trenner = zeile.rfind("~~~");
    if (trenner == std::string::npos) {
        plattform.fehlerMelden("LogikFehler - kein Schlüssel ermittelbar!\rDatei untersuchen auf ~~~ im Satz!");
        FormClose();
        throw BefehlAbbruch{};
    }
    return textZuInt(std::string_view(zeile).substr(trenner + 3));
}

} // namespace fkb
