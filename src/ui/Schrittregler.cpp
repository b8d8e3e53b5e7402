#include "ui/Schrittregler.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>

namespace fkb::ui {

Schrittregler::Schrittregler(QWidget* eltern) : QWidget(eltern) {
    setFocusPolicy(Qt::StrongFocus);
    auto* zeile = new QHBoxLayout(this);
    zeile->setContentsMargins(0, 0, 0, 0);
    zeile->setSpacing(0);
    for (bool auf : {false, true}) {
        auto* knopf = new QToolButton(this);
        knopf->setArrowType(auf ? Qt::RightArrow : Qt::LeftArrow);
        knopf->setAutoRepeat(true);
        knopf->setFocusPolicy(Qt::NoFocus);
        knopf->setFixedSize(20, 22);
        connect(knopf, &QToolButton::clicked, this, [this, auf] { emit schritt(auf); });
        zeile->addWidget(knopf);
    }
}

void Schrittregler::keyPressEvent(QKeyEvent* ereignis) {
    switch (ereignis->key()) {
    case Qt::Key_Right:
    case Qt::Key_Up:
        emit schritt(true);
        break;
    case Qt::Key_Left:
    case Qt::Key_Down:
        emit schritt(false);
        break;
    default:
        QWidget::keyPressEvent(ereignis);
    }
}

} // namespace fkb::ui
