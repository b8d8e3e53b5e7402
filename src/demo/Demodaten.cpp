#include "demo/Demodaten.h"

#include "app/Plattform.h"
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "data/Laufzeitfehler.h"
#include "demo/Demokatalog.h"
#include "editing/Zahlen.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace fkb::demo {
namespace {

using Tag = std::chrono::sys_days;

// The seeding runs through the program itself; it asks nothing, and a message would mean a broken file.
class StillePlattform : public GrundPlattform {
public:
    explicit StillePlattform(const Zeitpunkt& jetzt) : jetzt_(jetzt) {}
    void fehlerMelden(const std::string& text) override { throw Laufzeitfehler(text); }
    void hinweisMelden(const std::string&) override {}
    bool bestaetigen(const std::string&) override { return false; }
    std::optional<std::string> dateiWaehlen(const DateiDialog&) override { return std::nullopt; }
    bool druckDialog(const std::string&) override { return false; }
    std::unique_ptr<Leinwand> druckLeinwand() override { return nullptr; }
    int dokumentOeffnen(const std::string&, const std::string&) override { return 2; }
    void infoZeigen() override {}
    std::string programmOrdner() override { return "./"; }
    Zeitpunkt jetzt() override { return jetzt_; }
    void beenden() override {}

private:
    Zeitpunkt jetzt_;
};

// A small generator of its own, so that the same day gives the same file on every machine.
class Zufall {
public:
    int bis(int n) { return int(naechste() % std::uint32_t(n)); }
    int zwischen(int von, int bis_) { return von + bis(bis_ - von + 1); }
    bool chance(int prozent) { return bis(100) < prozent; }

private:
    std::uint32_t naechste() {
        z_ ^= z_ << 13;
        z_ ^= z_ >> 7;
        z_ ^= z_ << 17;
        return std::uint32_t(z_ >> 32);
    }
    std::uint64_t z_ = 0x46616b7475726275; // "Fakturbu"
};

Tag tagVon(const Zeitpunkt& z) {
    using namespace std::chrono;
    return year_month_day{year{z.jahr}, month{unsigned(z.monat)}, day{unsigned(z.tag)}};
}

std::string datumText(Tag t) {
    std::chrono::year_month_day d{t};
    char text[16];
    std::snprintf(text, sizeof text, "%02u.%02u.%04d", unsigned(d.day()), unsigned(d.month()), int(d.year()));
    return text;
}

std::string nullenVorn(int n, std::size_t stellen) {
    std::string text = std::to_string(n);
    return std::string(text.size() < stellen ? stellen - text.size() : 0, '0') + text;
}

// Numbers in the very texts the invoice check leaves in a record.
std::string mengeText(double menge) {
    return menge > 0 ? rechtsBuendig(zahlFormatieren(menge, Muster::Menge), 7) : "";
}
std::string preisText(double preis) {
    return preis > 0 ? rechtsBuendig(zahlFormatieren(preis, Muster::Preis), 10) : "";
}
std::string kostenText(double kosten) {
    return kosten > 0 ? rechtsBuendig(zahlFormatieren(kosten, Muster::Kosten), 6) : "";
}

void zeilenSetzen(DatenSatz& s, std::span<const Zeile> zeilen, double faktor) {
    using namespace SatzFeld;
    for (int k = 1; k <= AnzahlPositionen; ++k) {
        const Zeile* z = std::size_t(k) <= zeilen.size() ? &zeilen[std::size_t(k - 1)] : nullptr;
        double menge = z ? z->menge : 0;
        // A bigger or smaller job: whole pieces stay whole, travel stays as it is.
        if (z && faktor != 1 && menge > 0 && std::string_view(z->text) != "Anfahrt")
            menge = std::string_view(z->me) == "Stk" ? std::max(1.0, std::round(menge * faktor))
                                                     : std::max(0.5, std::round(menge * faktor * 2) / 2);
        s.setzeText(Position(k), z ? z->text : "");
        s.setzeText(ME(k), z ? z->me : "");
        s.setzeText(Menge(k), mengeText(menge));
        s.setzeText(Preis(k), z ? preisText(z->preis) : "");
    }
}

void kostenSetzen(DatenSatz& s, const Kosten& k) {
    using namespace SatzFeld;
    s.setzeText(VersandKosten, kostenText(k.versand));
    s.setzeText(NachnameKosten, kostenText(k.nachname));
    s.setzeText(SonstigeKosten, kostenText(k.sonstige));
    s.setzeText(BezeichnungSonstigeKosten, k.sonstigeBezeichnung);
}

// One offer or invoice as the user stored it.
struct Beleg {
    Tag datum;
    char art;
    std::size_t kunde;
    const Auftragsart* auftrag;
    double faktor;
    Tag leistung;
    Tag bezahlt;
    int uhrzeit; // seconds after midnight of the last store
};

std::vector<Beleg> belegeErfinden(Tag heute, Zufall& z) {
    std::vector<Beleg> belege;
    const std::size_t anzahl = kunden().size();
    for (std::size_t k = 0; k < anzahl; ++k) {
        const bool inland = kunden()[k].region == 'B';
        const auto arten = inland ? auftraegeInland() : auftraegeAusland();
        const int auftraege = inland ? z.zwischen(1, 3) : z.zwischen(1, 2);
        for (int a = 0; a < auftraege; ++a) {
            Beleg b{};
            b.kunde = k;
            b.auftrag = &arten[std::size_t(z.bis(int(arten.size())))];
            static const double Faktoren[] = {0.5, 1, 1, 1.5, 2};
            b.faktor = b.auftrag->streuen ? Faktoren[z.bis(5)] : 1;
            // A busy autumn: a quarter of the jobs fall into the last two months.
            Tag beginn = heute - std::chrono::days{z.chance(25) ? z.zwischen(3, 60) : z.zwischen(3, 725)};
            Tag rechnung = beginn;
            // Most jobs start with an offer; some are never taken up.
            if (z.chance(70)) {
                b.datum = beginn;
                b.art = Kennzeichen::Angebot;
                b.uhrzeit = z.zwischen(7 * 3600, 19 * 3600);
                belege.push_back(b);
                rechnung = beginn + std::chrono::days{z.zwischen(14, 45)};
                if (!z.chance(80) || rechnung >= heute)
                    continue;
            }
            b.datum = rechnung;
            b.leistung = rechnung - std::chrono::days{z.zwischen(0, 5)};
            b.art = Kennzeichen::Rechnung;
            b.uhrzeit = z.zwischen(7 * 3600, 19 * 3600);
            // Older invoices are paid, bar a few reminders; the last weeks' are mostly open.
            Tag zahlung = rechnung + std::chrono::days{z.zwischen(3, 28)};
            bool alt = heute - rechnung > std::chrono::days{45};
            if (zahlung <= heute && (alt ? z.chance(92) : z.chance(35))) {
                b.art = Kennzeichen::Bezahlt;
                b.bezahlt = zahlung;
            }
            belege.push_back(b);
        }
    }
    std::stable_sort(belege.begin(), belege.end(), [](const Beleg& a, const Beleg& b) {
        return a.datum < b.datum || (a.datum == b.datum && a.uhrzeit < b.uhrzeit);
    });
    return belege;
}

void kundeSetzen(DatenSatz& s, const Kunde& k, int nummer) {
    using namespace SatzFeld;
    s.setzeText(KundenNummer, nullenVorn(nummer, 5));
    s.setzeText(Anrede, k.anrede);
    s.setzeText(Firma, k.firma);
    s.setzeText(Name, k.name);
    s.setzeText(Vorname, k.vorname);
    s.setzeText(Zusatz, k.zusatz);
    s.setzeText(Strasse, k.strasse);
    s.setzeText(Nummer, k.nummer);
    s.setzeText(PLZ, k.plz);
    s.setzeText(Ort, k.ort);
    s.setzeText(Land, k.land);
    s.setzeText(Telephon, k.telephon);
    s.setzeText(Fax, "");
    s.setzeText(Mail, k.mail);
    s.setzeText(InternetAdresse, "");
    s.setzeText(Fahrzeug, "");
    s.setzeText(Bemerkung, k.bemerkung);
    s.setzeZeichen(LieferKennzeichen, k.region);
    s.setzeText(ZolltarifNummer, k.zollOderUstId);
}

DatenSatz belegSatz(const Beleg& b, int kundenNummer, int rechnungsNummer) {
    using namespace SatzFeld;
    DatenSatz s;
    kundeSetzen(s, kunden()[b.kunde], kundenNummer);
    s.setzeText(RechnungsNummer, nullenVorn(rechnungsNummer, 6));
    s.setzeZeichen(RechnungsKennZeichen, b.art);
    s.setzeText(ZahlungsEingang, b.art == Kennzeichen::Bezahlt ? datumText(b.bezahlt) : "");
    zeilenSetzen(s, b.auftrag->zeilen, b.faktor);
    kostenSetzen(s, b.auftrag->kosten);
    s.setzeText(LeistungsDatum, b.art == Kennzeichen::Angebot ? "" : datumText(b.leistung));
    s.setzeText(RechnungsDatum, datumText(b.datum));
    // Paid invoices were last stored on the day the money came in.
    Tag gespeichert = b.art == Kennzeichen::Bezahlt ? b.bezahlt : b.datum;
    char zeit[16];
    std::snprintf(zeit, sizeof zeit, "%02d:%02d:%02d", b.uhrzeit / 3600, b.uhrzeit / 60 % 60, b.uhrzeit % 60);
    s.setzeText(SystemStempelDatum, datumText(gespeichert));
    s.setzeText(SystemStempelZeit, zeit);
    return s;
}

void inhaberSetzen(DatenSatz& s) {
    using namespace SatzFeld;
    s.setzeText(Anrede, "Herr");
    s.setzeText(Firma, "Tischlerei Brettschneider");
    s.setzeText(Name, "Brettschneider");
    s.setzeText(Vorname, "Jonas");
    s.setzeText(Zusatz, "Tischlermeister");
    s.setzeText(Strasse, "Hobelweg");
    s.setzeText(Nummer, "12");
    s.setzeText(PLZ, "60599");
    s.setzeText(Ort, "Frankfurt am Main");
    s.setzeText(Land, "Deutschland");
    s.setzeText(Telephon, "069 90009 100");
    s.setzeText(Fax, "069 90009 109");
    s.setzeText(Mail, "info@brettschneider.example");
    s.setzeText(InternetAdresse, "www.brettschneider.example");
    // The labels as seeded; the VAT id carries a valid check digit, the IBAN a valid checksum.
    s.setzeText(Position(2), "UstID   : DE273184654");
    s.setzeText(Position(3), "BIC     : BEISDEFFXXX");
    s.setzeText(Position(4), "IBAN    : DE35 5009 9999 0284 7136 50");
    s.setzeText(Position(5), "Bank: Beispielbank Frankfurt");
    s.setzeText(Position(6), "BLZ      : 500 999 99");
    s.setzeText(Position(7), "Konto-Nr.: 0284713650");
}

void vorlageSetzen(DatenSatz& s, const Vorlage& v) {
    using namespace SatzFeld;
    s.setzeText(Bemerkung, std::string("Achtung! VorlageSatz!\rVorlage für: ") + v.zweck +
                               "\rRechnungs-KZ ist V und kennzeichnet VorlageSatz.");
    s.setzeZeichen(LieferKennzeichen, v.region);
    s.setzeText(Land, v.land);
    s.setzeText(ZolltarifNummer, v.zollOderUstId);
    zeilenSetzen(s, v.zeilen, 1);
    kostenSetzen(s, v.kosten);
}

} // namespace

