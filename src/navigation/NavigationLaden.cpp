// Reading the whole data file into the navigation list, the customer tree, the category
// list and the counters. Every change of the file ends with this full reload, so this is the
// program's hot path: one pass over the file, no text built that is not kept.
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "data/Laufzeitfehler.h"
#include "data/Windows1252.h"
#include "navigation/Navigationstexte.h"

#include <algorithm>
#include <functional>

namespace fkb {
namespace {

void sortieren(std::vector<std::string>& texte) {
    // Records are mostly appended in the order of their numbers: check before sorting.
    if (!std::is_sorted(texte.begin(), texte.end()))
        std::sort(texte.begin(), texte.end());
}

void baumSortieren(Baumansicht& baum) {
    std::sort(baum.wurzeln.begin(), baum.wurzeln.end(),
              [](const Baumknoten& a, const Baumknoten& b) { return a.text < b.text; });
    for (Baumknoten& k : baum.wurzeln)
        sortieren(k.kinder);
}

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

// The texts of the previous load, kept as buffers for the next one: a reload of a large file
// then builds its 100 000 lines without asking the allocator for each.
class TextVorrat {
public:
    void aufnehmen(std::vector<std::string>& texte) {
        for (std::string& t : texte)
            vorrat_.push_back(std::move(t));
        texte.clear();
    }
    std::string nehmen() {
        if (vorrat_.empty())
            return {};
        std::string t = std::move(vorrat_.back());
        vorrat_.pop_back();
        return t;
    }

private:
    std::vector<std::string> vorrat_;
};

// Finds the root node of a category text. Open addressing over a compact array of hashes keeps
// the lookup in the cache while the file streams past.
class KategorieIndex {
public:
    explicit KategorieIndex(const std::vector<Baumknoten>& wurzeln) : wurzeln_(wurzeln), plaetze_(1024) {}

    // The root with this text, or −1.
    int finden(const std::string& text, std::size_t hash) const {
        for (std::size_t i = hash & maske(); plaetze_[i].wurzel >= 0; i = (i + 1) & maske())
            if (plaetze_[i].hash == hash && wurzeln_[std::size_t(plaetze_[i].wurzel)].text == text)
                return plaetze_[i].wurzel;
        return -1;
    }

    void eintragen(std::size_t hash, int wurzel) {
        if (2 * (belegt_ + 1) > plaetze_.size())
            verdoppeln();
        std::size_t i = hash & maske();
        while (plaetze_[i].wurzel >= 0)
            i = (i + 1) & maske();
        plaetze_[i] = {hash, wurzel};
        ++belegt_;
    }

private:
    struct Platz {
        std::size_t hash = 0;
        int wurzel = -1;
    };

    std::size_t maske() const { return plaetze_.size() - 1; }

    void verdoppeln() {
        std::vector<Platz> alt(plaetze_.size() * 2);
        alt.swap(plaetze_);
        belegt_ = 0;
        for (const Platz& p : alt)
            if (p.wurzel >= 0)
                eintragen(p.hash, p.wurzel);
    }

