// The small buttons of the customer page: fixed texts, today's date and the next free numbers.
// They change page fields and counters only; nothing reaches the file before a store.
#include "app/TFKB_Formular.h"

namespace fkb {

void TFKB_Formular::ButtonFrauClick() {
    Anrede.text = "Frau";
}
void TFKB_Formular::ButtonHerrClick() {
    Anrede.text = "Herr";
}
void TFKB_Formular::ButtonFirmaClick() {
    Anrede.text = "Firma";
}

void TFKB_Formular::KennzeichenSperreMelden() {
    plattform.fehlerMelden("BedienFehler - im ParameterSatz/VorlageSatz ist Rechnungs-KZ nicht änderbar!\r"
                           "RechnungsKennZeichen im Satz prüfen!");
}

// The parameter record and the templates keep their kind letter.
void TFKB_Formular::KennzeichenAendern(const char* kennzeichen) {
    if (Kennzeichen::geschuetzt(RechnungsKennZeichen.text))
        KennzeichenSperreMelden();
    else
        RechnungsKennZeichen.text = kennzeichen;
}

void TFKB_Formular::ButtonAngebotClick() {
    KennzeichenAendern("A");
}
void TFKB_Formular::ButtonRechnungClick() {
    KennzeichenAendern("R");
}

void TFKB_Formular::ButtonBezahltClick() {
    KennzeichenAendern("B");
    // The payment date is set even where the kind letter stays.
    ZahlungsEingang.text = plattform.jetzt().datumText();
}

void TFKB_Formular::ButtonBRDClick() {
    LieferKennzeichen.text = "B";
}
void TFKB_Formular::ButtonEUClick() {
    LieferKennzeichen.text = "E";
}
void TFKB_Formular::ButtonDrittlandClick() {
    LieferKennzeichen.text = "D";
}

void TFKB_Formular::SpeedButtonLeistungsDatumClick() {
    LeistungsDatum.text = plattform.jetzt().datumText();
}
void TFKB_Formular::SpeedButtonRechnungsDatumClick() {
    RechnungsDatum.text = plattform.jetzt().datumText();
}

// The counters count up in place; their panels show the value of the last load until the next one.
void TFKB_Formular::SpeedButtonKundenNummerClick() {
    if (LetzteKundenNummer < 99999) {
        ++LetzteKundenNummer;
        KundenNummer.text = std::to_string(LetzteKundenNummer);
    } else {
        plattform.fehlerMelden("BedienFehler - Letzte KundenNummer übersteigt 99999!\r"
                               "Datensatz mit KundenNummer korrigieren!");
    }
}

void TFKB_Formular::SpeedButtonRechnungsNummerClick() {
    if (LetzteRechnungsNummer < 999999) {
        ++LetzteRechnungsNummer;
        RechnungsNummer.text = std::to_string(LetzteRechnungsNummer);
    } else {
        plattform.fehlerMelden("BedienFehler - Letzte RechnungsNummer übersteigt 999999!\r"
                               "Datensatz mit RechnungsNummer korrigieren!");
    }
}

} // namespace fkb
