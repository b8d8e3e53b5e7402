// The two template panels: choosing a template's number and loading its customer part or its
// invoice lines into the pages. Nothing is written to the data file.
#include "app/Seitenfelder.h"
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "data/Laufzeitfehler.h"

namespace fkb {

// The number field shows the position from before the step: the number the user sees is the
// one loaded.
void TFKB_Formular::UpDownKundeChanging() {
    EditLadenVorlage.text = std::to_string(UpDownKundePosition);
}

void TFKB_Formular::UpDownRechnungChanging() {
    EditVorlageLaden.text = std::to_string(UpDownRechnungPosition);
}

// Template n is record n of the file. Whatever kind that record is, it ends up in the buffer.
bool TFKB_Formular::VorlageLesen(const Steuerelement& nummernFeld) {
    if (Kennzeichen::geschuetzt(RechnungsKennZeichen.text)) {
        plattform.fehlerMelden("BedienFehler - Vorlage nicht in Parameter oder Vorlage ladbar!\r"
                               "Wähle entsprechenden Satz!");
        return false;
    }
    DatenDatei(DateiName).lesen(textZuInt(nummernFeld.text), Puffer);
    return true;
}

// Customer, header, costs and dates; the invoice lines, the stamp and the totals stay.
void TFKB_Formular::BitBtnLadenVorlageKundeClick() {
    if (!VorlageLesen(EditLadenVorlage))
        return;
    for (const Seitenfeld& f : Seitenfelder)
        Puffer.text(f.feld, (this->*f.steuerelement).text);
    // What the pages build from a template is an offer until the user says otherwise.
    RechnungsKennZeichen.text = std::string(1, Kennzeichen::Angebot);
    LieferKennzeichen.text = Puffer.zeichenText(SatzFeld::LieferKennzeichen);
    PanelUst.text = "UmsatzSteuer";
    anzeigeFelderSetzen();
    eingabenGefuellt(Eingabebereich::Felder);
}

// The 25 lines as the template has them, empty ones included; values and totals wait for the check.
void TFKB_Formular::BitBtnVorlageLadenRechnungClick() {
    if (!VorlageLesen(EditVorlageLaden))
        return;
    for (int i = 0; i < AnzahlZeilen; ++i) {
        Puffer.text(SatzFeld::Position(i + 1), Position[i].text);
        Puffer.text(SatzFeld::ME(i + 1), ME[i].text);
        Puffer.text(SatzFeld::Menge(i + 1), Menge[i].text);
        Puffer.text(SatzFeld::Preis(i + 1), Preis[i].text);
    }
    eingabenGefuellt(Eingabebereich::Zeilen);
}

} // namespace fkb
