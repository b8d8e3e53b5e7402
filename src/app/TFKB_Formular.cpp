#include "app/TFKB_Formular.h"

#include "data/Laufzeitfehler.h"
#include "data/Sicherung.h"
#include "data/Windows1252.h"

#include <unordered_map>

namespace fkb {

TFKB_Formular::TFKB_Formular(Plattform& p) : stau(p), plattform(stau) {
    for (DateiDialog* d : {&OpenDialog, &SaveDialog}) {
        d->filter = "Fakturablage FBA (*.fba)|*.fba";
        d->endung = "FBA";
    }
    OpenDialog.art = DialogArt::Oeffnen;
    OpenDialog.titel = "Datei öffnen";
    SaveDialog.art = DialogArt::Speichern;
    SaveDialog.titel = "Datei speichern";
}

void TFKB_Formular::ausfuehren(const std::function<void()>& handler) {
    if (Beendet)
        return;
    try {
        handler();
    } catch (const BefehlAbbruch&) {
    } catch (const std::exception& fehler) {
        plattform.fehlerMelden(fehler.what());
    }
    // Found beside the data file where a copy of a record belongs; said once a run, after the command,
    // when the file is no longer locked.
    for (const std::string& pfad : fremdeSicherungenAbholen())
        plattform.hinweisMelden("Achtung! " + pfad +
                                " ist keine Satzkopie dieses Benutzers und wird nicht verwendet!\r"
                                "Datei prüfen und entfernen lassen!");
}

void TFKB_Formular::starten() {
    ausfuehren([this] { FormCreate(); });
}

TFKB_Formular::Handler TFKB_Formular::handlerVon(const Steuerelement& s) const {
    static const std::unordered_map<std::string_view, Handler> handler = {
        {"Neu", &TFKB_Formular::NeuClick},
        {"SpeedButtonNeu", &TFKB_Formular::NeuClick},
        {"Oeffnen", &TFKB_Formular::OeffnenClick},
        {"SpeedButtonOeffnen", &TFKB_Formular::OeffnenClick},
        {"Speichern", &TFKB_Formular::SpeichernClick},
        {"SpeedButtonSpeichern", &TFKB_Formular::SpeichernClick},
        {"SpeichernUnter", &TFKB_Formular::SpeichernUnterClick},
        {"SpeedButtonSpeichernUnter", &TFKB_Formular::SpeichernUnterClick},
        {"Loeschen", &TFKB_Formular::LoeschenClick},
        {"SpeedButtonLoeschen", &TFKB_Formular::LoeschenClick},
        {"Beenden", &TFKB_Formular::BeendenClick},
        {"SpeedButtonBeenden", &TFKB_Formular::BeendenClick},
        {"Ikons", &TFKB_Formular::IkonsClick},
        {"Volltextsuche", &TFKB_Formular::VolltextsucheClick},
        {"WarnungenHinweise", &TFKB_Formular::WarnungenHinweiseClick},
        {"FKBHilfe", &TFKB_Formular::SpeedButtonHilfeClick},
        {"SpeedButtonHilfe", &TFKB_Formular::SpeedButtonHilfeClick},
        {"Info", &TFKB_Formular::InfoClick},
        {"SpeedButtonInfo", &TFKB_Formular::InfoClick},
        {"ButtonSuche", &TFKB_Formular::ButtonSucheClick},
        {"EditSuchText", &TFKB_Formular::ButtonSucheClick},
        {"ButtonFrau", &TFKB_Formular::ButtonFrauClick},
        {"ButtonHerr", &TFKB_Formular::ButtonHerrClick},
        {"ButtonFirma", &TFKB_Formular::ButtonFirmaClick},
        {"ButtonAngebot", &TFKB_Formular::ButtonAngebotClick},
        {"ButtonRechnung", &TFKB_Formular::ButtonRechnungClick},
        {"ButtonBezahlt", &TFKB_Formular::ButtonBezahltClick},
        {"ButtonBRD", &TFKB_Formular::ButtonBRDClick},
        {"ButtonEU", &TFKB_Formular::ButtonEUClick},
        {"ButtonDrittland", &TFKB_Formular::ButtonDrittlandClick},
        {"SpeedButtonLeistungsDatum", &TFKB_Formular::SpeedButtonLeistungsDatumClick},
        {"SpeedButtonRechnungsDatum", &TFKB_Formular::SpeedButtonRechnungsDatumClick},
        {"SpeedButtonKundenNummer", &TFKB_Formular::SpeedButtonKundenNummerClick},
        {"SpeedButtonRechnungsNummer", &TFKB_Formular::SpeedButtonRechnungsNummerClick},
        {"Satz_Neu", &TFKB_Formular::Satz_NeuClick},
        {"Satz_Speichern", &TFKB_Formular::Satz_SpeichernClick},
        {"Satz_Loeschen", &TFKB_Formular::Satz_LoeschenClick},
        {"SpeedButtonPruefung", &TFKB_Formular::SpeedButtonPruefungClick},
        {"BitBtnLadenVorlageKunde", &TFKB_Formular::BitBtnLadenVorlageKundeClick},
        {"BitBtnVorlageLadenRechnung", &TFKB_Formular::BitBtnVorlageLadenRechnungClick},
        {"BitBtnDruck", &TFKB_Formular::BitBtnDruckClick},
        {"BitBtnERechnung", &TFKB_Formular::ERechnungExportierenClick},
        {"ERechnungExportieren", &TFKB_Formular::ERechnungExportierenClick},
        {"BitBtnZUGFeRD", &TFKB_Formular::ZUGFeRDExportierenClick},
        {"ZUGFeRDExportieren", &TFKB_Formular::ZUGFeRDExportierenClick},
        {"ButtonFahndungA", &TFKB_Formular::ButtonFahndungAClick},
        {"ButtonFahndungR", &TFKB_Formular::ButtonFahndungRClick},
        {"ButtonFahndungB", &TFKB_Formular::ButtonFahndungBClick},
        {"BitBtnStartFahndung", &TFKB_Formular::BitBtnStartFahndungClick},
        {"BitBtnSetzenRKZ", &TFKB_Formular::BitBtnSetzenRKZClick},
        {"BitBtnDruckFahndung", &TFKB_Formular::BitBtnDruckFahndungClick},
    };
    auto it = handler.find(s.name);
    return it == handler.end() ? nullptr : it->second;
}

Aktion TFKB_Formular::klick(std::string_view name) {
    Steuerelement* s = finden(name);
    if (!s)
        return Aktion::Unbekannt;
    if (!s->bedienbar())
        return Aktion::Ignoriert;
    // Controls whose commands are not built yet do nothing when clicked.
    if (Handler h = handlerVon(*s))
        ausfuehren([this, h] { (this->*h)(); });
    return Aktion::Ausgefuehrt;
}

Aktion TFKB_Formular::eingeben(std::string_view name, std::string_view text, bool kuerzen) {
    Steuerelement* s = finden(name);
    if (!s)
        return Aktion::Unbekannt;
    if ((s->art != Art::Feld && s->art != Art::Textbereich) || s->nurLesen || !s->bedienbar())
        return Aktion::NichtEingebbar;
    // Typing stops at the entry limit; what the program itself sets may be longer.
    std::string neu(kuerzen && s->maxLaenge > 0 ? ersteZeichen(text, std::size_t(s->maxLaenge)) : text);
    bool geaendert = neu != s->text;
    s->text = std::move(neu);
    if (geaendert && s == &EditSuchText)
        ausfuehren([this] { EditSuchTextChange(); });
    return Aktion::Ausgefuehrt;
}

void TFKB_Formular::waehleListe(int zeile) {
    if (zeile < 0 || zeile >= int(ListeObjekt.zeilen.size()))
        return;
    ListeObjekt.auswahl = zeile;
    ausfuehren([this] { ListBoxObjektClick(); });
}

void TFKB_Formular::waehleBaum(int wurzel, int kind) {
    if (wurzel < 0 || wurzel >= int(BaumInhalt.wurzeln.size()))
        return;
    if (kind >= int(BaumInhalt.wurzeln[std::size_t(wurzel)].kinder.size()))
        return;
    BaumInhalt.wurzel = wurzel;
    BaumInhalt.kind = kind < 0 ? -1 : kind;
    ausfuehren([this] { BaumClick(); });
}

void TFKB_Formular::waehleKategorie(const std::string& text) {
    KategorieListe.text = text;
    ausfuehren([this] { ComboBoxKategorieClick(); });
}

void TFKB_Formular::waehleFahndung(int zeile) {
    ListeFahndung.auswahl = (zeile >= 0 && zeile < int(ListeFahndung.zeilen.size())) ? zeile : -1;
}

void TFKB_Formular::setzeKalender(Steuerelement& kalender, const Zeitpunkt& datum) {
    (&kalender == &MonthCalendarVon ? KalenderVon : KalenderBis) = datum;
}

void TFKB_Formular::schritt(Steuerelement& regler, bool auf) {
    // The control announces the step before it takes its new position; positions wrap 1 … 50.
    const bool kunde = &regler == &UpDownKunde;
    ausfuehren([this, kunde] { kunde ? UpDownKundeChanging() : UpDownRechnungChanging(); });
    int& position = kunde ? UpDownKundePosition : UpDownRechnungPosition;
    position = auf ? (position == 50 ? 1 : position + 1) : (position == 1 ? 50 : position - 1);
}

bool TFKB_Formular::seiteWaehlen(std::string_view name) {
    for (const Steuerelement* seite : {&Navigation, &Kunde, &Rechnung, &Information})
        if (seite->name == name) {
            AktiveSeite = seite->name;
            return true;
        }
    return false;
}

void TFKB_Formular::schliessen() {
    ausfuehren([this] { FormClose(); });
}

void TFKB_Formular::anzeigeFelderSetzen() {
    AnzeigeName.text = Name.text;
    AnzeigeVorname.text = Vorname.text;
    AnzeigeKundenNummer.text = KundenNummer.text;
    AnzeigeRechnungsNummer.text = RechnungsNummer.text;
}

void TFKB_Formular::anzeigeFelderZuruecksetzen() {
    for (Steuerelement* s : {&AnzeigeName, &AnzeigeVorname, &AnzeigeKundenNummer, &AnzeigeRechnungsNummer})
        s->zuruecksetzen();
}

} // namespace fkb
