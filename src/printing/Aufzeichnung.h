#pragma once

#include "printing/Leinwand.h"

#include <functional>
#include <string>
#include <vector>

namespace fkb {

// One text of a printed document as it reached the canvas.
struct GedruckterText {
    int x = 0;
    int y = 0; // as passed: −d in the metric mapping mode
    int hoehe = 0;
    std::string schrift;
    bool fett = false;
    std::uint32_t farbe = Schwarz;
    std::string text;
    int seite = 1;

    friend bool operator==(const GedruckterText&, const GedruckterText&) = default;
};

// A canvas that draws nothing and keeps every text: the driver reports its documents from it, the
// tests read page layouts off it. A font's text height is exactly its requested height, and the
// printable height is fixed: A4 less five millimetres at the top and at the bottom.
class Aufzeichnung : public Leinwand {
public:
    static constexpr int A4DruckHoehe = 2870;

    explicit Aufzeichnung(int druckHoehe = A4DruckHoehe) : druckHoehe_(druckHoehe) {}

    std::vector<GedruckterText> texte;
    int seiten = 0; // pages begun in the current or last document
    bool metrisch = false;
    // Called with the whole document when it ends.
    std::function<void(const Aufzeichnung&)> beiEnde;

    void dokumentBeginnen() override;
    void abbildungMetrisch() override { metrisch = true; }
    void schriftHoehe(int hoehe) override { hoehe_ = hoehe; }
    void schriftName(const std::string& name) override { name_ = name; }
    void schriftFarbe(std::uint32_t rgb) override { farbe_ = rgb; }
    void schriftStil(Schriftstil stil) override { fett_ = stil == Schriftstil::Fett; }
    int textHoehe(const std::string& text) override { return text.empty() ? 0 : hoehe_; }
    void textAus(int x, int y, const std::string& text) override;
    int druckHoehe() override { return druckHoehe_; }
    void neueSeite() override { ++seiten; }
    void dokumentBeenden() override;

private:
    int druckHoehe_;
    int hoehe_ = 0;
    std::string name_;
    std::uint32_t farbe_ = Schwarz;
    bool fett_ = false;
};

} // namespace fkb
