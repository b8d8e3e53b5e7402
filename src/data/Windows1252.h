#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The data file holds Windows-1252; the program works in UTF-8.
namespace fkb {

// Decodes Windows-1252 bytes. The five bytes that Windows-1252 leaves undefined
// map to the C1 code points of the same value, so every byte survives a round trip.
std::string ausWindows1252(std::string_view bytes);
void ausWindows1252(std::string_view bytes, std::string& ziel);
void ausWindows1252Anhaengen(std::string_view bytes, std::string& ziel);
// Writes the UTF-8 of the bytes to `ziel`, which has room for 3 bytes per byte; returns the end
// of what it wrote. For texts built piece by piece in a buffer of their own.
char* ausWindows1252Schreiben(std::string_view bytes, char* ziel);

// Encodes at most maxZeichen characters of a UTF-8 text; a character that
// Windows-1252 cannot hold, or a broken UTF-8 sequence, becomes '?'.
std::string nachWindows1252(std::string_view utf8, std::size_t maxZeichen = std::string::npos);

// Number of characters (code points) of a UTF-8 text, and its first n characters.
std::size_t zeichenAnzahl(std::string_view utf8);
std::string_view ersteZeichen(std::string_view utf8, std::size_t n);

} // namespace fkb
