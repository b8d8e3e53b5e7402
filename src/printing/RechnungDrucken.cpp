// "Druck Rechnung": the offer or invoice on the pages, calculated afresh, on the chosen printer.
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "printing/Rechnungsdruck.h"

namespace fkb {

Rechnungsblatt TFKB_Formular::rechnungsblattAusSeiten() const {
    Rechnungsblatt blatt;
    blatt.Anrede = Anrede.text;
    blatt.Zusatz = Zusatz.text;
    blatt.Vorname = Vorname.text;
    blatt.Name = Name.text;
    blatt.Firma = Firma.text;
    blatt.Strasse = Strasse.text;
    blatt.Nummer = Nummer.text;
    blatt.PLZ = PLZ.text;
    blatt.Ort = Ort.text;
    blatt.Land = Land.text;
    blatt.KundenNummer = KundenNummer.text;
    blatt.RechnungsNummer = RechnungsNummer.text;
    blatt.RechnungsDatum = RechnungsDatum.text;
    blatt.RechnungsKennZeichen = RechnungsKennZeichen.text;
    blatt.LeistungsDatum = LeistungsDatum.text;
    blatt.LieferKennzeichen = LieferKennzeichen.text;
    blatt.ZolltarifNummer = ZolltarifNummer.text;
    blatt.BezeichnungSonstigeKosten = BezeichnungSonstigeKosten.text;
    for (std::size_t k = 0; k < blatt.zeilen.size(); ++k)
        blatt.zeilen[k] = {Position[k].text, ME[k].text, Menge[k].text, Preis[k].text, Wert[k].text};
    blatt.summen = Summen;
    return blatt;
}

void TFKB_Formular::BitBtnDruckClick() {
    if (!RechnungPruefen())
        return;
    if (hinweisModus() &&
        !plattform.bestaetigen("Wichtig! Numerische Werte wurden geprüft - Summen u. Kosten prüfen!\r"
                               "RechnungsDatum wird bei RechnungsKennZeichen=A/R gesetzt!\r"
                               "\r"
                               "Beachte! DatenSatz sollte gespeichert sein - \"Neu\" oder \"Überschreiben\" anwenden!\r"
                               "\r"
                               "Soll Rechnung gedruckt werden?"))
        return;
    if (!plattform.druckDialog(
            ablageVorschlag(RechnungsKennZeichen.text == "A" ? "Angebot" : "Rechnung", RechnungsNummer.text, "pdf")))
        return;
    DatenDatei(DateiName).lesen(0, ParameterPuffer);
    // Enter prints on letterhead: a form print lacks sender, tax number and bank.
    const bool formular = plattform.bestaetigenVorgabeNein("Soll Rechnung in Formular gedruckt werden?");

    // An offer or invoice is dated the day it is printed; the page keeps that date for a store.
    const Zeitpunkt heute = plattform.jetzt();
    if (RechnungsKennZeichen.text == "A" || RechnungsKennZeichen.text == "R")
        RechnungsDatum.text = heute.datumText();

    Rechnungsblatt blatt = rechnungsblattAusSeiten();
    blatt.formular = formular;
    // Due two weeks after printing, whatever the invoice date says.
    blatt.faelligAm = heute.plusTage(14).datumText();

    rechnungDrucken(*plattform.druckLeinwand(), Absender::aus(ParameterPuffer), blatt);
}

} // namespace fkb
