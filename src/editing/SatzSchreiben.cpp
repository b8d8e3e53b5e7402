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

    std::int64_t satzNummer = schreibmodus == 'N' ? -1 : SchluesselErmitteln();
    bool vergeben;
    {
        const DatenDatei datei =
            schreibmodus == 'N' ? DatenDatei(DateiName, Sperrart::Schreiben) : GewaehltenSatzSperren(satzNummer);
        vergeben = RechnungsNummerVergeben(datei, satzNummer);
        if (!vergeben && schreibmodus == 'N')
            satzNummer = datei.anhaengen(Puffer);
        else if (!vergeben)
            datei.schreiben(satzNummer, Puffer);
    }
    // Shown once the lock is let go: the user may leave the box open for long.
    if (vergeben) {
        plattform.fehlerMelden("LogikFehler - RechnungsNummer " + Puffer.text(SatzFeld::RechnungsNummer) +
                               " ist schon vergeben!\rNächste freie Nummer mit +1 setzen!");
        return;
    }

    // The load reads the whole file through the buffer.
    const DatenSatz gespeichert = Puffer;
    NavigationLaden("Alles", false);
    anzeigeFelderSetzen();
    GespeichertenSatzWaehlen(gespeichert, satzNummer);
}

// Whether another live invoice carries the invoice number of the record to be stored; asked under the
// write lock, so that no other program takes the number in between.
bool TFKB_Formular::RechnungsNummerVergeben(const DatenDatei& datei, std::int64_t ausser) {
    const std::optional<std::uint32_t> nummer = Rechnungsnummern::nummerVon(Puffer);
    if (!Rechnungsnummern::istRechnung(Puffer) || !nummer)
        return false;
    // An invoice overwritten under the number it has adds no second one: where an older file holds two,
    // each stays editable under the number its customer knows.
    if (ausser >= 0 && Rechnungsnummern::istRechnung(GewaehlterSatz) &&
        Rechnungsnummern::nummerVon(GewaehlterSatz) == nummer)
        return false;
    // Changed since the last load, by another program or by marking paid: the file itself is asked.
    const Dateistand stand = datei.stand();
    if (!rechnungsnummern_.beschreibt(stand)) {
        rechnungsnummern_.beginnen();
        datei.durchlaufen([this](std::int64_t i, const DatenSatz& satz) { rechnungsnummern_.aufnehmen(satz, i); });
        rechnungsnummern_.abschliessen(stand);
    }
    return rechnungsnummern_.traeger(*nummer, ausser) >= 0;
}

// The stored record by its number, unless another program compacted the file in between: then the
// line that shows it under its new number. Not found — deleted meanwhile — nothing is chosen, and the
// store is still what it was, done.
void TFKB_Formular::GespeichertenSatzWaehlen(const DatenSatz& gespeichert, std::int64_t satzNummer) {
    const std::string zeile = listenzeile(gespeichert, satzNummer);
    const std::string_view ohneSchluessel = std::string_view(zeile).substr(0, zeile.rfind("~~~") + 3);
    ListeObjekt.auswahl = -1;
    for (std::size_t z = 0; z < ListeObjekt.zeilen.size(); ++z) {
        if (ListeObjekt.zeilen.gleich(z, zeile)) {
            ListeObjekt.auswahl = int(z);
            break;
        }
        if (ListeObjekt.zeilen.beginntMit(z, ohneSchluessel))
            ListeObjekt.auswahl = int(z);
    }
    if (ListeObjekt.auswahl < 0)
        return;
    Puffer = gespeichert;
    GewaehltenSatzZeigen();
}

} // namespace fkb
