// Looking at the window, on demand only (skipped without their variables):
//   FKB_BILDER=/tmp/fkb-shots fkb_gui_tests --gtest_filter='*Bildschirm*'   pictures of the pages
//   FKB_README_BILDER=doc/bilder fkb_gui_tests --gtest_filter='*Readme*'    the README's pictures (make bilder)
//   FKB_GROSS=100000 fkb_gui_tests --gtest_filter='*GrosseDatei*'           time to open a large file
#include "GuiHilfen.h"
#include "data/DatenDatei.h"
#include "demo/Demodaten.h"
#include "qtdruck/QtLeinwand.h"
#include "ui/InfoForm.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QListView>
#include <QPrinter>
#include <QTabWidget>
#include <QTreeView>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

using namespace fkb;
using namespace fkb::test;

namespace {

std::string nummer(int n, int stellen) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", stellen, n);
    return text;
}

// Customers with umlauts, three records each, with up to 25 positions; appended as raw records.
void kundenAnhaengen(const std::string& pfad, int anzahl, int jeKunde = 3) {
    const char* namen[] = {"Müller", "Schäfer", "Weiß", "Böhm", "Jäger", "Groß", "Köhler", "Schröder"};
    const char* vornamen[] = {"Jürgen", "Käthe", "Ömer", "Hans-Peter", "Ülkü", "Anna", "Björn", "Marie"};
    const char* arbeiten[] = {"Ölwechsel mit Filter",          "Bremsbeläge vorne erneuern",
                              "Reifenmontage Sommerräder",     "Inspektion nach Herstellervorgabe",
                              "Klimaanlage prüfen und füllen", "Zahnriemen samt Wasserpumpe",
                              "Scheibenwischer erneuern",      "Achsvermessung"};
    DatenSatz satz;
    DatenDatei(pfad).lesen(51, satz);
    std::ofstream datei(pfad, std::ios::binary | std::ios::app);
    for (int i = 0; i < anzahl; ++i) {
        int kunde = i / jeKunde;
        satz.setzeText(SatzFeld::KundenNummer, nummer(2 + kunde % 99990, 5));
        satz.setzeText(SatzFeld::Anrede, i % 2 ? "Frau" : "Herr");
        satz.setzeText(SatzFeld::Name, namen[kunde % 8] + std::string(kunde >= 8 ? "-" + std::to_string(kunde) : ""));
        satz.setzeText(SatzFeld::Vorname, vornamen[kunde % 8]);
        satz.setzeText(SatzFeld::Firma, "Autohaus Süd GmbH & Co. KG");
        satz.setzeText(SatzFeld::Strasse, "Hauptstraße");
        satz.setzeText(SatzFeld::Nummer, std::to_string(1 + i % 90));
        satz.setzeText(SatzFeld::PLZ, "7" + nummer(i % 10000, 4));
        satz.setzeText(SatzFeld::Ort, "Überlingen");
        satz.setzeText(SatzFeld::Land, "Deutschland");
        satz.setzeText(SatzFeld::Fahrzeug, "VW Golf, KN-AB " + std::to_string(100 + i));
        satz.setzeText(SatzFeld::Bemerkung, "Stammkunde seit 2019.\rTermine bitte vormittags.");
        satz.setzeText(SatzFeld::RechnungsNummer, nummer(52 + i, 6));
        satz.setzeZeichen(SatzFeld::RechnungsKennZeichen, "ARB"[i % 3]);
        satz.setzeText(SatzFeld::RechnungsDatum, nummer(1 + i % 28, 2) + "." + nummer(1 + i % 12, 2) + ".2026");
        satz.setzeText(SatzFeld::LeistungsDatum, nummer(1 + i % 28, 2) + "." + nummer(1 + i % 12, 2) + ".2026");
        int zeilen = i == 0 ? 25 : 1 + i % 25;
        for (int k = 1; k <= 25; ++k) {
            bool da = k <= zeilen;
            satz.setzeText(SatzFeld::Position(k), da ? arbeiten[(i + k) % 8] : "");
            satz.setzeText(SatzFeld::ME(k), da ? (k % 2 ? "Std" : "Stk") : "");
            satz.setzeText(SatzFeld::Menge(k), da ? "    " + std::to_string(1 + k % 9) + ",0" : "");
            satz.setzeText(SatzFeld::Preis(k), da ? (k % 4 ? "     84,50" : "  1.249,00") : "");
        }
        satz.setzeText(SatzFeld::VersandKosten, i % 2 ? "  4,90" : "");
        datei.write(reinterpret_cast<const char*>(satz.bytes.data()), std::streamsize(satz.bytes.size()));
    }
}

} // namespace

