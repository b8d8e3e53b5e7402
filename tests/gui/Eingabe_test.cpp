// Entry limits on typing only, and the texts passed between the core and Qt.
#include "GuiHilfen.h"
#include "ui/BegrenzteEingabe.h"
#include "ui/QtTexte.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>

using namespace fkb;
using namespace fkb::test;
using fkb::ui::eingabeUeberhang;

TEST(EingabeUeberhang, SchneidetNurWasUeberDieGrenzeWaechst) {
    struct Fall {
        const char* bisher;
        const char* neu;
        int cursor;
        int max;
        int von, bis;
    };
    const Fall faelle[] = {
        {"12345678", "123456789", 9, 9, 0, 0},        // reaches the limit: fits
        {"123456789", "1234567890", 10, 9, 9, 10},    // one beyond at the end
        {"123456789", "1x23456789", 2, 9, 1, 2},      // one beyond in the middle
        {"aab", "aaab", 1, 3, 0, 1},                  // the typed letter repeats its neighbour
        {"", "abcdefghijkl", 12, 9, 9, 12},           // a paste is cut to what fits
        {"1234", "12abcdefgh34", 10, 9, 7, 10},       // a paste in the middle likewise
        {"999.999,99", "999.999,995", 11, 9, 10, 11}, // a longer program text may not grow
        {"999.999,99", "999.999,9", 9, 9, 0, 0},      // but may be shortened
        {"999.999,99", "99.999,99", 0, 9, 0, 0},      // also at its front
        {"123456789012", "12x56789012", 3, 9, 2, 3},  // a selection replaced: still too long
        {"1234567890", "123456789", 9, 0, 0, 0},      // no limit
    };
    for (const Fall& f : faelle) {
        auto u = eingabeUeberhang(f.bisher, f.neu, f.cursor, f.max);
        EXPECT_EQ(u.leer() ? 0 : u.von, f.von) << f.bisher << " -> " << f.neu;
        EXPECT_EQ(u.leer() ? 0 : u.bis, f.bis) << f.bisher << " -> " << f.neu;
    }
}

// A normalised price has ten characters in a field whose typing limit is nine.
TEST_F(Fenster, PreisfeldBehaeltLangenProgrammtextUndBegrenztDasTippen) {
    auto* preis = el<QLineEdit>("Preis01");
    EXPECT_EQ(preis->maxLength(), 32767);
    f.Preis[0].text = "999.999,99";
    w.bindung().spiegeln();
    EXPECT_EQ(preis->text(), "999.999,99");

    preis->setFocus();
    preis->end(false);
    tippen(preis, "5");
    EXPECT_EQ(preis->text(), "999.999,99");
    EXPECT_EQ(f.Preis[0].text, "999.999,99");

    taste(preis, Qt::Key_Backspace);
    EXPECT_EQ(preis->text(), "999.999,9");
    EXPECT_EQ(f.Preis[0].text, "999.999,9");
    tippen(preis, "1");
    EXPECT_EQ(preis->text(), "999.999,9");

    preis->selectAll();
    tippen(preis, "123456789012");
    EXPECT_EQ(preis->text(), "123456789");
    EXPECT_EQ(f.Preis[0].text, "123456789");

    preis->clear();
    preis->insert("1.234.567,8901"); // as a paste does
    EXPECT_EQ(preis->text(), "1.234.567");
    EXPECT_EQ(f.Preis[0].text, "1.234.567");
}

TEST_F(Fenster, BemerkungBegrenztDasTippenUndTauschtZeilenenden) {
    auto* bemerkung = el<QPlainTextEdit>("Bemerkung");
    f.Bemerkung.text = std::string(300, 'x') + "\rEnde";
    w.bindung().spiegeln();
    EXPECT_EQ(bemerkung->toPlainText(), QString(300, 'x') + "\nEnde");

    bemerkung->setPlainText("");
    EXPECT_EQ(f.Bemerkung.text, "");
    bemerkung->setFocus();
    tippen(bemerkung, "a");
    taste(bemerkung, Qt::Key_Return, "\r");
    tippen(bemerkung, "b");
    EXPECT_EQ(f.Bemerkung.text, "a\rb");
    bemerkung->insertPlainText(QString(300, 'y'));
    EXPECT_EQ(bemerkung->toPlainText().size(), 255);
    EXPECT_EQ(f.Bemerkung.text.size(), 255u);
}

