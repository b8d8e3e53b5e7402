// Start-up, options, help, information and the end of the program.
#include "app/Hilfe.h"
#include "app/TFKB_Formular.h"

namespace fkb {

void TFKB_Formular::FormCreate() {
    WarnungenHinweise.haken = plattform.bestaetigen(
        "Willkommen im Programm Fakturbuch (FKB)!\r\r"
        "Das Programm erlaubt die Anzeige von Warnungen / Hinweise, die besonders in der\r"
        "Einarbeitungsphase hilfreich sein können. Diese können auch unter Optionen - Warnungen / Hinweise\r"
        "aktiviert bzw. deaktiviert werden! Möchten Sie mit Warnungen / Hinweise arbeiten?");

    OpenDialog.ordner = SaveDialog.ordner = plattform.ablageOrdner();

    AnzahlSaetze = AnzahlKategorien = AnzahlKnoten = 0;
    LetzteKundenNummer = LetzteRechnungsNummer = 0;
    ZaehlerAnzeigen();

    KalenderVon = KalenderBis = plattform.jetzt();
    AktiveSeite = Navigation.name;
}

void TFKB_Formular::IkonsClick() {
    ButtonPanel.sichtbar = !ButtonPanel.sichtbar;
    Ikons.haken = !Ikons.haken;
}

void TFKB_Formular::VolltextsucheClick() {
    PanelVolltextsuche.sichtbar = !PanelVolltextsuche.sichtbar;
    Volltextsuche.haken = !Volltextsuche.haken;
}

void TFKB_Formular::WarnungenHinweiseClick() {
    WarnungenHinweise.haken = !WarnungenHinweise.haken;
}

void TFKB_Formular::SpeedButtonHilfeClick() {
    auto dokument = hilfeFinden(plattform.hilfeOrte());
    if (!dokument || plattform.dokumentOeffnen(*dokument, "open") < 32)
        plattform.fehlerMelden("Fehler beim Anzeigen Hilfe FKB");
}

void TFKB_Formular::HilfeZurSeite() {
    auto dokument = hilfeFinden(plattform.hilfeOrte());
    if (!dokument || plattform.hilfeOeffnen(*dokument, hilfeKontext(AktiveSeite)) < 32)
        plattform.fehlerMelden("Fehler beim Anzeigen Hilfe FKB");
}

void TFKB_Formular::InfoClick() {
    plattform.infoZeigen();
}

void TFKB_Formular::BeendenClick() {
    FormClose();
}

void TFKB_Formular::FormClose() {
    // Every change is already in the data file: nothing to ask, nothing to save.
    Beendet = true;
    plattform.beenden();
}

} // namespace fkb