TEST_F(Fenster, BildschirmfotosAllerSeiten) {
    const char* ziel = std::getenv("FKB_BILDER");
    if (!ziel)
        GTEST_SKIP() << "FKB_BILDER nicht gesetzt";
    QDir().mkpath(ziel);
    TempOrdner ordner;
    dateiAnlegen(ordner, "kunden.fba");
    kundenAnhaengen(ordner.pfad("kunden.fba"), 300);
    p.dialoge.push_back(ordner.pfad("kunden.fba"));
    el<QAction>("Oeffnen")->trigger();

    auto* liste = el<QListView>("ListBoxObjekt");
    klicken(liste, liste->model()->index(52, 0));
    auto* baum = el<QTreeView>("Baum");
    baum->expand(baum->model()->index(3, 0));
    el<QAbstractButton>("SpeedButtonPruefung")->click();
    auto* seiten = w.findChild<QTabWidget*>("PageControl");
    int n = 1;
    auto bild = [&](const char* seite) {
        seiten->setCurrentWidget(el(seite));
        QApplication::processEvents();
        EXPECT_TRUE(w.grab().save(QString("%1/%2-%3.png").arg(ziel).arg(n++).arg(seite)));
    };
    for (const char* seite : {"Navigation", "Kunde", "Rechnung"})
        bild(seite);
    // The year's invoices; the query resets the pages, so it comes last.
    f.setzeKalender(f.MonthCalendarVon, {2026, 1, 1});
    f.setzeKalender(f.MonthCalendarBis, {2026, 12, 31});
    w.bindung().spiegeln();
    el<QAbstractButton>("ButtonFahndungR")->click();
    p.antworten.push_back(true);
    el<QAbstractButton>("BitBtnStartFahndung")->click();
    EXPECT_EQ(f.FahndungsAnzahl, 100u);
    bild("Information");
    ui::InfoForm info;
    info.show();
    QApplication::processEvents();
    EXPECT_TRUE(info.grab().save(QString("%1/5-Info.png").arg(ziel)));
}

