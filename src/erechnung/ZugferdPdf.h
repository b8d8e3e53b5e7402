#pragma once

#include "app/Zeitpunkt.h"

#include <string>
#include <string_view>

// The ZUGFeRD / Factur-X invoice: the printed invoice as PDF/A-3b with its CII XML inside.
namespace fkb {

// What the PDF says about itself.
struct PdfAngaben {
    std::string Titel;  // "Rechnung 000123"
    std::string Autor;  // the seller
    Zeitpunkt erstellt; // local time
};

// The name under which the XML travels inside the PDF, as every ZUGFeRD reader looks for it.
inline constexpr const char* ZugferdDateiName = "factur-x.xml";

// The PDF/A-1b document made PDF/A-3b with the XML embedded as factur-x.xml (relationship
// "Alternative": the same invoice), the XMP metadata naming the Factur-X profile EN 16931, and the
// document information to match. Raises Laufzeitfehler when the document cannot be read.
std::string ZugferdPdf(std::string_view pdfA1b, const std::string& xml, const PdfAngaben& angaben);

} // namespace fkb
