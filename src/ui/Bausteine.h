#pragma once

#include "app/Steuerelement.h"

#include <QFont>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace fkb::ui {

class ListenAnsicht;

// Widgets of the core's controls, named after them and started in their initial state;
// the binding keeps them in step with the core afterwards.
QLineEdit* feld(const Steuerelement& s);
// Quantities, prices, values and sums come right-aligned with leading blanks: a fixed pitch keeps
// their digits in columns.
QLineEdit* zahlenFeld(const Steuerelement& s);
QPlainTextEdit* textbereich(const Steuerelement& s);
QPushButton* knopf(const Steuerelement& s);
QToolButton* kleinerKnopf(const Steuerelement& s);
// A caption panel whose text the core may set.
QLabel* panel(const Steuerelement& s);
// A raised caption over a list or a tree.
QLabel* kopfzeile(const Steuerelement& s);

// A list of up to 100 000 lines whose ends (blanks and the record key) stay out of sight.
ListenAnsicht* langeListe(const Steuerelement& s);

// A template panel: "Vorlage laden", "Nummer:", the step control, the number and the load button.
QFrame* vorlagePanel(const Steuerelement& panel, const Steuerelement& regler, const Steuerelement& nummer,
                     const Steuerelement& laden);

// A label of the window's own, optionally naming the field that its shortcut letter focuses.
QLabel* beschriftung(const QString& text, QWidget* fuer = nullptr);

// A field the user cannot change looks like it: the window's background instead of the entry
// background, and it takes no focus, so no focus frame invites typing. Its text can still be
// selected with the mouse and copied from its context menu.
void nurLesenZeigen(QWidget* feld, bool nurLesen);

QFont zahlenSchrift();
// Makes a widget wide enough for n average characters of its font.
void zeichenBreite(QWidget* w, int zeichen);

} // namespace fkb::ui
