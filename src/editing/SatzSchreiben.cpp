// Building a record from the customer and invoice pages, writing it, and choosing it again.
#include "app/Seitenfelder.h"
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "editing/Zahlen.h"
#include "navigation/Navigationstexte.h"

namespace fkb {
namespace {

// The digits of the entry, at least six of them; "0" when there is none.
std::string rechnungsNummerNormalisiert(const std::string& text) {
    std::string ziffern = nurZiffern(text);
    if (ziffern.empty())
        return "0";
    if (ziffern.size() < 6)
        ziffern.insert(0, 6 - ziffern.size(), '0');
    return ziffern;
}

} // namespace

void TFKB_Formular::gruppeInPuffer(Feldgruppe gruppe) {
    for (const Seitenfeld& f : Seitenfelder)
        if (f.gruppe == gruppe)
            Puffer.setzeText(f.feld, (this->*f.steuerelement).text);
}

void TFKB_Formular::SatzSchreiben(char schreibmodus) {
    gruppeInPuffer(Feldgruppe::Kunde);

    Puffer.setzeText(SatzFeld::RechnungsNummer, rechnungsNummerNormalisiert(RechnungsNummer.text));
    // What the field really holds, so that the line of the stored record is found again.
    const std::string gespeicherteNummer = Puffer.text(SatzFeld::RechnungsNummer);

    if (Kennzeichen::geschuetzt(RechnungsKennZeichen.text) && hinweisModus())
        plattform.hinweisMelden("Wichtiger Hinweis - RechnungsKennZeichen = P oder V\r"
                                "kennzeichnet ParameterSatz / VorlageSatz!");

    // An empty kind or region field stores the zero byte, as a fresh parameter record holds it.
    Puffer.setzeZeichenText(SatzFeld::RechnungsKennZeichen, RechnungsKennZeichen.text);
    Puffer.setzeText(SatzFeld::ZahlungsEingang, ZahlungsEingang.text);
    Puffer.setzeZeichenText(SatzFeld::LieferKennzeichen, LieferKennzeichen.text);
    Puffer.setzeText(SatzFeld::ZolltarifNummer, ZolltarifNummer.text);

    // The record is stored also when the calculation failed; its messages ask for a correction.
    RechnungPruefen();

    for (int k = 0; k < AnzahlZeilen; ++k) {
        Puffer.setzeText(SatzFeld::Position(k + 1), Position[k].text);
        Puffer.setzeText(SatzFeld::ME(k + 1), ME[k].text);
        Puffer.setzeText(SatzFeld::Menge(k + 1), Menge[k].text);
        Puffer.setzeText(SatzFeld::Preis(k + 1), Preis[k].text);
    }
    for (const Seitenfeld& f : Seitenfelder)
        if (f.gruppe == Feldgruppe::Kosten)
            Puffer.setzeText(f.feld, KostenPruefen((this->*f.steuerelement).text));

    gruppeInPuffer(Feldgruppe::Abschluss);
    const Zeitpunkt jetzt = plattform.jetzt();
    Puffer.setzeText(SatzFeld::SystemStempelDatum, jetzt.datumText());
    Puffer.setzeText(SatzFeld::SystemStempelZeit, jetzt.zeitText());

    PanelUst.zuruecksetzen();

    if (schreibmodus == 'N') {
        DatenDatei(DateiName).anhaengen(Puffer);
    } else {
        const int nummer = SchluesselErmitteln();
        GewaehltenSatzSperren(nummer).schreiben(nummer, Puffer);
    }

    NavigationLaden("Alles", false);
    anzeigeFelderSetzen();
    GespeichertenSatzWaehlen(gespeicherteNummer);
}

// Of several lines with this invoice number the last one stays current.
void TFKB_Formular::GespeichertenSatzWaehlen(const std::string& rechnungsNummer) {
    if (ListeObjekt.zeilen.empty())
        return;
    ListeObjekt.mehrfach = true;
    for (std::size_t z = 0; z < ListeObjekt.zeilen.size(); ++z)
        if (fuehrendesWort(ListeObjekt.zeilen[z]) == rechnungsNummer)
            ListeObjekt.auswahl = int(z);
    ListeObjekt.mehrfach = false;
}

} // namespace fkb
