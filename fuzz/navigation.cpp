// The navigation load on arbitrary file bytes, with a category or a search text, then the user's
// ways into what it built: list lines, a tree node, a category. Whatever the file holds, the
// load ends or stops with a message, the list is sorted and carries its keys, the tree and the
// category list agree, and a finished load lists exactly the records the rule names.
//
// Input: one byte of choices, one byte with the length of the text, the text (Windows-1252),
// then the data file.
#include "Fuzzhilfe.h"

#include "app/TFKB_Formular.h"
#include "data/Windows1252.h"
#include "navigation/Navigationstexte.h"

#include <algorithm>
#include <cstring>
#include <set>

using namespace fkb;
using namespace fkb::fuzz;

namespace {

std::string grossAZText(std::string t) {
    for (char& c : t)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return t;
}

// The search as the user is told it works.
bool gefunden(const DatenSatz& s, const std::string& suchtext) {
    using namespace SatzFeld;
    if (suchtext.empty())
        return false;
    std::vector<std::string> texte;
    for (Feld f : {KundenNummer,
                   Anrede,
                   Firma,
                   Name,
                   Vorname,
                   Zusatz,
                   Strasse,
                   Nummer,
                   PLZ,
                   Ort,
                   Land,
                   Telephon,
                   Fax,
                   Mail,
                   InternetAdresse,
                   Fahrzeug,
                   Bemerkung,
                   RechnungsNummer,
                   ZahlungsEingang,
                   ZolltarifNummer,
                   BezeichnungSonstigeKosten,
                   LeistungsDatum,
                   RechnungsDatum,
                   SystemStempelDatum,
                   SystemStempelZeit})
        texte.push_back(s.text(f));
    texte.push_back(s.zeichenText(RechnungsKennZeichen));
    texte.push_back(s.zeichenText(LieferKennzeichen));
    for (int k = 1; k <= AnzahlPositionen; ++k)
        texte.push_back(s.text(Position(k)));
    const std::string gesucht = grossAZText(suchtext);
    return std::any_of(texte.begin(), texte.end(),
                       [&](const std::string& t) { return grossAZText(t).find(gesucht) != std::string::npos; });
}

std::string kategorieVon(const DatenSatz& s) {
    return s.text(SatzFeld::KundenNummer) + " - " + s.text(SatzFeld::Name) + ", " + s.text(SatzFeld::Vorname);
}

// The records of the file that are not marked deleted.
std::vector<DatenSatz> lebende(std::string_view datei) {
    std::vector<DatenSatz> saetze;
    for (std::size_t o = 0; o + DatenSatz::Groesse <= datei.size(); o += DatenSatz::Groesse) {
        DatenSatz s;
        std::memcpy(s.bytes.data(), datei.data() + o, DatenSatz::Groesse);
        if (s.zeichen(SatzFeld::RechnungsKennZeichen) != Kennzeichen::Geloescht)
            saetze.push_back(s);
    }
    return saetze;
}

void zustandPruefen(const TFKB_Formular& f) {
    const auto& zeilen = f.ListeObjekt.zeilen;
    FKB_PRUEFEN(f.AnzahlSaetze == std::int32_t(zeilen.size()));
    FKB_PRUEFEN(std::is_sorted(zeilen.begin(), zeilen.end()));
    for (const std::string& z : zeilen)
        FKB_PRUEFEN(gueltigesUtf8(z) && z.find("~~~") != std::string::npos);
    const auto& wurzeln = f.BaumInhalt.wurzeln;
    std::int32_t knoten = 0;
    std::set<std::string> wurzelTexte;
    for (std::size_t w = 0; w < wurzeln.size(); ++w) {
        FKB_PRUEFEN(w == 0 || !(wurzeln[w].text < wurzeln[w - 1].text));
        FKB_PRUEFEN(std::is_sorted(wurzeln[w].kinder.begin(), wurzeln[w].kinder.end()));
        knoten += 1 + std::int32_t(wurzeln[w].kinder.size());
        wurzelTexte.insert(std::string(wurzeln[w].text));
    }
    FKB_PRUEFEN(f.AnzahlKnoten == knoten);
    const auto& kategorien = f.KategorieListe.eintraege;
    FKB_PRUEFEN(!kategorien.empty() && kategorien[0] == "Alles");
    FKB_PRUEFEN(f.AnzahlKategorien == std::int32_t(kategorien.size()));
    FKB_PRUEFEN(std::set<std::string>(kategorien.begin() + 1, kategorien.end()) == wurzelTexte);
    FKB_PRUEFEN(wurzelTexte.size() == wurzeln.size());
    FKB_PRUEFEN(gueltigesUtf8(f.Caption));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* daten, std::size_t groesse) {
    Eingabe eingabe(daten, groesse);
    const std::uint8_t wahl = eingabe.byte();
    const bool suche = wahl & 1;
    std::string text = ausWindows1252(eingabe.bytes(eingabe.byte() % 16));
    if (wahl & 2)
        text += "\xCE\xA9"; // a character that no record can hold
    if (!suche && (wahl & 4))
        text = "Alles";
    const std::string_view datei = eingabe.rest();
    const std::string pfad = dateiSchreiben("navigation.fba", datei);

    StillePlattform p;
    TFKB_Formular f(p);
    f.starten();
    f.DateiName = pfad;
    p.meldungen.clear();
    f.ausfuehren([&] { f.NavigationLaden(text, suche); });
    zustandPruefen(f);

    // A load that finished lists exactly the records the condition names.
    const std::vector<DatenSatz> saetze = lebende(datei);
    if (p.meldungen.empty()) {
        const auto gelistet = std::count_if(saetze.begin(), saetze.end(), [&](const DatenSatz& s) {
            return suche ? gefunden(s, text) : (text == "Alles" || text == kategorieVon(s));
        });
        FKB_PRUEFEN(f.AnzahlSaetze == gelistet);
        std::set<std::string> kategorien;
        for (const DatenSatz& s : saetze)
            kategorien.insert(kategorieVon(s));
        FKB_PRUEFEN(std::set<std::string>(f.KategorieListe.eintraege.begin() + 1, f.KategorieListe.eintraege.end()) ==
                    kategorien);
    }

    // What the user does next: choose lines, a tree node, a category.
    for (int i = 0; i < std::min<int>(3, int(f.ListeObjekt.zeilen.size())) && !f.Beendet; ++i)
        f.waehleListe(i);
    if (!f.BaumInhalt.wurzeln.empty() && !f.Beendet)
        f.waehleBaum(0, f.BaumInhalt.wurzeln[0].kinder.empty() ? -1 : 0);
    if (f.KategorieListe.eintraege.size() > 1 && !f.Beendet) {
        const std::string kategorie(f.KategorieListe.eintraege[1 + wahl % (f.KategorieListe.eintraege.size() - 1)]);
        p.meldungen.clear();
        f.waehleKategorie(kategorie);
        zustandPruefen(f);
        if (p.meldungen.empty())
            FKB_PRUEFEN(f.AnzahlSaetze == std::count_if(saetze.begin(), saetze.end(), [&](const DatenSatz& s) {
                            return kategorieVon(s) == kategorie;
                        }));
    }
    return 0;
}
