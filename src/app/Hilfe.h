#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fkb {

inline constexpr const char* HilfeDokument = "FKB.chm";

// The context number of the help topic that explains a page of the main window (the help project
// maps it to the page's chapter); 0 for none.
int hilfeKontext(std::string_view seite);

// The first of the folders (each with its trailing separator) that holds the help document
// as a regular file, as the path to hand to the shell. The empty folder stands for the current
// one and yields the bare name, which the shell resolves there.
std::optional<std::string> hilfeFinden(const std::vector<std::string>& ordner);

} // namespace fkb
