#pragma once

#include "app/Steuerelement.h"

#include <array>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace fkb {

// Every control of the main window that the logic reads or changes, with its start state:
// X(name, kind, parent, text, hint, maximum entry length, read-only, enabled).
// Order matters: it is the order of the registry, of the driver's state and of the tab chain.
#define FKB_STEUERELEMENTE(X)                                                                                          \
    X(Datei, Menue, nullptr, "Datei", "", 0, false, true)                                                              \
    X(Neu, Menuepunkt, &Datei, "Neu", "Datei Neu", 0, false, true)                                                     \
    X(Oeffnen, Menuepunkt, &Datei, "Öffnen...", "Datei öffnen", 0, false, true)                                        \
    X(Speichern, Menuepunkt, &Datei, "Speichern", "Datei Speichern", 0, false, false)                                  \
    X(SpeichernUnter, Menuepunkt, &Datei, "Speichern unter...", "Datei Speichern unter...", 0, false, false)           \
    X(Loeschen, Menuepunkt, &Datei, "Löschen", "Datei Löschen", 0, false, false)                                       \
    X(Beenden, Menuepunkt, &Datei, "Beenden", "Programm Beenden", 0, false, true)                                      \
    X(Optionen1, Menue, nullptr, "Optionen", "", 0, false, true)                                                       \
    X(Ikons, Menuepunkt, &Optionen1, "Ikons", "", 0, false, true)                                                      \
    X(Volltextsuche, Menuepunkt, &Optionen1, "Volltextsuche", "", 0, false, true)                                      \
    X(WarnungenHinweise, Menuepunkt, &Optionen1, "Warnungen / Hinweise", "", 0, false, true)                           \
    X(Hilfe1, Menue, nullptr, "Hilfe", "", 0, false, true)                                                             \
    X(FKBHilfe, Menuepunkt, &Hilfe1, "FKB-Hilfe", "Anzeige Hilfe FKB", 0, false, true)                                 \
    X(Info, Menuepunkt, &Hilfe1, "Info...", "", 0, false, true)                                                        \
    X(ButtonPanel, Werkzeugleiste, nullptr, "", "", 0, false, true)                                                    \
    X(SpeedButtonNeu, Werkzeugknopf, &ButtonPanel, "", "Datei Neu", 0, false, true)                                    \
    X(SpeedButtonOeffnen, Werkzeugknopf, &ButtonPanel, "", "Datei Öffnen...", 0, false, true)                          \
    X(SpeedButtonSpeichern, Werkzeugknopf, &ButtonPanel, "", "Datei Speichern", 0, false, false)                       \
    X(SpeedButtonSpeichernUnter, Werkzeugknopf, &ButtonPanel, "", "Datei Speichern unter...", 0, false, false)         \
    X(SpeedButtonLoeschen, Werkzeugknopf, &ButtonPanel, "", "Datei Löschen", 0, false, false)                          \
    X(SpeedButtonHilfe, Werkzeugknopf, &ButtonPanel, "", "Hilfe FKB-Hilfe", 0, false, true)                            \
    X(SpeedButtonInfo, Werkzeugknopf, &ButtonPanel, "", "Hilfe Info...", 0, false, true)                               \
    X(SpeedButtonBeenden, Werkzeugknopf, &ButtonPanel, "", "Programm Beenden", 0, false, true)                         \
    X(Navigation, Seite, nullptr, "Navigation", "", 0, false, true)                                                    \
    X(Kunde, Seite, nullptr, "Kunde", "", 0, false, true)                                                              \
    X(Rechnung, Seite, nullptr, "Rechnung", "", 0, false, true)                                                        \
    X(Information, Seite, nullptr, "Fahndung", "", 0, false, true)                                                     \
    /* record buttons and the side panel "Zugriff DatenSatz" */                                                        \
    X(Satz_Neu, Knopf, nullptr, "Neu", "Satz neu in Datei", 0, false, false)                                           \
    X(Satz_Speichern, Knopf, nullptr, "Überschreiben", "Satz speichern in Datei", 0, false, false)                     \
    X(Satz_Loeschen, Knopf, nullptr, "Loeschen", "Satz löschen aus Datei", 0, false, false)                            \
    X(AnzeigeName, Feld, nullptr, "Name", "", 0, true, true)                                                           \
    X(AnzeigeVorname, Feld, nullptr, "Vorname", "", 0, true, true)                                                     \
    X(AnzeigeKundenNummer, Feld, nullptr, "Ku-Nr.", "", 0, true, true)                                                 \
    X(AnzeigeRechnungsNummer, Feld, nullptr, "Re-Nr.", "", 0, true, true)                                              \
    X(PanelLetzteKundenNummer, Panel, nullptr, "letzte KundenNummer: 0", "", 0, false, true)                           \
    X(PanelLetzteRechnungsNummer, Panel, nullptr, "Letzte RechnungsNummer: 0", "", 0, false, true)                     \
    X(PanelAnzahlSaetze, Panel, nullptr, "Anzahl Sätze: 0", "", 0, false, true)                                        \
    /* page Navigation */                                                                                              \
    X(PanelBaum, Panel, &Navigation, "KundenNummer - Name, Vorname", "", 0, false, true)                               \
    X(PanelBaumStruktur, Panel, &Navigation, "BaumStruktur - Re-Nr. - 1. Position", "", 0, false, true)                \
    X(Baum, Baum, &Navigation, "", "", 0, false, false)                                                                \
    X(PanelAnzeige, Panel, &Navigation, "Re-Nr. - Name, Vorname - RechnungsDatum", "", 0, false, true)                 \
    X(ListBoxObjekt, Liste, &Navigation, "", "", 0, false, true)                                                       \
    X(PanelAuswahlObjekt, Panel, &Navigation, "Auswahl Objekt", "", 0, false, true)                                    \
    X(ComboBoxKategorie, Auswahlliste, &Navigation, "", "", 0, false, true)                                            \
    X(PanelOverKategorie, Panel, &Navigation, "", "", 0, false, true)                                                  \
    X(PanelVolltextsuche, Panel, &Navigation, "Volltextsuche", "", 0, false, true)                                     \
    X(EditSuchText, Feld, &PanelVolltextsuche, "SuchText", "", 0, false, false)                                        \
    X(ButtonSuche, Knopf, &PanelVolltextsuche, "Suche", "", 0, false, false)                                           \
    /* page Kunde */                                                                                                   \
    X(KundenNummer, Feld, &Kunde, "Ku.-Nr.", "", 6, false, true)                                                       \
    X(SpeedButtonKundenNummer, Knopf, &Kunde, "+1", "inkrementiert die KundenNummer", 0, false, true)                  \
    X(Anrede, Feld, &Kunde, "Herr", "", 5, false, true)                                                                \
    X(ButtonHerr, Knopf, &Kunde, "Herr", "", 0, false, true)                                                           \
    X(ButtonFrau, Knopf, &Kunde, "Frau", "", 0, false, true)                                                           \
    X(ButtonFirma, Knopf, &Kunde, "Firma", "", 0, false, true)                                                         \
    X(Firma, Feld, &Kunde, "Firma", "", 30, false, true)                                                               \
    X(Name, Feld, &Kunde, "Name", "", 30, false, true)                                                                 \
    X(Vorname, Feld, &Kunde, "Vorname", "", 30, false, true)                                                           \
    X(Zusatz, Feld, &Kunde, "Zusatz", "", 30, false, true)                                                             \
    X(Strasse, Feld, &Kunde, "Strasse", "", 40, false, true)                                                           \
    X(Nummer, Feld, &Kunde, "Nr.", "", 5, false, true)                                                                 \
    X(PLZ, Feld, &Kunde, "PLZ", "", 5, false, true)                                                                    \
    X(Ort, Feld, &Kunde, "Ort", "", 30, false, true)                                                                   \
    X(Land, Feld, &Kunde, "Land", "", 30, false, true)                                                                 \
    X(Telephon, Feld, &Kunde, "Telephon", "", 30, false, true)                                                         \
    X(Fax, Feld, &Kunde, "Fax / Mobil", "", 30, false, true)                                                           \
    X(Mail, Feld, &Kunde, "Mail", "", 30, false, true)                                                                 \
    X(InternetAdresse, Feld, &Kunde, "InternetAdresse", "", 30, false, true)                                           \
    X(Fahrzeug, Feld, &Kunde, "Fahrzeug", "", 30, false, true)                                                         \
    X(Bemerkung, Textbereich, &Kunde, "Bemerkung", "", 255, false, true)                                               \
    X(RechnungsNummer, Feld, &Kunde, "Re-Nr.", "", 6, false, true)                                                     \
    X(SpeedButtonRechnungsNummer, Knopf, &Kunde, "+1", "inkrementiert die RechnungsNummer", 0, false, true)            \
    X(RechnungsKennZeichen, Feld, &Kunde, "A", "nur mit Button änderbar.", 0, true, true)                              \
    X(ButtonAngebot, Knopf, &Kunde, "A=Angebot", "", 0, false, true)                                                   \
    X(ButtonRechnung, Knopf, &Kunde, "R=Rechnung", "", 0, false, true)                                                 \
    X(ButtonBezahlt, Knopf, &Kunde, "B=bezahlte Rechnung", "", 0, false, true)                                         \
    X(ZahlungsEingang, Feld, &Kunde, "ZahlungsEingang", "", 0, false, true)                                            \
    X(LieferKennzeichen, Feld, &Kunde, "B", "", 0, true, true)                                                         \
    X(ButtonBRD, Knopf, &Kunde, "BRD", "", 0, false, true)                                                             \
    X(ButtonEU, Knopf, &Kunde, "EU", "", 0, false, true)                                                               \
    X(ButtonDrittland, Knopf, &Kunde, "Drittland", "", 0, false, true)                                                 \
    X(ZolltarifNummer, Feld, &Kunde, "Zolltarif-Nr. / Ust-IDN", "", 15, false, true)                                   \
    X(LeistungsDatum, Feld, &Kunde, "Leist.Dat.", "", 0, false, true)                                                  \
    X(SpeedButtonLeistungsDatum, Knopf, &Kunde, "Heute", "setzt das LeistungsDatum", 0, false, true)                   \
    X(RechnungsDatum, Feld, &Kunde, "Rechn.Dat.", "", 10, false, true)                                                 \
    X(SpeedButtonRechnungsDatum, Knopf, &Kunde, "Heute", "setzt das RechnungsDatum", 0, false, true)                   \
    X(SystemStempel, Feld, &Kunde, "", "wird bei Neu / Überschreiben gesetzt", 0, false, true)                         \
    X(PanelVorlageKunde, Panel, &Kunde, "", "", 0, false, false)                                                       \
    X(UpDownKunde, Schrittregler, &PanelVorlageKunde, "", "", 0, false, true)                                          \
    X(EditLadenVorlage, Feld, &PanelVorlageKunde, "1", "", 2, true, true)                                              \
    X(BitBtnLadenVorlageKunde, Knopf, &PanelVorlageKunde, "Laden", "läd die Vorlage Nr.", 0, false, true)              \
    /* page Rechnung: the 25 position rows follow this list in the registry */                                         \
    X(VersandKosten, Feld, &Rechnung, "V-Kos.", "", 6, false, true)                                                    \
    X(NachnameKosten, Feld, &Rechnung, "N-Kos.", "", 6, false, true)                                                   \
    X(SonstigeKosten, Feld, &Rechnung, "S-Kos.", "", 6, false, true)                                                   \
    X(BezeichnungSonstigeKosten, Feld, &Rechnung, "Bezeichnung Sonstige Kosten", "", 30, false, true)                  \
    X(Summe_Positionen, Feld, &Rechnung, "Wert netto", "", 0, true, true)                                              \
    X(PanelUst, Panel, &Rechnung, "UmsatzSteuer", "", 0, false, true)                                                  \
    X(WertUst, Feld, &Rechnung, "UmsatzSteuer", "", 0, true, true)                                                     \
    X(WertBrutto, Feld, &Rechnung, "Wert brutto", "", 0, true, true)                                                   \
    X(SpeedButtonPruefung, Knopf, &Rechnung, "Prüfen", "berechnet die Summe Positionen", 0, false, false)              \
    X(BitBtnDruck, Knopf, &Rechnung, "Druck Rechnung", "druckt die Rechnung", 0, false, false)                         \
    X(PanelVorlageRechnung, Panel, &Rechnung, "", "", 0, false, false)                                                 \
    X(UpDownRechnung, Schrittregler, &PanelVorlageRechnung, "", "Einstellen der Vorlage-Nr.", 0, false, true)          \
    X(EditVorlageLaden, Feld, &PanelVorlageRechnung, "1", "", 2, true, true)                                           \
    X(BitBtnVorlageLadenRechnung, Knopf, &PanelVorlageRechnung, "Laden", "läd die Vorlage Nr.", 0, false, true)        \
    /* page Information ("Fahndung") */                                                                                \
    X(MonthCalendarVon, Kalender, &Information, "", "", 0, false, true)                                                \
    X(MonthCalendarBis, Kalender, &Information, "", "", 0, false, true)                                                \
    X(FahndungsRechnungsKennZeichen, Feld, &Information, "A", "", 0, true, true)                                       \
    X(ButtonFahndungA, Knopf, &Information, "A=Angebot", "", 0, false, true)                                           \
    X(ButtonFahndungR, Knopf, &Information, "R=Rechnung", "", 0, false, true)                                          \
    X(ButtonFahndungB, Knopf, &Information, "B=bezahlte Rechnung", "", 0, false, true)                                 \
    X(BitBtnStartFahndung, Knopf, &Information, "Start Fahndung", "", 0, false, false)                                 \
    X(PanelFahndungAnzeige, Panel, &Information,                                                                       \
      "Datum - Re-Nr. - Name, Vorname - NettoWert - Ust - BruttoWert - 1. Position", "", 0, false, true)               \
    X(ListBoxFahndung, Liste, &Information, "", "", 0, false, true)                                                    \
    X(PanelAnzahlFahndungsSaetze, Panel, &Information, "Anzahl FahndungsSätze", "", 0, false, true)                    \
    X(BitBtnDruckFahndung, Knopf, &Information, "Druck Fahndung", "", 0, false, false)                                 \
    X(BitBtnSetzenRKZ, Knopf, &Information, "Setzen Rechnungs-KZ auf bezahlt", "", 0, false, false)

inline constexpr int AnzahlZeilen = 25;

// The controls of the main window: typo-safe members for the handlers, and a registry by
// name for the binding and the driver. Addresses never change after construction.
class Bedienelemente {
public:
#define FKB_MITGLIED(name, art, eltern, text, hinweis, max, nurLesen, aktiv) Steuerelement name;
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
