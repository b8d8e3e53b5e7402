// The main window against the core: every control has its widget, user actions reach the
// handlers, and the model comes back into the widgets.
#include "GuiHilfen.h"
#include "ui/Programmstart.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

using namespace fkb;
using namespace fkb::test;

namespace {

bool passt(const Steuerelement& s, QObject* o) {
    switch (s.art) {
    case Art::Menue:
        return qobject_cast<QMenu*>(o);
    case Art::Menuepunkt:
        return qobject_cast<QAction*>(o);
    case Art::Werkzeugleiste:
        return qobject_cast<QToolBar*>(o);
    case Art::Werkzeugknopf:
    case Art::Knopf:
        return qobject_cast<QAbstractButton*>(o);
    case Art::Feld:
        return qobject_cast<QLineEdit*>(o);
    case Art::Textbereich:
        return qobject_cast<QPlainTextEdit*>(o);
    case Art::Liste:
        return qobject_cast<QListView*>(o);
    case Art::Baum:
        return qobject_cast<QTreeView*>(o);
    case Art::Auswahlliste:
        return qobject_cast<QComboBox*>(o);
    case Art::Kalender:
        return qobject_cast<QCalendarWidget*>(o);
    case Art::Seite:
    case Art::Panel:
    case Art::Schrittregler:
        return qobject_cast<QWidget*>(o);
    }
    return false;
}

} // namespace

TEST_F(Fenster, JedesSteuerelementHatGenauEinWidgetPassenderArt) {
    for (Steuerelement* s : f.alle()) {
        const auto treffer = w.findChildren<QObject*>(QString::fromStdString(s->name));
        ASSERT_EQ(treffer.size(), 1) << s->name;
        EXPECT_TRUE(passt(*s, treffer.front())) << s->name << " ist " << treffer.front()->metaObject()->className();
    }
}

TEST_F(Fenster, StartzustandKommtAusDemModell) {
    EXPECT_EQ(w.windowTitle(), "   Fakturbuch (FKB)");
    // On the test's 1920 × 1080 screen it starts at its full size, centred; it may be resized.
    EXPECT_EQ(w.size(), QSize(1163, 840));
    EXPECT_EQ(w.geometry(), ui::Hauptfenster::startGeometrie(w.screen()->availableGeometry()));
    EXPECT_LT(w.minimumSize().height(), 688);
    EXPECT_GT(w.maximumSize().width(), 1920);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(w.findChild<QTabWidget*>("PageControl")->currentWidget()->objectName(), "Navigation");

    // Everything that needs a data file is off until one is loaded; the end of the program is not.
    for (const char* name : {"Speichern", "SpeichernUnter", "Loeschen"})
        EXPECT_FALSE(el<QAction>(name)->isEnabled()) << name;
    for (const char* name : {"Neu", "Oeffnen", "Beenden", "Info", "FKBHilfe"})
        EXPECT_TRUE(el<QAction>(name)->isEnabled()) << name;
    for (const char* name :
         {"SpeedButtonSpeichern", "SpeedButtonLoeschen", "Baum", "EditSuchText", "ButtonSuche", "Satz_Neu",
          "Satz_Speichern", "Satz_Loeschen", "BitBtnLadenVorlageKunde", "UpDownRechnung", "SpeedButtonPruefung",
          "BitBtnDruck", "BitBtnStartFahndung", "BitBtnDruckFahndung", "BitBtnSetzenRKZ"})
        EXPECT_FALSE(el(name)->isEnabledTo(&w)) << name;
    EXPECT_TRUE(el("SpeedButtonBeenden")->isEnabledTo(&w));

    for (const char* name : {"Ikons", "Volltextsuche", "WarnungenHinweise"})
        EXPECT_TRUE(el<QAction>(name)->isChecked()) << name;
    EXPECT_EQ(el<QLabel>("PanelAnzahlSaetze")->text(), "Anzahl Sätze: 0");
    EXPECT_EQ(el<QLineEdit>("EditSuchText")->text(), "SuchText");
    EXPECT_EQ(el<QLineEdit>("AnzeigeKundenNummer")->text(), "Ku-Nr.");
    EXPECT_TRUE(el<QLineEdit>("RechnungsKennZeichen")->isReadOnly());
    EXPECT_TRUE(el<QLineEdit>("Wert25")->isReadOnly());
    EXPECT_FALSE(el<QLineEdit>("Preis25")->isReadOnly());
    EXPECT_EQ(el("SpeedButtonKundenNummer")->toolTip(), "inkrementiert die KundenNummer");
}

