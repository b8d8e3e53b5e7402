#include "Datenwerkzeug.h"
#include "TestPlattform.h"
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "demo/Demodaten.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

using namespace fkb;
using namespace fkb::test;

namespace {

const Zeitpunkt Heute{2026, 12, 8, 10, 15, 0};

// Days since the epoch of a "dd.mm.yyyy" text.
int tagesNummer(const std::string& datum) {
    Zeitpunkt z;
    if (!Zeitpunkt::ausText(datum, z))
        return -1;
    using namespace std::chrono;
    return sys_days{year_month_day{year{z.jahr}, month{unsigned(z.monat)}, day{unsigned(z.tag)}}}
        .time_since_epoch()
        .count();
}

// ISO 13616: the IBAN moved round and read with A=10 … Z=35 leaves 1 modulo 97.
bool ibanGueltig(std::string iban) {
    iban.erase(std::remove(iban.begin(), iban.end(), ' '), iban.end());
    std::string umgestellt = iban.substr(4) + iban.substr(0, 4);
    int rest = 0;
    for (char c : umgestellt) {
        int wert = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : c - 'A' + 10;
        rest = (rest * (wert > 9 ? 100 : 10) + wert) % 97;
    }
    return iban.size() == 22 && iban.starts_with("DE") && rest == 1;
}

// The German VAT id's ninth digit (ISO 7064, MOD 11,10).
bool ustIdGueltig(const std::string& id) {
    if (id.size() != 11 || !id.starts_with("DE"))
        return false;
    int p = 10;
    for (int i = 2; i < 10; ++i) {
        int s = (id[std::size_t(i)] - '0' + p) % 10;
        p = (2 * (s == 0 ? 10 : s)) % 11;
    }
    return (11 - p) % 10 == id[10] - '0';
}

class Demodaten : public ::testing::Test {
protected:
    void SetUp() override {
        demo::demoDateiSchreiben(pfad, Heute);
        saetze = alleSaetze(pfad);
        ASSERT_GT(saetze.size(), 51u);
    }
    TempOrdner ordner;
    std::string pfad = ordner.pfad("demo.fba");
    std::vector<DatenSatz> saetze;
};

TEST_F(Demodaten, HaeltWasSieVerspricht) {
    using namespace SatzFeld;
    EXPECT_EQ(saetze[0].zeichen(RechnungsKennZeichen), 'P');
    for (std::size_t n = 1; n <= 50; ++n)
        EXPECT_EQ(saetze[n].zeichen(RechnungsKennZeichen), 'V') << n;

    std::map<char, int> arten, regionen;
    std::set<std::string> kunden, nummern;
    std::map<std::string, std::string> nameZuNummer;
    const int heute = tagesNummer(Heute.datumText());
    int fruehester = heute;
    for (std::size_t n = 51; n < saetze.size(); ++n) {
        const DatenSatz& s = saetze[n];
        SCOPED_TRACE("Satz " + std::to_string(n));
        const char art = s.zeichen(RechnungsKennZeichen);
        ++arten[art];
        ASSERT_NE(std::string("ARBL").find(art), std::string::npos);
        if (art == 'L')
            continue;
        const char region = s.zeichen(LieferKennzeichen);
        ++regionen[region];
        kunden.insert(s.text(KundenNummer));
        EXPECT_TRUE(nummern.insert(s.text(RechnungsNummer)).second) << "invoice numbers are unique";
        auto [eintrag, neu] = nameZuNummer.emplace(s.text(Firma) + s.text(Name), s.text(KundenNummer));
        EXPECT_TRUE(neu || eintrag->second == s.text(KundenNummer)) << "one number per customer";

        const std::string zoll = s.text(ZolltarifNummer);
        if (region == 'E')
            EXPECT_TRUE(zoll.size() >= 10 && std::isupper(static_cast<unsigned char>(zoll[0])) &&
                        std::isupper(static_cast<unsigned char>(zoll[1])))
                << "VAT id of the EU customer: " << zoll;
        else if (region == 'D')
            EXPECT_TRUE(zoll.size() >= 8 && std::isdigit(static_cast<unsigned char>(zoll[0]))) << zoll;
        else
            EXPECT_EQ(region, 'B');

        // The query finds offers and invoices by their date, paid invoices by the day the money came.
        const int datum = tagesNummer(s.text(RechnungsDatum));
        ASSERT_GE(datum, 0) << s.text(RechnungsDatum);
        EXPECT_LE(datum, heute);
        EXPECT_GE(datum, heute - 731);
        fruehester = std::min(fruehester, datum);
        if (art == 'B') {
            const int bezahlt = tagesNummer(s.text(ZahlungsEingang));
            EXPECT_TRUE(bezahlt >= datum && bezahlt <= heute) << s.text(ZahlungsEingang);
        } else {
            EXPECT_EQ(s.text(ZahlungsEingang), "");
        }
    }
    EXPECT_GE(kunden.size(), 30u);
    EXPECT_GE(arten['A'], 10);
    EXPECT_GE(arten['R'], 5);
    EXPECT_GE(arten['B'], 20);
    EXPECT_GE(arten['L'], 1) << "something for the compaction to remove";
    EXPECT_GE(regionen['E'], 4);
    EXPECT_GE(regionen['D'], 4);
    EXPECT_GE(heute - fruehester, 600) << "two years of business";

    // The owner: plausible, checkable bank and tax lines.
    const DatenSatz& p = saetze[0];
    EXPECT_EQ(p.text(Menge(1)), "   19,0");
    EXPECT_TRUE(ustIdGueltig(p.text(Position(2)).substr(10))) << p.text(Position(2));
    EXPECT_TRUE(ibanGueltig(p.text(Position(4)).substr(10))) << p.text(Position(4));
    EXPECT_TRUE(p.text(Position(3)).starts_with("BIC     : "));

    // The same day writes the same file.
    TempOrdner anderer;
    demo::demoDateiSchreiben(anderer.pfad("demo.fba"), Heute);
    EXPECT_TRUE(alleSaetze(anderer.pfad("demo.fba")) == saetze);
}

TEST_F(Demodaten, LaedtUndRechnetOhneMeldung) {
    TestPlattform p;
    p.uhr = Heute;
    TFKB_Formular f(p);
    p.antworten.push_back(false);
    f.starten();
    p.vergessen();
    p.dialoge.push_back(pfad);
    f.klick("Oeffnen");
    EXPECT_TRUE(p.meldungen.empty());
    const auto nichtGeloescht = std::count_if(saetze.begin(), saetze.end(), [](const DatenSatz& s) {
        return s.zeichen(SatzFeld::RechnungsKennZeichen) != 'L';
    });
    EXPECT_EQ(f.AnzahlSaetze, nichtGeloescht);
    EXPECT_GE(f.AnzahlKategorien, 31);

    // Every stored number is already in the form the check writes, and every total comes out.
    int mitZeilen = 0;
    for (std::size_t n = 1; n < saetze.size(); ++n) {
        SCOPED_TRACE("Satz " + std::to_string(n));
        f.Puffer = saetze[n];
        f.SatzAnzeigen();
        std::vector<std::string> vorher;
        for (int k = 0; k < SatzFeld::AnzahlPositionen; ++k) {
            vorher.push_back(f.Menge[std::size_t(k)].text);
            vorher.push_back(f.Preis[std::size_t(k)].text);
        }
        ASSERT_TRUE(f.RechnungPruefen());
        EXPECT_TRUE(p.meldungen.empty()) << p.meldungen.front().text;
        for (int k = 0; k < SatzFeld::AnzahlPositionen; ++k) {
            EXPECT_EQ(f.Menge[std::size_t(k)].text, vorher[std::size_t(2 * k)]);
            EXPECT_EQ(f.Preis[std::size_t(k)].text, vorher[std::size_t(2 * k + 1)]);
        }
        for (Feld kosten : {SatzFeld::VersandKosten, SatzFeld::NachnameKosten, SatzFeld::SonstigeKosten})
            EXPECT_EQ(f.KostenPruefen(saetze[n].text(kosten)), saetze[n].text(kosten));
        if (f.Summen.NettoWert > 0)
            ++mitZeilen;
        if (n > 50) {
            EXPECT_GT(f.Summen.BruttoWert, 0);
        }
    }
    EXPECT_GE(mitZeilen, int(saetze.size()) - 51 + 5) << "at least five templates carry lines";
}

} // namespace
