#pragma once

#include "app/Steuerelement.h"

#include <array>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace fkb {

// Every control of the main window that the logic reads or changes, with its start state. Each entry
// names the control and then sets, by name, what differs from an enabled, visible control without text.
// Order matters: it is the order of the registry, of the driver's state and of the tab chain.
#define FKB_STEUERELEMENTE(X)                                                                                          \
    X(Datei, .art = Art::Menue, .text = "Datei")                                                                       \
    X(Neu, .art = Art::Menuepunkt, .text = "Neu", .hinweis = "Datei Neu", .eltern = &Datei)                            \
    X(Oeffnen, .art = Art::Menuepunkt, .text = "Öffnen...", .hinweis = "Datei öffnen", .eltern = &Datei)               \
    X(Speichern, .art = Art::Menuepunkt, .text = "Speichern", .hinweis = "Datei Speichern", .aktiv = false,            \
      .eltern = &Datei)                                                                                                \
    X(SpeichernUnter, .art = Art::Menuepunkt, .text = "Speichern unter...", .hinweis = "Datei Speichern unter...",     \
      .aktiv = false, .eltern = &Datei)                                                                                \
    X(ERechnungExportieren, .art = Art::Menuepunkt, .text = "E-Rechnung exportieren...",                               \
      .hinweis = "speichert die Rechnung als XRechnung (XML)", .aktiv = false, .eltern = &Datei)                       \
    X(ZUGFeRDExportieren, .art = Art::Menuepunkt, .text = "E-Rechnung als PDF (ZUGFeRD) exportieren...",               \
      .hinweis = "speichert die Rechnung als PDF mit eingebetteter E-Rechnung (ZUGFeRD)", .aktiv = false,              \
      .eltern = &Datei)                                                                                                \
    X(Loeschen, .art = Art::Menuepunkt, .text = "Löschen", .hinweis = "Datei Löschen", .aktiv = false,                 \
      .eltern = &Datei)                                                                                                \
    X(Beenden, .art = Art::Menuepunkt, .text = "Beenden", .hinweis = "Programm Beenden", .eltern = &Datei)             \
    X(Optionen1, .art = Art::Menue, .text = "Optionen")                                                                \
    X(Ikons, .art = Art::Menuepunkt, .text = "Ikons", .haken = true, .abhakbar = true, .eltern = &Optionen1)           \
    X(Volltextsuche, .art = Art::Menuepunkt, .text = "Volltextsuche", .haken = true, .abhakbar = true,                 \
      .eltern = &Optionen1)                                                                                            \
    X(WarnungenHinweise, .art = Art::Menuepunkt, .text = "Warnungen / Hinweise", .haken = true, .abhakbar = true,      \
      .eltern = &Optionen1)                                                                                            \
    X(Hilfe1, .art = Art::Menue, .text = "Hilfe")                                                                      \
    X(FKBHilfe, .art = Art::Menuepunkt, .text = "FKB-Hilfe", .hinweis = "Anzeige Hilfe FKB", .eltern = &Hilfe1)        \
    X(Info, .art = Art::Menuepunkt, .text = "Info...", .eltern = &Hilfe1)                                              \
    X(ButtonPanel, .art = Art::Werkzeugleiste)                                                                         \
    X(SpeedButtonNeu, .art = Art::Werkzeugknopf, .hinweis = "Datei Neu", .eltern = &ButtonPanel)                       \
    X(SpeedButtonOeffnen, .art = Art::Werkzeugknopf, .hinweis = "Datei Öffnen...", .eltern = &ButtonPanel)             \
    X(SpeedButtonSpeichern, .art = Art::Werkzeugknopf, .hinweis = "Datei Speichern", .aktiv = false,                   \
      .eltern = &ButtonPanel)                                                                                          \
    X(SpeedButtonSpeichernUnter, .art = Art::Werkzeugknopf, .hinweis = "Datei Speichern unter...", .aktiv = false,     \
      .eltern = &ButtonPanel)                                                                                          \
    X(SpeedButtonLoeschen, .art = Art::Werkzeugknopf, .hinweis = "Datei Löschen", .aktiv = false,                      \
      .eltern = &ButtonPanel)                                                                                          \
    X(SpeedButtonHilfe, .art = Art::Werkzeugknopf, .hinweis = "Hilfe FKB-Hilfe", .eltern = &ButtonPanel)               \
    X(SpeedButtonInfo, .art = Art::Werkzeugknopf, .hinweis = "Hilfe Info...", .eltern = &ButtonPanel)                  \
    X(SpeedButtonBeenden, .art = Art::Werkzeugknopf, .hinweis = "Programm Beenden", .eltern = &ButtonPanel)            \
    X(Navigation, .art = Art::Seite, .text = "Navigation")                                                             \
    X(Kunde, .art = Art::Seite, .text = "Kunde")                                                                       \
    X(Rechnung, .art = Art::Seite, .text = "Rechnung")                                                                 \
    X(Information, .art = Art::Seite, .text = "Fahndung")                                                              \
    /* record buttons and the side panel "Zugriff DatenSatz" */                                                        \
    X(Satz_Neu, .art = Art::Knopf, .text = "Neu", .hinweis = "Satz neu in Datei", .aktiv = false)                      \
    X(Satz_Speichern, .art = Art::Knopf, .text = "Überschreiben", .hinweis = "Satz speichern in Datei",                \
      .aktiv = false)                                                                                                  \
    X(Satz_Loeschen, .art = Art::Knopf, .text = "Loeschen", .hinweis = "Satz löschen aus Datei", .aktiv = false)       \
    X(AnzeigeName, .art = Art::Feld, .text = "Name", .nurLesen = true)                                                 \
    X(AnzeigeVorname, .art = Art::Feld, .text = "Vorname", .nurLesen = true)                                           \
    X(AnzeigeKundenNummer, .art = Art::Feld, .text = "Ku-Nr.", .nurLesen = true)                                       \
    X(AnzeigeRechnungsNummer, .art = Art::Feld, .text = "Re-Nr.", .nurLesen = true)                                    \
    X(PanelLetzteKundenNummer, .art = Art::Panel, .text = "letzte KundenNummer: 0")                                    \
    X(PanelLetzteRechnungsNummer, .art = Art::Panel, .text = "Letzte RechnungsNummer: 0")                              \
    X(PanelAnzahlSaetze, .art = Art::Panel, .text = "Anzahl Sätze: 0")                                                 \
    /* page Navigation */                                                                                              \
    X(PanelBaum, .art = Art::Panel, .text = "KundenNummer - Name, Vorname", .eltern = &Navigation)                     \
    X(PanelBaumStruktur, .art = Art::Panel, .text = "BaumStruktur - Re-Nr. - 1. Position", .eltern = &Navigation)      \
    X(Baum, .art = Art::Baum, .aktiv = false, .eltern = &Navigation)                                                   \
    X(PanelAnzeige, .art = Art::Panel, .text = "Re-Nr. - Name, Vorname - RechnungsDatum", .eltern = &Navigation)       \
    X(ListBoxObjekt, .art = Art::Liste, .eltern = &Navigation)                                                         \
    X(PanelAuswahlObjekt, .art = Art::Panel, .text = "Auswahl Objekt", .eltern = &Navigation)                          \
    X(ComboBoxKategorie, .art = Art::Auswahlliste, .eltern = &Navigation)                                              \
    X(PanelOverKategorie, .art = Art::Panel, .eltern = &Navigation)                                                    \
    X(PanelVolltextsuche, .art = Art::Panel, .text = "Volltextsuche", .eltern = &Navigation)                           \
    X(EditSuchText, .art = Art::Feld, .text = "SuchText", .aktiv = false, .eltern = &PanelVolltextsuche)               \
    X(ButtonSuche, .art = Art::Knopf, .text = "Suche", .aktiv = false, .eltern = &PanelVolltextsuche)                  \
    /* page Kunde */                                                                                                   \
    X(KundenNummer, .art = Art::Feld, .text = "Ku.-Nr.", .maxLaenge = 6, .eltern = &Kunde)                             \
    X(SpeedButtonKundenNummer, .art = Art::Knopf, .text = "+1", .hinweis = "inkrementiert die KundenNummer",           \
      .eltern = &Kunde)                                                                                                \
    X(Anrede, .art = Art::Feld, .text = "Herr", .maxLaenge = 5, .eltern = &Kunde)                                      \
    X(ButtonHerr, .art = Art::Knopf, .text = "Herr", .eltern = &Kunde)                                                 \
    X(ButtonFrau, .art = Art::Knopf, .text = "Frau", .eltern = &Kunde)                                                 \
    X(ButtonFirma, .art = Art::Knopf, .text = "Firma", .eltern = &Kunde)                                               \
    X(Firma, .art = Art::Feld, .text = "Firma", .maxLaenge = 30, .eltern = &Kunde)                                     \
    X(Name, .art = Art::Feld, .text = "Name", .maxLaenge = 30, .eltern = &Kunde)                                       \
    X(Vorname, .art = Art::Feld, .text = "Vorname", .maxLaenge = 30, .eltern = &Kunde)                                 \
    X(Zusatz, .art = Art::Feld, .text = "Zusatz", .maxLaenge = 30, .eltern = &Kunde)                                   \
    X(Strasse, .art = Art::Feld, .text = "Strasse", .maxLaenge = 40, .eltern = &Kunde)                                 \
    X(Nummer, .art = Art::Feld, .text = "Nr.", .maxLaenge = 5, .eltern = &Kunde)                                       \
    X(PLZ, .art = Art::Feld, .text = "PLZ", .maxLaenge = 5, .eltern = &Kunde)                                          \
    X(Ort, .art = Art::Feld, .text = "Ort", .maxLaenge = 30, .eltern = &Kunde)                                         \
    X(Land, .art = Art::Feld, .text = "Land", .maxLaenge = 30, .eltern = &Kunde)                                       \
    X(Telephon, .art = Art::Feld, .text = "Telephon", .maxLaenge = 30, .eltern = &Kunde)                               \
    X(Fax, .art = Art::Feld, .text = "Fax / Mobil", .maxLaenge = 30, .eltern = &Kunde)                                 \
    X(Mail, .art = Art::Feld, .text = "Mail", .maxLaenge = 30, .eltern = &Kunde)                                       \
    X(InternetAdresse, .art = Art::Feld, .text = "InternetAdresse", .maxLaenge = 30, .eltern = &Kunde)                 \
    X(Fahrzeug, .art = Art::Feld, .text = "Fahrzeug", .maxLaenge = 30, .eltern = &Kunde)                               \
    X(Bemerkung, .art = Art::Textbereich, .text = "Bemerkung", .maxLaenge = 255, .eltern = &Kunde)                     \
    X(RechnungsNummer, .art = Art::Feld, .text = "Re-Nr.", .maxLaenge = 6, .eltern = &Kunde)                           \
    X(SpeedButtonRechnungsNummer, .art = Art::Knopf, .text = "+1", .hinweis = "inkrementiert die RechnungsNummer",     \
      .eltern = &Kunde)                                                                                                \
    X(RechnungsKennZeichen, .art = Art::Feld, .text = "A", .hinweis = "nur mit Button änderbar.", .nurLesen = true,    \
      .eltern = &Kunde)                                                                                                \
    X(ButtonAngebot, .art = Art::Knopf, .text = "A=Angebot", .eltern = &Kunde)                                         \
    X(ButtonRechnung, .art = Art::Knopf, .text = "R=Rechnung", .eltern = &Kunde)                                       \
    X(ButtonBezahlt, .art = Art::Knopf, .text = "B=bezahlte Rechnung", .eltern = &Kunde)                               \
    X(ZahlungsEingang, .art = Art::Feld, .text = "ZahlungsEingang", .eltern = &Kunde)                                  \
    X(LieferKennzeichen, .art = Art::Feld, .text = "B", .nurLesen = true, .eltern = &Kunde)                            \
    X(ButtonBRD, .art = Art::Knopf, .text = "BRD", .eltern = &Kunde)                                                   \
    X(ButtonEU, .art = Art::Knopf, .text = "EU", .eltern = &Kunde)                                                     \
    X(ButtonDrittland, .art = Art::Knopf, .text = "Drittland", .eltern = &Kunde)                                       \
    X(ZolltarifNummer, .art = Art::Feld, .text = "Zolltarif-Nr. / Ust-IDN", .maxLaenge = 15, .eltern = &Kunde)         \
    X(LeistungsDatum, .art = Art::Feld, .text = "Leist.Dat.", .eltern = &Kunde)                                        \
    X(SpeedButtonLeistungsDatum, .art = Art::Knopf, .text = "Heute", .hinweis = "setzt das LeistungsDatum",            \
      .eltern = &Kunde)                                                                                                \
    X(RechnungsDatum, .art = Art::Feld, .text = "Rechn.Dat.", .maxLaenge = 10, .eltern = &Kunde)                       \
    X(SpeedButtonRechnungsDatum, .art = Art::Knopf, .text = "Heute", .hinweis = "setzt das RechnungsDatum",            \
      .eltern = &Kunde)                                                                                                \
    X(SystemStempel, .art = Art::Feld, .hinweis = "wird bei Neu / Überschreiben gesetzt", .eltern = &Kunde)            \
    X(PanelVorlageKunde, .art = Art::Panel, .aktiv = false, .eltern = &Kunde)                                          \
    X(UpDownKunde, .art = Art::Schrittregler, .eltern = &PanelVorlageKunde)                                            \
    X(EditLadenVorlage, .art = Art::Feld, .text = "1", .maxLaenge = 2, .nurLesen = true, .eltern = &PanelVorlageKunde) \
    X(BitBtnLadenVorlageKunde, .art = Art::Knopf, .text = "Laden", .hinweis = "läd die Vorlage Nr.",                   \
      .eltern = &PanelVorlageKunde)                                                                                    \
    /* page Rechnung: the 25 position rows follow this list in the registry */                                         \
    X(VersandKosten, .art = Art::Feld, .text = "V-Kos.", .maxLaenge = 6, .eltern = &Rechnung)                          \
    X(NachnameKosten, .art = Art::Feld, .text = "N-Kos.", .maxLaenge = 6, .eltern = &Rechnung)                         \
    X(SonstigeKosten, .art = Art::Feld, .text = "S-Kos.", .maxLaenge = 6, .eltern = &Rechnung)                         \
    X(BezeichnungSonstigeKosten, .art = Art::Feld, .text = "Bezeichnung Sonstige Kosten", .maxLaenge = 30,             \
      .eltern = &Rechnung)                                                                                             \
    X(Summe_Positionen, .art = Art::Feld, .text = "Wert netto", .nurLesen = true, .eltern = &Rechnung)                 \
    X(PanelUst, .art = Art::Panel, .text = "UmsatzSteuer", .eltern = &Rechnung)                                        \
    X(WertUst, .art = Art::Feld, .text = "UmsatzSteuer", .nurLesen = true, .eltern = &Rechnung)                        \
    X(WertBrutto, .art = Art::Feld, .text = "Wert brutto", .nurLesen = true, .eltern = &Rechnung)                      \
    X(SpeedButtonPruefung, .art = Art::Knopf, .text = "Prüfen", .hinweis = "berechnet die Summe Positionen",           \
      .aktiv = false, .eltern = &Rechnung)                                                                             \
    X(BitBtnDruck, .art = Art::Knopf, .text = "Druck Rechnung", .hinweis = "druckt die Rechnung", .aktiv = false,      \
      .eltern = &Rechnung)                                                                                             \
    X(BitBtnERechnung, .art = Art::Knopf, .text = "E-Rechnung",                                                        \
      .hinweis = "speichert die Rechnung als XRechnung (XML)", .aktiv = false, .eltern = &Rechnung)                    \
    X(BitBtnZUGFeRD, .art = Art::Knopf, .text = "E-Rechnung PDF",                                                      \
      .hinweis = "speichert die Rechnung als PDF mit eingebetteter E-Rechnung (ZUGFeRD)", .aktiv = false,              \
      .eltern = &Rechnung)                                                                                             \
    X(PanelVorlageRechnung, .art = Art::Panel, .aktiv = false, .eltern = &Rechnung)                                    \
    X(UpDownRechnung, .art = Art::Schrittregler, .hinweis = "Einstellen der Vorlage-Nr.",                              \
      .eltern = &PanelVorlageRechnung)                                                                                 \
    X(EditVorlageLaden, .art = Art::Feld, .text = "1", .maxLaenge = 2, .nurLesen = true,                               \
      .eltern = &PanelVorlageRechnung)                                                                                 \
    X(BitBtnVorlageLadenRechnung, .art = Art::Knopf, .text = "Laden", .hinweis = "läd die Vorlage Nr.",                \
      .eltern = &PanelVorlageRechnung)                                                                                 \
    /* page Information ("Fahndung") */                                                                                \
    X(MonthCalendarVon, .art = Art::Kalender, .eltern = &Information)                                                  \
    X(MonthCalendarBis, .art = Art::Kalender, .eltern = &Information)                                                  \
    X(FahndungsRechnungsKennZeichen, .art = Art::Feld, .text = "A", .nurLesen = true, .eltern = &Information)          \
    X(ButtonFahndungA, .art = Art::Knopf, .text = "A=Angebot", .eltern = &Information)                                 \
    X(ButtonFahndungR, .art = Art::Knopf, .text = "R=Rechnung", .eltern = &Information)                                \
    X(ButtonFahndungB, .art = Art::Knopf, .text = "B=bezahlte Rechnung", .eltern = &Information)                       \
    X(BitBtnStartFahndung, .art = Art::Knopf, .text = "Start Fahndung", .aktiv = false, .eltern = &Information)        \
    X(PanelFahndungAnzeige, .art = Art::Panel,                                                                         \
      .text = "Datum - Re-Nr. - Name, Vorname - NettoWert - Ust - BruttoWert - 1. Position", .eltern = &Information)   \
    X(ListBoxFahndung, .art = Art::Liste, .eltern = &Information)                                                      \
    X(PanelAnzahlFahndungsSaetze, .art = Art::Panel, .text = "Anzahl FahndungsSätze", .eltern = &Information)          \
    X(BitBtnDruckFahndung, .art = Art::Knopf, .text = "Druck Fahndung", .aktiv = false, .eltern = &Information)        \
    X(BitBtnSetzenRKZ, .art = Art::Knopf, .text = "Setzen Rechnungs-KZ auf bezahlt", .aktiv = false,                   \
      .eltern = &Information)

inline constexpr int AnzahlZeilen = 25;

// The controls of the main window: typo-safe members for the handlers, and a registry by
// name for the binding and the driver. Addresses never change after construction.
class Bedienelemente {
public:
#define FKB_MITGLIED(n, ...) Steuerelement n{.name = #n, __VA_ARGS__};
    FKB_STEUERELEMENTE(FKB_MITGLIED)
#undef FKB_MITGLIED

    // Rows 1 to 25 of the invoice page, index 0 to 24.
    std::array<Steuerelement, AnzahlZeilen> Position, ME, Menge, Preis, Wert;

    Bedienelemente();
    Bedienelemente(const Bedienelemente&) = delete;
    Bedienelemente& operator=(const Bedienelemente&) = delete;

    // nullptr for an unknown name.
    Steuerelement* finden(std::string_view name);
    const std::deque<Steuerelement*>& alle() const {
        return reihenfolge_;
    }

private:
    void eintragen(Steuerelement& s);

    std::deque<Steuerelement*> reihenfolge_;
    std::unordered_map<std::string_view, Steuerelement*> nachName_;
};

// "01" … "25"
std::string zeilenNummer(int k);

} // namespace fkb
