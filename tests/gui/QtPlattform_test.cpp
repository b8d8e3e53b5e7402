// The real platform's boxes and dialogs, answered by a timer as a user would.
#include "TestPlattform.h"
#include "ui/InfoForm.h"
#include "ui/QtPlattform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

using namespace fkb;

namespace {

// Runs `antwort` on the modal window as soon as it is open.
void beimDialog(std::function<void(QWidget*)> antwort) {
    QTimer::singleShot(0, [antwort] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        antwort(dialog);
    });
}

struct Box {
    QString titel, text;
    QMessageBox::Icon bild = QMessageBox::NoIcon;
    QStringList knoepfe;
};

Box lesen(QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    Box b;
    if (!box)
        return b;
    b.titel = box->windowTitle();
    b.text = box->text();
    b.bild = box->icon();
    for (QAbstractButton* k : box->buttons())
        b.knoepfe << k->text();
    return b;
}

QAbstractButton* knopf(QWidget* w, const QString& text) {
    for (QAbstractButton* k : qobject_cast<QMessageBox*>(w)->buttons())
        if (k->text() == text)
            return k;
    return nullptr;
}

} // namespace

TEST(QtPlattform, BoxenMitDeutschenTitelnUndKnoepfen) {
    ui::QtPlattform p;
    Box gesehen;
    beimDialog([&](QWidget* w) {
        gesehen = lesen(w);
        knopf(w, "OK")->click();
    });
    p.fehlerMelden("BedienFehler - erste Zeile\rzweite Zeile");
    EXPECT_EQ(gesehen.titel, "Fehler");
    EXPECT_EQ(gesehen.bild, QMessageBox::Critical);
    EXPECT_EQ(gesehen.text, "BedienFehler - erste Zeile\nzweite Zeile");
    EXPECT_EQ(gesehen.knoepfe, QStringList{"OK"});

    beimDialog([&](QWidget* w) {
        gesehen = lesen(w);
        knopf(w, "OK")->click();
    });
    p.hinweisMelden("Datei gelöscht!");
    EXPECT_EQ(gesehen.titel, "Information");
    EXPECT_EQ(gesehen.bild, QMessageBox::Information);

    for (auto [antwort, erwartet] : {std::pair{"&Ja", true}, std::pair{"&Nein", false}}) {
        beimDialog([&, antwort = QString(antwort)](QWidget* w) {
            gesehen = lesen(w);
            knopf(w, antwort)->click();
        });
        EXPECT_EQ(p.bestaetigen("Soll Datei erzeugt werden?"), erwartet) << antwort;
        EXPECT_EQ(gesehen.titel, QString::fromUtf8("Bestätigung"));
        EXPECT_EQ(gesehen.bild, QMessageBox::Question);
        EXPECT_EQ(gesehen.knoepfe, (QStringList{"&Ja", "&Nein"}));
    }
}

TEST(QtPlattform, OeffnenDialogNimmtEinenNeuenNamenUndHaengtDieEndungAn) {
    test::TempOrdner ordner;
    ui::QtPlattform p;
    DateiDialog d{DialogArt::Oeffnen,
                  "Datei öffnen",
                  "Fakturablage FBA (*.fba)|*.fba",
                  "FBA",
                  ordner.wurzel().string() + "/",
                  ""};
    QString titel, filter, verzeichnis;
    beimDialog([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        titel = dialog->windowTitle();
        filter = dialog->nameFilters().join(";;");
        verzeichnis = dialog->directory().absolutePath();
        dialog->selectFile("kunden");
        static_cast<QDialog*>(dialog)->accept();
    });
    auto pfad = p.dateiWaehlen(d);
    ASSERT_TRUE(pfad.has_value());
    EXPECT_EQ(*pfad, ordner.pfad("kunden.fba"));
    EXPECT_EQ(titel, QString::fromUtf8("Datei öffnen"));
    EXPECT_EQ(filter, "Fakturablage FBA (*.fba)");
    EXPECT_EQ(verzeichnis, QDir(QString::fromStdString(ordner.wurzel().string())).absolutePath());

    beimDialog([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_FALSE(p.dateiWaehlen(d).has_value());
}

TEST(QtPlattform, FehlendesDokumentMeldetFehlschlag) {
    test::TempOrdner ordner;
    QString vorher = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(ordner.wurzel().string()));
    ui::QtPlattform p;
    EXPECT_LT(p.dokumentOeffnen("FKB.chm", "open"), 32);
    QDir::setCurrent(vorher);
    EXPECT_TRUE(p.programmOrdner().ends_with('/'));
}

TEST(InfoForm, FesteGroesseBildTexteUndOk) {
    ui::QtPlattform p;
    bool gesehen = false;
    beimDialog([&](QWidget* w) {
        gesehen = true;
        EXPECT_EQ(w->windowTitle(), "   Info FKB");
        EXPECT_EQ(w->size(), QSize(780, 467));
        EXPECT_EQ(w->minimumSize(), w->maximumSize());
        EXPECT_NE(w->findChild<QGroupBox*>("EntwicklerTeam"), nullptr);
        EXPECT_NE(w->findChild<QGroupBox*>("Systeminformation"), nullptr);
        bool bild = false;
        for (QLabel* l : w->findChildren<QLabel*>())
            bild |= l->toolTip() == "Autor" && !l->pixmap().isNull();
        EXPECT_TRUE(bild);
        w->findChild<QPushButton*>("BitBtnOK")->click();
    });
    p.infoZeigen();
    EXPECT_TRUE(gesehen);
}
