#pragma once

#include "app/Textliste.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace fkb {

// A root of the customer tree as shown: its text and its children's texts.
struct Baumknoten {
    std::string_view text;
    Textbereich kinder;
};

// The roots of the customer tree with their children. A load puts them in as the records come, every
// text into one storage, and `ordnen` sorts them once at the end.
class Wurzelliste {
public:
    using iterator = Indexiterator<Wurzelliste, Baumknoten>;
    using const_iterator = iterator;

    // A tree given as it is to be shown, already in order.
    struct Vorgabe {
        std::string_view text;
        std::initializer_list<std::string_view> kinder;
    };

    Wurzelliste() = default;
    Wurzelliste(std::initializer_list<Vorgabe> wurzeln);

    std::size_t size() const { return wurzeln_.size(); }
    bool empty() const { return wurzeln_.empty(); }
    const Baumknoten operator[](std::size_t i) const {
        const Wurzel& w = wurzeln_[i];
        return {w.text, {kinder_.data() + w.erstesKind, w.anzahlKinder}};
    }
    iterator begin() const { return {this, 0}; }
    iterator end() const { return {this, wurzeln_.size()}; }
    // Keeps its storage for the next load.
    void clear();
    void reserve(std::size_t kinder) {
        kinder_.reserve(kinder);
        kindWurzel_.reserve(kinder);
        umgeordnet_.reserve(kinder);
    }

    // A new root; returns its number until `ordnen`.
    std::uint32_t wurzelAnlegen(std::string_view text);
    // A child written in place: at most `hoechstens` bytes at the pointer returned, then
    // `kindAnfuegen` with its end.
    char* kindPlatz(std::size_t hoechstens) { return speicher_.platz(hoechstens); }
    void kindAnfuegen(std::uint32_t wurzel, const char* ende);
    // The roots by text, and the children of every root by text; once, after the last child.
    void ordnen();

private:
    struct Wurzel {
        std::string_view text;
        std::uint32_t erstesKind = 0, anzahlKinder = 0;
        std::uint64_t letzterKopf = 0; // of the child that came last
        bool geordnet = true;          // the children came in order
    };

    Textspeicher speicher_;
    std::vector<Wurzel> wurzeln_;
    std::vector<std::string_view> kinder_;  // as they come; root after root once in order
    std::vector<std::uint32_t> kindWurzel_; // the root of each child while they come
    std::vector<std::string_view> umgeordnet_;
};

} // namespace fkb
