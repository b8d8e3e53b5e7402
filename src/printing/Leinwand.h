#pragma once

#include <cstdint>
#include <string>

namespace fkb {

enum class Schriftstil { Normal, Fett };

inline constexpr std::uint32_t Schwarz = 0x000000; // 0xRRGGBB

// A printer's drawing surface as the page layouts use it. After abbildungMetrisch() a unit is a
// tenth of a millimetre and the y axis points up: a text d units below the top of the printable
// area is drawn at y = −d, with the top-left corner of its character cell at (x, y).
class Leinwand {
public:
    virtual ~Leinwand() = default;

    virtual void dokumentBeginnen() = 0;
    virtual void abbildungMetrisch() = 0;
    // The font is asked for by the height of its character cell.
    virtual void schriftHoehe(int hoehe) = 0;
    virtual void schriftName(const std::string& name) = 0;
    virtual void schriftFarbe(std::uint32_t rgb) = 0;
    virtual void schriftStil(Schriftstil stil) = 0;
    // The height of the text's cell in the current font; an empty text has none.
    virtual int textHoehe(const std::string& text) = 0;
    virtual void textAus(int x, int y, const std::string& text) = 0;
    // The height of the printable area of a page; what reaches below it is lost.
    virtual int druckHoehe() = 0;
    virtual void neueSeite() = 0;
    virtual void dokumentBeenden() = 0;
};

} // namespace fkb
