#include "app/Zeitpunkt.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace fkb {

std::string Zeitpunkt::datumText() const {
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", tag, monat, jahr);
    return text;
}

std::string Zeitpunkt::zeitText() const {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", stunde, minute, sekunde);
    return text;
}

Zeitpunkt Zeitpunkt::plusTage(int n) const {
    using namespace std::chrono;
    sys_days tage = year_month_day{year{jahr}, month{unsigned(monat)}, day{unsigned(tag)}};
    year_month_day spaeter{tage + days{n}};
    Zeitpunkt z = *this;
    z.jahr = int(spaeter.year());
    z.monat = int(unsigned(spaeter.month()));
    z.tag = int(unsigned(spaeter.day()));
    return z;
}

bool Zeitpunkt::ausText(const std::string& text, Zeitpunkt& ziel) {
    Zeitpunkt z;
    char rest = 0;
    int felder = std::sscanf(text.c_str(), "%2d.%2d.%4d %2d:%2d:%2d%c", &z.tag, &z.monat, &z.jahr, &z.stunde, &z.minute,
                             &z.sekunde, &rest);
    if (felder != 3 && felder != 6)
        return false;
    using namespace std::chrono;
    if (!year_month_day{year{z.jahr}, month{unsigned(z.monat)}, day{unsigned(z.tag)}}.ok())
        return false;
    if (z.stunde < 0 || z.stunde > 23 || z.minute < 0 || z.minute > 59 || z.sekunde < 0 || z.sekunde > 59)
        return false;
    ziel = z;
    return true;
}

Zeitpunkt systemZeit() {
    std::time_t jetzt = std::time(nullptr);
    std::tm lokal{};
    localtime_r(&jetzt, &lokal);
    return {lokal.tm_year + 1900, lokal.tm_mon + 1, lokal.tm_mday, lokal.tm_hour, lokal.tm_min, lokal.tm_sec};
}

} // namespace fkb
