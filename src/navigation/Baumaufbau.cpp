#include "navigation/Baumaufbau.h"

#include <algorithm>
#include <functional>

namespace fkb {
namespace {

// The first eight bytes of a text as a number that orders as the texts do: a greater number
// means a greater text (bytes compare unsigned, as std::string does); equal numbers tell nothing.
std::uint64_t praefix(std::string_view text) {
    std::uint64_t p = 0;
    for (std::size_t i = 0; i < 8; ++i)
        p = (p << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    return p;
}

} // namespace

Baumaufbau::Baumaufbau(Baumansicht& baum) : baum_(baum), plaetze_(1024) {
    for (Baumknoten& w : baum_.wurzeln) {
        kinderTexte_.aufnehmen(w.kinder);
        wurzelTexte_.aufnehmen(w.text);
        leereKinder_.push_back(std::move(w.kinder));
    }
    baum_.leeren();
}

std::uint64_t Baumaufbau::hashVon(std::string_view text) {
    return std::hash<std::string_view>{}(text);
}

int Baumaufbau::finden(std::string_view bytes, std::uint64_t hash) const {
    for (std::size_t i = hash & maske(); plaetze_[i].wurzel >= 0; i = (i + 1) & maske()) {
        const Platz& p = plaetze_[i];
        if (p.hash == hash && p.laenge == bytes.size() && std::string_view(bytes_).substr(p.anfang, p.laenge) == bytes)
            return p.wurzel;
    }
    return -1;
}

int Baumaufbau::wurzelAnlegen(std::string_view bytes, std::string_view text, std::uint64_t hash) {
    const int wurzel = int(baum_.wurzeln.size());
    eintragen({hash, std::uint32_t(bytes_.size()), std::uint32_t(bytes.size()), wurzel});
    bytes_.append(bytes);
    staende_.push_back({});

    Baumknoten knoten;
    knoten.text = wurzelTexte_.nehmen();
    knoten.text.assign(text);
    if (!leereKinder_.empty()) {
        knoten.kinder = std::move(leereKinder_.back());
        leereKinder_.pop_back();
    }
    baum_.wurzeln.push_back(std::move(knoten));
    return wurzel;
}

std::string& Baumaufbau::kindAnlegen(int wurzel) {
    auto& kinder = baum_.wurzeln[std::size_t(wurzel)].kinder;
    kinder.push_back(kinderTexte_.nehmen());
    return kinder.back();
}

void Baumaufbau::kindEingetragen(int wurzel) {
    const auto& kinder = baum_.wurzeln[std::size_t(wurzel)].kinder;
    Wurzelstand& stand = staende_[std::size_t(wurzel)];
    const std::uint64_t p = praefix(kinder.back());
    if (kinder.size() > 1 && p <= stand.letzterPraefix)
        stand.geordnet = false;
    stand.letzterPraefix = p;
}

void Baumaufbau::eintragen(const Platz& platz) {
    if (2 * (belegt_ + 1) > plaetze_.size()) {
        std::vector<Platz> alt(plaetze_.size() * 2);
        alt.swap(plaetze_);
        belegt_ = 0;
        for (const Platz& p : alt)
            if (p.wurzel >= 0)
                eintragen(p);
    }
    std::size_t i = platz.hash & maske();
    while (plaetze_[i].wurzel >= 0)
        i = (i + 1) & maske();
    plaetze_[i] = platz;
    ++belegt_;
}

void Baumaufbau::sortieren() {
    auto& wurzeln = baum_.wurzeln;
    for (std::size_t w = 0; w < wurzeln.size(); ++w)
        if (!staende_[w].geordnet)
            std::sort(wurzeln[w].kinder.begin(), wurzeln[w].kinder.end());

    // The roots are ordered by their prefixes first, which keeps most comparisons in the cache.
    struct Rang {
        std::uint64_t praefix;
        std::uint32_t wurzel;
    };
    std::vector<Rang> reihe(wurzeln.size());
    for (std::size_t w = 0; w < wurzeln.size(); ++w)
        reihe[w] = {praefix(wurzeln[w].text), std::uint32_t(w)};
    std::sort(reihe.begin(), reihe.end(), [&](const Rang& a, const Rang& b) {
        if (a.praefix != b.praefix)
            return a.praefix < b.praefix;
        return wurzeln[a.wurzel].text < wurzeln[b.wurzel].text;
    });
    if (std::is_sorted(reihe.begin(), reihe.end(), [](const Rang& a, const Rang& b) { return a.wurzel < b.wurzel; }))
        return;
    std::vector<Baumknoten> sortiert;
    sortiert.reserve(wurzeln.size());
    for (const Rang& r : reihe)
        sortiert.push_back(std::move(wurzeln[r.wurzel]));
    wurzeln.swap(sortiert);
}

} // namespace fkb
