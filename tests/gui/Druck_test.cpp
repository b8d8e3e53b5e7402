// The printer canvas on a PDF printer, and the query page used with mouse and keys.
#include "GuiHilfen.h"
#include "data/DatenDatei.h"
#include "printing/Rechnungsdruck.h"
#include "qtdruck/QtLeinwand.h"
#include "ui/QtPlattform.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>

using namespace fkb;
using namespace fkb::test;

namespace {

// The layouts' steps depend on the text height the canvas reports: it must be the height asked
// for, in the font that stands in for "Courier" on every machine.
TEST(QtLeinwand, ZellenhoeheUndDruckhoeheInZehntelMillimetern) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad("probe.pdf");
    std::unique_ptr<QPrinter> drucker = ui::pdfDrucker(pfad);
    ui::QtLeinwand l(*drucker);
    l.dokumentBeginnen();
    l.abbildungMetrisch();
    l.schriftName("Courier");
    l.schriftStil(Schriftstil::Fett);
    EXPECT_EQ(ui::QtLeinwand::familie("Courier"), "Liberation Mono");
    EXPECT_EQ(QFontInfo(QFont("Liberation Mono")).family(), "Liberation Mono") << "fonts-liberation installed";
    for (int hoehe : {20, 25, 35}) {
        l.schriftHoehe(hoehe);
        EXPECT_EQ(l.textHoehe("Herr"), hoehe);
        EXPECT_EQ(l.textHoehe(""), 0);
    }
    EXPECT_EQ(l.druckHoehe(), 2870);
    l.textAus(200, -300, "Größe: 12,50 €");
    l.neueSeite();
    l.textAus(200, -300, "Seite 2");
    l.dokumentBeenden();

    std::ifstream ein(pfad, std::ios::binary);
    const std::string pdf{std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
    EXPECT_NE(pdf.find("LiberationMono-Bold"), std::string::npos) << "the font is embedded by its own name";
}

TEST_F(Fenster, FahndungMitMausUndTastatur) {
    TempOrdner ordner;
    dateiAnlegen(ordner);
    DatenDatei datei(ordner.pfad("test.fba"));
    DatenSatz rechnung;
    datei.lesen(51, rechnung);
    rechnung.setzeZeichen(SatzFeld::RechnungsKennZeichen, Kennzeichen::Rechnung);
    rechnung.setzeText(SatzFeld::RechnungsDatum, "08.12.2026");
    rechnung.setzeText(SatzFeld::Menge(1), "2");
    rechnung.setzeText(SatzFeld::Preis(1), "50");
    datei.schreiben(51, rechnung);

    w.findChild<QTabWidget*>("PageControl")->setCurrentWidget(el("Information"));
    EXPECT_EQ(f.AktiveSeite, "Information");
    auto* knopfR = el<QPushButton>("ButtonFahndungR");
    klicken(knopfR, knopfR->rect().center());
    EXPECT_EQ(el<QLineEdit>("FahndungsRechnungsKennZeichen")->text(), "R");
    p.antworten = {true}; // the hint before the query
    auto* start = el<QPushButton>("BitBtnStartFahndung");
    klicken(start, start->rect().center());

    auto* liste = el<QListView>("ListBoxFahndung");
    ASSERT_EQ(liste->model()->rowCount(), 2);
    EXPECT_TRUE(liste->model()->index(0, 0).data().toString().startsWith(
        "20261208-000051-bearbeitbarer Satz, -100,00-19,00-119,00-"));
    EXPECT_EQ(el<QLabel>("PanelAnzahlFahndungsSaetze")->text(), QString::fromUtf8("Anzahl FahndungsSätze: 1"));
    auto* drucken = el<QPushButton>("BitBtnDruckFahndung");
    auto* bezahlt = el<QPushButton>("BitBtnSetzenRKZ");
    ASSERT_TRUE(drucken->isEnabled());
    ASSERT_TRUE(bezahlt->isEnabled());

    // The buttons answer the space bar once they have the focus.
    p.druckdialoge = {true};
    drucken->setFocus();
    taste(drucken, Qt::Key_Space, " ");
    ASSERT_EQ(p.drucke.size(), 1u);
    EXPECT_EQ(p.drucke[0].size(), 5u);

    // The sums line can be chosen, but marks nothing.
    liste->setFocus();
    taste(liste, Qt::Key_End);
    EXPECT_EQ(f.ListeFahndung.auswahl, 1);
    bezahlt->setFocus();
    taste(bezahlt, Qt::Key_Space, " ");
    EXPECT_TRUE(drucken->isEnabled());
    liste->setFocus();
    taste(liste, Qt::Key_Home);
    EXPECT_EQ(f.ListeFahndung.auswahl, 0);
    bezahlt->setFocus();
    taste(bezahlt, Qt::Key_Space, " ");
    EXPECT_TRUE(p.texte("Fehler").empty());
    datei.lesen(51, rechnung);
    EXPECT_EQ(rechnung.zeichen(SatzFeld::RechnungsKennZeichen), Kennzeichen::Bezahlt);
    EXPECT_EQ(rechnung.text(SatzFeld::ZahlungsEingang), "08.12.2026");
    EXPECT_FALSE(drucken->isEnabled());
    EXPECT_TRUE(bezahlt->isEnabled());
}

} // namespace

namespace {

void beimDialog(std::function<void(QWidget*)> antwort) {
    QTimer::singleShot(0, [antwort] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        antwort(dialog);
    });
}

// Without a printer, the print dialog's file output gives a PDF: the same canvas draws on it.
TEST(QtPlattform, DruckdialogMitDateiausgabe) {
    TempOrdner ordner;
    ui::QtPlattform p;
    beimDialog([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(p.druckDialog(""));

    const QString pfad = QString::fromStdString(ordner.pfad("rechnung.pdf"));
    QString titel;
    beimDialog([&](QWidget* w) {
        titel = w->windowTitle();
        if (const char* bilder = std::getenv("FKB_BILDER"))
            w->grab().save(QString("%1/Druckdialog.png").arg(bilder));
        auto* drucker = w->findChild<QComboBox*>("printers");
        ASSERT_NE(drucker, nullptr);
        drucker->setCurrentIndex(drucker->count() - 1); // the file is always the last entry
        auto* datei = w->findChild<QLineEdit*>("filename");
        ASSERT_NE(datei, nullptr);
        datei->setText(pfad);
        qobject_cast<QDialog*>(w)->accept();
    });
    ASSERT_TRUE(p.druckDialog(""));
    EXPECT_EQ(titel, "Drucken");
    Absender a;
    a.Firma = "Prüfbetrieb";
    rechnungDrucken(*p.druckLeinwand(), a, Rechnungsblatt{});
    std::ifstream ein(pfad.toStdString(), std::ios::binary);
    const std::string pdf{std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
    EXPECT_TRUE(pdf.starts_with("%PDF-"));
}

} // namespace
