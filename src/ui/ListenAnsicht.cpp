#include "ui/ListenAnsicht.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QToolTip>

namespace fkb::ui {

bool ListenAnsicht::viewportEvent(QEvent* ereignis) {
    if (ereignis->type() == QEvent::ToolTip) {
        const QModelIndex zeile = indexAt(static_cast<QHelpEvent*>(ereignis)->pos());
        const QString text = zeile.data(Qt::ToolTipRole).toString();
        const QRect platz = visualRect(zeile).intersected(viewport()->rect());
        // The item's text starts after its margin; a pixel of rounding is no cut.
        if (!zeile.isValid() || viewport()->fontMetrics().horizontalAdvance(text) + textRand() <= platz.width()) {
            QToolTip::hideText();
            ereignis->ignore();
            return true;
        }
    }
    return QListView::viewportEvent(ereignis);
}

int ListenAnsicht::textRand() const {
    return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
}

bool ListenAnsicht::neueZeileMelden(const QModelIndex& vorher) {
    const QModelIndex jetzt = currentIndex();
    if (!jetzt.isValid() || jetzt == vorher)
        return false;
    emit gewaehlt(jetzt.row());
    return true;
}

void ListenAnsicht::mousePressEvent(QMouseEvent* ereignis) {
    const QModelIndex vorher = currentIndex();
    QListView::mousePressEvent(ereignis);
    gewaehltBeimDruck_ = ereignis->button() == Qt::LeftButton && neueZeileMelden(vorher);
}

void ListenAnsicht::mouseMoveEvent(QMouseEvent* ereignis) {
    const QModelIndex vorher = currentIndex();
    QListView::mouseMoveEvent(ereignis);
    if (ereignis->buttons() & Qt::LeftButton)
        neueZeileMelden(vorher);
}

void ListenAnsicht::mouseReleaseEvent(QMouseEvent* ereignis) {
    QListView::mouseReleaseEvent(ereignis);
    // A click on the line that is already current chooses it again.
    const QModelIndex hier = indexAt(ereignis->position().toPoint());
    if (ereignis->button() == Qt::LeftButton && !gewaehltBeimDruck_ && hier.isValid() && hier == currentIndex())
        emit gewaehlt(hier.row());
    gewaehltBeimDruck_ = false;
}

void ListenAnsicht::keyPressEvent(QKeyEvent* ereignis) {
    const QModelIndex vorher = currentIndex();
    const bool eingabe = ereignis->key() == Qt::Key_Return || ereignis->key() == Qt::Key_Enter;
    QListView::keyPressEvent(ereignis);
    if (eingabe && currentIndex().isValid())
        emit gewaehlt(currentIndex().row());
    else
        neueZeileMelden(vorher);
}

} // namespace fkb::ui
