// The record buttons: store the pages as a new record, over the chosen one, or mark it deleted.
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "editing/Zahlen.h"

namespace fkb {

bool TFKB_Formular::KundenNummerNormalisieren() {
    if (KundenNummer.text.empty()) {
        plattform.fehlerMelden("BedienFehler - KundenNummer muss eingegeben sein!\rKundenNummer im Satz prüfen!");
        return false;
    }
    std::string ziffern = nurZiffern(KundenNummer.text);
    if (ziffern.empty()) {
        plattform.fehlerMelden("BedienFehler - KundenNummer muss numerisch sein!\rKundenNummer im Satz prüfen!");
        return false;
    }
    if (ziffern.size() < 5)
        ziffern.insert(0, 5 - ziffern.size(), '0');
    KundenNummer.text = ziffern;
    return true;
}

// Compacted, replaced or written by another program since the record was chosen, the file may hold
// another record, or another state of it, under the list's number: only the very record chosen is
// written over. The lock keeps it so until the write.
// No message box is shown while the lock is held: the user may leave it open for long.
DatenDatei TFKB_Formular::GewaehltenSatzSperren(std::int64_t nummer) {
    {
        DatenDatei datei(DateiName, Sperrart::Schreiben);
        DatenSatz jetzt;
        if (nummer == GewaehlteNummer && datei.lesenFallsVorhanden(nummer, jetzt) && jetzt == GewaehlterSatz)
            return datei;
    }
    ListeVeraltetMelden();
}

void TFKB_Formular::Satz_NeuClick() {
    if (Kennzeichen::geschuetzt(RechnungsKennZeichen.text)) {
        plattform.fehlerMelden("LogikFehler - ParameterSatz/VorlageSatz nicht doppelt speicherbar!\r"
                               "RechnungsKennZeichen im Satz prüfen!");
        return;
    }
    if (!KundenNummerNormalisieren())
        return;
    SatzSchreiben('N');
}

// No kind check: this is how the parameter record and the templates are edited.
void TFKB_Formular::Satz_SpeichernClick() {
    if (!KundenNummerNormalisieren())
        return;
    SatzSchreiben('S');
}

void TFKB_Formular::Satz_LoeschenClick() {
    const char* nichtLoeschbar = "LogikFehler - ParameterSatz/VorlageSatz nicht löschbar!\r"
                                 "RechnungsKennZeichen im Satz prüfen!";
    // The buffer holds the record read last: a template after a template load.
    if (Kennzeichen::geschuetzt(Puffer.zeichen(SatzFeld::RechnungsKennZeichen))) {
        plattform.fehlerMelden(nichtLoeschbar);
        return;
    }
    if (!plattform.bestaetigenVorgabeNein("Soll der selektierte Satz wirklich gelöscht werden?"))
        return;

    // Only the kind letter of the chosen record changes. Taking the record as the file holds it, not
    // the buffer, keeps a buffer that holds another record from being written over it; the lock keeps
    // another program from storing it in between.
    const int nummer = SchluesselErmitteln();
    bool geschuetzt;
    {
        const DatenDatei datei = GewaehltenSatzSperren(nummer);
        geschuetzt = Kennzeichen::geschuetzt(GewaehlterSatz.zeichen(SatzFeld::RechnungsKennZeichen));
        if (!geschuetzt) {
            Puffer = GewaehlterSatz;
            Puffer.setzeZeichen(SatzFeld::RechnungsKennZeichen, Kennzeichen::Geloescht);
            datei.schreiben(nummer, Puffer);
        }
    }
    if (geschuetzt) {
        plattform.fehlerMelden(nichtLoeschbar);
        return;
    }

    PanelUst.zuruecksetzen();
    anzeigeFelderZuruecksetzen();
    NavigationLaden("Alles", false);
}

} // namespace fkb