void demoDateiSchreiben(const std::string& pfad, const Zeitpunkt& heute) {
    // Parameter record and the 50 templates exactly as the program seeds them.
    StillePlattform plattform(heute);
    TFKB_Formular formular(plattform);
    formular.DateiName = pfad;
    formular.DateiAnlegen();

    std::vector<DatenSatz> saetze(51);
    DatenDatei datei(pfad);
    for (std::size_t n = 0; n < saetze.size(); ++n)
        datei.lesen(std::int64_t(n), saetze[n]);
    inhaberSetzen(saetze[0]);
    for (std::size_t v = 0; v < vorlagen().size(); ++v)
        vorlageSetzen(saetze[v + 1], vorlagen()[v]);

    Zufall zufall;
    std::vector<Beleg> belege = belegeErfinden(tagVon(heute), zufall);
    // Customer numbers in the order the customers first came; document numbers in date order,
    // going on from the seeded first record's 51.
    std::vector<int> kundenNummer(kunden().size(), 0);
    int naechsterKunde = 1;
    int rechnungsNummer = 51;
    for (const Beleg& b : belege) {
        if (kundenNummer[b.kunde] == 0)
            kundenNummer[b.kunde] = naechsterKunde++;
        saetze.push_back(belegSatz(b, kundenNummer[b.kunde], rechnungsNummer++));
        // Now and then an offer went in twice and the second was deleted; compacting removes it.
        if (b.art == Kennzeichen::Angebot && zufall.chance(8)) {
            DatenSatz doppelt = saetze.back();
            doppelt.setzeZeichen(SatzFeld::RechnungsKennZeichen, Kennzeichen::Geloescht);
            saetze.push_back(doppelt);
        }
    }
    DatenDatei::neuSchreiben(pfad, saetze);
}

} // namespace fkb::demo