TEST(QtTexte, ZeilenFilterUndKuerzel) {
    EXPECT_EQ(ui::zeilenQt("a\rb\r\rc"), "a\nb\n\nc");
    EXPECT_EQ(ui::zeilenQt("a\r\nb"), "a\nb");
    EXPECT_EQ(ui::zeilenKern("a\nb"), "a\rb");
    EXPECT_EQ(ui::qt("Löschen"), QString::fromUtf8("Löschen"));

    EXPECT_EQ(ui::qtFilter("Fakturablage FBA (*.fba)|*.fba"), "Fakturablage FBA (*.fba)");
    EXPECT_EQ(ui::qtFilter("Texte|*.txt;*.csv|Alle (*.*)|*.*"), "Texte (*.txt *.csv);;Alle (*.*)");

    EXPECT_EQ(ui::mitKuerzel("Speichern unter...", "unter"), "Speichern &unter...");
    EXPECT_EQ(ui::mitKuerzel("Neu"), "&Neu");
    EXPECT_EQ(ui::ohneKuerzel("Müller & Söhne"), QString::fromUtf8("Müller && Söhne"));
}

TEST_F(Fenster, KaufmannsUndImTextBleibtSichtbar) {
    f.Caption = "   Fakturbuch (FKB)   Müller & Söhne";
    f.PanelOverKategorie.text = "00007 - Müller & Söhne, ";
    w.bindung().spiegeln();
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("   Fakturbuch (FKB)   Müller & Söhne"));
    EXPECT_EQ(el<QLabel>("PanelOverKategorie")->text(), QString::fromUtf8("00007 - Müller & Söhne, "));
}

// Typing in the remark keeps every other character as the record holds it: a non-breaking space
// (Windows-1252 0xA0) stays one, where the field's plain text would turn it into a blank.
TEST_F(Fenster, BemerkungBehaeltGeschuetzteLeerzeichen) {
    auto* bemerkung = el<QPlainTextEdit>("Bemerkung");
    f.Bemerkung.text = "Fa.\u00a0Müller\rTor\u00a02";
    w.bindung().spiegeln();
    bemerkung->setFocus();
    bemerkung->moveCursor(QTextCursor::End);
    tippen(bemerkung, "b");
    EXPECT_EQ(f.Bemerkung.text, "Fa.\u00a0Müller\rTor\u00a02b");
}

// A field still holding its caption gives it up to the first key, whether reached by a click or by
// Tab; a field holding the user's text keeps it and takes the key where the cursor is.
TEST_F(Fenster, BeschriftungImFeldWirdBeimHineingehenMarkiert) {
    TempOrdner ordner;
    dateiAnlegen(ordner);
    w.findChild<QTabWidget*>("PageControl")->setCurrentWidget(el("Kunde"));
    QApplication::processEvents();
    struct Fall {
        const char* feld;
        const char* vorher; // nullptr: the caption it starts with
        bool tab;           // reached by Tab from the field before it, else clicked
        const char* danach;
    };
    const Fall faelle[] = {
        {"Name", nullptr, false, "Müller"},
        {"Vorname", nullptr, true, "Müller"},
        {"Firma", nullptr, false, "Müller"},
        {"Bemerkung", nullptr, false, "Müller"},
        {"Bemerkung", nullptr, true, "Müller"},
        {"Name", "Schmidt", false, "SchmidtMüller"}, // the click lands behind the text
        {"EditSuchText", nullptr, false, "Müller"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(std::string(fall.feld) + (fall.tab ? " by Tab" : " by click"));
        Steuerelement& s = *f.finden(fall.feld);
        s.text = fall.vorher ? fall.vorher : s.starttext;
        w.bindung().spiegeln();
        QWidget* feld = el(fall.feld);
        if (fall.feld == std::string("EditSuchText"))
            w.findChild<QTabWidget*>("PageControl")->setCurrentWidget(el("Navigation"));
        if (fall.tab) {
            QWidget* vorher = feld->previousInFocusChain();
            while (!(vorher->focusPolicy() & Qt::TabFocus) || !vorher->isVisible())
                vorher = vorher->previousInFocusChain();
            vorher->setFocus();
            taste(vorher, Qt::Key_Tab);
            ASSERT_EQ(QApplication::focusWidget(), feld);
        } else {
            // Qt gives a clicked field the focus before the press arrives.
            feld->setFocus(Qt::MouseFocusReason);
            auto* text = qobject_cast<QPlainTextEdit*>(feld);
            QWidget* flaeche = text ? text->viewport() : feld;
            klicken(flaeche, QPoint(flaeche->width() - 4, flaeche->height() / 2));
        }
        tippen(QApplication::focusWidget(), QString::fromUtf8("Müller"));
        EXPECT_EQ(s.text, fall.danach);
    }
}
