// Moving a record onto the pages, emptying the pages, switching the file-dependent controls.
#include "app/Seitenfelder.h"
#include "app/TFKB_Formular.h"

namespace fkb {
namespace {
// Date, " / ", time: how the page shows the two stamp fields.
std::string stempelText(std::string datum, const std::string& zeit) {
    datum += " / ";
    datum += zeit;
    return datum;
}
} // namespace

void TFKB_Formular::SatzAnzeigen() {
    for (const Seitenfeld& f : Seitenfelder)
        Puffer.text(f.feld, (this->*f.steuerelement).text);
    RechnungsKennZeichen.text = Puffer.zeichenText(SatzFeld::RechnungsKennZeichen);
    LieferKennzeichen.text = Puffer.zeichenText(SatzFeld::LieferKennzeichen);
    SystemStempel.text =
        stempelText(Puffer.text(SatzFeld::SystemStempelDatum), Puffer.text(SatzFeld::SystemStempelZeit));
    for (int i = 0; i < AnzahlZeilen; ++i) {
        Puffer.text(SatzFeld::Position(i + 1), Position[i].text);
        Puffer.text(SatzFeld::ME(i + 1), ME[i].text);
        Puffer.text(SatzFeld::Menge(i + 1), Menge[i].text);
        Puffer.text(SatzFeld::Preis(i + 1), Preis[i].text);
        Wert[i].text.clear();
    }
    Summe_Positionen.text = "Summe Positionen";
    PanelUst.text = "UmsatzSteuer";
    WertUst.text = "UmsatzSteuer";
    WertBrutto.text = "Wert brutto";
    anzeigeFelderSetzen();
    eingabenGefuellt(Eingabebereich::Alle);
}

void TFKB_Formular::SeitenZuruecksetzen() {
    for (const Seitenfeld& f : Seitenfelder)
        (this->*f.steuerelement).zuruecksetzen();
    RechnungsKennZeichen.zuruecksetzen();
    LieferKennzeichen.zuruecksetzen();
    Zeitpunkt jetzt = plattform.jetzt();
    SystemStempel.text = stempelText(jetzt.datumText(), jetzt.zeitText());
    for (auto* zeile : {&Position, &ME, &Menge, &Preis, &Wert})
        for (Steuerelement& s : *zeile)
            s.text.clear();
    for (Steuerelement* s : {&Summe_Positionen, &PanelUst, &WertUst, &WertBrutto})
        s->zuruecksetzen();
    eingabenGefuellt(Eingabebereich::Alle);
}

void TFKB_Formular::BedienungFreigeben(bool freigeben) {
    for (Steuerelement* s : {&Baum, &Speichern, &SpeichernUnter, &Loeschen, &EditSuchText, &SpeedButtonSpeichern,
                             &SpeedButtonSpeichernUnter, &SpeedButtonLoeschen, &SpeedButtonPruefung, &BitBtnDruck,
                             &BitBtnERechnung, &ERechnungExportieren, &BitBtnZUGFeRD, &ZUGFeRDExportieren,
                             &PanelVorlageRechnung, &PanelVorlageKunde, &BitBtnStartFahndung})
        s->aktiv = freigeben;
    SeitenZuruecksetzen();
}

} // namespace fkb
