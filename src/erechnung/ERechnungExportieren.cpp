// "E-Rechnung": the shown invoice saved as an XRechnung, calculated afresh like a print.
#include "app/TFKB_Formular.h"
#include "data/Dateizugriff.h"
#include "data/DatenDatei.h"
#include "data/Ersatzdatei.h"
#include "erechnung/ERechnung.h"
#include "erechnung/ERechnungAusFormular.h"

namespace fkb {
namespace {

// "Rechnung-000052.xml": the invoice number as the page, the print and the e-invoice show it; a
// character that a file name cannot hold becomes "_".
std::string vorschlagsName(const std::string& rechnungsNummer) {
    std::string nummer;
    for (char c : rechnungsNummer)
        if (c != ' ')
            nummer += (c == '/' || c == '\\' || c == ':') ? '_' : c;
    return "Rechnung-" + nummer + ".xml";
}

} // namespace

void TFKB_Formular::ERechnungExportierenClick() {
    if (!RechnungPruefen())
        return;
    if (const std::string art = ERechnungArtFehler(RechnungsKennZeichen.text); !art.empty()) {
        plattform.fehlerMelden(art);
        return;
    }
    DatenDatei(DateiName).lesen(0, ParameterPuffer);
    // Everything that stands in the way is said at once, before a file is chosen.
    const ERechnungsErgebnis rechnung = ERechnungErstellen(ERechnungsDatenSammeln(*this, ParameterPuffer));
    if (!rechnung.erstellt()) {
        plattform.fehlerMelden(ERechnungFehlerText(rechnung.maengel));
        return;
    }

    DateiDialog dialog;
    dialog.art = DialogArt::Speichern;
    dialog.titel = "E-Rechnung speichern";
    dialog.filter = "XRechnung (*.xml)|*.xml";
    dialog.endung = "xml";
    dialog.ordner = ordnerVon(DateiName) + "/";
    dialog.name = vorschlagsName(RechnungsNummer.text);
    const auto gewaehlt = plattform.dateiWaehlen(dialog);
    if (!gewaehlt)
        return;
    const std::string& ziel = *gewaehlt;
    // Overwriting the data file with the invoice would lose every record in it.
    if (gleicheDatei(ziel, DateiName)) {
        plattform.fehlerMelden("BedienFehler - " + ziel +
                               " ist die geöffnete Datendatei!\r"
                               "Anderen Dateinamen für die E-Rechnung wählen!");
        return;
    }
    if (!ZielFreigeben(ziel))
        return;
    DateiErsetzen(ziel, rechnung.xml);
    if (hinweisModus())
        plattform.hinweisMelden("E-Rechnung unter " + ziel + "\r gespeichert!");
}

} // namespace fkb
