// Reading the whole data file into the navigation list, the customer tree, the category
// list and the counters. Every change of the file ends with this full reload, so this is the
// program's hot path: one pass over the file, no text built that is not kept.
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "data/Laufzeitfehler.h"
#include "data/Windows1252.h"
#include "editing/Rechnungsnummern.h"
#include "navigation/Baumaufbau.h"
#include "navigation/Navigationstexte.h"

namespace fkb {
namespace {

// The higher of the counter and a stored number; a number below 0 is never taken.
std::uint32_t hoeherer(std::uint32_t bisher, std::string_view gespeichert) {
    int wert;
    try {
        wert = textZuInt(gespeichert);
    } catch (const KonvertierungsFehler&) {
        throw KonvertierungsFehler(ausWindows1252(gespeichert));
    }
    return (wert >= 0 && std::uint32_t(wert) > bisher) ? std::uint32_t(wert) : bisher;
}

} // namespace

// A stopped load leaves on the page the positions that the last record not marked deleted put
// there. That is the record that stopped it, or one read earlier, which is read once more.
void TFKB_Formular::positionenNachAbbruch(std::int64_t nummer, const DatenSatz* satz) {
    if (nummer < 0)
        return;
    DatenSatz nochmals;
    if (!satz) {
        try {
            DatenDatei(DateiName).lesen(nummer, nochmals);
        } catch (const EAFehler&) {
            return; // the load's own error is the one to report
        }
        satz = &nochmals;
    }
    for (int k = 0; k < AnzahlZeilen; ++k)
        satz->text(SatzFeld::Position(k + 1), Position[std::size_t(k)].text);
}

void TFKB_Formular::KategorienZuruecksetzen() {
    KategorieListe.eintraege.clear();
    KategorieListe.eintraege.push_back("Alles");
    KategorieListe.text.clear();
    ++KategorieListe.stand;
    AnzahlKategorien = 1;
}

void TFKB_Formular::ZaehlerAnzeigen() {
    zaehlerTexteSetzen(AnzahlSaetze, LetzteKundenNummer, LetzteRechnungsNummer);
}

void TFKB_Formular::zaehlerTexteSetzen(std::int32_t saetze, std::uint32_t kunde, std::uint32_t rechnung) {
    PanelLetzteKundenNummer.text = "letzte KundenNummer: " + std::to_string(kunde);
    PanelLetzteRechnungsNummer.text = "Letzte RechnungsNummer: " + std::to_string(rechnung);
    PanelAnzahlSaetze.text = "Anzahl Sätze: " + std::to_string(saetze);
}

void TFKB_Formular::NavigationLaden(const std::string& gewaehlt, bool suche) {
    // A copy: the caller may pass a control's own text, such as the category list's, which the
    // reset below empties.
    const std::string text = gewaehlt;
    ListeObjekt.leeren();
    ListeObjekt.mehrfach = false;
    Baumaufbau baum(BaumInhalt);
    AnzahlSaetze = AnzahlKnoten = 0;
    LetzteKundenNummer = LetzteRechnungsNummer = 0;
    ZaehlerAnzeigen();
    KategorienZuruecksetzen();
    PanelOverKategorie.text = text;

    const bool alles = !suche && text == "Alles";
    const SuchMuster volltext(suche ? text : std::string());
    // A category is compared as stored: the chosen text in Windows-1252, unless it holds a
    // character that no record can.
    const std::string gewaehltBytes = nachWindows1252(text);
    const bool gewaehltMoeglich = !suche && !alles && ausWindows1252(gewaehltBytes) == text;
    KategoriePuffer kategoriePuffer;
    std::string kategorie;
    // The counter panels follow every record; a stopped load leaves them at the values of the
    // last record that was finished.
    std::int32_t gezeigtSaetze = 0;
    std::uint32_t gezeigtKunde = 0, gezeigtRechnung = 0;
    // The positions on the page are those of the last record read that is not marked deleted.
    std::int64_t gezeigterSatz = -1;

    try {
        rechnungsnummern_.beginnen();
        SatzLeser leser(DateiName);
        ListeObjekt.zeilen.reserve(leser.erwartet());
        rechnungsnummern_.beginnen(leser.erwartet());
        BaumInhalt.wurzeln.reserve(leser.erwartet());
        DateiGeladen = true;
        const Dateistand stand = leser.stand();
        // The record buffer ends up holding the last record read, as if each had passed through it.
        const DatenSatz* satz = nullptr;
        const DatenSatz* letzter = nullptr;
        std::int64_t letzterNummer = -1;
        try {
            for (std::int64_t i = 0; (satz = leser.naechster()); ++i) {
                letzter = satz;
                letzterNummer = i;
                if (i == 0)
                    Caption = fensterTitel(*satz);
                if (satz->zeichen(SatzFeld::RechnungsKennZeichen) == Kennzeichen::Geloescht)
                    continue;
                gezeigterSatz = i;

                const std::string_view kategorieRoh = kategorieBytes(*satz, kategoriePuffer);
                if (suche ? volltext.trifft(*satz) : (alles || (gewaehltMoeglich && kategorieRoh == gewaehltBytes))) {
                    listenzeile(*satz, i, ListeObjekt.zeilen);
                    ++AnzahlSaetze;
                }
                // The next free numbers come from the whole file, whatever the list shows: "+1" after a
                // search must not offer a number another record carries.
                LetzteKundenNummer = hoeherer(LetzteKundenNummer, satz->roh(SatzFeld::KundenNummer));
                LetzteRechnungsNummer = hoeherer(LetzteRechnungsNummer, satz->roh(SatzFeld::RechnungsNummer));
                rechnungsnummern_.aufnehmen(*satz, i);
                gezeigtSaetze = AnzahlSaetze;
                gezeigtKunde = LetzteKundenNummer;
                gezeigtRechnung = LetzteRechnungsNummer;

                // A category always holds " - ", so it never equals the entry "Alles".
                const std::uint64_t hash = Baumaufbau::hashVon(kategorieRoh);
                int wurzel = baum.finden(kategorieRoh, hash);
                if (wurzel < 0) {
                    ausWindows1252(kategorieRoh, kategorie);
                    KategorieListe.eintraege.push_back(kategorie);
                    ++AnzahlKategorien;
                    wurzel = baum.wurzelAnlegen(kategorieRoh, kategorie, hash);
                    AnzahlKnoten += 2;
                } else {
                    ++AnzahlKnoten;
                }
                baum.kindAnlegen(wurzel, *satz);
            }
        } catch (...) {
            if (letzter)
                Puffer = *letzter;
            positionenNachAbbruch(gezeigterSatz, gezeigterSatz == letzterNummer ? letzter : nullptr);
            throw;
        }
        if (letzter)
            Puffer = *letzter;
        rechnungsnummern_.abschliessen(stand);
    } catch (...) {
        // What was listed so far stays, in the order of the list and the tree.
        ListeObjekt.zeilen.sortieren();
        baum.sortieren();
        ++ListeObjekt.stand;
        ++BaumInhalt.stand;
        ++KategorieListe.stand;
        zaehlerTexteSetzen(gezeigtSaetze, gezeigtKunde, gezeigtRechnung);
        if (AnzahlKnoten > 0)
            PanelUst.text = "UmsatzSteuer";
        throw;
    }

    ZaehlerAnzeigen();
    if (AnzahlKnoten > 0)
        PanelUst.text = "UmsatzSteuer";
    ListeObjekt.zeilen.sortieren();
    baum.sortieren();
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
    const std::string zeile = ListeObjekt.zeilen[std::size_t(ListeObjekt.auswahl)];
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
