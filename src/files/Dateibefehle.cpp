// "Neu" and "Öffnen...": choosing a data file, and seeding a new one.
#include "app/TFKB_Formular.h"
#include "data/Dateizugriff.h"
#include "data/DatenDatei.h"
#include "data/Ersatzdatei.h"
#include "data/Grundbestand.h"

namespace fkb {
namespace {

// Whatever stands at the path exists: a pipe, a device or a link that leads nowhere is never replaced
// by a new file, and opening it reports why it is no data file.
bool dateiExistiert(const std::string& pfad) {
    return dateiart(pfad) != Dateiart::Keine;
}

// Temporary files of an instance killed while writing one are cleared away where files are opened.
void aufraeumen(const std::string& pfad) {
    alteTempDateienEntfernen(ordnerVon(pfad));
}

std::string ordnerMitTrenner(const std::string& pfad) {
    std::string ordner = ordnerVon(pfad);
    if (!ordner.ends_with('/'))
        ordner += '/';
    return ordner;
}

Stempel stempelVon(const Zeitpunkt& z) {
    return {z.datumText(), z.zeitText()};
}

} // namespace

void TFKB_Formular::NeuClick() {
    auto gewaehlt = plattform.dateiWaehlen(OpenDialog);
    if (!gewaehlt)
        return;
    const std::string& pfad = *gewaehlt;
    aufraeumen(pfad);
    if (dateiExistiert(pfad)) {
        // Declining keeps the file on view current: no record command may write into the other one.
        if (plattform.bestaetigen("Datei existiert bereits!\r\rSoll Datei: " + pfad + " bearbeitet werden?")) {
            DateiName = pfad;
            DateiLaden();
        }
        return;
    }
    std::string bisher = DateiName;
    DateiName = pfad;
    try {
        DateiAnlegen();
    } catch (...) {
        if (!dateiExistiert(pfad))
            DateiName = bisher;
        throw;
    }
}

void TFKB_Formular::OeffnenClick() {
    auto gewaehlt = plattform.dateiWaehlen(OpenDialog);
    if (gewaehlt)
        DateiOeffnen(*gewaehlt);
}

void TFKB_Formular::DateiOeffnen(const std::string& pfad) {
    DateiName = pfad;
    aufraeumen(pfad);
    if (dateiExistiert(DateiName))
        DateiLaden();
    else if (plattform.bestaetigen("Datei existiert nicht!\r\rSoll Datei: " + DateiName + " erzeugt werden?"))
        DateiAnlegen();
}

void TFKB_Formular::DateiAnlegen() {
    // The clock is read for record 0, then once for all templates and the first customer record.
    const Stempel parameter = stempelVon(plattform.jetzt());
    const Stempel vorlagen = stempelVon(plattform.jetzt());
    // All 52 records reach the path together or not at all, and never in place of a file that another
    // program created there meanwhile: that one is opened instead.
    if (!DatenDatei::neuAnlegen(DateiName, grundbestand(Puffer, parameter, vorlagen)))
        plattform.hinweisMelden("Achtung! Datei " + DateiName +
                                " wurde inzwischen angelegt!\rVorhandene Datei wird geöffnet - nichts überschrieben!");
    DateiLaden();
}

// The side panel may show a record of the file before, the caption its owner: both go with the file, also
// where the new one has no parameter record to name its owner. The file dialogs start where the file is.
void TFKB_Formular::DateiLaden() {
    anzeigeFelderZuruecksetzen();
    Caption = Titel;
    OpenDialog.ordner = SaveDialog.ordner = ordnerMitTrenner(DateiName);
    NavigationLaden("Alles", false);
}

std::string TFKB_Formular::ablageVorschlag(std::string_view art, std::string_view nummer,
                                           std::string_view endung) const {
    std::string name(art);
    name += '-';
    for (char c : nummer)
        if (c != ' ')
            name += (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20) ? '_' : c;
    return ordnerMitTrenner(DateiName) + name + "." + std::string(endung);
}

} // namespace fkb
