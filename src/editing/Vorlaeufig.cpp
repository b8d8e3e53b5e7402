// TEMPORARY: placeholders until the editing handlers land. Must be deleted before the issue is resolved.
#include "app/TFKB_Formular.h"
namespace fkb {
void TFKB_Formular::ButtonFrauClick() {}
void TFKB_Formular::ButtonHerrClick() {}
void TFKB_Formular::ButtonFirmaClick() {}
void TFKB_Formular::ButtonAngebotClick() {}
void TFKB_Formular::ButtonRechnungClick() {}
void TFKB_Formular::ButtonBezahltClick() {}
void TFKB_Formular::ButtonBRDClick() {}
void TFKB_Formular::ButtonEUClick() {}
void TFKB_Formular::ButtonDrittlandClick() {}
void TFKB_Formular::SpeedButtonLeistungsDatumClick() {}
void TFKB_Formular::SpeedButtonRechnungsDatumClick() {}
void TFKB_Formular::SpeedButtonKundenNummerClick() {}
void TFKB_Formular::SpeedButtonRechnungsNummerClick() {}
void TFKB_Formular::KennzeichenSperreMelden() {}
void TFKB_Formular::Satz_NeuClick() {}
void TFKB_Formular::Satz_SpeichernClick() {}
void TFKB_Formular::Satz_LoeschenClick() {}
void TFKB_Formular::SatzSchreiben(char) {}
bool TFKB_Formular::RechnungPruefen() { return false; }
void TFKB_Formular::SpeedButtonPruefungClick() {}
std::string TFKB_Formular::KostenPruefen(const std::string&) { return {}; }
} // namespace fkb
