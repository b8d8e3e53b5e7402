// "E-Rechnung" and "E-Rechnung PDF": the shown invoice saved as an XRechnung or as a ZUGFeRD PDF,
// calculated afresh like a print.
#include "app/TFKB_Formular.h"
#include "data/Dateizugriff.h"
#include "data/DatenDatei.h"
#include "data/Ersatzdatei.h"
#include "erechnung/ERechnung.h"
#include "erechnung/ERechnungAusFormular.h"
#include "erechnung/ZugferdPdf.h"
#include "printing/Rechnungsdruck.h"

namespace fkb {

bool TFKB_Formular::ERechnungVorbereiten(ERechnungsFormat format, std::string& xml, std::string& ziel) {
    if (!RechnungPruefen())
        return false;
    if (const std::string art = ERechnungArtFehler(RechnungsKennZeichen.text); !art.empty()) {
        plattform.fehlerMelden(art);
        return false;
    }
    DatenDatei(DateiName).lesen(0, ParameterPuffer);
    // Everything that stands in the way is said at once, before a file is chosen.
    ERechnungsErgebnis rechnung = ERechnungErstellen(ERechnungsDatenSammeln(*this, ParameterPuffer), format);
    if (!rechnung.erstellt()) {
        plattform.fehlerMelden(ERechnungFehlerText(rechnung.maengel));
        return false;
    }

    const bool pdf = format == ERechnungsFormat::ZUGFeRD;
    DateiDialog dialog;
    dialog.art = DialogArt::Speichern;
    dialog.titel = pdf ? "E-Rechnung (PDF) speichern" : "E-Rechnung speichern";
    dialog.filter = pdf ? "ZUGFeRD-PDF (*.pdf)|*.pdf" : "XRechnung (*.xml)|*.xml";
    dialog.endung = pdf ? "pdf" : "xml";
    // "Rechnung-000052.xml" beside the data file: the invoice number as the page and the print show it.
    const std::string vorschlag = ablageVorschlag("Rechnung", RechnungsNummer.text, dialog.endung);
    dialog.ordner = vorschlag.substr(0, vorschlag.rfind('/') + 1);
    dialog.name = vorschlag.substr(dialog.ordner.size());
    const auto gewaehlt = plattform.dateiWaehlen(dialog);
    if (!gewaehlt)
        return false;
    // Overwriting the data file with the invoice would lose every record in it.
    if (gleicheDatei(*gewaehlt, DateiName)) {
        plattform.fehlerMelden("BedienFehler - " + *gewaehlt +
                               " ist die geöffnete Datendatei!\r"
                               "Anderen Dateinamen für die E-Rechnung wählen!");
        return false;
    }
    if (!ZielFreigeben(*gewaehlt))
        return false;
    xml = std::move(rechnung.xml);
    ziel = *gewaehlt;
    return true;
}

void TFKB_Formular::ERechnungExportierenClick() {
    std::string xml, ziel;
    if (!ERechnungVorbereiten(ERechnungsFormat::XRechnung, xml, ziel))
        return;
    DateiErsetzen(ziel, xml);
    if (hinweisModus())
        plattform.hinweisMelden("E-Rechnung unter " + ziel + "\r gespeichert!");
}

// The PDF is the printed invoice on letterhead, laid out by the printing code. It keeps the date the
// invoice carries: an e-invoice is not dated anew the day it is sent.
void TFKB_Formular::ZUGFeRDExportierenClick() {
    std::string xml, ziel;
    if (!ERechnungVorbereiten(ERechnungsFormat::ZUGFeRD, xml, ziel))
        return;
    Rechnungsblatt blatt = rechnungsblattAusSeiten();
    blatt.formular = false;
    blatt.faelligAm = FaelligkeitsDatum(RechnungsDatum.text);
    const Absender absender = Absender::aus(ParameterPuffer);
    const std::optional<std::string> pdf =
        plattform.pdfErstellen([&](Leinwand& leinwand) { rechnungDrucken(leinwand, absender, blatt); });
    if (!pdf) {
        plattform.fehlerMelden("Fehler - dieses Programm hat keine PDF-Ausgabe!\r"
                               "E-Rechnung als XRechnung (XML) speichern!");
        return;
    }
    PdfAngaben angaben;
    angaben.Titel = "Rechnung " + RechnungsNummer.text;
    angaben.Autor = absender.Firma.empty() ? absender.Vorname + " " + absender.Name : absender.Firma;
    angaben.erstellt = plattform.jetzt();
    DateiErsetzen(ziel, ZugferdPdf(*pdf, xml, angaben));
    if (hinweisModus())
        plattform.hinweisMelden("E-Rechnung unter " + ziel + "\r gespeichert!");
}

} // namespace fkb