TEST_F(Fenster, OptionenSchaltenWerkzeugleisteSuchfeldUndHinweise) {
    auto* ikons = el<QAction>("Ikons");
    ikons->trigger();
    EXPECT_TRUE(el("ButtonPanel")->isHidden());
    EXPECT_FALSE(ikons->isChecked());
    ikons->trigger();
    EXPECT_FALSE(el("ButtonPanel")->isHidden());
    EXPECT_TRUE(ikons->isChecked());

    auto* suche = el<QAction>("Volltextsuche");
    suche->trigger();
    EXPECT_TRUE(el("PanelVolltextsuche")->isHidden());
    EXPECT_FALSE(suche->isChecked());
    suche->trigger();
    EXPECT_FALSE(el("PanelVolltextsuche")->isHidden());

    el<QAction>("WarnungenHinweise")->trigger();
    EXPECT_FALSE(f.hinweisModus());
    EXPECT_FALSE(el<QAction>("WarnungenHinweise")->isChecked());
}

TEST_F(Fenster, NeueDateiFuelltListeBaumKategorienUndZaehler) {
    TempOrdner ordner;
    dateiAnlegen(ordner);
    auto* liste = el<QListView>("ListBoxObjekt");
    ASSERT_EQ(liste->model()->rowCount(), 52);
    EXPECT_TRUE(liste->model()->index(51, 0).data().toString().startsWith("000051 - bearbeitbarer Satz, "));
    EXPECT_EQ(liste->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(el<QTreeView>("Baum")->model()->rowCount(), 3);
    auto* kategorien = el<QComboBox>("ComboBoxKategorie");
    ASSERT_EQ(kategorien->count(), 4);
    EXPECT_EQ(kategorien->itemText(0), "Alles");
    EXPECT_EQ(el<QLabel>("PanelOverKategorie")->text(), "Alles");
    EXPECT_EQ(el<QLabel>("PanelAnzahlSaetze")->text(), "Anzahl Sätze: 52");
    EXPECT_EQ(el<QLabel>("PanelLetzteRechnungsNummer")->text(), "Letzte RechnungsNummer: 51");
    EXPECT_TRUE(w.windowTitle().contains("Mustermann"));
    for (const char* name : {"Baum", "EditSuchText", "Satz_Neu", "BitBtnLadenVorlageKunde", "BitBtnStartFahndung"})
        EXPECT_TRUE(el(name)->isEnabledTo(&w)) << name;
    EXPECT_TRUE(el<QAction>("Speichern")->isEnabled());
}

TEST_F(Fenster, ZeileWaehlenZeigtDenGespeichertenSatz) {
    TempOrdner ordner;
    dateiAnlegen(ordner);
    auto* liste = el<QListView>("ListBoxObjekt");
    klicken(liste, liste->model()->index(51, 0));
    EXPECT_EQ(f.ListeObjekt.auswahl, 51);
    EXPECT_EQ(el<QLineEdit>("Name")->text(), "bearbeitbarer Satz");
    EXPECT_EQ(el<QLineEdit>("AnzeigeRechnungsNummer")->text(), "000051");
    EXPECT_EQ(el<QPlainTextEdit>("Bemerkung")->toPlainText(),
              "Achtung! Erster bearbeitbarer Satz!\n\nBeginnen Sie mit Dateneingabe!");
    EXPECT_TRUE(el("Satz_Speichern")->isEnabled());
    EXPECT_TRUE(el("Satz_Loeschen")->isEnabled());

    // Keys move the current line and choose it as well.
    liste->setFocus();
    taste(liste, Qt::Key_Up);
    EXPECT_EQ(el<QLineEdit>("Name")->text(), "VorlageSatz");
    EXPECT_EQ(el<QLineEdit>("RechnungsNummer")->text(), "000050");

    // A click on the line already chosen reads the record again, dropping what was typed once the user
    // lets it go.
    auto* name = el<QLineEdit>("Name");
    name->selectAll();
    tippen(name, "X");
    EXPECT_EQ(f.Name.text, "X");
    p.antworten.push_back(true);
    klicken(liste, liste->model()->index(50, 0));
    EXPECT_EQ(name->text(), "VorlageSatz");
}

// Only the user chooses a line. When the window gets the focus back (after a dialog or a menu),
// Qt makes the first line current on its own; that must neither show record 0 over what was
// typed nor enable overwriting and deleting.
TEST_F(Fenster, FokuswechselWaehltKeineZeile) {
    TempOrdner ordner;
    dateiAnlegen(ordner);
    auto* liste = el<QListView>("ListBoxObjekt");
    auto* name = el<QLineEdit>("Name");
    name->setFocus();
    name->selectAll();
    tippen(name, "Neukunde");
    for (Qt::FocusReason grund : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::TabFocusReason}) {
        SCOPED_TRACE(grund);
        QDialog dialog(&w);
        dialog.show();
        QApplication::processEvents();
        dialog.hide();
        QFocusEvent ein(QEvent::FocusIn, grund);
        QApplication::sendEvent(liste, &ein);
        QApplication::processEvents();
        EXPECT_EQ(f.ListeObjekt.auswahl, -1);
        EXPECT_EQ(f.Name.text, "Neukunde");
        EXPECT_FALSE(el("Satz_Speichern")->isEnabled());
        EXPECT_FALSE(el("Satz_Loeschen")->isEnabled());
    }
    // The user's key still chooses, once the typed name may go.
    p.antworten.push_back(true);
    taste(liste, Qt::Key_Down);
    EXPECT_GE(f.ListeObjekt.auswahl, 0);
    EXPECT_TRUE(el("Satz_Speichern")->isEnabled());
}

