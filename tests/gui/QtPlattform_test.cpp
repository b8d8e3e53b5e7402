// The real platform's boxes and dialogs, answered by a timer as a user would.
#include "TestPlattform.h"
#include "ui/InfoForm.h"
#include "ui/Meldungsbox.h"
#include "ui/Programmstart.h"
#include "ui/QtPlattform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
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
    ui::InfoForm info;
    info.show();
    EXPECT_EQ(info.windowTitle(), "   Info FKB");
    EXPECT_EQ(info.size(), QSize(780, 467));
    EXPECT_EQ(info.minimumSize(), info.maximumSize());
    EXPECT_NE(info.findChild<QGroupBox*>("EntwicklerTeam"), nullptr);
    EXPECT_NE(info.findChild<QGroupBox*>("Systeminformation"), nullptr);
    bool bild = false;
    for (QLabel* l : info.findChildren<QLabel*>())
        bild |= l->toolTip() == "Autor" && !l->pixmap().isNull();
    EXPECT_TRUE(bild);
    // The program's version and the Qt it runs on.
    const QString system = info.findChild<QLabel*>("SystemText")->text();
    EXPECT_TRUE(system.contains(QStringLiteral("Version " FKB_VERSION))) << system.toStdString();
    EXPECT_TRUE(system.contains(QStringLiteral("Qt ") + qVersion())) << system.toStdString();
    bool geschlossen = false;
    QObject::connect(&info, &QDialog::accepted, [&] { geschlossen = true; });
    info.findChild<QPushButton*>("BitBtnOK")->click();
    EXPECT_TRUE(geschlossen);
}

// Enter answers a question that deletes something with Nein; every other question with Ja.
// Escape always answers Nein. The boxes are inspected before they would be shown.
TEST(Meldungsbox, VorgabeknopfJeNachFrage) {
    struct Fall {
        ui::Antworten antworten;
        QStringList knoepfe;
        QString vorgabe, flucht;
    };
    const Fall faelle[] = {
        {ui::Antworten::Ok, {"OK"}, "OK", "OK"},
        {ui::Antworten::JaVorgabe, {"&Ja", "&Nein"}, "&Ja", "&Nein"},
        {ui::Antworten::NeinVorgabe, {"&Ja", "&Nein"}, "&Nein", "&Nein"},
    };
    for (const Fall& fall : faelle) {
        auto box = ui::meldungsbox(nullptr, QMessageBox::Question, QString::fromUtf8("Bestätigung"),
                                   "Soll Datei: /x.fba\rwirklich gelöscht werden?", fall.antworten);
        Box gesehen = lesen(box.get());
        EXPECT_EQ(gesehen.knoepfe, fall.knoepfe);
        EXPECT_EQ(gesehen.text, QString::fromUtf8("Soll Datei: /x.fba\nwirklich gelöscht werden?"));
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(box->defaultButton()->text(), fall.vorgabe);
        EXPECT_EQ(box->escapeButton()->text(), fall.flucht);
    }
}

// The file dialogs start in the program's folder while its user may write there; an installed
// program's folder (/usr/bin) is not the user's, so they start in the documents folder.
TEST(QtPlattform, DateidialogeBeginnenWoDerBenutzerSchreibenDarf) {
    test::TempOrdner ordner;
    const QString eigener = QString::fromStdString(ordner.wurzel().string()) + "/";
    const QString fremd = eigener + "gesperrt/";
    QDir().mkpath(fremd);
    QFile::setPermissions(fremd, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString ausweich = (QFileInfo(dokumente).isDir() ? dokumente : QDir::homePath()) + "/";

    EXPECT_EQ(ui::ablageOrdnerFuer(eigener), eigener);
    EXPECT_EQ(ui::ablageOrdnerFuer(eigener + "fehlt/"), ausweich);
    if (!QFileInfo(fremd).isWritable()) { // root may write anywhere
        EXPECT_EQ(ui::ablageOrdnerFuer(fremd), ausweich);
    }
    QFile::setPermissions(fremd, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // The core sets both dialogs from it at start.
    ui::QtPlattform p;
    EXPECT_EQ(p.ablageOrdner(), ui::ablageOrdnerFuer(QString::fromStdString(p.programmOrdner())).toStdString());
}

// Qt's own texts come in German: the print dialog, the file dialog's details, the key names in menus.
TEST(QtPlattform, QtTexteSindDeutsch) {
    ASSERT_TRUE(ui::qtTexteLaden(*QCoreApplication::instance())) << "qt6-translations-l10n installed?";
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), "Drucken");
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Suchen in:");
    EXPECT_EQ(QKeySequence(Qt::CTRL | Qt::Key_S).toString(QKeySequence::NativeText), "Strg+S");
}
