#include "ui/QtTexte.h"

#include <QStringList>

namespace fkb::ui {

QString zeilenQt(std::string_view text) {
    QString t = qt(text);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

std::string zeilenKern(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return kern(t);
}

std::string rohZeilenKern(const QString& rohText) {
    QString t = rohText;
    for (QChar trenner : {QChar(QChar::ParagraphSeparator), QChar(QChar::LineSeparator)})
        t.replace(trenner, QLatin1Char('\r'));
    return kern(t);
}

QString qtFilter(std::string_view filter) {
    const QStringList teile = qt(filter).split(QLatin1Char('|'));
    QStringList eintraege;
    for (qsizetype i = 0; i + 1 < teile.size(); i += 2) {
        QString beschreibung = teile[i].trimmed();
        QString muster = teile[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt takes the patterns from the parentheses of the description.
        if (!beschreibung.contains(QLatin1Char('(')))
            beschreibung += QStringLiteral(" (") + muster + QLatin1Char(')');
        eintraege << beschreibung;
    }
    if (teile.size() % 2 == 1 && !teile.back().isEmpty())
        eintraege << teile.back();
    return eintraege.join(QStringLiteral(";;"));
}

QString ohneKuerzel(const QString& text) {
    QString t = text;
    return t.replace(QLatin1Char('&'), QLatin1String("&&"));
}

QString mitKuerzel(const QString& text, const QString& vor) {
    QString t = ohneKuerzel(text);
    qsizetype stelle = vor.isEmpty() ? 0 : t.indexOf(vor);
    return t.insert(stelle < 0 ? 0 : stelle, QLatin1Char('&'));
}

} // namespace fkb::ui