// Typed texts are in the core before a button's handler runs: the stored record carries them.
TEST_F(Fenster, GetippterSatzWirdGespeichertUndGezeigt) {
    TempOrdner ordner;
    dateiAnlegen(ordner);
    w.findChild<QTabWidget*>("PageControl")->setCurrentWidget(el("Kunde"));
    auto* name = el<QLineEdit>("Name");
    name->setFocus();
    name->selectAll();
    tippen(name, QString::fromUtf8("Schröder"));
    el<QAbstractButton>("SpeedButtonKundenNummer")->click();
    el<QAbstractButton>("SpeedButtonRechnungsNummer")->click();
    EXPECT_EQ(el<QLineEdit>("RechnungsNummer")->text(), "52");
    el<QAbstractButton>("Satz_Neu")->click();
    EXPECT_TRUE(p.texte("Fehler").empty());
    auto* liste = el<QListView>("ListBoxObjekt");
    ASSERT_EQ(liste->model()->rowCount(), 53);
    EXPECT_TRUE(liste->currentIndex().data().toString().startsWith(QString::fromUtf8("000052 - Schröder, ")));
    EXPECT_EQ(el<QLineEdit>("AnzeigeName")->text(), QString::fromUtf8("Schröder"));
    EXPECT_EQ(el<QLineEdit>("KundenNummer")->text(), "00002");
}

TEST_F(Fenster, BaumKnotenZeigtSeinenBeleg) {
    TempOrdner ordner;
    dateiAnlegen(ordner);
    auto* baum = el<QTreeView>("Baum");
    QModelIndex kunde;
    for (int i = 0; i < baum->model()->rowCount(); ++i)
        if (baum->model()->index(i, 0).data().toString().startsWith("00001"))
            kunde = baum->model()->index(i, 0);
    ASSERT_TRUE(kunde.isValid());
    baum->expand(kunde);
    klicken(baum, baum->model()->index(0, 0, kunde));
    EXPECT_EQ(el<QLineEdit>("Name")->text(), "bearbeitbarer Satz");
    EXPECT_EQ(el<QListView>("ListBoxObjekt")->currentIndex().row(), 51);
}

