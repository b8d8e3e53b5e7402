// Checking the quantities, prices and costs of the invoice page and totalling it with VAT.
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "data/Laufzeitfehler.h"
#include "data/Windows1252.h"
#include "editing/Rechnungswerte.h"
#include "editing/Zahlen.h"

namespace fkb {
namespace {

// The messages of a refused entry; a digit string no 32-bit number holds (only a damaged file has one)
// ends the command with the runtime's conversion message.
void befundMelden(Plattform& p, Befund befund, const std::string& text, const char* was, const char* groesser) {
    if (befund == Befund::Gut || befund == Befund::Fehlt)
        return;
    if (befund == Befund::Unlesbar)
        throw KonvertierungsFehler(nurZiffern(text));
    const std::string problem = befund == Befund::Minus          ? std::string("Minuszeichen in ") + was + "!"
                                : befund == Befund::Kommastellen ? std::string("Kommastellenfehler in ") + was + "!"
                                                                 : std::string(groesser);
    p.fehlerMelden("BedienFehler - " + problem + "\r" + was + " korrigieren im Satz!");
}

// What the page shows of a line the calculation has judged, after the messages of a refused entry.
Positionswerte positionMelden(Plattform& p, const Zeilenwert& z, const std::string& mengenText,
                              const std::string& preisText) {
    Positionswerte zeile;
    zeile.preis = ersteZeichen(preisText, 15);
    befundMelden(p, z.menge, mengenText, "Menge", "die Menge ist größer 9.999,9!");
    if (z.menge != Befund::Gut) {
        zeile.menge = Fehlermarke;
        return zeile;
    }
    if (z.mengeZehntel > 0)
        zeile.menge = zahlFormatieren(double(z.mengeZehntel) / 10, Muster::Menge);
    befundMelden(p, z.preis, preisText, "Preis", "der Preis ist größer 999.999,99!");
    if (z.preis != Befund::Gut) {
        zeile.preis = Fehlermarke;
        return zeile;
    }
    // A typed zero such as 0,00 keeps its text.
    if (z.preisCent > 0)
        zeile.preis = zahlFormatieren(double(z.preisCent) / 100, Muster::Preis);
    else if (!zahlAusText(preisText).hatZiffern)
        zeile.preis.clear();
    zeile.wert = z.wert();
    return zeile;
}

std::string kostenMelden(Plattform& p, const Kostenwert& k, const std::string& text) {
    befundMelden(p, k.befund, text, "Kosten", "die Kosten sind größer 999,99!");
    if (k.befund != Befund::Gut)
        return Fehlermarke;
    return k.cent > 0 ? rechtsBuendig(zahlFormatieren(double(k.cent) / 100, Muster::Kosten), 6) : "";
}

} // namespace

std::string TFKB_Formular::KostenPruefen(const std::string& text) {
    return kostenMelden(plattform, kostenRechnen(zahlAusText(text)), text);
}

Positionswerte TFKB_Formular::PositionPruefen(const std::string& mengenText, const std::string& preisText) {
    return positionMelden(plattform, zeileRechnen(zahlAusText(mengenText), zahlAusText(preisText)), mengenText,
                          preisText);
}

bool TFKB_Formular::RechnungPruefen() {
    Rechnungseingaben eingaben;
    for (int k = 0; k < AnzahlZeilen; ++k) {
        eingaben.mengen[k] = zahlAusText(Menge[k].text);
        eingaben.preise[k] = zahlAusText(Preis[k].text);
    }
    const Steuerelement* kostenFelder[] = {&VersandKosten, &NachnameKosten, &SonstigeKosten};
    for (int k = 0; k < 3; ++k)
        eingaben.kosten[k] = zahlAusText(kostenFelder[k]->text);
    // Deliveries to another EU country or a third country carry no VAT.
    eingaben.inland = LieferKennzeichen.text == "B";
    Rechnungswerte werte = rechnen(eingaben);
    Summen = werte.summen;

    for (int k = 0; k < AnzahlZeilen; ++k) {
        const Positionswerte zeile = positionMelden(plattform, werte.zeilen[k], Menge[k].text, Preis[k].text);
        Wert[k].text = zeile.wert > 0 ? rechtsBuendig(zahlFormatieren(zeile.wert, Muster::Preis), 16) : "";
        // A normalised entry that the program put there stays the program's.
        nachfuehren(Menge[k], zeile.menge.empty() ? "" : rechtsBuendig(zeile.menge, 7));
        nachfuehren(Preis[k], zeile.preis.empty() ? "" : rechtsBuendig(zeile.preis, 10));
    }
    if (const int k = werte.abgewieseneKosten; k >= 0) {
        kostenMelden(plattform, werte.kosten[k], kostenFelder[k]->text);
        const std::string name = kostenFelder[k]->name;
        plattform.fehlerMelden("BedienFehler - Fehler in " + name + "!\r" + name + " korrigieren!");
        return false;
    }
    Summe_Positionen.text = rechtsBuendig(zahlFormatieren(Summen.NettoWert, Muster::Summe), 16);
    if (!werte.inland) {
        WertUst.text = "UmsatzSteuer";
        WertBrutto.text = "Wert brutto";
        return true;
    }

    // The rate is read afresh on every run, so an edited parameter record counts at once.
    DatenDatei(DateiName).lesen(0, ParameterPuffer);
    const std::string satzText = ParameterPuffer.text(SatzFeld::Menge(1));
    const UstSatz satz = ustSatzRechnen(zahlAusText(satzText));
    if (satz.befund == Befund::Unlesbar)
        throw KonvertierungsFehler(nurZiffern(satzText));
    if (satz.befund != Befund::Gut) {
        const char* problem = satz.befund == Befund::Kommastellen ? "BedienFehler - Kommastellenfehler in USt!"
                              : satz.befund == Befund::Fehlt      ? "LogikFehler - keine USt ermittelbar!"
                                                                  : "BedienFehler - USt ist größer 99,9!";
        plattform.fehlerMelden(std::string(problem) + "\rUSt in ParameterSatz korrigieren!");
        return false;
    }
    PanelUst.text = "UmsatzSteuer: " + zahlFormatieren(satz.wert(), Muster::Ust) + " %";
    ustRechnen(werte, satz.zehntel);
    Summen = werte.summen;
    WertUst.text = rechtsBuendig(zahlFormatieren(Summen.UstWert, Muster::Summe), 16);
    WertBrutto.text = rechtsBuendig(zahlFormatieren(Summen.BruttoWert, Muster::Summe), 16);
    return true;
}

void TFKB_Formular::SpeedButtonPruefungClick() {
    RechnungPruefen();
}

} // namespace fkb
