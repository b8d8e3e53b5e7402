#include "ui/ListenAnsicht.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace fkb::ui {

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
