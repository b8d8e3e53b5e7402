#pragma once

#include "data/DatenSatz.h"
#include "erechnung/ERechnungsDaten.h"

namespace fkb {

class TFKB_Formular;

// What the pages show after RechnungPruefen and the owner's data from the parameter record read
// afresh. A page field that still holds its placeholder
// ("PLZ", "Mail", "Rechn.Dat.") counts as empty.
ERechnungsDaten ERechnungsDatenSammeln(const TFKB_Formular& formular, const DatenSatz& parameterSatz);

} // namespace fkb
