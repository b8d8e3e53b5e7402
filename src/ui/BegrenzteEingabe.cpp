#include "ui/BegrenzteEingabe.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

namespace fkb::ui {

Ueberhang eingabeUeberhang(const QString& bisher, const QString& neu, int cursor, int maxLaenge) {
    if (maxLaenge <= 0 || neu.size() <= maxLaenge)
        return {};
    // What follows the cursor is the unchanged tail of the old text, so the change began no later
    // than where that tail starts in the old text.
    int schwanz = int(neu.size()) - cursor;
    int grenze = std::clamp(std::min<int>(cursor, int(bisher.size()) - schwanz), 0, cursor);
    int anfang = 0;
    while (anfang < grenze && bisher[anfang] == neu[anfang])
        ++anfang;
    int eingefuegt = cursor - anfang;
    int behalten = int(neu.size()) - eingefuegt;
    int erlaubt = std::max(0, maxLaenge - behalten);
    if (eingefuegt <= erlaubt)
        return {};
    return {anfang + erlaubt, cursor};
}

BegrenzteEingabe::BegrenzteEingabe(int maxLaenge, QLineEdit* feld)
    : QValidator(feld), max_(maxLaenge), bisher_(feld->text()) {
    connect(feld, &QLineEdit::textChanged, this, [this](const QString& text) { bisher_ = text; });
}

QValidator::State BegrenzteEingabe::validate(QString& text, int& cursor) const {
    if (frei_)
        return Acceptable;
    Ueberhang u = eingabeUeberhang(bisher_, text, cursor, max_);
    if (!u.leer()) {
        text.remove(u.von, u.bis - u.von);
        cursor = u.von;
    }
    return Acceptable;
}

void BegrenzteEingabe::programmText(QLineEdit* feld, const QString& text) {
    auto* v = qobject_cast<const BegrenzteEingabe*>(feld->validator());
    if (v)
        v->frei_ = true;
    feld->setText(text);
    if (v)
        v->frei_ = false;
}

BegrenzterText::BegrenzterText(int maxLaenge, QPlainTextEdit* feld)
    : QObject(feld), feld_(feld), max_(maxLaenge), bisher_(feld->toPlainText()) {
    setObjectName("Begrenzung");
    connect(feld, &QPlainTextEdit::textChanged, this, &BegrenzterText::geaendert);
}

void BegrenzterText::geaendert() {
    QString neu = feld_->toPlainText();
    if (!frei_) {
        Ueberhang u = eingabeUeberhang(bisher_, neu, feld_->textCursor().position(), max_);
        if (!u.leer()) {
            frei_ = true; // the cut itself changes the text again
            QTextCursor c = feld_->textCursor();
            c.setPosition(u.von);
            c.setPosition(u.bis, QTextCursor::KeepAnchor);
            c.removeSelectedText();
            feld_->setTextCursor(c);
            frei_ = false;
            neu = feld_->toPlainText();
        }
    }
    bisher_ = neu;
}

void BegrenzterText::programmText(QPlainTextEdit* feld, const QString& text) {
    auto* b = feld->findChild<BegrenzterText*>(QString(), Qt::FindDirectChildrenOnly);
    if (b)
        b->frei_ = true;
    feld->setPlainText(text);
    if (b)
        b->frei_ = false;
}

} // namespace fkb::ui
