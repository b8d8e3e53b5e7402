#pragma once

#include <QObject>
#include <QString>
#include <QValidator>

class QLineEdit;
class QPlainTextEdit;

namespace fkb::ui {

// The characters [von, bis) of a new text that the user typed or pasted beyond the entry limit.
struct Ueberhang {
    int von = 0;
    int bis = 0;
    bool leer() const { return von >= bis; }
};

// Compares the text before a change with the text after it (cursor behind the inserted part) and
// finds what of the insertion does not fit. Only growth is refused: a longer text that the program
// set may be shortened by the user but never lengthened.
Ueberhang eingabeUeberhang(const QString& bisher, const QString& neu, int cursor, int maxLaenge);

// The entry limit of a line edit. QLineEdit::setMaxLength would also cut texts that the program
// sets (a normalised price has one character more than its field takes when typed).
class BegrenzteEingabe : public QValidator {
    Q_OBJECT
public:
    BegrenzteEingabe(int maxLaenge, QLineEdit* feld);
    State validate(QString& text, int& cursor) const override;

    // Sets a text of the program, whatever its length.
    static void programmText(QLineEdit* feld, const QString& text);

private:
    int max_;
    QString bisher_;
    mutable bool frei_ = false;
};

// The same limit for the multi-line remark field.
class BegrenzterText : public QObject {
    Q_OBJECT
public:
    BegrenzterText(int maxLaenge, QPlainTextEdit* feld);
    static void programmText(QPlainTextEdit* feld, const QString& text);

private:
    void geaendert();

    QPlainTextEdit* feld_;
    int max_;
    QString bisher_;
    bool frei_ = false;
};

} // namespace fkb::ui
