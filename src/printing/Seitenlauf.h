#pragma once

#include "printing/Leinwand.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

namespace fkb {

// The rule under headers and above sums: 93 underscores.
std::string linie();

// One text of a row: its x and the text.
struct Spalte {
    int x;
    std::string_view text;
};

// Rows down the pages of one document, with a cursor d measured from the top of the printable
// area. A row that would reach below the printable height goes onto a new page instead, at d =
// fortsetzung, below the page head if there is one; a page that takes everything is drawn exactly
// as laid out.
class Seitenlauf {
public:
    // The line step is measured on the sample text; without one, on a letter, which gives the
    // font's own line height.
    Seitenlauf(Leinwand& leinwand, std::string muster, int fortsetzung);

    // Sets the font height and measures its line step.
    void schrift(int hoehe);
    int schritt() const { return schritt_; }

    int d = 0;
    void vor(int schritte) { d += schritte * schritt_; }
    void zeile(std::initializer_list<Spalte> spalten);

    // Draws the head of a continuation page with zeile() and vor(), leaving d where the next row goes.
    std::function<void(Seitenlauf&)> seitenKopf;

private:
    Leinwand& leinwand_;
    std::string muster_;
    int fortsetzung_;
    int schritt_ = 0;
    // The first row of a page is drawn wherever it lands: a page too short for it would only
    // be followed by another one.
    bool seitenAnfang_ = true;
    bool imKopf_ = false;
};

} // namespace fkb
