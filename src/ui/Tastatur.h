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

// The key of a menu command (Ctrl+N, F1, …); empty for none.
QKeySequence tastenkuerzel(std::string_view name);

} // namespace fkb::ui
