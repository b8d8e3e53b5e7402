#pragma once

#include "app/Plattform.h"
#include "printing/Aufzeichnung.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace fkb::bench {

// A platform that answers every question with Yes, picks `pfad` in every file dialog and runs at a
// fixed time; errors go to standard error, so that a benchmark never measures a wrong path silently.
struct LeisePlattform : GrundPlattform {
    void fehlerMelden(const std::string& t) override { std::fprintf(stderr, "Fehler: %s\n", t.c_str()); }
    void hinweisMelden(const std::string&) override {}
    bool bestaetigen(const std::string&) override { return true; }
    std::optional<std::string> dateiWaehlen(const DateiDialog&) override { return pfad; }
    bool druckDialog(const std::string&) override { return false; }
    std::unique_ptr<Leinwand> druckLeinwand() override { return std::make_unique<Aufzeichnung>(); }
    int dokumentOeffnen(const std::string&, const std::string&) override { return 2; }
    void infoZeigen() override {}
    std::string programmOrdner() override { return "/"; }
    Zeitpunkt jetzt() override { return {2026, 12, 8, 10, 15, 0}; }
    void beenden() override {}

    std::string pfad;
};

// Writes a realistic data file: the 52 seeded records, then `kundensaetze` customer records of
// about kundensaetze / 20 customers with German names, 1 to 25 positions, kinds drawn from `arten`
// (by default as mixed as a real business has them) and dates.
void datenDateiErzeugen(const std::string& pfad, std::int64_t kundensaetze, std::uint32_t saat = 4711,
                        const std::string& arten = "ARRBBBL");

} // namespace fkb::bench
