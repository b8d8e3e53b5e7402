#pragma once

#include "app/Steuerelement.h"
#include "data/DatenSatz.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fkb {

// Builds the customer tree while the data file streams past. A category's root is found in
// constant time; it is the first equal entry, as a scan of the category list would find, since
// every category has one root only. The lookup touches only the index's own compact arrays, so
// it stays in the cache while the records pass through it.
class Baumaufbau {
public:
    // Empties the tree; its storage serves the new one.
    explicit Baumaufbau(Baumansicht& baum);

    // The root of this category, given by its stored bytes (`kategorieBytes`), or −1.
    int finden(std::string_view bytes, std::uint64_t hash) const;
    // A new root for the category with these stored bytes and this text; returns its number.
    int wurzelAnlegen(std::string_view bytes, std::string_view text, std::uint64_t hash);
    // The record's child under the root.
    void kindAnlegen(int wurzel, const DatenSatz& satz);

    // Sorts the roots by text and the children of every root by text.
    void sortieren();

    static std::uint64_t hashVon(std::string_view text);

private:
    struct Platz {
        std::uint64_t hash = 0;
        std::uint32_t anfang = 0; // of the bytes in bytes_
        std::uint32_t laenge = 0;
        std::int32_t wurzel = -1;
    };

    std::size_t maske() const { return plaetze_.size() - 1; }
    void eintragen(const Platz& platz);

    Baumansicht& baum_;
    std::vector<Platz> plaetze_;
    std::size_t belegt_ = 0;
    std::string bytes_;
};

} // namespace fkb