TEST_F(Fenster, KategorieFiltertUndIhrTextDecktDasEingabefeld) {
    TempOrdner ordner;
    dateiAnlegen(ordner);
    auto* kategorien = el<QComboBox>("ComboBoxKategorie");
    int i = kategorien->findText("00001 - bearbeitbarer Satz, ");
    ASSERT_GE(i, 0);
    kategorien->setCurrentIndex(i);
    emit kategorien->activated(i);
    EXPECT_EQ(el<QListView>("ListBoxObjekt")->model()->rowCount(), 1);
    EXPECT_EQ(kategorien->count(), 4);

    auto* deckel = el<QLabel>("PanelOverKategorie");
    EXPECT_EQ(deckel->text(), "00001 - bearbeitbarer Satz, ");
    QStyleOptionComboBox opt;
    opt.initFrom(kategorien);
    QRect feld =
        kategorien->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, kategorien);
    QRect pfeil = kategorien->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, kategorien);
    EXPECT_EQ(deckel->parentWidget(), kategorien);
    EXPECT_TRUE(deckel->isVisible());
    EXPECT_EQ(deckel->geometry(), feld);
    EXPECT_FALSE(deckel->geometry().intersects(pfeil));
}

TEST_F(Fenster, SuchfeldSuchtMitEingabetasteUndBeimHineinklicken) {
    TempOrdner ordner;
    dateiAnlegen(ordner);
    auto* such = el<QLineEdit>("EditSuchText");
    auto* knopf = el("ButtonSuche");
    such->clear();
    such->setFocus();
    tippen(such, "bearbeit");
    EXPECT_EQ(f.EditSuchText.text, "bearbeit");
    EXPECT_TRUE(knopf->isEnabled());
    taste(such, Qt::Key_Return);
    EXPECT_EQ(el<QListView>("ListBoxObjekt")->model()->rowCount(), 1);
    EXPECT_FALSE(knopf->isEnabled());

    such->selectAll();
    tippen(such, "Vorlage");
    klicken(such, such->rect().center());
    EXPECT_EQ(el<QListView>("ListBoxObjekt")->model()->rowCount(), 50);
    EXPECT_EQ(el<QLabel>("PanelOverKategorie")->text(), "Vorlage");
}

TEST_F(Fenster, SeitenwechselInBeideRichtungen) {
    auto* seiten = w.findChild<QTabWidget*>("PageControl");
    seiten->setCurrentWidget(el("Rechnung"));
    EXPECT_EQ(f.AktiveSeite, "Rechnung");
    EXPECT_EQ(seiten->tabText(seiten->indexOf(el("Information"))), "Fahndung");
    f.seiteWaehlen("Kunde");
    w.bindung().spiegeln();
    EXPECT_EQ(seiten->currentWidget()->objectName(), "Kunde");
}

TEST_F(Fenster, SchrittreglerZeigtDieNummerVorDemSchritt) {
    TempOrdner ordner;
    dateiAnlegen(ordner);
    auto* regler = el("UpDownRechnung");
    auto pfeile = regler->findChildren<QToolButton*>();
    ASSERT_EQ(pfeile.size(), 2);
    QToolButton* auf = pfeile[0]->arrowType() == Qt::RightArrow ? pfeile[0] : pfeile[1];
    auf->click();
    auf->click();
    EXPECT_EQ(el<QLineEdit>("EditVorlageLaden")->text(), "2");
    taste(regler, Qt::Key_Left);
    EXPECT_EQ(el<QLineEdit>("EditVorlageLaden")->text(), "3");
    EXPECT_EQ(el<QLineEdit>("EditLadenVorlage")->text(), "1");
}

TEST_F(Fenster, KalenderInBeideRichtungen) {
    auto* von = el<QCalendarWidget>("MonthCalendarVon");
    EXPECT_EQ(von->selectedDate(), QDate(2026, 12, 8));
    von->setSelectedDate(QDate(2026, 1, 15));
    EXPECT_EQ(f.KalenderVon.datumText(), "15.01.2026");
    f.setzeKalender(f.MonthCalendarBis, {2027, 2, 3});
    w.bindung().spiegeln();
    EXPECT_EQ(el<QCalendarWidget>("MonthCalendarBis")->selectedDate(), QDate(2027, 2, 3));
}

