#pragma once

#include "app/Bedienelemente.h"
#include "app/Meldungsstau.h"
#include "app/Plattform.h"
#include "app/Zeitpunkt.h"
#include "data/DatenSatz.h"
#include "editing/RechnungsSummen.h"
#include "editing/Rechnungsnummern.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace fkb {

class DatenDatei;
struct Rechnungsblatt;

enum class Feldgruppe;
enum class ERechnungsFormat;

// Ends the running command without a message (the program is being closed).
struct BefehlAbbruch {};

// What became of a user action addressed to a control.
enum class Aktion { Ausgefuehrt, Ignoriert, Unbekannt, NichtEingebbar };

// The main window: the whole state of a run and every handler. The bodies of the handlers
// live in the folder of the subsystem that owns them. Nothing here knows a toolkit: the
// GUI and the headless driver reach the window through the public user actions below.
class TFKB_Formular : public Bedienelemente {
public:
    static constexpr const char* Titel = "   Fakturbuch (FKB)";

    explicit TFKB_Formular(Plattform& plattform);

    // --- user actions, each run through the dispatcher -------------------------------
    void starten();                      // creation of the window: FormCreate
    Aktion klick(std::string_view name); // a menu item, button or the search field
    // Typing replaces the text of an editable field. A script's text is cut at the entry limit
    // as the edit control would cut it; the GUI passes kuerzen = false, since its widget already
    // stopped the typing and a longer text set by the program may just have been shortened.
    Aktion eingeben(std::string_view name, std::string_view text, bool kuerzen = true);
    void waehleListe(int zeile);                   // ListBoxObjekt
    void waehleBaum(int wurzel, int kind);         // Baum; kind −1 for the root node
    void waehleKategorie(const std::string& text); // ComboBoxKategorie
    void waehleFahndung(int zeile);                // ListBoxFahndung, −1 clears
    void setzeKalender(Steuerelement& kalender, const Zeitpunkt& datum);
    void schritt(Steuerelement& regler, bool auf); // UpDownKunde, UpDownRechnung
    bool seiteWaehlen(std::string_view name);
    void schliessen(); // the window's close box

    // Runs a handler as the toolkit would: an error it does not handle is shown in an
    // error box with its text, and the program goes on.
    void ausfuehren(const std::function<void()>& handler);

    // --- typed input --------------------------------------------------------------------
    // Whether the customer and invoice pages hold what the user typed, or set with a field button,
    // since the program last filled them (a record shown, the pages emptied, a template loaded).
    bool EingabenOffen() const;
    // Whether the command behind the control would replace such input with something else: a window
    // asks before it lets that happen. Closing the window is the command of "Beenden".
    bool verwirftEingaben(const Steuerelement& s) const;
    // The same for a click on a node of the tree, which replaces the pages only where it shows a record.
    bool baumVerwirftEingaben(int wurzel, int kind) const;

    // --- state of the run -------------------------------------------------------------
    // Every box passes through here, so that a command can hold its boxes back while the file is locked.
    Meldungsstau stau;
    Plattform& plattform;
    std::string Caption = Titel;
    std::string AktiveSeite = "Navigation";
    std::string DateiName; // the current data file name
    // Whether the lists show a file: not before one is loaded, nor after it is deleted. The window's
    // status bar names the file only then.
    bool DateiGeladen = false;
    // The record chosen in the navigation list as it was read then, and its number: a record command
    // writes by that number only while the file still holds this very record there.
    DatenSatz GewaehlterSatz;
    std::int64_t GewaehlteNummer = -1;
    DatenSatz Puffer;          // the current record buffer
    DatenSatz ParameterPuffer; // record 0 when the VAT rate or letterhead is needed
    DateiDialog OpenDialog;
    DateiDialog SaveDialog;
    bool Beendet = false;

    Listenfeld ListeObjekt;   // lines of ListBoxObjekt
    Baumansicht BaumInhalt;   // nodes of Baum
    Kombifeld KategorieListe; // entries of ComboBoxKategorie
    Listenfeld ListeFahndung; // lines of ListBoxFahndung
    Zeitpunkt KalenderVon, KalenderBis;
    int UpDownKundePosition = 1;
    int UpDownRechnungPosition = 1;

    std::int32_t AnzahlSaetze = 0;
    std::int32_t AnzahlKnoten = 0;
    std::int32_t AnzahlKategorien = 0;
    std::uint32_t LetzteKundenNummer = 0;
    std::uint32_t LetzteRechnungsNummer = 0;
    std::uint32_t FahndungsAnzahl = 0;
    std::string FahndungsZeitraum; // "von-bis" of the query listed
    RechnungsSummen Summen;

    bool hinweisModus() const { return WarnungenHinweise.haken; }
    // Whether a click on the control runs a command.
    bool hatHandler(const Steuerelement& s) const { return handlerVon(s) != nullptr; }

    // --- application shell ----------------------------------------------------------
    void FormCreate();
    void IkonsClick();
    void VolltextsucheClick();
    void WarnungenHinweiseClick();
    void SpeedButtonHilfeClick();
    void HilfeZurSeite(); // F1: the manual where the page shown is explained
    void InfoClick();
    void BeendenClick();
    void FormClose();

