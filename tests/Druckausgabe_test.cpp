// The driver's printing from end to end: the real executable, a script, the druck event and the PDF.
#include "CiiPruefung.h"
#include "TestPlattform.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

using Json = nlohmann::ordered_json;
using namespace fkb::test;

namespace {

std::vector<Json> abspielen(const TempOrdner& ordner, const std::vector<Json>& skript) {
    {
        std::ofstream aus(ordner.pfad("skript.jsonl"));
        for (const Json& zeile : skript)
            aus << zeile.dump() << '\n';
    }
    const std::string befehl = std::string(FKB_HEADLESS) + " < " + ordner.pfad("skript.jsonl") + " > " +
                               ordner.pfad("aus.jsonl") + " 2>/dev/null";
    EXPECT_EQ(std::system(befehl.c_str()), 0);
    std::vector<Json> ereignisse;
    std::ifstream ein(ordner.pfad("aus.jsonl"));
    for (std::string z; std::getline(ein, z);)
        ereignisse.push_back(Json::parse(z));
    return ereignisse;
}

#ifdef FKB_PDF
std::string inhalt(const std::string& pfad) {
    std::ifstream ein(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
}

int pdfSeiten(const std::string& pdf) {
    int seiten = 0;
    std::istringstream zeilen(pdf);
    for (std::string z; std::getline(zeilen, z);)
        seiten += z == "/Type /Page";
    return seiten;
}
#endif

// An EU invoice with all three costs on letterhead paper: two A4 pages.
TEST(Druckausgabe, DruckEreignisUndPdfSeiteFuerSeite) {
    TempOrdner ordner;
    const std::string pdf = ordner.pfad("rechnung.pdf");
    const std::string ohneOrdner = ordner.pfad("fehlt/rechnung.pdf");
    const std::vector<Json> skript = {
        {{"uhr", "08.12.2026 10:15:00"}},
        {{"antwort", "nein"}},
        {{"start", true}},
        {{"dialog", ordner.pfad("daten.fba")}},
        {{"klick", "Neu"}},
        {{"klick", "ButtonRechnung"}},
        {{"klick", "ButtonEU"}},
        {{"eingabe",
          {{"Name", "Müller"},
           {"Position01", "Fliesen verlegen, 12 m²"},
           {"Menge01", "12"},
           {"Preis01", "49,5"},
           {"VersandKosten", "4,9"},
           {"NachnameKosten", "2"},
           {"SonstigeKosten", "15"},
           {"BezeichnungSonstigeKosten", "Entsorgung"}}}},
        {{"pdf", pdf}},
        {{"druckdialog", true}},
        {{"antwort", "nein"}},
        {{"klick", "BitBtnDruck"}},
        {{"pdf", ohneOrdner}},
        {{"druckdialog", true}},
        {{"antwort", "ja"}},
        {{"klick", "BitBtnDruck"}},
    };
    const std::vector<Json> e = abspielen(ordner, skript);
    std::vector<const Json*> drucke;
    for (const Json& ereignis : e)
        if (ereignis.contains("druck"))
            drucke.push_back(&ereignis["druck"]["texte"]);
    ASSERT_EQ(drucke.size(), 2u);

    const Json& texte = *drucke[0];
    EXPECT_EQ(texte[0].dump(), R"({"x":200,"y":-300,"hoehe":35,"schrift":"Courier","fett":true,)"
                               R"("text":"Meisterbetrieb          Musterbetrieb GmbH","seite":1})");
    int seite2 = -1;
    for (std::size_t i = 0; i < texte.size(); ++i)
        if (texte[i]["seite"] == 2 && seite2 < 0)
            seite2 = int(i);
    ASSERT_GT(seite2, 0);
    EXPECT_EQ(texte[std::size_t(seite2)]["y"], -300);
    EXPECT_EQ(texte.back()["seite"], 2);
    EXPECT_EQ(texte.back()["text"], "Konto-Nr.: 1234567890");

#ifdef FKB_PDF
    const std::string datei = inhalt(pdf);
    ASSERT_TRUE(datei.starts_with("%PDF-")) << "the pdf command renders the document";
    EXPECT_EQ(pdfSeiten(datei), 2) << "the PDF breaks its pages where the event does";
    // The second document could not be written: its event comes all the same, then the reason.
    EXPECT_TRUE(e.back().contains("fehler")) << e.back();
    EXPECT_TRUE(e[e.size() - 2].contains("druck"));
#endif
}

#ifndef FKB_PDF
TEST(Druckausgabe, OhneQtMeldetDasPdfEinenFehler) {
    TempOrdner ordner;
    const std::vector<Json> e = abspielen(ordner, {{{"antwort", "nein"}},
                                                   {{"start", true}},
                                                   {{"dialog", ordner.pfad("daten.fba")}},
                                                   {{"klick", "Neu"}},
                                                   {{"pdf", ordner.pfad("x.pdf")}},
                                                   {{"druckdialog", true}},
                                                   {{"antwort", "nein"}},
                                                   {{"klick", "BitBtnDruck"}}});
    ASSERT_GE(e.size(), 2u);
    EXPECT_TRUE(e[e.size() - 2].contains("druck"));
    EXPECT_NE(e.back().value("fehler", "").find("PDF-Ausgabe ist nicht verfügbar"), std::string::npos);
}
#endif

// The ZUGFeRD PDF is drawn like a print: its pages come as a druck event. Without Qt it is refused.
TEST(Druckausgabe, ZugferdPdfAlsDruckEreignis) {
    Formularumgebung u;
    eignerEintragen(u);
    kundeEintragen(u.f, "B");
    zeileEintragen(u.f, 0, "Montage", "Std", "2", "55");
    u.f.klick("Satz_Neu");
    const std::string pdf = u.ordner.pfad("r.pdf");
    const std::vector<Json> e = abspielen(u.ordner, {{{"antwort", "nein"}},
                                                     {{"start", true}},
                                                     {{"dialog", u.pfad}},
                                                     {{"klick", "Oeffnen"}},
                                                     {{"waehle", {{"ListBoxObjekt", 52}}}},
                                                     {{"dialog", pdf}},
                                                     {{"klick", "BitBtnZUGFeRD"}}});
    ASSERT_GE(e.size(), 2u);
#ifdef FKB_PDF
    ASSERT_TRUE(e.back().contains("druck")) << e.back();
    EXPECT_EQ(e.back()["druck"]["texte"][7]["text"], "Rechnung");
    EXPECT_TRUE(inhalt(pdf).starts_with("%PDF-1.7"));
#else
    EXPECT_EQ(e.back()["meldung"]["text"], "Fehler - dieses Programm hat keine PDF-Ausgabe!\r"
                                           "E-Rechnung als XRechnung (XML) speichern!");
#endif
}

} // namespace
