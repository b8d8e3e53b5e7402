// The "E-Rechnung" and "E-Rechnung PDF" commands as the user meets them: refusals before any dialog,
// the save dialog, the written file and its confirmation.
#include "CiiPruefung.h"
#include "Datenwerkzeug.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace fkb;
using namespace fkb::test;

TEST(ERechnungBefehl, AblaufVomKlickBisZurDatei) {
    enum Ausgang { Geschrieben, KeineDatei };
    struct Fall {
        const char* name;
        const char* kennzeichen;
        bool eigner;                           // a parameter record an e-invoice can be made from
        std::optional<std::string> dialog;     // the chosen name in the data file's folder; none: cancelled
        std::vector<bool> antworten;           // to the overwrite question
        bool zielDaVorher;                     // a file of that name exists already
        std::vector<std::string> fehlerAnfang; // first lines of error boxes
        bool dialogGezeigt;
        Ausgang ausgang;
        const char* knopf = "BitBtnERechnung";
    };
    const Fall faelle[] = {
        {"invoice", "R", true, "Rechnung-000123.xml", {}, false, {}, true, Geschrieben},
        {"paid invoice", "B", true, "Rechnung-000123.xml", {}, false, {}, true, Geschrieben},
        {"offer", "A", true, "x.xml", {}, false, {"BedienFehler - Angebot ist keine Rechnung!"}, false, KeineDatei},
        {"template", "V", true, "x.xml", {}, false, {"BedienFehler - keine Rechnung im Satz!"}, false, KeineDatei},
        {"seeded owner data",
         "R",
         false,
         "x.xml",
         {},
         false,
         {"BedienFehler - E-Rechnung nicht erstellbar!"},
         false,
         KeineDatei},
        {"cancelled", "R", true, std::nullopt, {}, false, {}, true, KeineDatei},
        {"overwrite declined", "R", true, "alt.xml", {false}, true, {}, true, KeineDatei},
        {"overwrite accepted", "R", true, "alt.xml", {true}, true, {}, true, Geschrieben},
        {"the data file itself", "R", true, "daten.fba", {true}, false, {}, true, KeineDatei},
        {"ZUGFeRD", "R", true, "Rechnung-000123.pdf", {}, false, {}, true, Geschrieben, "BitBtnZUGFeRD"},
        {"ZUGFeRD from the menu, paid, overwritten",
         "B",
         true,
         "alt.pdf",
         {true},
         true,
         {},
         true,
         Geschrieben,
         "ZUGFeRDExportieren"},
        {"ZUGFeRD of an offer",
         "A",
         true,
         "x.pdf",
         {},
         false,
         {"BedienFehler - Angebot ist keine Rechnung!"},
         false,
         KeineDatei,
         "BitBtnZUGFeRD"},
        {"ZUGFeRD with seeded owner data",
         "R",
         false,
         "x.pdf",
         {},
         false,
         {"BedienFehler - E-Rechnung nicht erstellbar!"},
         false,
         KeineDatei,
         "ZUGFeRDExportieren"},
        {"ZUGFeRD, overwrite declined", "R", true, "alt.pdf", {false}, true, {}, true, KeineDatei, "BitBtnZUGFeRD"},
        {"ZUGFeRD over the data file", "R", true, "daten.fba", {true}, false, {}, true, KeineDatei, "BitBtnZUGFeRD"},
    };
    for (Fall fall : faelle) {
        SCOPED_TRACE(fall.name);
        const bool pdf = std::string(fall.knopf) != "BitBtnERechnung";
#ifndef FKB_PDF
        // A program without Qt has no PDF to offer: it says so once the file is chosen.
        if (pdf && fall.ausgang == Geschrieben) {
            fall.fehlerAnfang = {"Fehler - dieses Programm hat keine PDF-Ausgabe!"};
            fall.ausgang = KeineDatei;
        }
#endif
        Formularumgebung u(true);
        if (fall.eigner)
            eignerEintragen(u);
        kundeEintragen(u.f, "B");
        zeileEintragen(u.f, 0, "Montage", "Std", "2", "55");
        u.f.RechnungsKennZeichen.text = fall.kennzeichen;
        u.f.ZahlungsEingang.text = "10.12.2026";
        const std::string ziel = fall.dialog ? u.ordner.pfad(*fall.dialog) : std::string();
        if (fall.zielDaVorher)
            std::ofstream(ziel) << "alt";
        u.p.dialoge.push_back(fall.dialog ? std::optional(ziel) : std::nullopt);
        for (bool a : fall.antworten)
            u.p.antworten.push_back(a);

        u.p.gezeigteDialoge.clear();
        u.f.klick(fall.knopf);

        std::vector<std::string> fehler;
        for (const std::string& t : u.p.texte("Fehler"))
            fehler.push_back(t.substr(0, t.find('\r')));
        if (ziel == u.pfad) {
            // The data file is never written over with the invoice.
            EXPECT_EQ(fehler, std::vector<std::string>{"BedienFehler - " + ziel + " ist die geöffnete Datendatei!"});
            EXPECT_EQ(u.anzahl(), 52);
            continue;
        }
        EXPECT_EQ(fehler, fall.fehlerAnfang);
        ASSERT_EQ(u.p.gezeigteDialoge.size(), fall.dialogGezeigt ? 1u : 0u);
        if (fall.dialogGezeigt) {
            const DateiDialog& d = u.p.gezeigteDialoge.front();
            EXPECT_EQ(d.titel, pdf ? "E-Rechnung (PDF) speichern" : "E-Rechnung speichern");
            EXPECT_EQ(d.filter, pdf ? "ZUGFeRD-PDF (*.pdf)|*.pdf" : "XRechnung (*.xml)|*.xml");
            EXPECT_EQ(d.ordner, u.ordner.wurzel().string() + "/");
            EXPECT_EQ(d.name, pdf ? "Rechnung-000123.pdf" : "Rechnung-000123.xml");
        }
        const std::string inhalt = std::filesystem::exists(ziel) ? dateiInhalt(ziel) : std::string();
        if (fall.ausgang == Geschrieben) {
            std::string xml = inhalt;
            if (pdf) {
                EXPECT_EQ(zugferdFehler(inhalt, xml), std::vector<std::string>{});
            }
            EXPECT_EQ(schemaFehler(xml), std::vector<std::string>{});
            EXPECT_EQ(CiiDokument(xml).text("//ram:GrandTotalAmount"), "130.90");
            EXPECT_EQ(u.p.texte("Information"),
                      std::vector<std::string>{"E-Rechnung unter " + ziel + "\r gespeichert!"});
        } else {
            EXPECT_EQ(inhalt, fall.zielDaVorher ? "alt" : "");
            EXPECT_TRUE(u.p.texte("Information").empty());
        }
        // Nothing but the chosen file lands in the folder.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(u.ordner.wurzel()), {}),
                  1 + (fall.ausgang == Geschrieben || fall.zielDaVorher ? 1 : 0));
    }
}
