#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace fkb::ui {

// The core holds UTF-8.
inline QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}
inline std::string kern(const QString& text) {
    return text.toStdString();
}

// The core separates lines with a carriage return, Qt with a line feed.
QString zeilenQt(std::string_view text);
std::string zeilenKern(const QString& text);
// The text of a multi-line field as its document holds it (QTextDocument::toRawText): unlike its
// plain text, it keeps non-breaking spaces; its paragraph and line separators become line breaks.
std::string rohZeilenKern(const QString& rohText);

// "Beschreibung (*.a)|*.a|…" as Qt's "Beschreibung (*.a);;…".
QString qtFilter(std::string_view filter);

// A caption for a widget that reads "&" as the mark of its shortcut letter.
QString ohneKuerzel(const QString& text);
// A menu caption with its shortcut letter: before `vor` where given and found, else at the start.
QString mitKuerzel(const QString& text, const QString& vor = {});

} // namespace fkb::ui
