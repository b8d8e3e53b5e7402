// The models read the core's vectors in place; a view asking at a bad moment gets nothing, not a crash.
#include "ui/ListenAnsicht.h"
#include "ui/ListenModell.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace fkb;
using fkb::ui::BaumModell;
using fkb::ui::ListenAnsicht;
using fkb::ui::ListenModell;

TEST(ListenModell, LiestZeilenUndSetztNurBeiNeuemStandZurueck) {
    Listenfeld liste;
    liste.zeilen = {"000001 - Müller, Jürgen", "000002 - Weiß, Anna"};
    ListenModell modell(liste, nullptr);
    EXPECT_EQ(modell.rowCount(), 2);
    EXPECT_EQ(modell.index(0, 0).data().toString(), QString::fromUtf8("000001 - Müller, Jürgen"));
    EXPECT_FALSE(modell.aktualisieren());

    // A handler emptied the lines and a message box repaints before the binding mirrors them.
    liste.zeilen.clear();
    EXPECT_EQ(modell.rowCount(), 2);
    EXPECT_FALSE(modell.index(1, 0).data().isValid());

    liste.zeilen = {"000003 - Groß, Björn"};
    ++liste.stand;
    EXPECT_TRUE(modell.aktualisieren());
    EXPECT_EQ(modell.rowCount(), 1);
    EXPECT_EQ(modell.index(0, 0).data().toString(), QString::fromUtf8("000003 - Groß, Björn"));
}

TEST(BaumModell, WurzelnKinderUndIhreKnotenNummern) {
    Baumansicht baum;
    baum.wurzeln = {{"00001 - Müller, Jürgen", {"000051   Ölwechsel", "000052   Reifen"}}, {"00002 - Weiß, Anna", {}}};
    BaumModell modell(baum, nullptr);
    ASSERT_EQ(modell.rowCount(), 2);
    QModelIndex mueller = modell.index(0, 0);
    EXPECT_EQ(modell.rowCount(mueller), 2);
    EXPECT_EQ(modell.rowCount(modell.index(1, 0)), 0);
    QModelIndex reifen = modell.index(1, 0, mueller);
    EXPECT_EQ(reifen.data().toString(), "000052   Reifen");
    EXPECT_EQ(modell.parent(reifen), mueller);
    EXPECT_FALSE(modell.parent(mueller).isValid());
    EXPECT_EQ(modell.rowCount(reifen), 0);
    EXPECT_EQ(modell.knoten(reifen), std::make_pair(0, 1));
    EXPECT_EQ(modell.knoten(mueller), std::make_pair(0, -1));
    EXPECT_EQ(modell.indexVon(0, 1), reifen);
    EXPECT_FALSE(modell.indexVon(-1, -1).isValid());
    EXPECT_FALSE(modell.index(2, 0, mueller).isValid());

    baum.wurzeln.clear();
    EXPECT_FALSE(reifen.data().isValid());
    ++baum.stand;
    EXPECT_TRUE(modell.aktualisieren());
    EXPECT_EQ(modell.rowCount(), 0);
}

// A line cut off at the right shows its text as a tool tip: without the blanks and the record key
// that end every line, which the user never sees. A line that fits shows none.
TEST(ListenAnsicht, AbgeschnitteneZeileZeigtIhrenTextAlsTooltip) {
    Listenfeld liste;
    liste.zeilen = {"000051 - Müller-Lüdenscheidt, Hans-Jürgen   08.12.2026" + std::string(80, ' ') + "~~~51",
                    "000052 - Groß, Björn" + std::string(80, ' ') + "~~~52",
                    "000053 - Name mit ~~~ darin, Vorname     08.12.2026" + std::string(3, ' ') + "~~~53"};
    EXPECT_EQ(ListenModell::sichtbarerText(liste.zeilen[0]),
              QString::fromUtf8("000051 - Müller-Lüdenscheidt, Hans-Jürgen   08.12.2026"));
    EXPECT_EQ(ListenModell::sichtbarerText(liste.zeilen[2]), "000053 - Name mit ~~~ darin, Vorname     08.12.2026");
    EXPECT_EQ(ListenModell::sichtbarerText("ohne Schlüssel  "), QString::fromUtf8("ohne Schlüssel"));

    ListenAnsicht ansicht;
    ansicht.setUniformItemSizes(true);
    ansicht.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ansicht.setTextElideMode(Qt::ElideNone);
    ListenModell modell(liste, &ansicht);
    ansicht.setModel(&modell);
    const int breite = ansicht.fontMetrics().horizontalAdvance(QString::fromUtf8("000052 - Groß, Björn")) + 60;
    ansicht.resize(breite, 200);
    ansicht.show();
    QApplication::processEvents();
    // Qt hides a tool tip only after a moment; this closes it at once.
    auto ohneTooltip = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QTipLabel"))
                w->close();
    };
    for (int zeile : {0, 1, 2, 0}) {
        ohneTooltip();
        QRect r = ansicht.visualRect(modell.index(zeile));
        QHelpEvent frage(QEvent::ToolTip, r.center(), ansicht.viewport()->mapToGlobal(r.center()));
        QApplication::sendEvent(ansicht.viewport(), &frage);
        EXPECT_EQ(QToolTip::isVisible(), zeile != 1) << zeile;
        if (zeile != 1) {
            EXPECT_EQ(QToolTip::text(), ListenModell::sichtbarerText(liste.zeilen[std::size_t(zeile)]));
        }
    }
    ohneTooltip();
}
