// Typed input on the customer and invoice pages: what the program put there last, so that a window can
// ask before a command replaces what the user typed.
#include "app/Seitenfelder.h"
#include "app/TFKB_Formular.h"
#include "data/Windows1252.h"
#include "navigation/Navigationstexte.h"

#include <algorithm>

namespace fkb {

namespace {

// Every field of the two pages that the user types into or sets with a field button: the record's text
// fields and kind letters, or the 25 rows.
template <class Formular, class Tun> bool einesDerEingabefelder(Formular& f, bool felder, bool zeilen, Tun tun) {
    if (felder) {
        for (const Seitenfeld& s : Seitenfelder)
            if (tun(f.*s.steuerelement))
                return true;
        if (tun(f.RechnungsKennZeichen) || tun(f.LieferKennzeichen))
            return true;
    }
    if (zeilen)
        for (auto* zeile : {&f.Position, &f.ME, &f.Menge, &f.Preis})
            for (auto& s : *zeile)
                if (tun(s))
                    return true;
    return false;
}

} // namespace

void TFKB_Formular::eingabenGefuellt(Eingabebereich bereich) {
    einesDerEingabefelder(*this, bereich != Eingabebereich::Zeilen, bereich != Eingabebereich::Felder,
                          [](Steuerelement& s) {
                              s.gefuellt = s.text;
                              return false;
                          });
}

void TFKB_Formular::nachfuehren(Steuerelement& feld, std::string text) {
    const bool vomProgramm = feld.text == feld.gefuellt;
    feld.text = std::move(text);
    if (vomProgramm)
        feld.gefuellt = feld.text;
}

bool TFKB_Formular::EingabenOffen() const {
    return eingabenOffen(true, true);
}

bool TFKB_Formular::eingabenOffen(bool felder, bool zeilen) const {
    return einesDerEingabefelder(*this, felder, zeilen, [](const Steuerelement& s) { return s.text != s.gefuellt; });
}

bool TFKB_Formular::verwirftEingaben(const Steuerelement& s) const {
    // A template replaces only its part of the pages.
    if (&s == &BitBtnLadenVorlageKunde)
        return eingabenOffen(true, false);
    if (&s == &BitBtnVorlageLadenRechnung)
        return eingabenOffen(false, true);
    for (const Steuerelement* ersetzt :
         {&Neu, &SpeedButtonNeu, &Oeffnen, &SpeedButtonOeffnen, &Speichern, &SpeedButtonSpeichern, &Loeschen,
          &SpeedButtonLoeschen, &Beenden, &SpeedButtonBeenden, &ListBoxObjekt, &ComboBoxKategorie, &ButtonSuche,
          &EditSuchText, &BitBtnStartFahndung})
        if (&s == ersetzt)
            return EingabenOffen();
    return false;
}

// A customer's node shows nothing, nor does an invoice that the list leaves out; a click while the list is
// empty reloads it, and that empties the pages.
bool TFKB_Formular::baumVerwirftEingaben(int wurzel, int kind) const {
    if (!EingabenOffen() || wurzel < 0 || wurzel >= int(BaumInhalt.wurzeln.size()))
        return false;
    const Baumknoten& knoten = BaumInhalt.wurzeln[std::size_t(wurzel)];
    if (kind >= int(knoten.kinder.size()))
        return false;
    if (AnzahlSaetze == 0)
        return true;
    const std::string_view schluessel = ersteZeichen(kind < 0 ? knoten.text : knoten.kinder[std::size_t(kind)], 6);
    return std::ranges::any_of(ListeObjekt.zeilen,
                               [&](const std::string& zeile) { return fuehrendesWort(zeile) == schluessel; });
}

} // namespace fkb
