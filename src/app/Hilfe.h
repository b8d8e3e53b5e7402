#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fkb {

inline constexpr const char* HilfeDokument = "FKB.chm";

// The first of the folders (each with its trailing separator) that holds the help document
// as a regular file, as the path to hand to the shell. The empty folder stands for the current
// one and yields the bare name, which the shell resolves there.
std::optional<std::string> hilfeFinden(const std::vector<std::string>& ordner);

} // namespace fkb
