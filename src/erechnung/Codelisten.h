#pragma once

#include <optional>
#include <string>
#include <string_view>

// The code lists an e-invoice needs, fed by what users type into the pages.
namespace fkb {

// The UN/ECE Recommendation 20 code of a unit as typed into ME ("Std", "Stk", "St.", "m²", "pau"),
// or nothing for a unit the table does not know. An empty ME is C62, "one" of whatever the line names.
std::optional<std::string_view> EinheitenCode(std::string_view me);

// The ISO 3166-1 alpha-2 code of a country as typed into Land ("Deutschland", "Österreich", "Schweiz",
// an ISO code, an old address letter such as "D" or "A"), or nothing for an unknown one.
// An empty Land is Germany.
std::optional<std::string_view> LaenderCode(std::string_view land);

// The text reduced to what tells its entries apart: ASCII letters in lower case, ä, ö, ü and ß
// written out (ae, oe, ue, ss), digits and the signs ² and ³ kept, everything else dropped.
std::string Suchschluessel(std::string_view text);

} // namespace fkb
