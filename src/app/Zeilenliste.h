#pragma once

#include "app/Textliste.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace fkb {

// The lines of a list box. A line of the navigation or the query list carries some 150 blanks that
// push its key out of sight: kept as they are, they would be most of the memory a load of 100 000
// records takes, and filling fresh memory is what costs. So a line is kept as the text in front of
// its run of blanks, the number of blanks and the text behind them, and made whole where it is asked
// for: a line is always handed out as a string of its own.
class Zeilenliste {
public:
    // A line in its three parts.
    struct Teile {
        std::string_view vorn;
        std::size_t leer = 0;
        std::string_view hinten;

        std::size_t size() const { return vorn.size() + leer + hinten.size(); }
        std::string text() const;
    };

    using iterator = Indexiterator<Zeilenliste, std::string>;
    using const_iterator = iterator;
    using value_type = std::string;

    Zeilenliste() = default;
    Zeilenliste(std::initializer_list<std::string_view> zeilen);
    Zeilenliste(const Zeilenliste& andere);
    Zeilenliste& operator=(const Zeilenliste& andere);
    Zeilenliste(Zeilenliste&&) noexcept = default;
    Zeilenliste& operator=(Zeilenliste&&) noexcept = default;

    std::size_t size() const { return zeilen_.size(); }
    bool empty() const { return zeilen_.empty(); }
    // The whole line, as a string of its own.
    std::string operator[](std::size_t i) const { return teile(i).text(); }
    std::string back() const { return (*this)[size() - 1]; }
    Teile teile(std::size_t i) const;
    iterator begin() const { return {this, 0}; }
    iterator end() const { return {this, size()}; }

    // Whether line i is this text, or begins with it; without making it whole.
    bool gleich(std::size_t i, std::string_view text) const;
    bool beginntMit(std::size_t i, std::string_view text) const;

    // A line as it is.
    void push_back(std::string_view zeile);
    // A line given in its parts: `vorn`, `leer` blanks, `hinten`.
    void anfuegen(std::string_view vorn, std::size_t leer, std::string_view hinten);
    void ersetzen(std::size_t i, std::string_view zeile);
    // Keeps its blocks for the lines to come.
    void clear();
    void reserve(std::size_t zeilen) { zeilen_.reserve(zeilen); }

    // In ascending byte order of the whole lines, as a sorted list box keeps them; nearly free where
    // they came in order.
    void sortieren();

private:
    struct Eintrag {
        const char* text; // `vorn`, and straight behind it `hinten`
        std::uint32_t vorn;
        std::uint16_t leer;
        std::uint16_t hinten;
    };
    void notieren(const Eintrag& zeile);

    Textspeicher speicher_;
    std::vector<Eintrag> zeilen_;
    bool geordnet_ = true;
};

bool operator==(const Zeilenliste& a, const Zeilenliste& b);
bool operator==(const Zeilenliste& a, const std::vector<std::string>& b);

} // namespace fkb