    // --- data file ------------------------------------------------------------------
    void NeuClick();
    void OeffnenClick();
    void DateiOeffnen(const std::string& pfad); // what "Öffnen..." does with the chosen path
    void DateiAnlegen();
    void DateiLaden(); // the whole file into the lists, nothing of another file left in view
    // Beside the data file: "Rechnung-000052.pdf" for ("Rechnung", "000052", "pdf"). A character that a
    // file name cannot hold becomes "_", blanks go.
    std::string ablageVorschlag(std::string_view art, std::string_view nummer, std::string_view endung) const;
    void SpeichernClick();
    void SpeichernUnterClick();
    void LoeschenClick();

    // --- navigation and record display ---------------------------------------------
    void NavigationLaden(const std::string& text, bool suche);
    void KategorienZuruecksetzen();
    int SchluesselErmitteln();
    void SatzAnzeigen();
    void SeitenZuruecksetzen();
    void BedienungFreigeben(bool freigeben);
    void ZaehlerAnzeigen();
    void ListBoxObjektClick();
    void BaumClick();
    void ComboBoxKategorieClick();
    void EditSuchTextChange();
    void ButtonSucheClick();
    void UpDownKundeChanging();
    void UpDownRechnungChanging();
    void BitBtnLadenVorlageKundeClick();
    void BitBtnVorlageLadenRechnungClick();

    // --- record editing and invoice calculation -------------------------------------
    void ButtonFrauClick();
    void ButtonHerrClick();
    void ButtonFirmaClick();
    void ButtonAngebotClick();
    void ButtonRechnungClick();
    void ButtonBezahltClick();
    void ButtonBRDClick();
    void ButtonEUClick();
    void ButtonDrittlandClick();
    void SpeedButtonLeistungsDatumClick();
    void SpeedButtonRechnungsDatumClick();
    void SpeedButtonKundenNummerClick();
    void SpeedButtonRechnungsNummerClick();
    void KennzeichenSperreMelden();

    void Satz_NeuClick();
    void Satz_SpeichernClick();
    void Satz_LoeschenClick();
    void SatzSchreiben(char schreibmodus);

    bool RechnungPruefen();
    void SpeedButtonPruefungClick();
    std::string KostenPruefen(const std::string& text);
    Positionswerte PositionPruefen(const std::string& mengenText, const std::string& preisText);

    // --- printing and period query ---------------------------------------------------
    void ERechnungExportierenClick(); // BitBtnERechnung and the file menu
    void ZUGFeRDExportierenClick();   // BitBtnZUGFeRD and the file menu
    void BitBtnDruckClick();
    void ButtonFahndungAClick();
    void ButtonFahndungRClick();
    void ButtonFahndungBClick();
    void BitBtnStartFahndungClick();
    void BitBtnSetzenRKZClick();
    void BitBtnDruckFahndungClick();

private:
    using Handler = void (TFKB_Formular::*)();
    Handler handlerVon(const Steuerelement& s) const;
    void anzeigeFelderSetzen();        // side panel "Zugriff DatenSatz" from the page fields
    void anzeigeFelderZuruecksetzen(); // and back to its placeholders
    void positionenNachAbbruch(std::int64_t nummer, const DatenSatz* satz);
    void zaehlerTexteSetzen(std::int32_t saetze, std::uint32_t kunde, std::uint32_t rechnung);

    enum class Eingabebereich { Felder, Zeilen, Alle };
    bool eingabenOffen(bool felder, bool zeilen) const;
    // What the pages now hold in that part is the program's, not typed.
    void eingabenGefuellt(Eingabebereich bereich);
    // Rewrites a field's text; a text the program put there stays the program's.
    void nachfuehren(Steuerelement& feld, std::string text);

    // The invoice numbers of the file as the last load found them.
    Rechnungsnummern rechnungsnummern_;
    void KennzeichenAendern(const char* kennzeichen);
    void gruppeInPuffer(Feldgruppe gruppe);                // page fields of one group as they stand
    bool KundenNummerNormalisieren();                      // false after its error message
    DatenDatei GewaehltenSatzSperren(std::int64_t nummer); // ends the command unless it holds the chosen record
    [[noreturn]] void ListeVeraltetMelden();               // the list no longer matches the file
    bool RechnungsNummerVergeben(const DatenDatei& datei, std::int64_t ausser);
    void GespeichertenSatzWaehlen(const DatenSatz& gespeichert, std::int64_t satzNummer);
    void GewaehltenSatzZeigen();                         // the record in the buffer, chosen in the list
    bool VorlageLesen(const Steuerelement& nummernFeld); // false after the guard's message
    bool KeineDateiAbweisen(const std::string& pfad);
    // The e-invoice of the pages and the file the user chose for it; false after a message or a cancel.
    bool ERechnungVorbereiten(ERechnungsFormat format, std::string& xml, std::string& ziel);
    Rechnungsblatt rechnungsblattAusSeiten() const; // the shown offer or invoice as it prints
    bool ZielFreigeben(const std::string& ziel);    // a new name, or an existing file the user lets go    // true after
                                                    // its message: a folder or device
};

} // namespace fkb
