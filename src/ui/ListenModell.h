#pragma once

#include "app/Steuerelement.h"

#include <QAbstractItemModel>
#include <QAbstractListModel>

#include <cstdint>
#include <string_view>
#include <vector>

namespace fkb::ui {

// The lines of a list box, read from the core on demand: a view shows 100 000 lines at once
// without copying them. The row count is taken at each reset; a handler that empties the lines
// while a message box repaints the view makes data() return nothing rather than read past the end.
class ListenModell : public QAbstractListModel {
    Q_OBJECT
public:
    ListenModell(const Listenfeld& liste, QObject* eltern);
    int rowCount(const QModelIndex& eltern = {}) const override;
    QVariant data(const QModelIndex& index, int rolle) const override;
    // Takes the lines anew when they changed since the last call; true if they did.
    bool aktualisieren();

    // What a line shows the user: without the record key at its end and the blanks before it.
    // It is the line's tool tip.
    static QString sichtbarerText(std::string_view zeile);

private:
    const Listenfeld& liste_;
    std::uint64_t stand_;
    int anzahl_;
};

// The customer tree over the core's roots and children. Internal id 0 marks a root,
// n + 1 a child of root n.
class BaumModell : public QAbstractItemModel {
    Q_OBJECT
public:
    BaumModell(const Baumansicht& baum, QObject* eltern);
    QModelIndex index(int zeile, int spalte, const QModelIndex& eltern = {}) const override;
    QModelIndex parent(const QModelIndex& kind) const override;
    int rowCount(const QModelIndex& eltern = {}) const override;
    int columnCount(const QModelIndex& eltern = {}) const override;
    QVariant data(const QModelIndex& index, int rolle) const override;
    bool aktualisieren();

    // The core's (root, child) of an index, child −1 for a root; and back.
    std::pair<int, int> knoten(const QModelIndex& index) const;
    QModelIndex indexVon(int wurzel, int kind) const;

private:
    void zaehlen();

    const Baumansicht& baum_;
    std::uint64_t stand_;
    std::vector<int> kinder_; // children per root at the last reset
};

} // namespace fkb::ui
