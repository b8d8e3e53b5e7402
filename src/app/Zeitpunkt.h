#pragma once

#include <string>

namespace fkb {

// A local date and time as the clock gives it.
struct Zeitpunkt {
    int jahr = 2000;
    int monat = 1;
    int tag = 1;
    int stunde = 0;
    int minute = 0;
    int sekunde = 0;

    // "dd.mm.yyyy"
    std::string datumText() const;
    // "hh:mm:ss", 24-hour clock
    std::string zeitText() const;
    // The same time of day, n days later.
    Zeitpunkt plusTage(int n) const;

    // Reads "dd.mm.yyyy" or "dd.mm.yyyy hh:mm:ss"; false when the text is no valid date.
    static bool ausText(const std::string& text, Zeitpunkt& ziel);

    friend bool operator==(const Zeitpunkt&, const Zeitpunkt&) = default;
};

// The system clock in local time.
Zeitpunkt systemZeit();

} // namespace fkb
