#include "data/Laufzeitfehler.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace fkb {
namespace {
// Not a system error number: the runtime's own code for reading behind the end.
constexpr int HinterDemDateiende = -100;
// Nor this: the lock of the data file, held by another program.
constexpr int DateiBelegt = -101;
} // namespace

std::string eaFehlerText(int fehlernummer) {
    switch (fehlernummer) {
    case ENOENT:
        return "Datei nicht gefunden";
    case ENAMETOOLONG:
    case ENOTDIR:
    case EINVAL:
    case EISDIR:
        return "Ungültiger Dateiname";
    case EMFILE:
    case ENFILE:
        return "Zu viele geöffnete Dateien";
    case EACCES:
    case EPERM:
    case EROFS:
        return "Dateizugriff verweigert";
    case HinterDemDateiende:
        return "Versuch hinter dem Dateiende zu lesen";
    case DateiBelegt:
        return "Datei wird von einem anderen Programm benutzt!\rBitte später erneut versuchen!";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return "Zu wenig Speicherplatz";
    default:
        return "E/A-Fehler " + std::to_string(fehlernummer);
    }
}

EAFehler::EAFehler(int fehlernummer) : EAFehler(fehlernummer, eaFehlerText(fehlernummer)) {}

EAFehler EAFehler::hinterDemDateiende() {
    return EAFehler(HinterDemDateiende);
}

EAFehler EAFehler::dateiBelegt() {
    return EAFehler(DateiBelegt);
}

bool EAFehler::belegt() const {
    return nummer_ == DateiBelegt;
}

// The message travels as a C string: a zero byte from a damaged file would cut it short, so the
// quoted text ends there instead.
KonvertierungsFehler::KonvertierungsFehler(std::string_view text)
    : Laufzeitfehler("'" + std::string(text.substr(0, text.find('\0'))) + "' ist kein gültiger Integerwert") {}

int textZuInt(std::string_view text) {
    // Stored numbers are plain digits: take them at once.
    if (!text.empty() && text.size() <= 9 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int wert = 0;
        for (char c : text)
            wert = wert * 10 + (c - '0');
        return wert;
    }
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negativ = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negativ = text[i++] == '-';
    unsigned basis = 10;
    if (i < text.size() && text[i] == '$') {
        basis = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        basis = 16;
        i += 2;
    }
    if (i == text.size())
        throw KonvertierungsFehler(text);
    std::int64_t wert = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned ziffer;
        if (c >= '0' && c <= '9')
            ziffer = unsigned(c - '0');
        else if (basis == 16 && c >= 'a' && c <= 'f')
            ziffer = unsigned(c - 'a' + 10);
        else if (basis == 16 && c >= 'A' && c <= 'F')
            ziffer = unsigned(c - 'A' + 10);
        else
            throw KonvertierungsFehler(text);
        wert = wert * basis + ziffer;
        if (wert > std::int64_t(INT32_MAX) + 1)
            throw KonvertierungsFehler(text);
    }
    if (negativ)
        wert = -wert;
    if (wert > INT32_MAX || wert < INT32_MIN)
        throw KonvertierungsFehler(text);
    return int(wert);
}

} // namespace fkb
