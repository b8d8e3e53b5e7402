#include "TestPlattform.h"
#include "headless/Treiber.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>

using namespace fkb;
using namespace fkb::test;

namespace {

const std::string Willkommen =
    "Willkommen im Programm Fakturbuch (FKB)!\r\r"
    "Das Programm erlaubt die Anzeige von Warnungen / Hinweise, die besonders in der\r"
    "Einarbeitungsphase hilfreich sein können. Diese können auch unter Optionen - Warnungen / Hinweise\r"
    "aktiviert bzw. deaktiviert werden! Möchten Sie mit Warnungen / Hinweise arbeiten?";

// The controls that need a loaded data file; the last five wait for more than the file.
const std::vector<std::string> Dateiabhaengig = [] {
    std::istringstream namen(
        "Speichern SpeichernUnter Loeschen SpeedButtonSpeichern SpeedButtonSpeichernUnter SpeedButtonLoeschen Satz_Neu "
        "Baum EditSuchText PanelVorlageKunde PanelVorlageRechnung SpeedButtonPruefung BitBtnDruck BitBtnStartFahndung "
        "Satz_Speichern Satz_Loeschen ButtonSuche BitBtnDruckFahndung BitBtnSetzenRKZ");
    return std::vector<std::string>(std::istream_iterator<std::string>(namen), {});
}();
constexpr std::size_t MitDateiFrei = 14;

std::vector<Json> nur(Json e) {
    return {std::move(e)};
}
Json meldung(const char* art, const std::string& text, Json antwort = nullptr) {
    return {{"meldung", {{"art", art}, {"text", text}, {"antwort", std::move(antwort)}}}};
}
bool einFehler(const std::vector<Json>& e) {
    return e.size() == 1 && e[0].contains("fehler");
}

// A driver writing into a string; each call hands back the events of its own lines.
class Sitzung {
public:
    std::vector<Json> operator()(std::initializer_list<std::string> zeilen) {
        for (const std::string& z : zeilen)
            EXPECT_TRUE(treiber.zeile(z)) << z << ": " << treiber.fehlergrund();
        std::istringstream neu(aus.str().substr(gelesen_));
        gelesen_ = aus.str().size();
        std::vector<Json> ereignisse;
        for (std::string z; std::getline(neu, z);)
            ereignisse.push_back(Json::parse(z));
        return ereignisse;
    }
    std::vector<Json> starten(const std::string& antwort = "nein") {
        return (*this)({R"({"uhr": "08.12.2026 10:15:00"})", R"({"antwort": ")" + antwort + "\"}", R"({"start": 1})"});
    }
    Json zustand() {
        auto e = (*this)({R"({"zustand": true})"});
        return e.size() == 1 ? e[0].at("zustand") : Json();
    }

    std::ostringstream aus;
    Treiber treiber{aus};

private:
    std::size_t gelesen_ = 0;
};

// The process's current directory for one test.
struct Arbeitsordner {
    std::filesystem::path vorher = std::filesystem::current_path();
    explicit Arbeitsordner(const std::filesystem::path& ordner) { std::filesystem::current_path(ordner); }
    ~Arbeitsordner() { std::filesystem::current_path(vorher); }
};

} // namespace

