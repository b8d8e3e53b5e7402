// The page of an offer or invoice: letterhead or form paper, address and numbers, the 25 lines,
// costs and totals, payment term, region texts, closing and footer.
#include "printing/Rechnungsdruck.h"

#include "editing/Zahlen.h"
#include "printing/Seitenlauf.h"

namespace fkb {
namespace {

using namespace Spalten;

constexpr int Schrift = 35;       // the page body
constexpr int KleineSchrift = 20; // the sender line
constexpr int Anfang = 300;       // first row of every page

std::string blanks(int n) {
    return std::string(std::size_t(n), ' ');
}

void briefkopf(Seitenlauf& s, const Absender& a) {
    s.d = Anfang;
    s.zeile({{Links, a.Zusatz + blanks(10) + a.Firma}});
    s.vor(1);
    s.zeile({{Links, a.Vorname + " " + a.Name + blanks(3)}});
    s.vor(1);
    s.zeile({{Links, a.Strasse + " " + a.Nummer}});
    s.vor(2);
    s.zeile({{Links, a.PLZ + " " + a.Ort}});
    s.vor(1);
    s.zeile({{Links, a.Land}});
    s.vor(1);
    s.zeile({{Links, linie()}});
    s.vor(2);
    s.schrift(KleineSchrift);
    s.vor(1);
    s.zeile({{Links, a.Firma + blanks(3) + a.Vorname + " " + a.Name + blanks(3) + a.Strasse + " " + a.Nummer +
                         blanks(3) + a.PLZ + " " + a.Ort + blanks(3) + a.Land}});
    s.schrift(Schrift);
}

const char* titel(const std::string& kennzeichen) {
    if (kennzeichen == "A")
        return "Angebot";
    if (kennzeichen == "R")
        return "Rechnung";
    return "bezahlte Rechnung";
}

void anschrift(Seitenlauf& s, const Rechnungsblatt& r) {
    s.vor(2);
    s.zeile({{Links, r.Anrede + " " + r.Zusatz}, {Titel, "Kunden-Nr.: "}, {Nummern, blanks(5) + r.KundenNummer}});
    s.vor(1);
    s.zeile({{Links, r.Vorname + " " + r.Name}, {Titel, "Rechnungs-Nr.: "}, {Nummern, blanks(4) + r.RechnungsNummer}});
    s.vor(1);
    s.zeile({{Links, r.Firma}, {Titel, "Rechnungs-Datum: "}, {Nummern, r.RechnungsDatum}});
    s.vor(1);
    s.zeile({{Links, r.Strasse + " " + r.Nummer}});
    s.vor(2);
    s.zeile({{Links, r.PLZ + " " + r.Ort}});
    s.vor(1);
    s.zeile({{Links, r.Land}});
}

void positionen(Seitenlauf& s, const Rechnungsblatt& r) {
    s.vor(2);
    s.zeile(
        {{Links, "Position"}, {ME, "| ME"}, {Menge, "|  Menge"}, {Preis, "| Preis-ne."}, {Wert, "|     Wert (in €)"}});
    s.vor(1);
    s.zeile({{Links, linie()}});
    s.vor(1);
    // Empty lines too: they show their column bars.
    for (const Druckzeile& z : r.zeilen) {
        s.vor(1);
        s.zeile({{Links, z.Position},
                 {ME, "| " + z.ME},
                 {Menge, "| " + z.Menge},
                 {Preis, "|" + z.Preis},
                 {Wert, "|" + z.Wert}});
    }
    s.vor(1);
    s.zeile({{Links, linie()}});
}

void summen(Seitenlauf& s, const Absender& a, const Rechnungsblatt& r) {
    const RechnungsSummen& w = r.summen;
    int abstand = 2; // the first row below the rule, then one step each
    auto betragZeile = [&](const std::string& bezeichnung, double wert) {
        s.vor(abstand);
        abstand = 1;
        s.zeile({{Links, bezeichnung}, {Wert, betragText(wert)}});
    };
    if (w.NachnameKosten != 0)
        betragZeile("Nachname-Kosten", w.NachnameKosten);
    if (w.VersandKosten != 0)
        betragZeile("Versand-Kosten", w.VersandKosten);
    if (w.SonstigeKosten != 0)
        betragZeile(r.BezeichnungSonstigeKosten, w.SonstigeKosten);
    betragZeile("RechnungsSumme netto", w.NettoWert);
    if (r.LieferKennzeichen == "B") {
        s.vor(1);
        s.zeile({{Links, a.UstBezeichnung}, {Menge, a.UstSatz + " %"}, {Wert, betragText(w.UstWert)}});
    }
    s.vor(1);
    s.zeile({{Links, linie()}});
    s.vor(2);
    s.zeile({{Links, "zu zahlende GesamtSumme"}, {Wert, betragText(w.BruttoWert)}});
    s.vor(2);
    s.zeile({{Links, "LeistungsDatum: " + r.LeistungsDatum + "   Zahlbar ohne Abzüge bis: " + r.faelligAm}});
}

void lieferhinweis(Seitenlauf& s, const Rechnungsblatt& r) {
    static const char* const ausfuehrer = "Der Ausführer der Ware auf den sich dieses Handelspapier bezieht erklärt,";
    static const char* const ursprung =
        "dass die Ware, soweit nicht anders angegeben, präferenzbegünstigte CE-Ursprungswaren sind.";
    auto zeile = [&s](const std::string& text) {
        s.vor(1);
        s.zeile({{Links, text}});
    };
    if (r.LieferKennzeichen == "D") {
        zeile("Lieferung erfolgt in Drittland ohne MehrwertSteuer.");
        zeile(ausfuehrer);
        zeile(ursprung);
        zeile("ZolltarifNummer: " + r.ZolltarifNummer);
    } else if (r.LieferKennzeichen == "E") {
        zeile("Steuerfreie innergemeinschaftliche Lieferung - gemäß § 4 Nr. 1b sowie 6a UStG.");
        zeile("Lieferung erfogt ohne Mehrwertsteuer.");
        zeile(ausfuehrer);
        zeile(ursprung);
        // The same page field carries the customs tariff number or the VAT identification number.
        zeile("Ust-IdentNummer: " + r.ZolltarifNummer);
    }
}

void gruss(Seitenlauf& s, const Absender& a, const Rechnungsblatt& r) {
    s.vor(1);
    s.zeile({{Links, "Bei Rückfragen stehe ich gern zu Ihrer Verfügung."}});
    s.vor(2);
    s.zeile({{Links, "Mit freundlichen Grüßen"}});
    s.vor(1);
    s.zeile({{Links, a.Vorname + " " + a.Name}});
    if (r.LieferKennzeichen != "B") {
        s.vor(1);
        s.zeile({{Links, "(Unterschrift)"}});
    }
}

void fusszeilen(Seitenlauf& s, const Absender& a) {
    s.vor(1);
    s.zeile({{Links, linie()}});
    s.vor(2);
    s.zeile({{Links, a.Firma}, {ME, "Tel.    : " + a.Telephon}});
    s.vor(1);
    s.zeile({{Links, a.Zusatz}, {ME, "Fax/Mob.: " + a.Fax}});
    s.vor(1);
    s.zeile({{Links, a.Vorname + " " + a.Name + blanks(3)}, {ME, "Internet: " + a.InternetAdresse}});
    s.vor(1);
    s.zeile({{Links, a.Strasse + " " + a.Nummer}, {ME, "e-Mail  : " + a.Mail}});
    s.vor(1);
    s.zeile({{ME, a.Zeilen[0]}});
    s.vor(1);
    s.zeile({{Links, a.PLZ + " " + a.Ort}, {ME, a.Zeilen[1]}});
    s.vor(1);
    s.zeile({{Links, a.Land}, {ME, a.Zeilen[2]}});
    s.vor(2);
    s.zeile({{Links, a.Zeilen[3]}, {ME, a.Zeilen[4]}});
    s.vor(1);
    s.zeile({{ME, a.Zeilen[5]}});
}

} // namespace

Absender Absender::aus(const DatenSatz& p) {
    namespace F = SatzFeld;
    Absender a;
    a.Anrede = p.text(F::Anrede);
    a.Firma = p.text(F::Firma);
    a.Name = p.text(F::Name);
    a.Vorname = p.text(F::Vorname);
    a.Zusatz = p.text(F::Zusatz);
    a.Strasse = p.text(F::Strasse);
    a.Nummer = p.text(F::Nummer);
    a.PLZ = p.text(F::PLZ);
    a.Ort = p.text(F::Ort);
    a.Land = p.text(F::Land);
    a.Telephon = p.text(F::Telephon);
    a.Fax = p.text(F::Fax);
    a.Mail = p.text(F::Mail);
    a.InternetAdresse = p.text(F::InternetAdresse);
    a.UstBezeichnung = p.text(F::Position(1));
    a.UstSatz = p.text(F::Menge(1));
    for (int k = 2; k <= 7; ++k)
        a.Zeilen[std::size_t(k - 2)] = p.text(F::Position(k));
    return a;
}

std::string betragText(double wert) {
    return "  " + rechtsBuendig(zahlFormatieren(wert, Muster::Druck), 15);
}

void rechnungDrucken(Leinwand& leinwand, const Absender& absender, const Rechnungsblatt& blatt) {
    leinwand.dokumentBeginnen();
    leinwand.abbildungMetrisch();
    leinwand.schriftName("Courier");
    leinwand.schriftFarbe(Schwarz);
    leinwand.schriftStil(Schriftstil::Fett);
    Seitenlauf s(leinwand, absender.Anrede, Anfang);
    s.schrift(Schrift);

    // On form paper the title takes the place of the printed letterhead.
    if (blatt.formular)
        s.d = Anfang + 11 * s.schritt();
    else
        briefkopf(s, absender);
    s.zeile({{Titel, titel(blatt.RechnungsKennZeichen)}});
    anschrift(s, blatt);
    positionen(s, blatt);
    summen(s, absender, blatt);
    lieferhinweis(s, blatt);
    gruss(s, absender, blatt);
    if (!blatt.formular)
        fusszeilen(s, absender);
    leinwand.dokumentBeenden();
}

} // namespace fkb
