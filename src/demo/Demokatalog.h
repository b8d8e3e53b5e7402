#pragma once

#include <span>

namespace fkb::demo {

// What the sample file is made of. All names, addresses and numbers are invented; telephone
// numbers come from the ranges kept free for fiction, mail and web addresses from the reserved
// top-level domain ".example".

struct Zeile {
    const char* text;
    const char* me; // unit as the user types it: Stk, Std, m, m², kg, l
    double menge;   // 0: a line of text only
    double preis;
};

struct Kosten {
    double versand = 0, nachname = 0, sonstige = 0;
    const char* sonstigeBezeichnung = "";
};

// A kind of job: its lines and costs. Quantities marked by `streuen` vary from customer to customer.
struct Auftragsart {
    const char* titel;
    std::span<const Zeile> zeilen;
    Kosten kosten;
    bool streuen;
};

struct Kunde {
    const char* anrede;
    const char* firma;
    const char* name;
    const char* vorname;
    const char* zusatz;
    const char* strasse;
    const char* nummer;
    const char* plz;
    const char* ort;
    const char* land;
    const char* telephon;
    const char* mail;
    char region;               // B at home, E another EU country, D a third country
    const char* zollOderUstId; // customs tariff number (D) or the customer's VAT id (E)
    const char* bemerkung;
};

struct Vorlage {
    const char* zweck;
    std::span<const Zeile> zeilen;
    Kosten kosten;
    char region;
    const char* land;
    const char* zollOderUstId;
};

std::span<const Kunde> kunden();
// Jobs for customers at home, and for deliveries into the EU and abroad.
std::span<const Auftragsart> auftraegeInland();
std::span<const Auftragsart> auftraegeAusland();
std::span<const Vorlage> vorlagen();

} // namespace fkb::demo
