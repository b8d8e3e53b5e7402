#pragma once

#include "app/Zeilenliste.h"
#include "data/DatenSatz.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace fkb {

// The texts that the navigation builds from a stored record, exactly as stored:
// nothing trimmed, nothing filled up.

// KundenNummer - Name, Vorname, as stored in Windows-1252: two records have equal categories
// exactly when these bytes are equal, so records are grouped without decoding each. Valid while
// `puffer` lives.
using KategoriePuffer = std::array<char, 72>;
std::string_view kategorieBytes(const DatenSatz& satz, KategoriePuffer& puffer);
// RechnungsNummer, three blanks, Position01; written at `ziel`, which has room for
// `BaumKindHoechstens` bytes. Returns the end of the text.
constexpr std::size_t BaumKindHoechstens = 3 * (6 + 3 + 50); // characters, each at most 3 bytes in UTF-8
char* baumKindText(const DatenSatz& satz, char* ziel);
// RechnungsNummer - Name, Vorname, three blanks, RechnungsDatum, the blank runs, "~~~" and the key:
// appended to the list, or as a text.
void listenzeile(const DatenSatz& satz, std::int64_t schluessel, Zeilenliste& liste);
std::string listenzeile(const DatenSatz& satz, std::int64_t schluessel);
// The main window's caption from the first record of a file.
std::string fensterTitel(const DatenSatz& satz);

// Appends 150 blanks as three runs of 50, each capped so that the line (counted in
// characters) never grows beyond 134, 184 and 234 characters.
void leerraumAnhaengen(std::string& zeile);

// The characters up to the first blank: the invoice number of a list line.
std::string_view fuehrendesWort(std::string_view zeile);

// Folds only a to z to capitals; umlauts and ß stay as they are.
std::string grossAZ(std::string_view text);

// The full-text search over the 52 searched fields of a record. The search text is prepared
// once per load; an empty text, or one that no record can hold, matches nothing.
class SuchMuster {
public:
    explicit SuchMuster(std::string_view suchtext);
    bool trifft(const DatenSatz& satz) const;

private:
    struct Anker {
        std::uint64_t bytes = 0, falte = 0;
    };
    static Anker ankerVon(char c);
    bool enthaelt(const DatenSatz& satz, Feld feld) const;
    bool passtAb(const char* text) const;

    std::string muster_; // Windows-1252 bytes, a–z folded
    bool moeglich_ = false;
    Anker erstes_, letztes_;
};

} // namespace fkb