    const std::vector<Baumknoten>& wurzeln_;
    std::vector<Platz> plaetze_;
    std::size_t belegt_ = 0;
};

} // namespace

void TFKB_Formular::KategorienZuruecksetzen() {
    KategorieListe.eintraege.assign(1, "Alles");
    KategorieListe.text.clear();
    ++KategorieListe.stand;
    AnzahlKategorien = 1;
}

void TFKB_Formular::ZaehlerAnzeigen() {
    PanelLetzteKundenNummer.text = "letzte KundenNummer: " + std::to_string(LetzteKundenNummer);
    PanelLetzteRechnungsNummer.text = "Letzte RechnungsNummer: " + std::to_string(LetzteRechnungsNummer);
    PanelAnzahlSaetze.text = "Anzahl Sätze: " + std::to_string(AnzahlSaetze);
}

void TFKB_Formular::NavigationLaden(const std::string& gewaehlt, bool suche) {
    // A copy: the caller may pass a control's own text, such as the category list's, which the
    // reset below empties.
    const std::string text = gewaehlt;
    // Long list lines and short tree texts are kept apart, so that each buffer fits its reuse.
    TextVorrat zeilenVorrat, kinderVorrat;
    zeilenVorrat.aufnehmen(ListeObjekt.zeilen);
    for (Baumknoten& wurzel : BaumInhalt.wurzeln)
        kinderVorrat.aufnehmen(wurzel.kinder);

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
    // The first equal entry of the category list, found in constant time.
    KategorieIndex wurzelVon(BaumInhalt.wurzeln);
    std::string kategorie;
    bool geordnet = true;
    // The counter panels follow every record; a stopped load leaves them at the values of the
    // last record that was finished.
    std::int32_t gezeigtSaetze = 0;
    std::uint32_t gezeigtKunde = 0, gezeigtRechnung = 0;
    // Only a record that was read has put its positions on the page.
    bool gelesen = false;

    try {
        SatzLeser leser(DateiName);
        // The record buffer ends up holding the last record read, as if each had passed through it.
        const DatenSatz* satz = nullptr;
        const DatenSatz* letzter = nullptr;
        try {
            for (std::int64_t i = 0; (satz = leser.naechster()); ++i) {
                letzter = satz;
                if (i == 0)
                    Caption = fensterTitel(*satz);
                if (satz->zeichen(SatzFeld::RechnungsKennZeichen) == Kennzeichen::Geloescht)
                    continue;

                kategorieText(*satz, kategorie);
                if (suche ? volltext.trifft(*satz) : (alles || text == kategorie)) {
                    ListeObjekt.zeilen.push_back(zeilenVorrat.nehmen());
                    listenzeile(*satz, i, ListeObjekt.zeilen.back());
                    // Checked while both lines are still in the cache; saves a pass before sorting.
                    if (geordnet && ListeObjekt.zeilen.size() > 1)
                        geordnet = !(ListeObjekt.zeilen.back() < ListeObjekt.zeilen[ListeObjekt.zeilen.size() - 2]);
                    ++AnzahlSaetze;
                    LetzteKundenNummer = hoeherer(LetzteKundenNummer, satz->roh(SatzFeld::KundenNummer));
                    LetzteRechnungsNummer = hoeherer(LetzteRechnungsNummer, satz->roh(SatzFeld::RechnungsNummer));
                }
                gezeigtSaetze = AnzahlSaetze;
                gezeigtKunde = LetzteKundenNummer;
                gezeigtRechnung = LetzteRechnungsNummer;

                // "Alles" is an entry of the category list too, but has no root node.
                if (kategorie == "Alles") {
                    ++AnzahlKnoten;
                    continue;
                }
                std::size_t hash = std::hash<std::string>{}(kategorie);
                int wurzel = wurzelVon.finden(kategorie, hash);
                if (wurzel < 0) {
                    wurzel = int(BaumInhalt.wurzeln.size());
                    wurzelVon.eintragen(hash, wurzel);
                    KategorieListe.eintraege.push_back(kategorie);
                    ++AnzahlKategorien;
                    BaumInhalt.wurzeln.push_back({kategorie, {}});
                    AnzahlKnoten += 2;
                } else {
                    ++AnzahlKnoten;
                }
                auto& kinder = BaumInhalt.wurzeln[std::size_t(wurzel)].kinder;
                kinder.push_back(kinderVorrat.nehmen());
                baumKindText(*satz, kinder.back());
            }
        } catch (...) {
            if (letzter) {
                Puffer = *letzter;
                gelesen = true;
            }
            throw;
        }
        if (letzter)
            Puffer = *letzter;
    } catch (...) {
        // What was listed so far stays, in the list's order; the page shows the positions of the
        // record that stopped the load, as the search had put them there.
        sortieren(ListeObjekt.zeilen);
        ++ListeObjekt.stand;
        ++BaumInhalt.stand;
        ++KategorieListe.stand;
        for (int k = 0; gelesen && k < AnzahlZeilen; ++k)
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
    if (!geordnet)
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
