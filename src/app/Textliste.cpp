#include "app/Textliste.h"

#include <algorithm>
#include <cstring>

namespace fkb {
namespace {

// A load of 100 000 lines asks for a few dozen blocks; the pages of a block not written to take no
// memory, so a small file costs little more than its texts.
constexpr std::size_t BlockGroesse = std::size_t(1) << 20;

} // namespace

Textspeicher& Textspeicher::operator=(Textspeicher&& anderer) noexcept {
    if (this != &anderer) {
        bloecke_ = std::exchange(anderer.bloecke_, {});
        block_ = std::exchange(anderer.block_, 0);
        frei_ = std::exchange(anderer.frei_, nullptr);
        ende_ = std::exchange(anderer.ende_, nullptr);
    }
    return *this;
}

char* Textspeicher::platz(std::size_t hoechstens) {
    if (std::size_t(ende_ - frei_) < hoechstens) {
        const std::size_t naechster = frei_ ? block_ + 1 : 0;
        if (naechster == bloecke_.size() || bloecke_[naechster].groesse < hoechstens) {
            const std::size_t groesse = std::max(BlockGroesse, hoechstens);
            bloecke_.insert(bloecke_.begin() + std::ptrdiff_t(naechster),
                            Block{std::make_unique_for_overwrite<char[]>(groesse), groesse});
        }
        block_ = naechster;
        frei_ = bloecke_[block_].bytes.get();
        ende_ = frei_ + bloecke_[block_].groesse;
    }
    return frei_;
}

std::string_view Textspeicher::abschliessen(const char* ende) {
    const std::string_view text(frei_, std::size_t(ende - frei_));
    frei_ += text.size();
    return text;
}

std::string_view Textspeicher::ablegen(std::string_view text) {
    char* ziel = platz(text.size());
    if (!text.empty())
        std::memcpy(ziel, text.data(), text.size());
    return abschliessen(ziel + text.size());
}

void Textspeicher::leeren() {
    block_ = 0;
    frei_ = bloecke_.empty() ? nullptr : bloecke_[0].bytes.get();
    ende_ = bloecke_.empty() ? nullptr : frei_ + bloecke_[0].groesse;
}

std::uint64_t kopfVon(std::string_view text) {
    unsigned char bytes[8] = {};
    if (!text.empty())
        std::memcpy(bytes, text.data(), std::min(text.size(), sizeof bytes));
    std::uint64_t kopf = 0;
    for (unsigned char b : bytes)
        kopf = kopf << 8 | b;
    return kopf;
}

std::vector<std::uint32_t> textReihenfolge(Textbereich texte) {
    return reihenfolge(
        texte.size(),
        [&texte](std::size_t i) {
            const std::string_view t = texte[i];
            return std::pair{kopfVon(t), t.size() > 8 ? kopfVon(t.substr(8)) : 0};
        },
        [&texte](std::size_t a, std::size_t b) { return texte[a] < texte[b]; });
}

bool operator==(Textbereich a, Textbereich b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

bool operator==(Textbereich a, const std::vector<std::string>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](std::string_view x, const std::string& y) { return x == y; });
}

Textliste::Textliste(std::initializer_list<std::string_view> texte) {
    for (std::string_view t : texte)
        push_back(t);
}

Textliste::Textliste(const Textliste& andere) {
    *this = andere;
}

Textliste& Textliste::operator=(const Textliste& andere) {
    if (this != &andere) {
        clear();
        for (std::string_view t : andere)
            push_back(t);
    }
    return *this;
}

void Textliste::clear() {
    texte_.clear();
    speicher_.leeren();
}

} // namespace fkb
