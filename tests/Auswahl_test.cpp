#include "SatzBau.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace fkb;
using namespace fkb::test;

namespace {

// Records 0 to 5: two customers with two invoices each, one of them with the same number twice,
// and a name that holds another invoice's number.
std::vector<DatenSatz> bestand() {
    return {parameterSatz(),
            kunde("00001", "Alpha", "A", "000070", 'R', "Alpha-Arbeit"),
            kunde("00002", "Beta", "B", "000070", 'R', "Beta-Arbeit"),
            kunde("00003", "R000070", "C", "000072", 'A', "Gamma-Arbeit"),
            kunde("00001", "Alpha", "A", "000075", 'B', "Alpha-Rest"),
            kunde("00004", "Delta", "D", "000080", 'R', "suchtext steht hier")};
}

// The tree position of the node with this text.
std::pair<int, int> knoten(const TFKB_Formular& f, const std::string& text) {
    for (std::size_t w = 0; w < f.BaumInhalt.wurzeln.size(); ++w) {
        const Baumknoten& k = f.BaumInhalt.wurzeln[w];
        if (k.text == text)
            return {int(w), -1};
        for (std::size_t c = 0; c < k.kinder.size(); ++c)
            if (k.kinder[c] == text)
                return {int(w), int(c)};
    }
    ADD_FAILURE() << "no node " << text;
    return {-1, -1};
}

void waehle(Fenster& w, const std::string& text) {
    auto [wurzel, kind] = knoten(w.f, text);
    w.f.waehleBaum(wurzel, kind);
}

} // namespace

TEST(Auswahl, ListenzeileZeigtImmerDenGespeichertenSatz) {
    Fenster w;
    std::string pfad = w.oeffnen(bestand());
    w.f.Satz_Neu.aktiv = false;
    int zeile = w.zeileMit("000080");
    w.f.waehleListe(zeile);
    EXPECT_EQ(w.text("Name"), "Delta");
    EXPECT_TRUE(w.f.Satz_Speichern.aktiv);
    EXPECT_TRUE(w.f.Satz_Loeschen.aktiv);
    EXPECT_FALSE(w.f.Satz_Neu.aktiv) << "left as it was";

    w.f.eingeben("Name", "Ungespeichert");
    w.f.eingeben("Position01", "getippt");
    w.f.waehleListe(zeile);
    EXPECT_EQ(w.text("Name"), "Delta");
    EXPECT_EQ(w.text("Position01"), "suchtext steht hier");

    // Read again at every choice: a change on disk shows at once.
    DatenSatz geaendert = bestand()[5];
    geaendert.setzeText(SatzFeld::Strasse, "Neuer Weg");
    DatenDatei(pfad).schreiben(5, geaendert);
    w.f.waehleListe(zeile);
    EXPECT_EQ(w.text("Strasse"), "Neuer Weg");
    EXPECT_EQ(w.f.Puffer, geaendert);
    EXPECT_TRUE(w.p.texte("Fehler").empty());
}

TEST(Auswahl, LesefehlerLaesstSeitenUndKnoepfeStehen) {
    Fenster w;
    std::string pfad = w.oeffnen(bestand());
    std::filesystem::resize_file(pfad, 4 * DatenSatz::Groesse + 100);
    w.f.waehleListe(w.zeileMit("000080"));
    // Cut short by another program since the list was read, the file no longer holds the record.
    EXPECT_EQ(w.p.texte("Fehler"), std::vector<std::string>{"LogikFehler - Datei " + pfad +
                                                            " wurde inzwischen von einem anderen Programm geändert!\r"
                                                            "Datei neu öffnen, dann Satz erneut wählen!"});
    EXPECT_EQ(w.text("Name"), "Name");
    EXPECT_FALSE(w.f.Satz_Speichern.aktiv);
    EXPECT_EQ(w.f.Puffer, bestand()[5]) << "the buffer still holds the last record loaded";
}

