#pragma once

#include "app/Zeilenliste.h"
#include "printing/Leinwand.h"

#include <cstddef>
#include <string>

namespace fkb {

// The query list as printed: header, rule, the record lines, a rule and the sums line, which is
// the line behind the `anzahl` record lines. A longer list goes on over further pages, each
// beginning with the header and the rule.
void fahndungslisteDrucken(Leinwand& leinwand, const std::string& kopf, const Zeilenliste& zeilen, std::size_t anzahl,
                           const std::string& muster);

} // namespace fkb
