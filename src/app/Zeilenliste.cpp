#include "app/Zeilenliste.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace fkb {
namespace {

constexpr std::size_t LeerStueck = 256;
constexpr std::array<char, LeerStueck> Leerzeichen = [] {
    std::array<char, LeerStueck> a{};
    a.fill(' ');
    return a;
}();

// The bytes of a line, piece by piece, as if it were whole.
class Stuecke {
public:
    explicit Stuecke(const Zeilenliste::Teile& t) : t_(t) {}
    // The bytes from here on that lie in one piece; empty at the end of the line.
    std::string_view stueck() const {
        if (pos_ < t_.vorn.size())
            return t_.vorn.substr(pos_);
        std::size_t p = pos_ - t_.vorn.size();
        if (p < t_.leer)
            return {Leerzeichen.data(), std::min(t_.leer - p, LeerStueck)};
        p -= t_.leer;
        return t_.hinten.substr(std::min(p, t_.hinten.size()));
    }
    void weiter(std::size_t n) { pos_ += n; }

private:
    Zeilenliste::Teile t_;
    std::size_t pos_ = 0;
};

// As std::string_view::compare would order the whole lines.
int vergleichen(const Zeilenliste::Teile& a, const Zeilenliste::Teile& b) {
    Stuecke x(a), y(b);
    for (;;) {
        const std::string_view s = x.stueck(), t = y.stueck();
        if (s.empty() || t.empty())
            return s.empty() ? (t.empty() ? 0 : -1) : 1;
        const std::size_t n = std::min(s.size(), t.size());
        if (const int c = std::memcmp(s.data(), t.data(), n))
            return c;
        x.weiter(n);
        y.weiter(n);
    }
}

Zeilenliste::Teile ganz(std::string_view text) {
    return {text, 0, {}};
}

// The first sixteen bytes of a line, zero-filled, as two numbers that order as the lines do.
std::pair<std::uint64_t, std::uint64_t> kopf(const Zeilenliste::Teile& t) {
    char bytes[16] = {};
    std::size_t n = 0;
    for (Stuecke s(t); n < sizeof bytes;) {
        const std::string_view stueck = s.stueck();
        if (stueck.empty())
            break;
        const std::size_t k = std::min(stueck.size(), sizeof bytes - n);
        std::memcpy(bytes + n, stueck.data(), k);
        n += k;
        s.weiter(k);
    }
    return {kopfVon({bytes, 8}), kopfVon({bytes + 8, 8})};
}

} // namespace

std::string Zeilenliste::Teile::text() const {
    std::string t;
    t.reserve(size());
    t.append(vorn);
    t.append(leer, ' ');
    t.append(hinten);
    return t;
}

Zeilenliste::Zeilenliste(std::initializer_list<std::string_view> zeilen) {
    for (std::string_view z : zeilen)
        push_back(z);
}

Zeilenliste::Zeilenliste(const Zeilenliste& andere) {
    *this = andere;
}

Zeilenliste& Zeilenliste::operator=(const Zeilenliste& andere) {
    if (this != &andere) {
        clear();
        for (std::size_t i = 0; i < andere.size(); ++i) {
            const Teile t = andere.teile(i);
            anfuegen(t.vorn, t.leer, t.hinten);
        }
        geordnet_ = andere.geordnet_;
    }
    return *this;
}

Zeilenliste::Teile Zeilenliste::teile(std::size_t i) const {
    const Eintrag& z = zeilen_[i];
    return {{z.text, z.vorn}, z.leer, {z.text + z.vorn, z.hinten}};
}

bool Zeilenliste::gleich(std::size_t i, std::string_view text) const {
    return vergleichen(teile(i), ganz(text)) == 0;
}

bool Zeilenliste::beginntMit(std::size_t i, std::string_view text) const {
    const Teile t = teile(i);
    if (t.size() < text.size())
        return false;
    Teile anfang = t;
    // Cut to the length of the text, then compared whole.
    std::size_t rest = text.size();
    anfang.vorn = t.vorn.substr(0, rest);
    rest -= anfang.vorn.size();
    anfang.leer = std::min(t.leer, rest);
    rest -= anfang.leer;
    anfang.hinten = t.hinten.substr(0, rest);
    return vergleichen(anfang, ganz(text)) == 0;
}

void Zeilenliste::notieren(const Eintrag& zeile) {
    zeilen_.push_back(zeile);
    // Compared while both lines are still in the cache: saves a pass before sorting.
    if (geordnet_ && zeilen_.size() > 1 && vergleichen(teile(size() - 1), teile(size() - 2)) < 0)
        geordnet_ = false;
}

void Zeilenliste::push_back(std::string_view zeile) {
    const std::string_view text = speicher_.ablegen(zeile);
    notieren({text.data(), std::uint32_t(text.size()), 0, 0});
}

void Zeilenliste::anfuegen(std::string_view vorn, std::size_t leer, std::string_view hinten) {
    constexpr std::size_t Grenze = std::numeric_limits<std::uint16_t>::max();
    if (leer > Grenze || hinten.size() > Grenze) {
        push_back(Teile{vorn, leer, hinten}.text());
        return;
    }
    char* ziel = speicher_.platz(vorn.size() + hinten.size());
    if (!vorn.empty())
        std::memcpy(ziel, vorn.data(), vorn.size());
    if (!hinten.empty())
        std::memcpy(ziel + vorn.size(), hinten.data(), hinten.size());
    const std::string_view text = speicher_.abschliessen(ziel + vorn.size() + hinten.size());
    notieren({text.data(), std::uint32_t(vorn.size()), std::uint16_t(leer), std::uint16_t(hinten.size())});
}

void Zeilenliste::ersetzen(std::size_t i, std::string_view zeile) {
    const std::string_view text = speicher_.ablegen(zeile);
    zeilen_.at(i) = {text.data(), std::uint32_t(text.size()), 0, 0};
    geordnet_ = false;
}

void Zeilenliste::clear() {
    zeilen_.clear();
    speicher_.leeren();
    geordnet_ = true;
}

void Zeilenliste::sortieren() {
    if (geordnet_)
        return;
    std::vector<std::uint32_t> folge = reihenfolge(
        size(), [this](std::size_t i) { return kopf(teile(i)); },
        [this](std::size_t a, std::size_t b) { return vergleichen(teile(a), teile(b)) < 0; });
    umordnen(zeilen_, folge);
    geordnet_ = true;
}

namespace {
template <class Zeilen> bool gleicheZeilen(const Zeilenliste& a, const Zeilen& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!a.gleich(i, b[i]))
            return false;
    return true;
}
} // namespace

bool operator==(const Zeilenliste& a, const Zeilenliste& b) {
    return gleicheZeilen(a, b);
}

bool operator==(const Zeilenliste& a, const std::vector<std::string>& b) {
    return gleicheZeilen(a, b);
}

} // namespace fkb
