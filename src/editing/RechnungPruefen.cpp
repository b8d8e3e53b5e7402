// Checking the quantities, prices and costs of the invoice page and totalling it with VAT.
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "data/Laufzeitfehler.h"
#include "data/Windows1252.h"
#include "editing/Zahlen.h"

namespace fkb {

std::string TFKB_Formular::KostenPruefen(const std::string& text) {
    const KommaZahl kosten = KommaZahlLesen(text);
    if (kosten.negativ()) {
        plattform.fehlerMelden("BedienFehler - Minuszeichen in Kosten!\rKosten korrigieren im Satz!");
        return Fehlermarke;
    }
    if (kosten.nachkommastellen > 2) {
        plattform.fehlerMelden("BedienFehler - Kommastellenfehler in Kosten!\rKosten korrigieren im Satz!");
        return Fehlermarke;
    }
    if (!kosten.hatZiffern())
        return {};
    const double wert = kosten.wert();
    if (wert > 999.999) {
        plattform.fehlerMelden("BedienFehler - die Kosten sind größer 999,99!\rKosten korrigieren im Satz!");
        return Fehlermarke;
    }
    if (wert > 0)
        return rechtsBuendig(zahlFormatieren(wert, Muster::Kosten), 6);
    return {};
}

Positionswerte TFKB_Formular::PositionPruefen(const std::string& mengenText, const std::string& preisText) {
    Positionswerte zeile;
    zeile.preis = ersteZeichen(preisText, 15);
    double menge = 0;
    double preis = 0;

    const KommaZahl mengenZahl = KommaZahlLesen(mengenText);
    if (mengenZahl.negativ()) {
        plattform.fehlerMelden("BedienFehler - Minuszeichen in Menge!\rMenge korrigieren im Satz!");
        zeile.menge = Fehlermarke;
        return zeile;
    }
    if (mengenZahl.nachkommastellen > 1) {
        plattform.fehlerMelden("BedienFehler - Kommastellenfehler in Menge!\rMenge korrigieren im Satz!");
        zeile.menge = Fehlermarke;
        return zeile;
    }
    if (mengenZahl.hatZiffern()) {
        menge = mengenZahl.wert();
        if (menge > 9999.99) {
            plattform.fehlerMelden("BedienFehler - die Menge ist größer 9.999,9!\rMenge korrigieren im Satz!");
            zeile.menge = Fehlermarke;
            return zeile;
        }
        if (menge > 0)
            zeile.menge = zahlFormatieren(menge, Muster::Menge);
    }

    const KommaZahl preisZahl = KommaZahlLesen(preisText);
    if (preisZahl.negativ()) {
        plattform.fehlerMelden("BedienFehler - Minuszeichen in Preis!\rPreis korrigieren im Satz!");
        zeile.preis = Fehlermarke;
        return zeile;
    }
    if (preisZahl.nachkommastellen > 2) {
        plattform.fehlerMelden("BedienFehler - Kommastellenfehler in Preis!\rPreis korrigieren im Satz!");
        zeile.preis = Fehlermarke;
        return zeile;
    }
    if (preisZahl.hatZiffern()) {
        preis = preisZahl.wert();
        if (preis > 999999.999) {
            plattform.fehlerMelden("BedienFehler - der Preis ist größer 999.999,99!\rPreis korrigieren im Satz!");
            zeile.preis = Fehlermarke;
            return zeile;
        }
        // A typed zero such as 0,00 keeps its text.
        if (preis > 0)
            zeile.preis = zahlFormatieren(preis, Muster::Preis);
    } else {
        zeile.preis.clear();
    }

    zeile.wert = positionsWert(menge, preis);
    return zeile;
}

bool TFKB_Formular::RechnungPruefen() {
    Summen.NettoWert = 0;
    for (int k = 0; k < AnzahlZeilen; ++k) {
        const Positionswerte zeile = PositionPruefen(Menge[k].text, Preis[k].text);
        Summen.NettoWert += zeile.wert;
        Wert[k].text = zeile.wert > 0 ? rechtsBuendig(zahlFormatieren(zeile.wert, Muster::Preis), 16) : "";
        // A normalised entry that the program put there stays the program's.
        nachfuehren(Menge[k], zeile.menge.empty() ? "" : rechtsBuendig(zeile.menge, 7));
        nachfuehren(Preis[k], zeile.preis.empty() ? "" : rechtsBuendig(zeile.preis, 10));
    }

    struct Kosten {
        const Steuerelement& feld;
        double& wert;
        const char* meldung;
    };
    const Kosten kosten[] = {
        {VersandKosten, Summen.VersandKosten, "BedienFehler - Fehler in VersandKosten!\rVersandKosten korrigieren!"},
        {NachnameKosten, Summen.NachnameKosten,
         "BedienFehler - Fehler in NachnameKosten!\rNachnameKosten korrigieren!"},
        {SonstigeKosten, Summen.SonstigeKosten,
         "BedienFehler - Fehler in SonstigeKosten!\rSonstigeKosten korrigieren!"},
    };
    for (const Kosten& k : kosten) {
        const std::string text = KostenPruefen(k.feld.text);
        if (text == Fehlermarke) {
            plattform.fehlerMelden(k.meldung);
            return false;
        }
        // A checked cost always carries two decimals.
        k.wert = text.empty() ? 0 : textZuInt(KommaZahlLesen(text).ziffern) / 100.0;
    }

    Summen.NettoWert = Summen.NettoWert + Summen.VersandKosten + Summen.NachnameKosten + Summen.SonstigeKosten;
    Summe_Positionen.text = rechtsBuendig(zahlFormatieren(Summen.NettoWert, Muster::Summe), 16);

    // Deliveries to another EU country or a third country carry no VAT.
    if (LieferKennzeichen.text != "B") {
        WertUst.text = "UmsatzSteuer";
        WertBrutto.text = "Wert brutto";
        Summen.UstWert = 0;
        Summen.BruttoWert = Summen.NettoWert;
        return true;
    }

    // The rate is read afresh on every run, so an edited parameter record counts at once.
    DatenDatei(DateiName).lesen(0, ParameterPuffer);
    const KommaZahl ust = KommaZahlLesen(ParameterPuffer.text(SatzFeld::Menge(1)));
    if (ust.nachkommastellen > 1) {
        plattform.fehlerMelden("BedienFehler - Kommastellenfehler in USt!\rUSt in ParameterSatz korrigieren!");
        return false;
    }
    if (!ust.hatZiffern()) {
        plattform.fehlerMelden("LogikFehler - keine USt ermittelbar!\rUSt in ParameterSatz korrigieren!");
        return false;
    }
    const double satz = ust.wert();
    if (satz > 99.99) {
        plattform.fehlerMelden("BedienFehler - USt ist größer 99,9!\rUSt in ParameterSatz korrigieren!");
        return false;
    }
    PanelUst.text = "UmsatzSteuer: " + zahlFormatieren(satz, Muster::Ust) + " %";

    Summen.UstWert = umsatzSteuer(Summen.NettoWert, satz);
    WertUst.text = rechtsBuendig(zahlFormatieren(Summen.UstWert, Muster::Summe), 16);
    Summen.BruttoWert = Summen.NettoWert + Summen.UstWert;
    WertBrutto.text = rechtsBuendig(zahlFormatieren(Summen.BruttoWert, Muster::Summe), 16);
    return true;
}

void TFKB_Formular::SpeedButtonPruefungClick() {
    RechnungPruefen();
}

} // namespace fkb
