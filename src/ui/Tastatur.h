#pragma once

#include <QKeySequence>
#include <QString>

#include <optional>
#include <string_view>

namespace fkb::ui {

// The shortcut letter of a menu item or button, as the part of its caption that the letter begins.
// Menu items without an entry take their first letter; buttons without one have none. On each page
// no two visible controls share a letter.
std::optional<QString> kuerzelVor(std::string_view name);

// The key of a menu command (Ctrl+N, …); empty for none. "Speichern" compacts the file and has none:
// Ctrl+S out of habit would throw away what was typed. F1 is the help of the page shown.
QKeySequence tastenkuerzel(std::string_view name);
// What the status bar says about a command where its tool tip does not say enough.
QString statusHinweis(std::string_view name);

} // namespace fkb::ui
