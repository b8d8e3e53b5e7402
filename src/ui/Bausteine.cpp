#include "ui/Bausteine.h"

#include "ui/ListenAnsicht.h"
#include "ui/Zeilenraum.h"

#include "ui/BegrenzteEingabe.h"
#include "ui/Eingabefeld.h"
#include "ui/QtTexte.h"
#include "ui/Schrittregler.h"
#include "ui/Tastatur.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace fkb::ui {
namespace {
template <class W> W* benannt(W* w, const Steuerelement& s) {
    w->setObjectName(qt(s.name));
    if (!s.hinweis.empty())
        w->setToolTip(qt(s.hinweis));
    return w;
}

// A button's caption, with its shortcut letter where it has one; the binding keeps the letter.
template <class K> K* beschriftet(K* k, const Steuerelement& s) {
    if (auto vor = kuerzelVor(s.name)) {
        k->setProperty("kuerzel", *vor);
        k->setText(mitKuerzel(qt(s.text), *vor));
    } else {
        k->setText(ohneKuerzel(qt(s.text)));
    }
    return k;
}
} // namespace

QFont zahlenSchrift() {
    QFont schrift;
    schrift.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono")});
    schrift.setStyleHint(QFont::Monospace);
    schrift.setFixedPitch(true);
    if (!QFontInfo(schrift).fixedPitch())
        schrift = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    return schrift;
}

void zeichenBreite(QWidget* w, int zeichen) {
    int rand = 12;
    w->setFixedWidth(w->fontMetrics().horizontalAdvance(QLatin1Char('0')) * zeichen + rand);
}

void nurLesenZeigen(QWidget* feld, bool nurLesen) {
    feld->setFocusPolicy(nurLesen ? Qt::NoFocus : Qt::StrongFocus);
    if (!nurLesen) {
        feld->setPalette(QPalette());
        return;
    }
    QPalette farben = feld->palette();
    for (QPalette::ColorGroup gruppe : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        farben.setColor(gruppe, QPalette::Base, farben.color(gruppe, QPalette::Window));
    feld->setPalette(farben);
}

QLineEdit* feld(const Steuerelement& s) {
    auto* f = benannt(new Eingabefeld(qt(s.starttext)), s);
    f->setText(qt(s.text));
    if (s.maxLaenge > 0 && !s.nurLesen)
        f->setValidator(new BegrenzteEingabe(s.maxLaenge, f));
    f->setReadOnly(s.nurLesen);
    f->setCursorPosition(0);
    return f;
}

QLineEdit* zahlenFeld(const Steuerelement& s) {
    QLineEdit* f = feld(s);
    f->setFont(zahlenSchrift());
    f->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return f;
}

QPlainTextEdit* textbereich(const Steuerelement& s) {
    auto* t = benannt(new Textfeld(zeilenQt(s.starttext)), s);
    t->setPlainText(zeilenQt(s.text));
    t->setTabChangesFocus(true);
    if (s.maxLaenge > 0)
        new BegrenzterText(s.maxLaenge, t);
    return t;
}

QPushButton* knopf(const Steuerelement& s) {
    auto* k = beschriftet(benannt(new QPushButton, s), s);
    k->setAutoDefault(false);
    return k;
}

QToolButton* kleinerKnopf(const Steuerelement& s) {
    auto* k = beschriftet(benannt(new QToolButton, s), s);
    k->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return k;
}

QLabel* panel(const Steuerelement& s) {
    auto* l = benannt(new QLabel(qt(s.text)), s);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QLabel* kopfzeile(const Steuerelement& s) {
    QLabel* l = panel(s);
    l->setFrameStyle(QFrame::Panel | QFrame::Raised);
    l->setLineWidth(1);
    l->setMargin(3);
    l->setAutoFillBackground(true);
    l->setBackgroundRole(QPalette::Button);
    return l;
}

ListenAnsicht* langeListe(const Steuerelement& s) {
    auto* ansicht = benannt(new ListenAnsicht, s);
    ansicht->setUniformItemSizes(true);
    ansicht->setItemDelegate(new Zeilenraum(ansicht));
    ansicht->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ansicht->setWordWrap(false);
    ansicht->setTextElideMode(Qt::ElideNone);
    ansicht->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ansicht->setSelectionMode(QAbstractItemView::SingleSelection);
    return ansicht;
}

QFrame* vorlagePanel(const Steuerelement& panel, const Steuerelement& regler, const Steuerelement& nummer,
                     const Steuerelement& laden) {
    auto* rahmen = benannt(new QFrame, panel);
    rahmen->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto* gitter = new QGridLayout(rahmen);
    gitter->setContentsMargins(8, 4, 8, 6);
    gitter->setVerticalSpacing(2);
    gitter->addWidget(new QLabel(QStringLiteral("Vorlage laden")), 0, 0, 1, 5);
    QLineEdit* nr = feld(nummer);
    nr->setAlignment(Qt::AlignCenter);
    zeichenBreite(nr, 3);
    gitter->addWidget(beschriftung(QStringLiteral("Nummer:"), nr), 1, 0);
    gitter->addWidget(benannt(new Schrittregler, regler), 1, 1);
    gitter->addWidget(nr, 1, 2);
    gitter->addWidget(knopf(laden), 1, 3);
    gitter->setColumnStretch(4, 1);
    return rahmen;
}

QLabel* beschriftung(const QString& text, QWidget* fuer) {
    auto* l = new QLabel(text);
    if (fuer)
        l->setBuddy(fuer);
    return l;
}

} // namespace fkb::ui
