#include "data/Windows1252.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace fkb {
namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of Windows-1252 equals Latin-1.
constexpr std::array<char32_t, 32> oberhalb7F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t zeichenVon(unsigned char b) {
    return (b >= 0x80 && b <= 0x9F) ? oberhalb7F[b - 0x80] : char32_t(b);
}

void utf8Anhaengen(char32_t c, std::string& ziel) {
    if (c < 0x80) {
        ziel.push_back(char(c));
    } else if (c < 0x800) {
        ziel.push_back(char(0xC0 | (c >> 6)));
        ziel.push_back(char(0x80 | (c & 0x3F)));
    } else {
        ziel.push_back(char(0xE0 | (c >> 12)));
        ziel.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        ziel.push_back(char(0x80 | (c & 0x3F)));
    }
}

char byteVon(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < oberhalb7F.size(); ++i)
        if (oberhalb7F[i] == c)
            return char(0x80 + i);
    return '?';
}

// Reads one code point at s[i]; returns 0xFFFFFFFF for a broken sequence, advancing by one byte.
char32_t naechstesZeichen(std::string_view s, std::size_t& i) {
    auto b = static_cast<unsigned char>(s[i++]);
    if (b < 0x80)
        return b;
    int folge = (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (folge < 0 || i + std::size_t(folge) > s.size())
        return 0xFFFFFFFF;
    char32_t c = b & (0x3F >> folge);
    for (int k = 0; k < folge; ++k) {
        auto f = static_cast<unsigned char>(s[i + std::size_t(k)]);
        if ((f & 0xC0) != 0x80)
            return 0xFFFFFFFF;
        c = (c << 6) | (f & 0x3F);
    }
    i += std::size_t(folge);
    return c;
}

} // namespace

void ausWindows1252(std::string_view bytes, std::string& ziel) {
    ziel.clear();
    ausWindows1252Anhaengen(bytes, ziel);
}

// The length of the leading run of ASCII bytes, eight at a time.
std::size_t asciiLauf(std::string_view bytes, std::size_t ab) {
    std::size_t i = ab;
    for (std::uint64_t wort; i + 8 <= bytes.size(); i += 8) {
        std::memcpy(&wort, bytes.data() + i, 8);
        if (wort & 0x8080808080808080ULL)
            break;
    }
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    return i;
}

void ausWindows1252Anhaengen(std::string_view bytes, std::string& ziel) {
    // Names and texts are mostly ASCII: copy each run of it in one piece.
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t lauf = asciiLauf(bytes, i);
        ziel.append(bytes.data() + i, lauf - i);
        if (lauf == bytes.size())
            break;
        utf8Anhaengen(zeichenVon(static_cast<unsigned char>(bytes[lauf])), ziel);
        i = lauf + 1;
    }
}

namespace {
// The UTF-8 of each byte from 0x80 on: its length, then its bytes.
struct Utf8Folge {
    unsigned char laenge;
    char bytes[3];
};
constexpr std::array<Utf8Folge, 128> obereFolgen = [] {
    std::array<Utf8Folge, 128> folgen{};
    for (std::size_t b = 0x80; b <= 0xFF; ++b) {
        const char32_t c = b <= 0x9F ? oberhalb7F[b - 0x80] : char32_t(b);
        Utf8Folge& f = folgen[b - 0x80];
        if (c < 0x800) {
            f = {2, {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F)), 0}};
        } else {
            f = {3, {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))}};
        }
    }
    return folgen;
}();
} // namespace

char* ausWindows1252Schreiben(std::string_view bytes, char* ziel) {
    // Names and texts are mostly ASCII: eight bytes at a time while they are.
    std::size_t i = 0;
    for (std::uint64_t wort; i + 8 <= bytes.size(); i += 8, ziel += 8) {
        std::memcpy(&wort, bytes.data() + i, 8);
        if (wort & 0x8080808080808080ULL)
            break;
        std::memcpy(ziel, &wort, 8);
    }
    for (char c : bytes.substr(i)) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            *ziel++ = c;
        } else {
            const Utf8Folge& f = obereFolgen[b - 0x80];
            std::memcpy(ziel, f.bytes, 3);
            ziel += f.laenge;
        }
    }
    return ziel;
}

std::string ausWindows1252(std::string_view bytes) {
    std::string ziel;
    ziel.reserve(bytes.size());
    ausWindows1252(bytes, ziel);
    return ziel;
}

std::string nachWindows1252(std::string_view utf8, std::size_t maxZeichen) {
    std::string ziel;
    std::size_t i = 0;
    while (i < utf8.size() && ziel.size() < maxZeichen) {
        char32_t c = naechstesZeichen(utf8, i);
        ziel.push_back(c == 0xFFFFFFFF ? '?' : byteVon(c));
    }
    return ziel;
}

std::size_t zeichenAnzahl(std::string_view utf8) {
    // Every byte that does not continue a sequence starts a character; a broken sequence
    // counts one character per stray byte, as decoding it would.
    std::size_t n = 0;
    for (char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string_view ersteZeichen(std::string_view utf8, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t k = 0; k < n && i < utf8.size(); ++k)
        naechstesZeichen(utf8, i);
    return utf8.substr(0, i);
}

} // namespace fkb
