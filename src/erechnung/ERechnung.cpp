// Checking the shown invoice for what an e-invoice needs, and turning it into the CII model.
#include "erechnung/ERechnung.h"

#include "app/Zeitpunkt.h"
#include "editing/Rechnungswerte.h"
#include "editing/Zahlen.h"
#include "erechnung/Codelisten.h"
#include "erechnung/Kennungen.h"
#include "erechnung/Rechnungsmodell.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <optional>

namespace fkb {
namespace {

using Maengel = std::vector<std::string>;

// The non-empty parts, without their outer blanks, joined by one blank.
std::string verbinden(std::initializer_list<std::string_view> teile) {
    std::string text;
    for (std::string_view teil : teile) {
        teil = ohneRandBlanks(teil);
        if (teil.empty())
            continue;
        if (!text.empty())
            text += ' ';
        text += teil;
    }
    return text;
}

std::string getrimmt(std::string_view text) {
    return std::string(ohneRandBlanks(text));
}

// "dd.mm.yyyy" as yyyymmdd; empty when the text is no date. A two-digit year ("07.12.26") is none either:
// it would pass for the year 26.
std::string datumKompakt(const std::string& text) {
    Zeitpunkt z;
    if (!Zeitpunkt::ausText(getrimmt(text), z) || z.jahr < 1900)
        return {};
    char kompakt[16];
    std::snprintf(kompakt, sizeof kompakt, "%04d%02d%02d", z.jahr, z.monat, z.tag);
    return kompakt;
}

std::int64_t cent(double wert) {
    return std::llround(wert * 100);
}

std::string positionsName(std::size_t index) {
    char name[16];
    std::snprintf(name, sizeof name, "Position %02zu", index + 1);
    return name;
}

// An address only XRechnung demands is sent where it is usable and otherwise left out.
void mailUebernehmen(const std::string& mail, std::string& ziel, const std::string& wessen, bool noetig,
                     Maengel& maengel) {
    ziel = getrimmt(mail);
    if (!noetig && !MailGueltig(ziel))
        ziel.clear();
    else if (ziel.empty())
        maengel.push_back("Mail " + wessen + " fehlt!");
    else if (!MailGueltig(ziel))
        maengel.push_back("Mail " + wessen + " ungültig!");
}

void anschriftUebernehmen(const std::string& strasse, const std::string& nummer, const std::string& plz,
                          const std::string& ort, const std::string& land, cii::Anschrift& ziel,
                          const std::string& wessen, Maengel& maengel) {
    ziel.Strasse = verbinden({strasse, nummer});
    ziel.PLZ = getrimmt(plz);
    ziel.Ort = getrimmt(ort);
    if (ziel.PLZ.empty())
        maengel.push_back("PLZ " + wessen + " fehlt!");
    if (ziel.Ort.empty())
        maengel.push_back("Ort " + wessen + " fehlt!");
    if (auto code = LaenderCode(land))
        ziel.Land = *code;
    else
        maengel.push_back("Land \"" + getrimmt(land) + "\" " + wessen + " unbekannt!");
}

// The seller's VAT id and tax number. A business trading only at home often has no VAT id: its tax
// number is enough there, while a delivery abroad states the VAT id. Without a VAT id the buyer's
// software still needs to tell the seller apart: by the register entry, else by the tax number.
void steuerKennungenUebernehmen(const ERechnungsDaten& d, cii::Partei& p, Maengel& maengel) {
    const auto& zeilen = d.Verkaeufer.Fusszeilen;
    const std::string ustIdText = FusszeilenWert(zeilen, "ustid");
    const std::string ustId = KennungBereinigen(ustIdText);
    const std::string steuernummer = FusszeilenWert(zeilen, {"steuernr", "stnr", "steuernummer"});
    if (ustId.empty() || UstIdGueltig(ustId))
        p.UstId = ustId;
    else if (SteuernummerGueltig(ustIdText))
        maengel.push_back("UstID im ParameterSatz ungültig - Steuernummer als \"Steuer-Nr.: …\" eintragen!");
    else
        maengel.push_back("UstID im ParameterSatz ungültig!");
    if (steuernummer.empty() || SteuernummerGueltig(steuernummer))
        p.Steuernummer = steuernummer;
    else
        maengel.push_back("Steuer-Nr. im ParameterSatz ungültig!");

    const std::string region = getrimmt(d.LieferKennzeichen);
    if ((region == "E" || region == "D") && ustId.empty())
        maengel.push_back("UstID im ParameterSatz fehlt - bei Lieferung ins Ausland nötig!");
    else if (ustId.empty() && steuernummer.empty())
        maengel.push_back("UstID oder Steuer-Nr. im ParameterSatz fehlt!");
    if (ustId.empty()) {
        p.Registereintrag = RegisterEintrag(zeilen);
        if (p.Registereintrag.empty())
            p.Kennung = p.Steuernummer;
    }
}

void verkaeuferUebernehmen(const ERechnungsDaten& d, bool xrechnung, cii::Rechnungsmodell& r, Maengel& maengel) {
    const ERechnungVerkaeufer& v = d.Verkaeufer;
    const std::string wessen = "im ParameterSatz";
    cii::Partei& p = r.Verkaeufer;
    const std::string person = verbinden({v.Vorname, v.Name});
    p.Name = getrimmt(v.Firma).empty() ? person : getrimmt(v.Firma);
    if (p.Name.empty())
        maengel.push_back("Firma oder Name im ParameterSatz fehlt!");
    p.Kontakt = person.empty() ? p.Name : person;
    // The mobile number stands in for a missing phone: both reach the owner.
    const std::string telefon = getrimmt(TelefonGueltig(v.Telephon) ? v.Telephon : v.Fax);
    if (TelefonGueltig(telefon))
        p.KontaktTelefon = telefon;
    else if (xrechnung)
        maengel.push_back("Telephon im ParameterSatz fehlt!");
    mailUebernehmen(v.Mail, p.Mail, wessen, xrechnung, maengel);
    p.KontaktMail = p.Mail;
    anschriftUebernehmen(v.Strasse, v.Nummer, v.PLZ, v.Ort, v.Land, p.anschrift, wessen, maengel);

    steuerKennungenUebernehmen(d, p, maengel);
    r.Iban = KennungBereinigen(FusszeilenWert(v.Fusszeilen, "iban"));
    if (r.Iban.empty())
        maengel.push_back("IBAN im ParameterSatz fehlt!");
    else if (!IbanGueltig(r.Iban))
        maengel.push_back("IBAN im ParameterSatz ungültig!");
    r.Bic = KennungBereinigen(FusszeilenWert(v.Fusszeilen, "bic"));
    if (!r.Bic.empty() && !BicGueltig(r.Bic))
        maengel.push_back("BIC im ParameterSatz ungültig!");
}

void kaeuferUebernehmen(const ERechnungsDaten& d, bool xrechnung, cii::Rechnungsmodell& r, Maengel& maengel) {
    const ERechnungKaeufer& k = d.Kaeufer;
    const std::string wessen = "des Kunden";
    cii::Partei& p = r.Kaeufer;
    const std::string person = verbinden({k.Vorname, k.Name});
    p.Name = getrimmt(k.Firma).empty() ? person : getrimmt(k.Firma);
    if (p.Name.empty())
        maengel.push_back("Firma oder Name des Kunden fehlt!");
    // The person at a firm, named as the address on paper names it: "Herr Dr. Max Mustermann".
    const std::string anrede = getrimmt(k.Anrede) == "Herr" || getrimmt(k.Anrede) == "Frau" ? k.Anrede : "";
    if (!getrimmt(k.Firma).empty() && !person.empty())
        p.Kontakt = verbinden({anrede, k.Zusatz, person});
    mailUebernehmen(k.Mail, p.Mail, wessen, xrechnung, maengel);
    anschriftUebernehmen(k.Strasse, k.Nummer, k.PLZ, k.Ort, k.Land, p.anschrift, wessen, maengel);
    // An authority is addressed by its Leitweg-ID, which then takes the customer number's place.
    const std::vector<std::string> bemerkung = TextZeilen(k.Bemerkung);
    const std::string leitwegId = ZeilenWert(bemerkung, {"leitwegid"});
    r.KaeuferReferenz = leitwegId.empty() ? getrimmt(k.KundenNummer) : leitwegId;
    if (r.KaeuferReferenz.empty() && xrechnung)
        maengel.push_back("KundenNummer fehlt!");
    r.Bestellnummer = ZeilenWert(bemerkung, {"bestellnummer", "bestellnr"});
}

void kopfUebernehmen(const ERechnungsDaten& d, cii::Rechnungsmodell& r, Maengel& maengel) {
    r.Nummer = getrimmt(d.RechnungsNummer);
    if (r.Nummer.empty())
        maengel.push_back("RechnungsNummer fehlt!");
    r.Ausstellungsdatum = datumKompakt(d.RechnungsDatum);
    if (r.Ausstellungsdatum.empty())
        maengel.push_back("RechnungsDatum fehlt oder ist ungültig!");
    r.Lieferdatum = datumKompakt(d.LeistungsDatum);
    if (r.Lieferdatum.empty())
        maengel.push_back("LeistungsDatum fehlt oder ist ungültig!");
    // A paid invoice says so, lest the buyer's software pay it a second time.
    if (getrimmt(d.RechnungsKennZeichen) == "B") {
        r.bezahlt = true;
        if (datumKompakt(d.ZahlungsEingang).empty())
            maengel.push_back("ZahlungsEingang fehlt oder ist ungültig!");
        r.Hinweise.push_back("Bezahlt am " + getrimmt(d.ZahlungsEingang));
    } else if (const std::string faellig = FaelligkeitsDatum(d.RechnungsDatum); !faellig.empty()) {
        r.Faelligkeitsdatum = datumKompakt(faellig);
        r.Zahlungsbedingung = "Zahlbar ohne Abzüge bis: " + faellig;
    }
}

// VAT by delivery region: domestic at the owner's rate, EU deliveries and exports free of VAT.
void steuerUebernehmen(const ERechnungsDaten& d, cii::Rechnungsmodell& r, Maengel& maengel) {
    cii::Steuer& s = r.steuer;
    const std::string region = getrimmt(d.LieferKennzeichen);
    if (region == "B") {
        s.Kategorie = "S";
        const UstSatz satz = ustSatzRechnen(zahlAusText(d.Verkaeufer.UstSatz));
        if (satz.befund != Befund::Gut || satz.zehntel <= 0)
            maengel.push_back("USt in ParameterSatz korrigieren!");
        else
            s.satzZehntel = satz.zehntel;
    } else if (region == "E") {
        s.Kategorie = "K";
        s.Befreiungsgrund = "Steuerfreie innergemeinschaftliche Lieferung gemäß § 4 Nr. 1b sowie 6a UStG";
        s.BefreiungsCode = "VATEX-EU-IC";
        r.Lieferanschrift = true;
        r.Kaeufer.UstId = KennungBereinigen(d.Kaeufer.ZolltarifNummer);
        if (r.Kaeufer.UstId.empty())
            maengel.push_back("Ust-IDN des Kunden fehlt - bei Lieferung in die EU nötig!");
        else if (!UstIdGueltig(r.Kaeufer.UstId))
            maengel.push_back("Ust-IDN \"" + getrimmt(d.Kaeufer.ZolltarifNummer) + "\" des Kunden ungültig!");
    } else if (region == "D") {
        s.Kategorie = "G";
        s.Befreiungsgrund = "Steuerfreie Ausfuhrlieferung gemäß § 4 Nr. 1a UStG";
        s.BefreiungsCode = "VATEX-EU-G";
        if (!getrimmt(d.Kaeufer.ZolltarifNummer).empty())
            r.Hinweise.push_back("ZolltarifNummer: " + getrimmt(d.Kaeufer.ZolltarifNummer));
    } else {
        maengel.push_back("LieferKennzeichen \"" + region + "\" unbekannt - B, E oder D wählen!");
    }
}

// One invoice line per row that names, counts or prices something; a row with a unit only is empty.
// The values are the invoice calculation's; false when a line value on the page does not follow from
// its quantity and price.
bool zeilenUebernehmen(const ERechnungsDaten& d, const Rechnungswerte& w, cii::Rechnungsmodell& r, Maengel& maengel) {
    bool stimmig = true;
    int belegt = 0;
    for (std::size_t i = 0; i < d.Zeilen.size(); ++i) {
        const ERechnungZeile& z = d.Zeilen[i];
        cii::Zeile zeile;
        zeile.nummer = int(i) + 1;
        zeile.Bezeichnung = getrimmt(z.Position);
        const std::string menge = getrimmt(z.Menge), preis = getrimmt(z.Preis);
        if (zeile.Bezeichnung.empty() && menge.empty() && preis.empty())
            continue;
        ++belegt;
        const std::string name = positionsName(i);
        if (zeile.Bezeichnung.empty())
            maengel.push_back(name + ": Bezeichnung fehlt!");
        if (auto code = EinheitenCode(z.ME))
            zeile.Einheit = *code;
        else
            maengel.push_back(name + ": ME \"" + getrimmt(z.ME) + "\" unbekannt!");
        // A refused entry shows "Fehler", which holds no number; the price is judged on its own.
        const Zeilenwert& werte = w.zeilen[i];
        const bool mengeGut = menge != Fehlermarke && werte.menge == Befund::Gut;
        const bool preisGut = preis != Fehlermarke && zeileRechnen({}, zahlAusText(preis)).preis == Befund::Gut;
        if (!mengeGut)
            maengel.push_back(name + ": Menge fehlerhaft!");
        if (!preisGut)
            maengel.push_back(name + ": Preis fehlerhaft!");
        if (!mengeGut || !preisGut)
            continue;
        zeile.mengeZehntel = werte.mengeZehntel;
        zeile.preisCent = werte.preisCent;
        zeile.wertCent = werte.wertCent;
        // The page shows the value with two decimals, or nothing for 0.
        const std::string wertZiffern = nurZiffern(z.Wert);
        stimmig = stimmig && wertZiffern.size() <= 15 &&
                  (wertZiffern.empty() ? 0 : std::stoll(wertZiffern)) == werte.wertCent;
        r.Zeilen.push_back(std::move(zeile));
    }
    if (belegt == 0)
        maengel.push_back("Keine Position in der Rechnung!");
    return stimmig;
}

// The costs in the order the printed invoice lists them.
void zuschlaegeUebernehmen(const ERechnungsDaten& d, const Rechnungswerte& w, cii::Rechnungsmodell& r) {
    const std::string sonstige = getrimmt(d.BezeichnungSonstigeKosten);
    const cii::Zuschlag kosten[] = {
        {w.kosten[1].cent, "AEK", "Nachnahmegebühr"},
        {w.kosten[0].cent, "FC", "Versandkosten"},
        {w.kosten[2].cent, "ABK", sonstige.empty() ? "Sonstige Kosten" : sonstige},
    };
    for (const cii::Zuschlag& k : kosten)
        if (k.cent != 0)
            r.Zuschlaege.push_back(k);
}

// The invoice calculation on what the pages show now. Its totals must be the ones of the page's
// last check: net, VAT and gross to the cent; else the page was changed since.
bool summenStimmen(const ERechnungsDaten& d, Rechnungswerte& w, cii::Rechnungsmodell& r) {
    if (w.abgewieseneKosten >= 0)
        return false;
    ustRechnen(w, r.steuer.satzZehntel);
    r.ustCent = w.ustCent;
    return w.nettoCent == cent(d.Summen.NettoWert) && w.ustCent == cent(d.Summen.UstWert) &&
           w.nettoCent + w.ustCent == cent(d.Summen.BruttoWert);
}

} // namespace

ERechnungsErgebnis ERechnungErstellen(const ERechnungsDaten& daten, ERechnungsFormat format) {
    ERechnungsErgebnis ergebnis;
    Maengel& maengel = ergebnis.maengel;
    const bool xrechnung = format == ERechnungsFormat::XRechnung;
    cii::Rechnungsmodell r;
    r.Leitlinie =
        xrechnung ? "urn:cen.eu:en16931:2017#compliant#urn:xeinkauf.de:kosit:xrechnung_3.0" : "urn:cen.eu:en16931:2017";
    verkaeuferUebernehmen(daten, xrechnung, r, maengel);
    kaeuferUebernehmen(daten, xrechnung, r, maengel);
    kopfUebernehmen(daten, r, maengel);
    steuerUebernehmen(daten, r, maengel);
    Rechnungseingaben eingaben;
    for (std::size_t k = 0; k < daten.Zeilen.size(); ++k) {
        eingaben.mengen[k] = zahlAusText(daten.Zeilen[k].Menge);
        eingaben.preise[k] = zahlAusText(daten.Zeilen[k].Preis);
    }
    for (std::size_t k = 0; k < daten.Kosten.size(); ++k)
        eingaben.kosten[k] = zahlAusText(daten.Kosten[k]);
    Rechnungswerte werte = rechnen(eingaben);
    const bool werteStimmen = zeilenUebernehmen(daten, werte, r, maengel);
    zuschlaegeUebernehmen(daten, werte, r);
    if (maengel.empty() && (!werteStimmen || !summenStimmen(daten, werte, r)))
        maengel.push_back("Werte und Summen nicht aktuell - Prüfen anwenden!");
    if (maengel.empty())
        ergebnis.xml = cii::CiiSchreiben(r);
    return ergebnis;
}

std::string FaelligkeitsDatum(const std::string& rechnungsDatum) {
    Zeitpunkt datum;
    if (datumKompakt(rechnungsDatum).empty() || !Zeitpunkt::ausText(getrimmt(rechnungsDatum), datum))
        return {};
    return datum.plusTage(14).datumText();
}

std::string ERechnungFehlerText(const std::vector<std::string>& maengel) {
    std::string text = "BedienFehler - E-Rechnung nicht erstellbar!";
    for (const std::string& mangel : maengel)
        text += '\r' + mangel;
    return text;
}

std::string ERechnungArtFehler(const std::string& rechnungsKennZeichen) {
    const std::string kennzeichen = getrimmt(rechnungsKennZeichen);
    if (kennzeichen == "R" || kennzeichen == "B")
        return {};
    if (kennzeichen == "A")
        return "BedienFehler - Angebot ist keine Rechnung!\rE-Rechnung nur bei RechnungsKennZeichen R oder B!";
    return "BedienFehler - keine Rechnung im Satz!\rE-Rechnung nur bei RechnungsKennZeichen R oder B!";
}

} // namespace fkb
