// The keyboard: the keys of the file commands, help, printing and the pages; the shortcut letters of
// the buttons; the tab order of each page.
#include "GuiHilfen.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTabWidget>

#include <fstream>

#include <map>

using namespace fkb;
using namespace fkb::test;

// Each key reaches its menu item or button, and only while that one could be used.
TEST(Tastatur, TastenDerBefehleUndSeiten) {
    struct Fall {
        QKeyCombination taste;
        bool mitDatei;
        const char* seite;
        const char* ziel; // a menu item or a button
        bool ausgeloest;
    };
    const Fall faelle[] = {
        {Qt::CTRL | Qt::Key_N, false, "Navigation", "Neu", true},
        {Qt::CTRL | Qt::Key_O, false, "Kunde", "Oeffnen", true},
        // Compacting out of habit would empty the form: Ctrl+S does nothing.
        {Qt::CTRL | Qt::Key_S, true, "Navigation", "Speichern", false},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_S, true, "Rechnung", "SpeichernUnter", true},
        {Qt::CTRL | Qt::Key_Q, false, "Information", "Beenden", true},
        {Qt::Key_F1, false, "Kunde", "HilfeZurSeite", true},
        {Qt::Key_F1, false, "Kunde", "FKBHilfe", false},
        {Qt::CTRL | Qt::Key_P, true, "Rechnung", "BitBtnDruck", true},
        {Qt::CTRL | Qt::Key_P, true, "Navigation", "BitBtnDruck", false},
        {Qt::CTRL | Qt::Key_P, false, "Rechnung", "BitBtnDruck", false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(QKeySequence(fall.taste).toString().toStdString() + " " + fall.ziel + " on " + fall.seite +
                     (fall.mitDatei ? " with a file" : ""));
        Lauf l(fall.mitDatei, fall.seite);
        QObject* ziel = l.el<QObject>(fall.ziel);
        int ausgeloest = 0;
        if (auto* a = qobject_cast<QAction*>(ziel))
            QObject::connect(a, &QAction::triggered, [&] { ++ausgeloest; });
        else
            QObject::connect(qobject_cast<QAbstractButton*>(ziel), &QAbstractButton::clicked, [&] { ++ausgeloest; });
        l.druecken(fall.taste);
        EXPECT_EQ(ausgeloest, fall.ausgeloest ? 1 : 0);
        if (auto* a = qobject_cast<QAction*>(ziel); a && fall.ausgeloest) {
            EXPECT_EQ(a->shortcut(), QKeySequence(fall.taste)) << "the menu shows the key";
        }
    }

    // The handlers behind them run.
    Lauf neu(false, "Navigation");
    neu.druecken(Qt::CTRL | Qt::Key_N);
    ASSERT_EQ(neu.p.gezeigteDialoge.size(), 1u);
    EXPECT_EQ(neu.p.gezeigteDialoge[0].titel, "Datei öffnen");
    TempOrdner hilfe;
    std::ofstream(hilfe.pfad("FKB.chm")) << "ITSF";
    neu.p.ordner = hilfe.pfad("");
    neu.druecken(Qt::Key_F1);
    EXPECT_EQ(neu.p.geoeffneteDokumente, std::vector<std::string>{hilfe.pfad("FKB.chm")});
    EXPECT_EQ(neu.p.hilfeKontexte, std::vector<int>{1001}); // where the navigation is explained
    EXPECT_EQ(neu.el<QAction>("Speichern")->statusTip(), "entfernt gelöschte Sätze aus der Datei");
    neu.druecken(Qt::CTRL | Qt::Key_Q);
    EXPECT_TRUE(neu.p.beendet);
}

TEST(Tastatur, StrgZifferWaehltDieSeite) {
    Lauf l(false, "Navigation");
    auto* seiten = l.w.findChild<QTabWidget*>("PageControl");
    const std::pair<Qt::Key, const char*> faelle[] = {
        {Qt::Key_3, "Rechnung"}, {Qt::Key_2, "Kunde"}, {Qt::Key_4, "Information"}, {Qt::Key_1, "Navigation"}};
    for (auto [ziffer, seite] : faelle) {
        l.druecken(Qt::CTRL | ziffer);
        EXPECT_EQ(seiten->currentWidget()->objectName(), seite);
        EXPECT_EQ(l.f.AktiveSeite, seite) << "the core knows the page";
    }
}

