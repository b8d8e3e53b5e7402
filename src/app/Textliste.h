#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace fkb {

// Walks a list that hands its elements out by number, made anew on each step.
template <class Liste, class Wert> class Indexiterator {
public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Wert;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = Wert;

    Indexiterator() = default;
    Indexiterator(const Liste* liste, std::size_t i) : liste_(liste), i_(i) {}
    Wert operator*() const { return (*liste_)[i_]; }
    Indexiterator& operator++() {
        ++i_;
        return *this;
    }
    Indexiterator operator++(int) {
        Indexiterator vorher = *this;
        ++i_;
        return vorher;
    }
    bool operator==(const Indexiterator&) const = default;

private:
    const Liste* liste_ = nullptr;
    std::size_t i_ = 0;
};

// Texts laid down one after another in a few large blocks. A load builds 100 000 texts: one allocation
// each would cost more than building them. Emptied, it keeps its blocks for the next load.
class Textspeicher {
public:
    Textspeicher() = default;
    // The texts keep their places: they lie in blocks that move with the storage.
    Textspeicher(Textspeicher&& anderer) noexcept { *this = std::move(anderer); }
    Textspeicher& operator=(Textspeicher&& anderer) noexcept;

    std::string_view ablegen(std::string_view text);
    // Room for a text of at most `hoechstens` bytes, to be written at the pointer returned and ended
    // with `abschliessen` before the next call.
    char* platz(std::size_t hoechstens);
    std::string_view abschliessen(const char* ende);
    // Every text laid down is gone; the blocks stay.
    void leeren();

private:
    struct Block {
        std::unique_ptr<char[]> bytes;
        std::size_t groesse;
    };
    std::vector<Block> bloecke_;
    std::size_t block_ = 0; // the block being filled, once there is one
    char* frei_ = nullptr;
    char* ende_ = nullptr;
};

// A run of texts, in order: the lines of a list, the children of a tree's root.
class Textbereich {
public:
    using value_type = std::string_view;
    using iterator = const std::string_view*;
    using const_iterator = iterator;

    Textbereich() = default;
    Textbereich(const std::string_view* anfang, std::size_t anzahl) : anfang_(anfang), anzahl_(anzahl) {}

    std::size_t size() const { return anzahl_; }
    bool empty() const { return anzahl_ == 0; }
    // Const: assigning to the view handed out would change nothing, and must not compile.
    const std::string_view operator[](std::size_t i) const { return anfang_[i]; }
    std::string_view front() const { return anfang_[0]; }
    std::string_view back() const { return anfang_[anzahl_ - 1]; }
    iterator begin() const { return anfang_; }
    iterator end() const { return anfang_ + anzahl_; }

private:
    const std::string_view* anfang_ = nullptr;
    std::size_t anzahl_ = 0;
};

bool operator==(Textbereich a, Textbereich b);
bool operator==(Textbereich a, const std::vector<std::string>& b);

// The first eight bytes of a text, zero-filled, as a number that orders as the texts do (bytes compare
// unsigned, as std::string_view does): a greater number means a greater text; equal ones tell nothing.
std::uint64_t kopfVon(std::string_view text);

// The positions 0 to n − 1 in ascending order of what they stand for. Long texts compared byte by byte
// over and over would cost; their first sixteen bytes (`kopf(i)`, as two numbers that `kopfVon` makes),
// kept beside the positions, settle nearly every comparison, and `kleiner(i, j)` the rest. Sixteen, not
// fewer: a query line's date, invoice number and the dash behind it, which tell its lines apart.
// `kopf` and `kleiner` only read: a long run is sorted in two halves at once, one on a second thread
// that ends before this returns, and the halves merged.
template <class Kopf, class Kleiner>
std::vector<std::uint32_t> reihenfolge(std::size_t n, const Kopf& kopf, const Kleiner& kleiner) {
    struct Rang {
        std::uint64_t vorn, hinten;
        std::uint32_t index;
    };
    const auto vor = [&kleiner](const Rang& a, const Rang& b) {
        if (a.vorn != b.vorn)
            return a.vorn < b.vorn;
        if (a.hinten != b.hinten)
            return a.hinten < b.hinten;
        return kleiner(a.index, b.index);
    };
    std::vector<Rang> reihe(n);
    const auto ordnen = [&](std::size_t von, std::size_t bis) {
        for (std::size_t i = von; i < bis; ++i) {
            const auto [vorn, hinten] = kopf(i);
            reihe[i] = {vorn, hinten, std::uint32_t(i)};
        }
        std::sort(reihe.begin() + std::ptrdiff_t(von), reihe.begin() + std::ptrdiff_t(bis), vor);
    };
    std::vector<std::uint32_t> folge(n);
    // Below this a second thread costs more than it saves.
    constexpr std::size_t ZweiHaelftenAb = 20000;
    const std::size_t mitte = n / 2;
    bool geteilt = false;
    if (n >= ZweiHaelftenAb) {
        try {
            {
                std::jthread zweiter(ordnen, mitte, n);
                ordnen(0, mitte);
            }
            geteilt = true;
        } catch (const std::system_error&) {
            // No thread to be had: the whole run on this one.
        }
    }
    if (!geteilt) {
        ordnen(0, n);
        for (std::size_t i = 0; i < n; ++i)
            folge[i] = reihe[i].index;
        return folge;
    }
    std::size_t a = 0, b = mitte, i = 0;
    while (a < mitte && b < n)
        folge[i++] = vor(reihe[b], reihe[a]) ? reihe[b++].index : reihe[a++].index;
    for (; a < mitte; ++a)
        folge[i++] = reihe[a].index;
    for (; b < n; ++b)
        folge[i++] = reihe[b].index;
    return folge;
}

// Puts werte[folge[i]] at place i, in place; `folge` is used up on the way.
template <class T> void umordnen(std::vector<T>& werte, std::vector<std::uint32_t>& folge) {
    for (std::size_t i = 0; i < werte.size(); ++i) {
        if (folge[i] == i)
            continue;
        T erster = std::move(werte[i]);
        std::size_t j = i;
        for (std::size_t k; (k = folge[j]) != i; j = k) {
            werte[j] = std::move(werte[k]);
            folge[j] = std::uint32_t(j);
        }
        werte[j] = std::move(erster);
        folge[j] = std::uint32_t(j);
    }
}

// The positions of the texts in ascending byte order.
std::vector<std::uint32_t> textReihenfolge(Textbereich texte);

// The entries of a list control such as the categories, in their own blocks.
class Textliste {
public:
    using value_type = std::string_view;
    using iterator = const std::string_view*;
    using const_iterator = iterator;

    Textliste() = default;
    Textliste(std::initializer_list<std::string_view> texte);
    Textliste(const Textliste& andere);
    Textliste& operator=(const Textliste& andere);
    Textliste(Textliste&&) noexcept = default;
    Textliste& operator=(Textliste&&) noexcept = default;

    std::size_t size() const { return texte_.size(); }
    bool empty() const { return texte_.empty(); }
    const std::string_view operator[](std::size_t i) const { return texte_[i]; }
    std::string_view front() const { return texte_.front(); }
    std::string_view back() const { return texte_.back(); }
    iterator begin() const { return texte_.data(); }
    iterator end() const { return texte_.data() + texte_.size(); }
    operator Textbereich() const { return {texte_.data(), texte_.size()}; }

    void push_back(std::string_view text) { texte_.push_back(speicher_.ablegen(text)); }
    // Keeps its blocks for the texts to come.
    void clear();

private:
    Textspeicher speicher_;
    std::vector<std::string_view> texte_;
};

} // namespace fkb