TEST(Auswahl, BaumknotenWaehlen) {
    struct Fall {
        const char* knoten;
        std::string name; // shown afterwards; "Name" is the empty form
        bool satzKnoepfe;
    };
    const std::vector<Fall> faelle = {
        {"00004 - Delta, D", "Name", false},             // a customer shows nothing
        {"000080   suchtext steht hier", "Delta", true}, // its invoice
        {"000072   Gamma-Arbeit", "R000070", true},      // holds 000070 but is not invoice 000070
        {"000070   Alpha-Arbeit", "Beta", true},         // both lines of 000070 in turn; the last stays
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.knoten);
        Fenster w;
        w.oeffnen(bestand());
        waehle(w, fall.knoten);
        EXPECT_EQ(w.text("Name"), fall.name);
        EXPECT_EQ(w.f.Satz_Speichern.aktiv, fall.satzKnoepfe);
        EXPECT_FALSE(w.f.ListeObjekt.mehrfach);
        EXPECT_TRUE(w.p.texte("Fehler").empty());
    }
    Fenster w;
    w.oeffnen(bestand());
    waehle(w, "000070   Alpha-Arbeit");
    ASSERT_GE(w.f.ListeObjekt.auswahl, 0);
    EXPECT_TRUE(w.f.ListeObjekt.zeilen[std::size_t(w.f.ListeObjekt.auswahl)].starts_with("000070 - Beta"));
    EXPECT_EQ(w.f.Puffer, bestand()[2]);
}

TEST(Auswahl, BaumknotenAusserhalbDerListe) {
    Fenster w;
    w.oeffnen(bestand());
    w.f.waehleKategorie("00001 - Alpha, A");
    ASSERT_EQ(w.f.ListeObjekt.zeilen.size(), 2u);
    waehle(w, "000080   suchtext steht hier");
    EXPECT_EQ(w.text("Name"), "Name") << "filtered out: nothing shown";
    EXPECT_FALSE(w.f.Satz_Speichern.aktiv);

    // An empty list is reloaded first; the clicked node went with the old tree.
    w.f.NavigationLaden("gibt es nicht", true);
    ASSERT_TRUE(w.f.ListeObjekt.zeilen.empty());
    waehle(w, "000080   suchtext steht hier");
    EXPECT_EQ(w.f.ListeObjekt.zeilen.size(), 6u);
    EXPECT_EQ(w.f.PanelOverKategorie.text, "Alles");
    EXPECT_EQ(w.text("Name"), "Name");
    waehle(w, "000080   suchtext steht hier");
    EXPECT_EQ(w.text("Name"), "Delta");
}

TEST(Auswahl, SuchknopfFolgtDemSuchtext) {
    Fenster w;
    EXPECT_EQ(w.f.eingeben("EditSuchText", "x"), Aktion::NichtEingebbar) << "no file loaded yet";
    w.oeffnen(bestand());
    EXPECT_FALSE(w.f.ButtonSuche.aktiv);
    struct Schritt {
        std::string text;
        bool aktiv;
    };
    for (const Schritt& s : {Schritt{"a", true}, Schritt{"", false}, Schritt{"al", true}, Schritt{"alp", true}}) {
        w.f.eingeben("EditSuchText", s.text);
        EXPECT_EQ(w.f.ButtonSuche.aktiv, s.aktiv) << s.text;
    }
    EXPECT_EQ(w.f.klick("ButtonSuche"), Aktion::Ausgefuehrt);
    EXPECT_EQ(w.f.ListeObjekt.zeilen.size(), 2u);
    EXPECT_FALSE(w.f.ButtonSuche.aktiv);
    EXPECT_EQ(w.f.klick("ButtonSuche"), Aktion::Ignoriert);
    w.f.eingeben("EditSuchText", "alp");
    EXPECT_FALSE(w.f.ButtonSuche.aktiv) << "the same text is no change";
    w.f.eingeben("EditSuchText", "alph");
    EXPECT_TRUE(w.f.ButtonSuche.aktiv);
}

TEST(Auswahl, KlickInsSuchfeldSuchtSeinenText) {
    // At first the field holds "SuchText", and a click searches for just that.
    for (bool getippt : {false, true}) {
        Fenster w;
        w.oeffnen(bestand());
        w.f.waehleListe(0);
        ASSERT_TRUE(w.f.Satz_Loeschen.aktiv);
        EXPECT_EQ(w.text("EditSuchText"), "SuchText");
        if (getippt)
            w.f.eingeben("EditSuchText", "HIER");
        EXPECT_EQ(w.f.klick("EditSuchText"), Aktion::Ausgefuehrt);
        EXPECT_EQ(w.f.PanelOverKategorie.text, getippt ? "HIER" : "SuchText");
        ASSERT_EQ(w.f.ListeObjekt.zeilen.size(), 1u);
        EXPECT_TRUE(w.f.ListeObjekt.zeilen[0].starts_with("000080 - Delta"));
        EXPECT_FALSE(w.f.ButtonSuche.aktiv);
        EXPECT_FALSE(w.f.Satz_Loeschen.aktiv);
        EXPECT_EQ(w.f.BaumInhalt.wurzeln.size(), 5u);
    }
}
