// The models read the core's vectors in place; a view asking at a bad moment gets nothing, not a crash.
#include "ui/ListenModell.h"

#include <gtest/gtest.h>

using namespace fkb;
using fkb::ui::BaumModell;
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
