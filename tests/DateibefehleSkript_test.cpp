// The file commands and the template panels end to end: one script through the headless program.
#include "TempOrdner.h"
#include "data/DatenSatz.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <utility>

using Json = nlohmann::json;
using namespace fkb::test;

TEST(DateibefehleSkript, KompaktierenKopierenVorlagenLoeschen) {
    TempOrdner ordner;
    const std::string daten = ordner.pfad("daten.fba"), kopie = ordner.pfad("kopie.fba");
    const std::vector<Json> skript = {
        {{"uhr", "08.12.2026 10:15:00"}},
        {{"antwort", "ja"}}, // hints on
        {{"start", true}},
        {{"dialog", daten}},
        {{"klick", "Neu"}},
        {{"eingabe", {{"KundenNummer", "2"}, {"Name", "Zwei"}, {"RechnungsNummer", "52"}}}},
        {{"klick", "Satz_Neu"}},
        {{"eingabe", {{"KundenNummer", "3"}, {"Name", "Drei"}, {"RechnungsNummer", "53"}}}},
        {{"klick", "Satz_Neu"}},
        {{"antwort", "ja"}},
        {{"klick", "Satz_Loeschen"}}, // record 53, just stored
        {{"klick", "SpeedButtonSpeichern"}},
        {{"dialog", kopie}},
        {{"klick", "SpeichernUnter"}},
        {{"dialog", kopie}},
        {{"antwort", "nein"}},
        {{"klick", "SpeedButtonSpeichernUnter"}},
        {{"waehle", {{"ListBoxObjekt", 0}}}}, // the parameter record: no template loads into it
        {{"klick", "BitBtnLadenVorlageKunde"}},
        {{"waehle", {{"ListBoxObjekt", 52}}}}, // "Zwei", with typed lines
        {{"eingabe", {{"Position01", "getippt"}, {"Position02", "auch"}}}},
        {{"schritt", {{"UpDownKunde", "ab"}}}},
        {{"schritt", {{"UpDownKunde", "ab"}}}},
        {{"klick", "BitBtnLadenVorlageKunde"}},
        {{"zustand", true}},
        {{"schritt", {{"UpDownRechnung", "auf"}}}},
        {{"klick", "BitBtnVorlageLadenRechnung"}},
        {{"zustand", true}},
        {{"antwort", "nein"}},
        {{"klick", "Loeschen"}},
        {{"antwort", "ja"}},
        {{"klick", "SpeedButtonLoeschen"}},
        {{"zustand", true}},
        {{"klick", "Speichern"}},
        {{"dialog", daten}},
        {{"klick", "SpeedButtonNeu"}},
        {{"zustand", true}},
    };
    {
        std::ofstream aus(ordner.pfad("skript.jsonl"));
        for (const Json& zeile : skript)
            aus << zeile.dump() << '\n';
    }
    const std::string befehl =
        std::string(FKB_HEADLESS) + " < " + ordner.pfad("skript.jsonl") + " > " + ordner.pfad("ereignisse.jsonl");
    const int status = std::system(befehl.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    std::vector<Json> meldungen, zustaende;
    std::ifstream ein(ordner.pfad("ereignisse.jsonl"));
    for (std::string zeile; std::getline(ein, zeile);) {
        Json e = Json::parse(zeile);
        if (e.contains("zustand"))
            zustaende.push_back(e["zustand"]);
        else if (!e.contains("meldung") || e["meldung"]["art"] != "Bestätigung" ||
                 !e["meldung"]["text"].get<std::string>().starts_with("Willkommen"))
            meldungen.push_back(std::move(e));
    }

    const std::string programm = std::filesystem::path(FKB_HEADLESS).parent_path().string() + "/";
    // The first dialog starts beside the program, every later one where the data file is.
    auto dialog = [&, erster = true](const char* art, const char* titel, const std::string& name,
                                     const std::string& ergebnis) mutable {
        return Json{{"dialog",
                     {{"art", art},
                      {"titel", titel},
                      {"filter", "Fakturablage FBA (*.fba)|*.fba"},
                      {"endung", "FBA"},
                      {"ordner", std::exchange(erster, false) ? programm : ordner.pfad("")},
                      {"name", name},
                      {"ergebnis", ergebnis}}}};
    };
    auto meldung = [](const char* art, const std::string& text, Json antwort = nullptr) {
        return Json{{"meldung", {{"art", art}, {"text", text}, {"antwort", std::move(antwort)}}}};
    };
    const std::vector<Json> erwartet = {
        dialog("oeffnen", "Datei öffnen", "", daten),
        meldung("Bestätigung", "Soll der selektierte Satz wirklich gelöscht werden?", "ja"),
        meldung("Information", "Aus Datei " + daten + "\r wurden die als gelöscht markierten Datensätze entfernt."),
        dialog("speichern", "Datei speichern", daten, kopie),
        meldung("Information", "Datei unter " + kopie + "\r gespeichert!"),
        dialog("speichern", "Datei speichern", daten, kopie),
        meldung("Bestätigung", "Datei " + kopie + " existiert bereits!\r Soll Datei überschrieben werden?", "nein"),
        meldung("Fehler", "BedienFehler - Vorlage nicht in Parameter oder Vorlage ladbar!\rWähle entsprechenden Satz!"),
        meldung("Bestätigung", "Soll Datei " + daten + "\r wirklich gelöscht werden?", "nein"),
        meldung("Bestätigung", "Soll Datei " + daten + "\r wirklich gelöscht werden?", "ja"),
        meldung("Information", "Datei " + daten + "\r gelöscht!"),
        {{"ignoriert", "Speichern"}},
        dialog("oeffnen", "Datei öffnen", "", daten),
    };
    EXPECT_EQ(meldungen, erwartet);
    EXPECT_EQ(std::filesystem::file_size(kopie), 53 * fkb::DatenSatz::Groesse) << "the compacted file";
    ASSERT_EQ(zustaende.size(), 4u);

    // Template 50's customer part over "Zwei": the typed lines stay.
    const Json& kunde = zustaende[0]["steuerelemente"];
    EXPECT_EQ(kunde["Name"]["text"], "VorlageSatz");
    EXPECT_EQ(kunde["RechnungsNummer"]["text"], "000050");
    EXPECT_EQ(kunde["AnzeigeRechnungsNummer"]["text"], "000050");
    EXPECT_EQ(kunde["RechnungsKennZeichen"]["text"], "A");
    EXPECT_EQ(kunde["Position01"]["text"], "getippt");
    EXPECT_EQ(zustaende[0]["vorlagen"], Json({{"UpDownKunde", 49}, {"UpDownRechnung", 1}}));
    // Template 1's lines, all empty, replace them; the customer part stays.
    const Json& rechnung = zustaende[1]["steuerelemente"];
    EXPECT_EQ(rechnung["Position01"]["text"].get<std::string>() + rechnung["Position02"]["text"].get<std::string>(),
              "");
    EXPECT_EQ(rechnung["RechnungsNummer"]["text"], "000050");
    EXPECT_EQ(rechnung["EditVorlageLaden"]["text"], "1");

    // Deleted: nothing to navigate, the record count as it was, the file commands off; "Neu" leads on.
    const Json& weg = zustaende[2];
    EXPECT_TRUE(weg["ListBoxObjekt"]["zeilen"].empty() && weg["Baum"].empty());
    EXPECT_EQ(weg["zaehler"]["LetzteRechnungsNummer"], 0);
    EXPECT_EQ(weg["steuerelemente"]["PanelAnzahlSaetze"]["text"], "Anzahl Sätze: 53");
    EXPECT_EQ(weg["steuerelemente"]["SpeedButtonLoeschen"]["aktiv"], false);
    EXPECT_EQ(zustaende[3]["ListBoxObjekt"]["zeilen"].size(), 52u);
    EXPECT_EQ(zustaende[3]["steuerelemente"]["Loeschen"]["aktiv"], true);
}