TEST(Treiber, StartMitWillkommensfrage) {
    for (auto [antwort, haken] : {std::pair{"ja", true}, std::pair{"nein", false}}) {
        SCOPED_TRACE(antwort);
        Sitzung s;
        EXPECT_EQ(s.starten(antwort), nur(meldung("Bestätigung", Willkommen, antwort)));
        EXPECT_NE(s.aus.str().find(R"(Fakturbuch (FKB)!\r\rDas Programm)"), std::string::npos) << "CR as \\r";

        Json z = s.zustand();
        const Json& st = z["steuerelemente"];
        EXPECT_EQ(st["WarnungenHinweise"]["haken"], haken);
        EXPECT_EQ(z["datei"], "");
        EXPECT_EQ(z["titel"], "   Fakturbuch (FKB)");
        EXPECT_EQ(z["seite"], "Navigation");
        EXPECT_EQ(z["kalender"], Json({{"MonthCalendarVon", "08.12.2026"}, {"MonthCalendarBis", "08.12.2026"}}));
        EXPECT_EQ(st["PanelLetzteKundenNummer"]["text"], "letzte KundenNummer: 0");
        EXPECT_EQ(st["PanelLetzteRechnungsNummer"]["text"], "Letzte RechnungsNummer: 0");
        EXPECT_EQ(st["PanelAnzahlSaetze"]["text"], "Anzahl Sätze: 0");
        EXPECT_EQ(z["summen"].dump(), R"({"VersandKosten":0,"NachnameKosten":0,"SonstigeKosten":0,)"
                                      R"("NettoWert":0,"UstWert":0,"BruttoWert":0})");
        for (const std::string& name : Dateiabhaengig)
            EXPECT_EQ(st[name]["aktiv"], false) << name;
        for (const char* name : {"Neu", "Oeffnen", "SpeedButtonNeu", "SpeedButtonOeffnen", "Beenden"})
            EXPECT_EQ(st[name]["aktiv"], true) << name;
        int mitHaken = 0;
        for (const auto& [name, e] : st.items())
            mitHaken += e.contains("haken");
        EXPECT_EQ(mitHaken, 3) << "only the option items carry a check mark";
        EXPECT_TRUE(st.contains("Wert25"));
    }
}

TEST(Treiber, OptionenZweimalUmschalten) {
    for (auto [option, panel] : {std::pair{"Ikons", "ButtonPanel"}, std::pair{"Volltextsuche", "PanelVolltextsuche"}}) {
        SCOPED_TRACE(option);
        Sitzung s;
        s.starten();
        for (bool an : {false, true}) {
            EXPECT_TRUE(s({Json{{"klick", option}}.dump()}).empty());
            Json st = s.zustand()["steuerelemente"];
            EXPECT_EQ(st[panel]["sichtbar"], an);
            EXPECT_EQ(st[option]["haken"], an);
        }
    }
}

TEST(Treiber, UnerreichbareBedienelementeWerdenIgnoriert) {
    const std::pair<std::string, std::string> faelle[] = {
        {R"({"klick": "Speichern"})", "Speichern"},
        {R"({"klick": "SpeedButtonSpeichern"})", "SpeedButtonSpeichern"},
        {R"({"klick": "BitBtnLadenVorlageKunde"})", "BitBtnLadenVorlageKunde"}, // inside a disabled panel
        {R"({"waehle": {"Baum": [0]}})", "Baum"},
        {R"({"schritt": {"UpDownRechnung": "auf"}})", "UpDownRechnung"},
    };
    for (const auto& [befehl, name] : faelle) {
        Sitzung s;
        s.starten();
        EXPECT_EQ(s({befehl}), nur({{"ignoriert", name}})) << befehl;
    }
    // The tool bar hidden: its buttons do nothing, in particular no dialog of "Neu".
    Sitzung s;
    s.starten();
    EXPECT_EQ(s({R"({"klick": "Ikons"})", R"({"klick": "SpeedButtonNeu"})"}), nur({{"ignoriert", "SpeedButtonNeu"}}));
}

TEST(Treiber, EingabeWirdGekapptUndVerweigert) {
    Sitzung s;
    s.starten();
    std::string ue35;
    for (int i = 0; i < 35; ++i)
        ue35 += "Ü";
    Json eingabe = {{"eingabe",
                     {{"KundenNummer", "1234567890"},
                      {"Name", ue35},
                      {"RechnungsKennZeichen", "R"},
                      {"Gibtsnicht", "1"},
                      {"EditSuchText", "abc"}}}};
    auto e = s({eingabe.dump()});
    ASSERT_EQ(e.size(), 3u) << "read-only, unknown and disabled field";
    for (const Json& f : e)
        EXPECT_TRUE(f.contains("fehler")) << f;
    Json st = s.zustand()["steuerelemente"];
    EXPECT_EQ(st["KundenNummer"]["text"], "123456");
    EXPECT_EQ(st["Name"]["text"], ue35.substr(0, 30 * std::string("Ü").size())) << "cut by characters";
    EXPECT_EQ(st["RechnungsKennZeichen"]["text"], "A");
    EXPECT_EQ(st["EditSuchText"]["text"], "SuchText");
}