TEST_F(Fenster, SchliessfeldUndBeendenEndenOhneFrage) {
    p.vergessen();
    w.close();
    EXPECT_TRUE(p.beendet);
    EXPECT_TRUE(p.meldungen.empty());

    TestPlattform p2;
    TFKB_Formular f2(p2);
    ui::Hauptfenster w2(f2);
    w2.starten();
    w2.show();
    w2.findChild<QToolButton*>("SpeedButtonBeenden")->click();
    EXPECT_TRUE(p2.beendet);
    EXPECT_FALSE(w2.isVisible());
}

// What the user typed is given up only after the question, whatever would replace it; No leaves the
// pages, the list and the window as they were.
TEST(Eingaben, WerdenNurNachRueckfrageVerworfen) {
    const std::string Frage = "Die Eingaben im Formular sind nicht gespeichert. Verwerfen?";
    struct Fall {
        const char* name;
        const char* feld; // typed into
        std::function<void(Lauf&)> ausloesen;
    };
    auto menue = [](const char* name) { return [name](Lauf& l) { l.el<QAction>(name)->trigger(); }; };
    auto knopf = [](const char* name) { return [name](Lauf& l) { l.el<QAbstractButton>(name)->click(); }; };
    const Fall faelle[] = {
        {"Zeile", "Name",
         [](Lauf& l) {
             auto* liste = l.el<QListView>("ListBoxObjekt");
             klicken(liste, liste->model()->index(3, 0));
         }},
        {"Baum", "Name",
         [](Lauf& l) {
             auto* baum = l.el<QTreeView>("Baum");
             const QModelIndex kunde = baum->model()->index(baum->model()->rowCount() - 1, 0);
             baum->expand(kunde);
             klicken(baum, baum->model()->index(0, 0, kunde));
         }},
        {"Kategorie", "Name",
         [](Lauf& l) {
             auto* k = l.el<QComboBox>("ComboBoxKategorie");
             k->setCurrentIndex(0);
             emit k->activated(0);
         }},
        {"Suche", "Name",
         [](Lauf& l) {
             auto* such = l.el<QLineEdit>("EditSuchText");
             such->selectAll();
             tippen(such, "Vorlage");
             taste(such, Qt::Key_Return);
         }},
        {"Neu", "Menge01", menue("Neu")},
        {"Oeffnen", "Name", knopf("SpeedButtonOeffnen")},
        {"Speichern", "Name", menue("Speichern")},
        {"Vorlage Kunde", "Vorname", knopf("BitBtnLadenVorlageKunde")},
        {"Vorlage Rechnung", "Position01", knopf("BitBtnVorlageLadenRechnung")},
        {"Fahndung", "Preis01", knopf("BitBtnStartFahndung")},
        {"Schliessfeld", "Name", [](Lauf& l) { l.w.close(); }},
        {"Beenden", "Name", menue("Beenden")},
    };
    for (const Fall& c : faelle)
        for (bool verwerfen : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (verwerfen ? ", Ja" : ", Nein"));
            Lauf l(true, "Kunde");
            auto* feld = l.el<QLineEdit>(c.feld);
            feld->selectAll();
            tippen(feld, "Getippt");
            ASSERT_TRUE(l.f.EingabenOffen());
            const int zeile = l.f.ListeObjekt.auswahl;
            l.p.antworten = {verwerfen, true, true};
            c.ausloesen(l);
            QApplication::processEvents();
            ASSERT_FALSE(l.p.meldungen.empty());
            EXPECT_EQ(l.p.meldungen[0].text, Frage);
            EXPECT_TRUE(l.p.meldungen[0].vorgabeNein);
            const bool gelaufen = l.p.meldungen.size() > 1 || !l.p.gezeigteDialoge.empty() || l.p.beendet ||
                                  l.f.finden(c.feld)->text != "Getippt";
            EXPECT_EQ(gelaufen, verwerfen);
            if (!verwerfen) {
                EXPECT_EQ(feld->text(), "Getippt");
                EXPECT_EQ(l.f.ListeObjekt.auswahl, zeile);
                EXPECT_EQ(l.el<QListView>("ListBoxObjekt")->currentIndex().row(), zeile);
                EXPECT_TRUE(l.w.isVisible());
            }
        }

    // Nothing typed, or typed where the command does not reach: no question.
    Lauf l(true, "Kunde");
    tippen(l.el<QLineEdit>("Name"), "x");
    l.el<QAbstractButton>("BitBtnVorlageLadenRechnung")->click();
    auto* baum = l.el<QTreeView>("Baum");
    klicken(baum, baum->model()->index(0, 0)); // a customer's node shows no record
    EXPECT_TRUE(l.f.EingabenOffen());
    l.f.eingeben("Name", "bearbeitbarer Satz");
    auto* liste = l.el<QListView>("ListBoxObjekt");
    klicken(liste, liste->model()->index(3, 0));
    EXPECT_TRUE(l.p.meldungen.empty());
    EXPECT_EQ(l.f.ListeObjekt.auswahl, 3);
}

