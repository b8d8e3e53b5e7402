// "Speichern", "Speichern unter..." and "Löschen": compacting, copying and deleting the data file.
// Every record command writes straight into the file, so there is nothing pending to save: "Speichern"
// only clears out the records marked deleted.
#include "app/TFKB_Formular.h"
#include "data/Dateizugriff.h"
#include "data/DatenDatei.h"
#include "data/Ersatzdatei.h"
#include "data/Laufzeitfehler.h"

namespace fkb {

// The name may lead to a folder or a device, chosen in a dialog or put there since: none of the
// commands acts on one.
bool TFKB_Formular::KeineDateiAbweisen(const std::string& pfad) {
    if (dateiart(pfad) != Dateiart::Andere)
        return false;
    plattform.fehlerMelden("BedienFehler - " + pfad + " ist keine Datei!\rPrüfe Verzeichnis / Datei!");
    return true;
}

// A chosen target is a new name or a file that the user agrees to overwrite; a folder or a device
// is refused.
bool TFKB_Formular::ZielFreigeben(const std::string& ziel) {
    const Dateiart art = dateiart(ziel);
    if (art == Dateiart::Andere)
        return !KeineDateiAbweisen(ziel);
    return art == Dateiart::Keine ||
           plattform.bestaetigen("Datei " + ziel + " existiert bereits!\r Soll Datei überschrieben werden?");
}

void TFKB_Formular::SpeichernClick() {
    if (KeineDateiAbweisen(DateiName))
        return;
    const DatenDatei datei(DateiName);
    if (datei.anzahlSaetze() == 0) {
        const std::string text = "LogikFehler! Datei " + DateiName + " ist leer!\r";
        plattform.hinweisMelden(text + "Datei muss mindestens ParameterSatz beinhalten!");
        return;
    }
    datei.verdichten();
    // Said only once the compacted file has taken the old one's place.
    if (hinweisModus())
        plattform.hinweisMelden("Aus Datei " + DateiName +
                                "\r wurden die als gelöscht markierten Datensätze entfernt.");
    DateiLaden();
}

// The copy is the file as stored, records marked deleted included. The program goes on with the
// file it had.
void TFKB_Formular::SpeichernUnterClick() {
    if (KeineDateiAbweisen(DateiName))
        return;
    SaveDialog.name = DateiName;
    auto gewaehlt = plattform.dateiWaehlen(SaveDialog);
    if (!gewaehlt)
        return;
    const std::string& ziel = *gewaehlt;
    // A file is created there: what a killed program left in that folder goes first.
    alteTempDateienEntfernen(ordnerVon(ziel));
    if (!ZielFreigeben(ziel))
        return;
    try {
        DatenDatei(DateiName).kopieren(ziel);
    } catch (const EAFehler& fehler) {
        // Busy is no fault of the folder or the file: it is said as it is.
        if (fehler.belegt())
            throw;
        plattform.hinweisMelden("Datei " + ziel + "\r konnte nicht gespeichert werden!\r Prüfe Verzeichnis / Datei!");
        return;
    }
    if (hinweisModus())
        plattform.hinweisMelden("Datei unter " + ziel + "\r gespeichert!");
}

// Afterwards no file is loaded: the views are empty and only "Neu" and "Öffnen..." lead on. The record
// count keeps showing what the file held, and the name stays the deleted path; the caption and the
// status bar no longer name what is gone.
void TFKB_Formular::LoeschenClick() {
    if (KeineDateiAbweisen(DateiName))
        return;
    if (!plattform.bestaetigenVorgabeNein("Soll Datei " + DateiName + "\r wirklich gelöscht werden?"))
        return;
    try {
        DatenDatei(DateiName).loeschen();
    } catch (const EAFehler& fehler) {
        if (fehler.belegt())
            throw;
        plattform.hinweisMelden("Datei " + DateiName + "\r konnte nicht gelöscht werden!");
        return;
    }
    BedienungFreigeben(false);
    ListeObjekt.leeren();
    BaumInhalt.leeren();
    KategorienZuruecksetzen();
    for (Steuerelement* s : {&Satz_Neu, &Satz_Speichern, &Satz_Loeschen})
        s->aktiv = false;
    LetzteKundenNummer = LetzteRechnungsNummer = 0;
    PanelLetzteKundenNummer.zuruecksetzen();
    PanelLetzteRechnungsNummer.zuruecksetzen();
    PanelUst.zuruecksetzen();
    anzeigeFelderZuruecksetzen();
    Caption = Titel;
    DateiGeladen = false;
    if (hinweisModus())
        plattform.hinweisMelden("Datei " + DateiName + "\r gelöscht!");
}

} // namespace fkb