TEST(Treiber, HilfeSuchtDasDokumentImArbeitsordner) {
    TempOrdner ordner;
    Arbeitsordner hier(ordner.wurzel());
    for (const char* knopf : {"FKBHilfe", "SpeedButtonHilfe"}) {
        SCOPED_TRACE(knopf);
        Sitzung s;
        s.starten();
        std::filesystem::remove("FKB.chm");
        EXPECT_EQ(s({Json{{"klick", knopf}}.dump()}), nur(meldung("Fehler", "Fehler beim Anzeigen Hilfe FKB")));
        std::ofstream(ordner.pfad("FKB.chm")) << "Hilfe";
        EXPECT_EQ(s({Json{{"klick", knopf}}.dump()}), nur({{"hilfe", {{"dokument", "FKB.chm"}, {"verb", "open"}}}}));
    }
}

TEST(Treiber, BeendenUndSchliessenEndenDasProgramm) {
    for (const char* befehl :
         {R"({"klick": "Beenden"})", R"({"klick": "SpeedButtonBeenden"})", R"({"schliessen": true})"}) {
        SCOPED_TRACE(befehl);
        Sitzung s;
        s.starten();
        EXPECT_EQ(s({befehl}), nur({{"ende", true}}));
        // The script goes on; the program does not.
        for (const char* danach :
             {R"({"klick": "Neu"})", R"({"zustand": 1})", R"({"start": 1})", R"({"schliessen": 1})"})
            EXPECT_TRUE(einFehler(s({danach}))) << danach;
        EXPECT_TRUE(s({R"({"antwort": "ja"})", R"({"dialog": null})"}).empty());
    }
}

TEST(Treiber, ZeilenOhneBekanntenBefehlScheitern) {
    // Nesting that deep would exhaust the stack when the value is written back in a message; a zero
    // byte inside a text would silently cut a path short.
    const std::string tief = R"({"waehle": {"Baum": )" + std::string(100000, '[') + std::string(100000, ']') + "}}";
    for (const std::string& zeile :
         {std::string("kein json"), std::string(R"({"klick": )"), std::string(R"(["klick"])"), std::string("{}"),
          std::string(R"("start")"), std::string(R"({"klick": "Neu", "zustand": true})"),
          std::string(R"({"fliegen": true})"), std::string(R"({"Klick": "Neu"})"), tief,
          std::string(R"({"dialog": "/tmp/a.fba\u0000/b.fba"})"), std::string(R"({"eingabe": {"Name": "a\u0000b"}})"),
          std::string(R"({"pdf": "\u0000"})")}) {
        std::ostringstream aus;
        Treiber t(aus);
        EXPECT_FALSE(t.zeile(zeile)) << zeile.substr(0, 60);
        EXPECT_FALSE(t.fehlergrund().empty());
        EXPECT_EQ(aus.str(), "");
    }
}

TEST(Treiber, BefehleOhneZielMeldenFehler) {
    // Before the start every program command fails; queued answers are taken silently.
    Sitzung vorher;
    EXPECT_TRUE(vorher({R"({"antwort": "ja"})", R"({"dialog": "/x.fba"})", R"({"druckdialog": true})",
                        R"({"pdf": "/x.pdf"})", R"({"uhr": "01.01.2027 00:00:00"})"})
                    .empty());
    for (const char* befehl : {R"({"klick": "Neu"})", R"({"zustand": true})", R"({"seite": "Kunde"})",
                               R"({"eingabe": {"Name": "x"}})", R"({"schliessen": true})"})
        EXPECT_TRUE(einFehler(vorher({befehl}))) << befehl;

    Sitzung s;
    s.starten();
    for (const char* befehl : {
             R"({"uhr": "8.12.2026 10:15:00"})",
             R"({"uhr": "08.12.2026 25:00:00"})",
             R"({"antwort": "vielleicht"})",
             R"({"dialog": 3})",
             R"({"druckdialog": "ja"})",
             R"({"klick": "Gibtsnicht"})",
             R"({"klick": 5})",
             R"({"seite": "Fahndung"})",
             R"({"kalender": {"MonthCalendarVon": "31.02.2026"}})",
             R"({"kalender": {"MonthCalendarBis": "01.01.2026 10:00:00"}})",
             R"({"kalender": {"KundenNummer": "01.01.2026"}})",
             R"({"schritt": {"UpDownKunde": "hoch"}})",
             R"({"schritt": {"Baum": "auf"}})",
             R"({"waehle": {"ListBoxObjekt": 0}})",
             R"({"waehle": {"ListBoxFahndung": 0}})",
             R"({"waehle": {"ComboBoxKategorie": "Alles"}})",
             R"({"waehle": {"KundenNummer": 1}})",
         })
        EXPECT_TRUE(einFehler(s({befehl}))) << befehl;
    EXPECT_EQ(s.zustand()["kalender"]["MonthCalendarVon"], "08.12.2026");
}