TEST_F(Fenster, TabulatorGehtZeileFuerZeileDurchDiePositionen) {
    std::vector<QString> soll;
    for (int k = 1; k <= 3; ++k)
        for (const char* feld : {"Position", "ME", "Menge", "Preis"})
            soll.push_back(QString("%1%2").arg(feld).arg(k, 2, 10, QChar('0')));
    std::vector<QString> ist;
    QWidget* w0 = el("Position01");
    for (QWidget* x = w0; ist.size() < soll.size(); x = x->nextInFocusChain())
        if (x->focusPolicy() & Qt::TabFocus && qobject_cast<QLineEdit*>(x))
            ist.push_back(x->objectName());
    EXPECT_EQ(ist, soll);
}

// `fakturbuch datei.fba` opens the file after the welcome question just as "Öffnen..." opens the path
// chosen in its dialog: a missing file is offered for creation. The status bar names the file loaded.
TEST(Startdatei, OeffnetWieDasMenue) {
    struct Argumente {
        QStringList argumente;
        std::optional<QString> datei;
    };
    const QString hier = QDir::currentPath();
    const Argumente argumente[] = {
        {{"fakturbuch"}, std::nullopt},
        {{"fakturbuch", "--version"}, std::nullopt},
        {{"fakturbuch", "-x", "/daten/kunden.fba", "zweite.fba"}, "/daten/kunden.fba"},
        {{"fakturbuch", "kunden.fba"}, hier + "/kunden.fba"},
    };
    for (const Argumente& a : argumente)
        EXPECT_EQ(ui::startDatei(a.argumente), a.datei) << a.argumente.join(' ').toStdString();

    struct Fall {
        const char* was;
        bool vorhanden;
        std::optional<bool> antwort;
    };
    for (const Fall& fall :
         {Fall{"vorhanden", true, {}}, Fall{"fehlt, Ja", false, true}, Fall{"fehlt, Nein", false, false}}) {
        SCOPED_TRACE(fall.was);
        // The same start twice: once with the file named on the command line, once through the menu.
        std::vector<std::string> ergebnisse;
        for (bool ueberMenue : {false, true}) {
            Lauf l(false, "Navigation");
            EXPECT_EQ(l.el<QLabel>("DateiAnzeige")->text(), "keine Datei");
            const std::string pfad = l.ordner.pfad("kunden.fba");
            if (fall.vorhanden) {
                l.p.dialoge.push_back(pfad);
                l.el<QAction>("Neu")->trigger();
                l.p.vergessen();
            }
            if (fall.antwort)
                l.p.antworten.push_back(*fall.antwort);
            if (ueberMenue) {
                l.p.dialoge.push_back(pfad);
                l.el<QAction>("Oeffnen")->trigger();
            } else {
                l.w.dateiOeffnen(QString::fromStdString(pfad));
            }
            std::string ergebnis = "Datei " + l.f.DateiName + ", " + std::to_string(l.f.ListeObjekt.zeilen.size()) +
                                   " Zeilen, Speichern " + (l.el<QAction>("Speichern")->isEnabled() ? "an" : "aus");
            for (const auto& m : l.p.meldungen)
                ergebnis += ", " + m.art + ": " + m.text;
            const std::string ordner = l.ordner.pfad("");
            for (auto stelle = ergebnis.find(ordner); stelle != std::string::npos; stelle = ergebnis.find(ordner))
                ergebnis.replace(stelle, ordner.size(), "…/");
            ergebnisse.push_back(ergebnis);
            EXPECT_EQ(l.f.DateiName, pfad);
            // Declined, nothing is loaded, and the status bar says so.
            EXPECT_EQ(l.el<QLabel>("DateiAnzeige")->text(),
                      fall.antwort == false ? QString("keine Datei") : QString::fromStdString(pfad));
        }
        EXPECT_EQ(ergebnisse[0], ergebnisse[1]);
        EXPECT_NE(ergebnisse[0].find(fall.antwort ? "Datei existiert nicht!" : "52 Zeilen"), std::string::npos)
            << ergebnisse[0];
    }
}