// The four pages over the sample data, as the README shows them; the clock stands on a fixed day,
// so the pictures change only when the program does.
TEST_F(Fenster, ReadmeBilderMitBeispieldaten) {
    const char* ziel = std::getenv("FKB_README_BILDER");
    if (!ziel)
        GTEST_SKIP() << "FKB_README_BILDER nicht gesetzt";
    QDir().mkpath(ziel);
    p.uhr = {2026, 12, 8, 10, 15, 0};
    TempOrdner ordner;
    const std::string pfad = ordner.pfad("Beispiel-Tischlerei.fba");
    demo::demoDateiSchreiben(pfad, p.uhr);
    w.resize(1163, 840);
    p.dialoge.push_back(pfad);
    el<QAction>("Oeffnen")->trigger();

    // An invoice with several lines and costs, calculated.
    auto* liste = el<QListView>("ListBoxObjekt");
    int gewaehlt = -1;
    for (std::size_t z = 0; z < f.ListeObjekt.zeilen.size() && gewaehlt < 0; ++z) {
        f.waehleListe(int(z));
        if (f.RechnungsKennZeichen.text == "R" && f.LieferKennzeichen.text == "B" && !f.Position[2].text.empty() &&
            !f.SonstigeKosten.text.empty())
            gewaehlt = int(z);
    }
    ASSERT_GE(gewaehlt, 0);
    w.bindung().spiegeln();
    klicken(liste, liste->model()->index(gewaehlt, 0));
    // The customer's node open in the tree, beside the list.
    auto* baum = el<QTreeView>("Baum");
    for (int r = 0; r < baum->model()->rowCount(); ++r)
        if (baum->model()->index(r, 0).data().toString().startsWith(QString::fromStdString(f.KundenNummer.text))) {
            baum->expand(baum->model()->index(r, 0));
            baum->scrollTo(baum->model()->index(r, 0), QAbstractItemView::PositionAtTop);
        }
    el<QAbstractButton>("SpeedButtonPruefung")->click();
    auto* seiten = w.findChild<QTabWidget*>("PageControl");
    auto bild = [&](const char* seite, const char* datei) {
        seiten->setCurrentWidget(el(seite));
        QApplication::processEvents();
        EXPECT_TRUE(w.grab().save(QString("%1/%2.png").arg(ziel, datei)));
    };
    bild("Navigation", "1-navigation");
    bild("Kunde", "2-kunde");
    bild("Rechnung", "3-rechnung");
    f.setzeKalender(f.MonthCalendarVon, {2026, 1, 1});
    f.setzeKalender(f.MonthCalendarBis, {2026, 12, 31});
    w.bindung().spiegeln();
    el<QAbstractButton>("ButtonFahndungR")->click();
    p.antworten.push_back(true);
    el<QAbstractButton>("BitBtnStartFahndung")->click();
    EXPECT_GT(f.FahndungsAnzahl, 0u);
    bild("Information", "4-fahndung");

    // The same invoice on letterhead, as the printer gets it; make bilder turns the PDF into a picture.
    struct PdfPlattform : TestPlattform {
        std::unique_ptr<QPrinter> drucker;
        std::unique_ptr<Leinwand> druckLeinwand() override { return std::make_unique<ui::QtLeinwand>(*drucker); }
    };
    PdfPlattform pdf;
    pdf.uhr = p.uhr;
    pdf.drucker = ui::pdfDrucker(std::string(ziel) + "/5-druck.pdf");
    TFKB_Formular druck(pdf);
    pdf.antworten = {false, false}; // no hints; letterhead, not form paper
    druck.starten();
    pdf.dialoge.push_back(pfad);
    druck.klick("Oeffnen");
    druck.waehleListe(gewaehlt);
    pdf.druckdialoge.push_back(true);
    druck.klick("BitBtnDruck");
    EXPECT_TRUE(pdf.texte("Fehler").empty());
}

TEST_F(Fenster, GrosseDateiOeffnen) {
    const char* anzahl = std::getenv("FKB_GROSS");
    if (!anzahl)
        GTEST_SKIP() << "FKB_GROSS nicht gesetzt";
    TempOrdner ordner;
    dateiAnlegen(ordner, "gross.fba");
    kundenAnhaengen(ordner.pfad("gross.fba"), std::atoi(anzahl), 20);
    auto* liste = el<QListView>("ListBoxObjekt");
    auto* baum = el("Baum");
    auto anfang = std::chrono::steady_clock::now();
    p.dialoge.push_back(ordner.pfad("gross.fba"));
    el<QAction>("Oeffnen")->trigger();
    liste->repaint();
    baum->repaint();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - anfang).count();
    std::printf("%d lines, %d tree roots: opened and painted in %.0f ms\n", liste->model()->rowCount(),
                f.BaumInhalt.wurzeln.empty() ? 0 : int(f.BaumInhalt.wurzeln.size()), ms);
    auto* kategorien = w.findChild<QComboBox*>("ComboBoxKategorie");
    anfang = std::chrono::steady_clock::now();
    emit kategorien->activated(kategorien->count() / 2);
    liste->repaint();
    ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - anfang).count();
    std::printf("category choice: %d lines in %.0f ms\n", liste->model()->rowCount(), ms);
}
