// The user's ways into the navigation: a list line, a tree node, a category, a search.
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "data/Windows1252.h"
#include "navigation/Navigationstexte.h"

namespace fkb {

// The list holds record numbers of the file as it was loaded. Another program may have compacted it,
// copied another file over it or changed the record since: the record must still give the very line
// chosen, or the line names another record, or none.
void TFKB_Formular::ListBoxObjektClick() {
    const int nummer = SchluesselErmitteln();
    DatenSatz satz;
    std::string zeile;
    if (DatenDatei(DateiName).lesenFallsVorhanden(nummer, satz) &&
        satz.zeichen(SatzFeld::RechnungsKennZeichen) != Kennzeichen::Geloescht)
        zeile = listenzeile(satz, nummer);
    if (zeile != ListeObjekt.zeilen[std::size_t(ListeObjekt.auswahl)])
        ListeVeraltetMelden();
    Puffer = satz;
    GewaehltenSatzZeigen();
}

// The record in the buffer is that of the current line. It is kept as chosen: overwrite and delete
// write by the line's number only while the file still holds it there.
void TFKB_Formular::GewaehltenSatzZeigen() {
    GewaehlterSatz = Puffer;
    GewaehlteNummer = SchluesselErmitteln();
    SatzAnzeigen();
    Satz_Speichern.aktiv = true;
    Satz_Loeschen.aktiv = true;
}

// Nothing is written by the list's numbers until the file is opened anew; what was typed stays.
void TFKB_Formular::ListeVeraltetMelden() {
    GewaehlteNummer = -1;
    Satz_Speichern.aktiv = false;
    Satz_Loeschen.aktiv = false;
    plattform.fehlerMelden("LogikFehler - Datei " + DateiName +
                           " wurde inzwischen von einem anderen Programm geändert!\r"
                           "Datei neu öffnen, dann Satz erneut wählen!");
    throw BefehlAbbruch{};
}

void TFKB_Formular::BaumClick() {
    if (AnzahlSaetze == 0)
        NavigationLaden("Alles", false);
    if (AnzahlKnoten == 0 || BaumInhalt.wurzel < 0)
        return;

    const Baumknoten wurzel = BaumInhalt.wurzeln[std::size_t(BaumInhalt.wurzel)];
    const std::string_view knoten = BaumInhalt.kind < 0 ? wurzel.text : wurzel.kinder[std::size_t(BaumInhalt.kind)];
    const std::string schluessel(ersteZeichen(knoten, 6));
    // The leading token of a line is the key exactly when the key holds no blank and the line is the key
    // or begins with it and a blank; the line need not be made whole for that.
    const bool moeglich = schluessel.find(' ') == std::string::npos;

    // Every line of that invoice number is chosen in turn; the last one stays current.
    ListeObjekt.mehrfach = true;
    struct Einfachauswahl {
        Listenfeld& liste;
        ~Einfachauswahl() { liste.mehrfach = false; }
    } zurueck{ListeObjekt};
    for (std::size_t z = 0; z < ListeObjekt.zeilen.size(); ++z) {
        if (moeglich &&
            (ListeObjekt.zeilen.gleich(z, schluessel) || ListeObjekt.zeilen.beginntMit(z, schluessel + ' '))) {
            ListeObjekt.auswahl = int(z);
            ListBoxObjektClick();
        }
    }
}

void TFKB_Formular::ComboBoxKategorieClick() {
    NavigationLaden(KategorieListe.text, false);
}

void TFKB_Formular::EditSuchTextChange() {
    ButtonSuche.aktiv = !EditSuchText.text.empty();
}

void TFKB_Formular::ButtonSucheClick() {
    NavigationLaden(EditSuchText.text, true);
    ButtonSuche.aktiv = false;
}

} // namespace fkb