// Fields the user cannot change look so: the window's colour behind their text, and no focus.
TEST_F(Fenster, NurLesbareFelderSehenNichtEingebbarAus) {
    int nurLesbar = 0;
    for (Steuerelement* s : f.alle()) {
        if (s->art != Art::Feld && s->art != Art::Textbereich)
            continue;
        QWidget* feld = el(s->name.c_str());
        const QPalette& farben = feld->palette();
        const QPalette::ColorGroup g = QPalette::Active;
        EXPECT_EQ(farben.color(g, QPalette::Base) == farben.color(g, QPalette::Window), s->nurLesen) << s->name;
        EXPECT_EQ(feld->focusPolicy(), s->nurLesen ? Qt::NoFocus : Qt::StrongFocus) << s->name;
        nurLesbar += s->nurLesen;
    }
    // 25 values, three totals, three kind letters, two template numbers, the four display fields.
    EXPECT_EQ(nurLesbar, 37);
}

// What a user sees, in the window as it starts, as a 1366 × 768 screen holds it (a panel of 32 pixels,
// title bar and frame) and on a 1920 × 1080 screen: every control lies inside the window or is
// scrolled into it where the page scrolls, controls on a page do not overlap, and captions and
// buttons show their whole text, the longest counters included. Lists and fields grow with the window.
TEST_F(Fenster, AllesPasstSichtbarInsFenster) {
    TempOrdner ordner;
    dateiAnlegen(ordner);
    f.PanelLetzteRechnungsNummer.text = "Letzte RechnungsNummer: 999999";
    f.PanelLetzteKundenNummer.text = "letzte KundenNummer: 99999";
    f.PanelAnzahlSaetze.text = "Anzahl Sätze: 100051";
    f.PanelUst.text = "UmsatzSteuer: 19,0 %";
    f.PanelAnzahlFahndungsSaetze.text = "Anzahl FahndungsSätze: 100000";
    w.bindung().spiegeln();
    auto* seiten = w.findChild<QTabWidget*>("PageControl");
    std::map<std::string, QSize> beimStart;
    for (QSize groesse : {QSize(1163, 840), QSize(1350, 688), QSize(1904, 1032)}) {
        SCOPED_TRACE(QString("%1 x %2").arg(groesse.width()).arg(groesse.height()).toStdString());
        w.resize(groesse);
        QApplication::processEvents();
        ASSERT_EQ(w.size(), groesse);
        for (QWidget* rand : std::initializer_list<QWidget*>{w.menuBar(), el("ButtonPanel"), el("Seitenleiste"),
                                                             w.statusBar(), seiten->tabBar()})
            EXPECT_TRUE(w.rect().contains(QRect(rand->mapTo(&w, QPoint(0, 0)), rand->size())))
                << rand->objectName().toStdString();

        for (const char* seitenName : {"Navigation", "Kunde", "Rechnung", "Information"}) {
            seiten->setCurrentWidget(el(seitenName));
            QApplication::processEvents();
            // The totals of an invoice are in sight without scrolling, on a laptop's 1366 x 768 too.
            if (auto* flaeche = qobject_cast<QScrollArea*>(seiten->currentWidget());
                flaeche && std::string_view(seitenName) == "Rechnung") {
                flaeche->ensureVisible(0, 0);
                for (const char* summe : {"Summe_Positionen", "WertUst", "WertBrutto"}) {
                    QWidget* x = el(summe);
                    EXPECT_TRUE(flaeche->viewport()->rect().contains(
                        QRect(x->mapTo(flaeche->viewport(), QPoint(0, 0)), x->size())))
                        << summe;
                }
            }
            std::vector<QWidget*> sichtbar;
            for (Steuerelement* s : f.alle()) {
                auto* x = w.findChild<QWidget*>(QString::fromStdString(s->name));
                if (!x || !x->isVisible() || s->art == Art::Seite)
                    continue;
                // Where the page scrolls, the control can be scrolled into sight.
                QRect sicht = w.rect();
                if (auto* flaeche = qobject_cast<QScrollArea*>(seiten->currentWidget());
                    flaeche && flaeche->isAncestorOf(x)) {
                    // The whole control; ensureWidgetVisible would settle for a line edit's cursor.
                    QPoint mitte = x->mapTo(flaeche->widget(), x->rect().center());
                    flaeche->ensureVisible(mitte.x(), mitte.y(), x->width() / 2 + 1, x->height() / 2 + 1);
                    sicht = QRect(flaeche->viewport()->mapTo(&w, QPoint(0, 0)), flaeche->viewport()->size());
                }
                QRect r(x->mapTo(&w, QPoint(0, 0)), x->size());
                EXPECT_TRUE(sicht.contains(r)) << seitenName << ": " << s->name;
                if (auto* l = qobject_cast<QLabel*>(x)) {
                    EXPECT_LE(l->sizeHint().width(), l->width()) << s->name;
                }
                if (auto* k = qobject_cast<QAbstractButton*>(x)) {
                    int bild = k->icon().isNull() ? 0 : k->iconSize().width() + 4;
                    EXPECT_LE(k->fontMetrics().horizontalAdvance(k->text().remove('&')) + bild + 8, k->width())
                        << s->name;
                }
                const bool waechst = s->name == "ListBoxObjekt" || s->name == "Name" || s->name == "Position01" ||
                                     s->name == "ListBoxFahndung";
                if (groesse == QSize(1163, 840)) {
                    beimStart[s->name] = x->size();
                } else if (groesse.height() > 840 && waechst) {
                    EXPECT_GT(x->width(), beimStart[s->name].width()) << s->name << " grows with the window";
                    EXPECT_GT(x->height(), beimStart[s->name].height() * (s->name.starts_with("List") ? 1 : 0))
                        << s->name;
                }
                sichtbar.push_back(x);
            }
            for (QWidget* a : sichtbar)
                for (QWidget* b : sichtbar) {
                    if (a >= b || a->isAncestorOf(b) || b->isAncestorOf(a))
                        continue;
                    QRect ra(a->mapTo(&w, QPoint(0, 0)), a->size()), rb(b->mapTo(&w, QPoint(0, 0)), b->size());
                    EXPECT_FALSE(ra.intersects(rb)) << seitenName << ": " << a->objectName().toStdString() << " / "
                                                    << b->objectName().toStdString();
                }
        }
    }
}

