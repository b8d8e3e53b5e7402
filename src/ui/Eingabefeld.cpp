#include "ui/Eingabefeld.h"

#include <QFocusEvent>
#include <QMouseEvent>

namespace fkb::ui {
namespace {

bool auswahlKlick(const QMouseEvent* ereignis) {
    return ereignis->button() == Qt::LeftButton && ereignis->modifiers() == Qt::NoModifier;
}

} // namespace

Eingabefeld::Eingabefeld(const QString& starttext, QWidget* eltern)
    : QLineEdit(starttext, eltern), starttext_(starttext) {}

void Eingabefeld::mousePressEvent(QMouseEvent* ereignis) {
    // Tab selects the whole text of a line edit on its own; a click places the cursor instead.
    if (auswahlKlick(ereignis) && !isReadOnly() && !starttext_.isEmpty() && text() == starttext_) {
        setFocus(Qt::MouseFocusReason);
        selectAll();
        ereignis->accept();
        return;
    }
    QLineEdit::mousePressEvent(ereignis);
}

Textfeld::Textfeld(const QString& starttext, QWidget* eltern)
    : QPlainTextEdit(starttext, eltern), starttext_(starttext) {}

bool Textfeld::haeltStarttext() const {
    return !isReadOnly() && !starttext_.isEmpty() && toPlainText() == starttext_;
}

void Textfeld::mousePressEvent(QMouseEvent* ereignis) {
    if (auswahlKlick(ereignis) && haeltStarttext()) {
        setFocus(Qt::MouseFocusReason);
        selectAll();
        ereignis->accept();
        return;
    }
    QPlainTextEdit::mousePressEvent(ereignis);
}

void Textfeld::focusInEvent(QFocusEvent* ereignis) {
    QPlainTextEdit::focusInEvent(ereignis);
    const Qt::FocusReason grund = ereignis->reason();
    if ((grund == Qt::TabFocusReason || grund == Qt::BacktabFocusReason || grund == Qt::ShortcutFocusReason) &&
        haeltStarttext())
        selectAll();
}

} // namespace fkb::ui
