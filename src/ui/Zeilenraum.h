#pragma once

#include <QStyledItemDelegate>

namespace fkb::ui {

// Lines of a list or tree a few pixels taller than the font: the item's rectangle clips its text,
// and the dots of a capital umlaut ("Özdemir") reach above the font's ascent.
class Zeilenraum : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize groesse = QStyledItemDelegate::sizeHint(option, index);
        groesse.rheight() += 4;
        return groesse;
    }
};

} // namespace fkb::ui