// The window starts at 1163 × 840 inside, or smaller where the screen's free area would not hold it
// with a title bar and frame; always centred in that area.
TEST(Hauptfenster, StartgroessePasstAufDenBildschirm) {
    struct Fall {
        QRect frei;
        QSize innen;
    };
    const Fall faelle[] = {
        {QRect(0, 0, 1920, 1080), QSize(1163, 840)},
        {QRect(0, 32, 1366, 736), QSize(1163, 688)},
        {QRect(0, 0, 1024, 600), QSize(1008, 552)},
        {QRect(1920, 0, 1280, 1024), QSize(1163, 840)},
    };
    for (const Fall& fall : faelle) {
        QRect g = ui::Hauptfenster::startGeometrie(fall.frei);
        EXPECT_EQ(g.size(), fall.innen);
        QRect aussen = g.adjusted(-8, -40, 8, 8);
        EXPECT_TRUE(fall.frei.contains(aussen)) << "with its frame on the screen";
        EXPECT_LE((aussen.center() - fall.frei.center()).manhattanLength(), 1) << "centred";
    }
}

int main(int argc, char** argv) {
    // Before QApplication exists, so that the tests also run where there is no display: an offscreen
    // screen of a usual desktop, 1920 × 1080.
    const auto bildschirm =
        std::filesystem::temp_directory_path() / ("fkb-bildschirm-" + std::to_string(::getpid()) + ".json");
    std::ofstream(bildschirm) << R"({"screens": [{"name": "Test", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                                 R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + bildschirm.c_str());
    QApplication app(argc, argv);
    std::filesystem::remove(bildschirm);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
