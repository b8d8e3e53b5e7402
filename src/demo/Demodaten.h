#pragma once

#include "app/Zeitpunkt.h"

#include <string>

namespace fkb::demo {

// Writes a sample data file of a small joinery: a fictitious owner in record 0, templates with
// real lines, and some three dozen customers with offers, invoices and paid invoices over the two
// years up to `heute`, delivered at home, into the EU and abroad. The same day gives the same file.
void demoDateiSchreiben(const std::string& pfad, const Zeitpunkt& heute);

} // namespace fkb::demo