// Alt and a letter presses the button whose caption underlines it. On every page no two controls in
// sight share a letter, or the key would only move the focus between them.
TEST(Tastatur, KuerzelbuchstabenDruckenIhrenKnopf) {
    struct Fall {
        const char* seite;
        QKeyCombination taste;
        const char* knopf;
    };
    const Fall faelle[] = {
        {"Kunde", Qt::ALT | Qt::Key_1, "SpeedButtonKundenNummer"},
        {"Kunde", Qt::ALT | Qt::Key_Plus, "SpeedButtonRechnungsNummer"},
        {"Kunde", Qt::ALT | Qt::Key_R, "ButtonHerr"},
        {"Kunde", Qt::ALT | Qt::Key_F, "ButtonFrau"},
        {"Kunde", Qt::ALT | Qt::Key_M, "ButtonFirma"},
        {"Kunde", Qt::ALT | Qt::Key_A, "ButtonAngebot"},
        {"Kunde", Qt::ALT | Qt::Key_C, "ButtonRechnung"},
        {"Kunde", Qt::ALT | Qt::Key_Z, "ButtonBezahlt"},
        {"Kunde", Qt::ALT | Qt::Key_B, "ButtonBRD"},
        {"Kunde", Qt::ALT | Qt::Key_E, "ButtonEU"},
        {"Kunde", Qt::ALT | Qt::Key_I, "ButtonDrittland"},
        {"Kunde", Qt::ALT | Qt::Key_U, "SpeedButtonLeistungsDatum"},
        {"Kunde", Qt::ALT | Qt::Key_T, "SpeedButtonRechnungsDatum"},
        {"Kunde", Qt::ALT | Qt::Key_N, "Satz_Neu"},
        {"Rechnung", Qt::ALT | Qt::Key_S, "Satz_Speichern"},
        {"Navigation", Qt::ALT | Qt::Key_L, "Satz_Loeschen"},
        {"Rechnung", Qt::ALT | Qt::Key_P, "SpeedButtonPruefung"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(fall.knopf);
        // A window of its own: the button's delayed click dies with it.
        Lauf l(true, fall.seite);
        auto* knopf = l.el<QAbstractButton>(fall.knopf);
        QSignalSpy gedrueckt(knopf, &QAbstractButton::pressed);
        l.druecken(fall.taste);
        EXPECT_EQ(gedrueckt.count(), 1);
    }

    Lauf l(true, "Navigation");
    // The caption the core holds stays as it is; only the widget marks the letter.
    EXPECT_EQ(l.f.Satz_Speichern.text, "Überschreiben");
    EXPECT_EQ(l.el<QAbstractButton>("Satz_Speichern")->text(), QString::fromUtf8("Über&schreiben"));
    EXPECT_EQ(l.el<QAbstractButton>("BitBtnDruck")->text(), "Druck Rechnung");

    auto* seiten = l.w.findChild<QTabWidget*>("PageControl");
    for (int i = 0; i < seiten->count(); ++i) {
        seiten->setCurrentIndex(i);
        QApplication::processEvents();
        std::map<QKeySequence, QString> belegt;
        auto pruefen = [&](const QString& text, const QString& wer) {
            const QKeySequence taste = QKeySequence::mnemonic(text);
            if (taste.isEmpty())
                return;
            auto [it, neu] = belegt.emplace(taste, wer);
            EXPECT_TRUE(neu) << seiten->tabText(i).toStdString() << ": " << wer.toStdString() << " and "
                             << it->second.toStdString() << " share " << taste.toString().toStdString();
        };
        for (QAction* menue : l.w.menuBar()->actions())
            pruefen(menue->text(), menue->text());
        for (QAbstractButton* k : l.w.findChildren<QAbstractButton*>())
            if (k->isVisible())
                pruefen(k->text(), k->objectName());
        for (QLabel* b : l.w.findChildren<QLabel*>())
            if (b->isVisible() && b->buddy())
                pruefen(b->text(), b->text());
    }
}

// Tab goes through a page as one reads it, and stops at nothing but controls.
TEST(Tastatur, TabulatorFolgtDerLesereihenfolge) {
    std::vector<std::string> positionen;
    // Row by row through the entry fields; the values are the program's.
    for (int k = 1; k <= AnzahlZeilen; ++k)
        for (const char* feld : {"Position", "ME", "Menge", "Preis"})
            positionen.push_back(feld + zeilenNummer(k));
    positionen.insert(positionen.end(),
                      {"VersandKosten", "NachnameKosten", "SonstigeKosten", "BezeichnungSonstigeKosten",
                       "SpeedButtonPruefung", "BitBtnDruck", "BitBtnERechnung", "BitBtnZUGFeRD", "UpDownRechnung",
                       "BitBtnVorlageLadenRechnung"});
    const std::map<std::string, std::vector<std::string>> soll = {
        {"Navigation", {"ComboBoxKategorie", "EditSuchText", "ButtonSuche", "Baum", "ListBoxObjekt"}},
        {"Kunde",
         {"KundenNummer",
          "SpeedButtonKundenNummer",
          "Anrede",
          "ButtonHerr",
          "ButtonFrau",
          "ButtonFirma",
          "Firma",
          "Name",
          "Vorname",
          "Zusatz",
          "Strasse",
          "Nummer",
          "PLZ",
          "Ort",
          "Land",
          "Telephon",
          "Fax",
          "Mail",
          "InternetAdresse",
          "Fahrzeug",
          "Bemerkung",
          "RechnungsNummer",
          "SpeedButtonRechnungsNummer",
          "ButtonAngebot",
          "ButtonRechnung",
          "ButtonBezahlt",
          "ZahlungsEingang",
          "ButtonBRD",
          "ButtonEU",
          "ButtonDrittland",
          "ZolltarifNummer",
          "LeistungsDatum",
          "SpeedButtonLeistungsDatum",
          "RechnungsDatum",
          "SpeedButtonRechnungsDatum",
          "SystemStempel",
          "UpDownKunde",
          "BitBtnLadenVorlageKunde"}},
        {"Rechnung", positionen},
        {"Information",
         {"MonthCalendarVon", "MonthCalendarBis", "ButtonFahndungA", "ButtonFahndungR", "ButtonFahndungB",
          "BitBtnStartFahndung", "ListBoxFahndung"}},
    };
    Lauf l(true, "Navigation");
    l.f.EditSuchText.text = "Vorlage";
    l.f.ButtonSuche.aktiv = true;
    l.w.bindung().spiegeln();
    auto* seiten = l.w.findChild<QTabWidget*>("PageControl");
    // What a stop belongs to: the control it is or lies in, or nothing (the tab bar is none).
    auto steuerelement = [&](QWidget* x) -> const Steuerelement* {
        for (; x; x = x->parentWidget())
            if (const Steuerelement* s = l.f.finden(x->objectName().toStdString()))
                return s;
        return nullptr;
    };
    for (const auto& [seite, namen] : soll) {
        SCOPED_TRACE(seite);
        seiten->setCurrentWidget(l.el(seite.c_str()));
        QApplication::processEvents();
        std::vector<std::string> ist;
        QWidget* erstes = l.el(namen.front().c_str());
        QWidget* x = erstes;
        do {
            if ((x->focusPolicy() & Qt::TabFocus) && x->isVisible() && x->isEnabled()) {
                const Steuerelement* s = steuerelement(x);
                const bool tabLeiste = x == seiten || x->parentWidget() == seiten;
                EXPECT_TRUE(tabLeiste || (s && s->art != Art::Seite))
                    << "a stop at " << x->metaObject()->className() << " " << x->objectName().toStdString();
                if (s && x->objectName().toStdString() == s->name && s->eltern)
                    for (const Steuerelement* e = s->eltern; e; e = e->eltern)
                        if (e->name == seite)
                            ist.push_back(s->name);
            }
            x = x->nextInFocusChain();
        } while (x != erstes);
        EXPECT_EQ(ist, namen);
    }
}