TEST(Treiber, UnbeantworteteFragenUndDialoge) {
    Sitzung s;
    auto e = s({R"({"start": true})"});
    ASSERT_EQ(e.size(), 2u);
    EXPECT_TRUE(e[0].contains("fehler"));
    EXPECT_EQ(e[1], meldung("Bestätigung", Willkommen, "nein"));
    EXPECT_EQ(s.zustand()["steuerelemente"]["WarnungenHinweise"]["haken"], false);

    e = s({R"({"klick": "Neu"})"});
    ASSERT_EQ(e.size(), 2u);
    EXPECT_TRUE(e[0].contains("fehler"));
    EXPECT_TRUE(e[1]["dialog"]["ergebnis"].is_null());
    EXPECT_EQ(s.zustand()["datei"], "");
}

TEST(Treiber, NeueDateiUndAuswahl) {
    TempOrdner ordner;
    Sitzung s;
    s.starten();
    std::string pfad = ordner.pfad("daten.fba");
    std::string programmOrdner = std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/";
    EXPECT_EQ(s({Json{{"dialog", pfad}}.dump(), R"({"klick": "Neu"})"}),
              nur({{"dialog",
                    {{"art", "oeffnen"},
                     {"titel", "Datei öffnen"},
                     {"filter", "Fakturablage FBA (*.fba)|*.fba"},
                     {"endung", "FBA"},
                     {"ordner", programmOrdner},
                     {"name", ""},
                     {"ergebnis", pfad}}}}));
    EXPECT_EQ(std::filesystem::file_size(pfad), 137384u);

    Json z = s.zustand();
    EXPECT_EQ(z["datei"], pfad);
    EXPECT_EQ(z["ListBoxObjekt"]["zeilen"].size(), 52u);
    EXPECT_EQ(z["zaehler"], Json({{"AnzahlSaetze", 52},
                                  {"AnzahlKnoten", 55},
                                  {"AnzahlKategorien", 4},
                                  {"LetzteKundenNummer", 1},
                                  {"LetzteRechnungsNummer", 51},
                                  {"FahndungsAnzahl", 0}}));
    EXPECT_EQ(z["steuerelemente"]["PanelAnzahlSaetze"]["text"], "Anzahl Sätze: 52");
    for (std::size_t i = 0; i < Dateiabhaengig.size(); ++i)
        EXPECT_EQ(z["steuerelemente"][Dateiabhaengig[i]]["aktiv"], i < MitDateiFrei) << Dateiabhaengig[i];

    // The customer's root node shows nothing; its child shows record 51.
    const Json& baum = z["Baum"];
    auto kunde = std::find_if(baum.begin(), baum.end(),
                              [](const Json& k) { return k["text"] == "00001 - bearbeitbarer Satz, "; });
    ASSERT_NE(kunde, baum.end());
    EXPECT_EQ((*kunde)["kinder"], Json::array({"000051   "}));
    const long w = kunde - baum.begin();
    auto knoten = [](const Json& pfad) { return Json{{"waehle", {{"Baum", pfad}}}}.dump(); };
    EXPECT_TRUE(s({knoten(Json::array({w}))}).empty());
    EXPECT_EQ(s.zustand()["ListBoxObjekt"]["auswahl"], -1);
    EXPECT_TRUE(s({knoten(Json::array({w, 0}))}).empty());
    z = s.zustand();
    EXPECT_EQ(z["ListBoxObjekt"]["auswahl"], 51);
    EXPECT_EQ(z["steuerelemente"]["KundenNummer"]["text"], "00001");
    EXPECT_EQ(z["steuerelemente"]["Satz_Loeschen"]["aktiv"], true);
    EXPECT_TRUE(einFehler(s({knoten(Json::array({w, 1}))})));

    // A quantity typed and then normalised by the check is still the user's, not the program's.
    EXPECT_EQ(z["EingabenOffen"], false);
    EXPECT_TRUE(s({R"({"eingabe": {"Menge01": "2"}})", R"({"klick": "SpeedButtonPruefung"})"}).empty());
    z = s.zustand();
    EXPECT_EQ(z["steuerelemente"]["Menge01"]["text"], "    2,0");
    EXPECT_EQ(z["EingabenOffen"], true);

    // Category, step, page and calendars, now that the panels are enabled.
    EXPECT_TRUE(s({R"({"waehle": {"ComboBoxKategorie": "00001 - bearbeitbarer Satz, "}})",
                   R"({"schritt": {"UpDownKunde": "ab"}})", R"({"seite": "Kunde"})",
                   R"({"kalender": {"MonthCalendarVon": "01.12.2026", "MonthCalendarBis": "31.12.2026"}})"})
                    .empty());
    z = s.zustand();
    EXPECT_EQ(z["ListBoxObjekt"]["zeilen"].size(), 1u);
    EXPECT_EQ(z["vorlagen"], Json({{"UpDownKunde", 50}, {"UpDownRechnung", 1}}));
    EXPECT_EQ(z["seite"], "Kunde");
    EXPECT_EQ(z["kalender"], Json({{"MonthCalendarVon", "01.12.2026"}, {"MonthCalendarBis", "31.12.2026"}}));
}

