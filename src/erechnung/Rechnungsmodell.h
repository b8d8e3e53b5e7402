#pragma once

#include <cstdint>
#include <string>
#include <vector>

// An e-invoice as the CII writer takes it: every text final, every code mapped, every amount in cents.
namespace fkb::cii {

struct Anschrift {
    std::string PLZ, Strasse, Ort; // Strasse with the house number; may be empty
    std::string Land;              // ISO 3166-1 alpha-2
};

struct Partei {
    std::string Kennung;         // the seller's identifier; may be empty
    std::string Registereintrag; // the seller's legal registration; may be empty
    std::string Name;
    std::string Kontakt;                     // a person; may be empty for the buyer
    std::string KontaktTelefon, KontaktMail; // the seller's contact only; each may be empty
    std::string Mail;                        // may be empty
    std::string UstId;                       // may be empty
    std::string Steuernummer;                // the seller's only; may be empty
    Anschrift anschrift;
};

struct Zeile {
    int nummer = 0;
    std::string Bezeichnung;
    std::string Einheit; // UN/ECE Rec 20
    std::int64_t mengeZehntel = 0, preisCent = 0, wertCent = 0;
};

// A document-level charge: shipping, cash on delivery, other costs.
struct Zuschlag {
    std::int64_t cent = 0;
    std::string GrundCode; // UNTDID 7161
    std::string Grund;
};

// The one VAT category of the invoice: lines and charges all carry it.
struct Steuer {
    std::string Kategorie; // S, K or G
    std::int64_t satzZehntel = 0;
    std::string Befreiungsgrund, BefreiungsCode; // K and G only
};

struct Rechnungsmodell {
    std::string Leitlinie; // the rules the invoice follows: EN 16931, or XRechnung on top of it
    std::string Nummer;
    std::string Ausstellungsdatum, Lieferdatum; // yyyymmdd
    std::string Faelligkeitsdatum;              // yyyymmdd; empty for a paid invoice
    std::string Zahlungsbedingung;              // empty for a paid invoice
    bool bezahlt = false;                       // the whole amount was paid before
    std::vector<std::string> Hinweise;          // notes on the invoice
    std::string KaeuferReferenz;                // may be empty
    std::string Bestellnummer;                  // the buyer's order; may be empty
    Partei Verkaeufer, Kaeufer;
    bool Lieferanschrift = false; // the buyer's address written as deliver-to address
    std::string Iban, Bic;        // Bic may be empty
    std::vector<Zeile> Zeilen;
    std::vector<Zuschlag> Zuschlaege;
    Steuer steuer;
    std::int64_t ustCent = 0;
};

// The CII D16B document, UTF-8, written by libxml2's text writer.
std::string CiiSchreiben(const Rechnungsmodell& m);

} // namespace fkb::cii
