#include "ui/ListenModell.h"

namespace fkb::ui {
namespace {

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

ListenModell::ListenModell(const Listenfeld& liste, QObject* eltern)
    : QAbstractListModel(eltern), liste_(liste), stand_(liste.stand), anzahl_(int(liste.zeilen.size())) {}

int ListenModell::rowCount(const QModelIndex& eltern) const {
    return eltern.isValid() ? 0 : anzahl_;
}

QVariant ListenModell::data(const QModelIndex& index, int rolle) const {
    if ((rolle != Qt::DisplayRole && rolle != Qt::ToolTipRole) || !index.isValid() ||
        index.row() >= int(liste_.zeilen.size()))
        return {};
    const std::string zeile = liste_.zeilen[std::size_t(index.row())];
    if (rolle == Qt::DisplayRole)
        return utf8(zeile);
    return sichtbarerText(zeile);
}

QString ListenModell::sichtbarerText(std::string_view zeile) {
    // The blanks before the key push it out of sight; they and the key are no text for the user.
    if (auto trenner = zeile.rfind("~~~"); trenner != std::string_view::npos)
        zeile = zeile.substr(0, trenner);
    while (!zeile.empty() && zeile.back() == ' ')
        zeile.remove_suffix(1);
    return utf8(zeile);
}

bool ListenModell::aktualisieren() {
    if (liste_.stand == stand_)
        return false;
    beginResetModel();
    stand_ = liste_.stand;
    anzahl_ = int(liste_.zeilen.size());
    endResetModel();
    return true;
}

BaumModell::BaumModell(const Baumansicht& baum, QObject* eltern)
    : QAbstractItemModel(eltern), baum_(baum), stand_(baum.stand) {
    zaehlen();
}

void BaumModell::zaehlen() {
    kinder_.clear();
    kinder_.reserve(baum_.wurzeln.size());
    for (const Baumknoten& w : baum_.wurzeln)
        kinder_.push_back(int(w.kinder.size()));
}

QModelIndex BaumModell::index(int zeile, int spalte, const QModelIndex& eltern) const {
    if (spalte != 0 || zeile < 0)
        return {};
    if (!eltern.isValid())
        return zeile < int(kinder_.size()) ? createIndex(zeile, 0, quintptr(0)) : QModelIndex();
    if (eltern.internalId() != 0 || eltern.row() >= int(kinder_.size()) || zeile >= kinder_[eltern.row()])
        return {};
    return createIndex(zeile, 0, quintptr(eltern.row()) + 1);
}

QModelIndex BaumModell::parent(const QModelIndex& kind) const {
    if (!kind.isValid() || kind.internalId() == 0)
        return {};
    return createIndex(int(kind.internalId() - 1), 0, quintptr(0));
}

int BaumModell::rowCount(const QModelIndex& eltern) const {
    if (!eltern.isValid())
        return int(kinder_.size());
    if (eltern.internalId() != 0 || eltern.column() != 0 || eltern.row() >= int(kinder_.size()))
        return 0;
    return kinder_[eltern.row()];
}

int BaumModell::columnCount(const QModelIndex&) const {
    return 1;
}

std::pair<int, int> BaumModell::knoten(const QModelIndex& index) const {
    if (!index.isValid())
        return {-1, -1};
    if (index.internalId() == 0)
        return {index.row(), -1};
    return {int(index.internalId() - 1), index.row()};
}

QModelIndex BaumModell::indexVon(int wurzel, int kind) const {
    if (wurzel < 0)
        return {};
    QModelIndex w = index(wurzel, 0);
    return kind < 0 ? w : index(kind, 0, w);
}

QVariant BaumModell::data(const QModelIndex& index, int rolle) const {
    if (rolle != Qt::DisplayRole || !index.isValid())
        return {};
    auto [w, k] = knoten(index);
    if (w >= int(baum_.wurzeln.size()))
        return {};
    const Baumknoten wurzel = baum_.wurzeln[std::size_t(w)];
    if (k < 0)
        return utf8(wurzel.text);
    if (k >= int(wurzel.kinder.size()))
        return {};
    return utf8(wurzel.kinder[std::size_t(k)]);
}

bool BaumModell::aktualisieren() {
    if (baum_.stand == stand_)
        return false;
    beginResetModel();
    stand_ = baum_.stand;
    zaehlen();
    endResetModel();
    return true;
}

} // namespace fkb::ui