TEST(Treiber, EinEAFehlerWirdAlsFehlermeldungGezeigt) {
    TempOrdner ordner;
    Sitzung s;
    s.starten();
    s({Json{{"dialog", ordner.pfad("daten.fba")}}.dump(), R"({"klick": "Neu"})"});
    std::filesystem::remove(ordner.pfad("daten.fba"));
    EXPECT_EQ(s({R"({"waehle": {"ListBoxObjekt": 3}})"}), nur(meldung("Fehler", "Datei nicht gefunden")));
    EXPECT_EQ(s.zustand()["steuerelemente"]["Satz_Speichern"]["aktiv"], false);
}

TEST(TreiberProgramm, ExitStatusZeilennummerUndProgrammordner) {
    TempOrdner ordner;
    const std::pair<std::string, int> faelle[] = {
        {"{\"antwort\": \"ja\"}\n{\"start\": true}\n\n  \n{\"dialog\": null}\r\n{\"klick\": \"Neu\"}\n"
         "{\"klick\": \"Beenden\"}\n{\"klick\": \"Neu\"}\n",
         0},
        {"{\"antwort\": \"ja\"}\n\n{\"start\": true}\n{\"tanzen\": true}\n{\"klick\": \"Beenden\"}\n", 2},
    };
    for (const auto& [skript, status] : faelle) {
        SCOPED_TRACE(skript);
        std::ofstream(ordner.pfad("skript.jsonl")) << skript;
        std::string befehl = std::string(FKB_HEADLESS) + " < " + ordner.pfad("skript.jsonl") + " > " +
                             ordner.pfad("aus.jsonl") + " 2> " + ordner.pfad("err.txt");
        int ergebnis = std::system(befehl.c_str());
        ASSERT_TRUE(WIFEXITED(ergebnis));
        EXPECT_EQ(WEXITSTATUS(ergebnis), status);

        std::ifstream aus(ordner.pfad("aus.jsonl"));
        std::vector<Json> ereignisse;
        for (std::string z; std::getline(aus, z);)
            ereignisse.push_back(Json::parse(z));
        std::stringstream err;
        err << std::ifstream(ordner.pfad("err.txt")).rdbuf();
        if (status == 0) {
            ASSERT_EQ(ereignisse.size(), 4u);
            EXPECT_EQ(ereignisse[1]["dialog"]["ordner"],
                      std::filesystem::path(FKB_HEADLESS).parent_path().string() + "/");
            EXPECT_EQ(ereignisse[2], Json({{"ende", true}}));
            EXPECT_TRUE(ereignisse[3].contains("fehler")) << "a click after the end";
        } else {
            EXPECT_NE(err.str().find("Zeile 4"), std::string::npos) << err.str();
            EXPECT_EQ(ereignisse.size(), 1u) << "nothing after the broken line runs";
        }
    }
}
