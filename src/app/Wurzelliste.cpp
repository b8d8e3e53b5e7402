#include "app/Wurzelliste.h"

#include <algorithm>

namespace fkb {

Wurzelliste::Wurzelliste(std::initializer_list<Vorgabe> wurzeln) {
    for (const Vorgabe& v : wurzeln) {
        const std::uint32_t w = wurzelAnlegen(v.text);
        for (std::string_view kind : v.kinder) {
            char* platz = kindPlatz(kind.size());
            std::copy(kind.begin(), kind.end(), platz);
            kindAnfuegen(w, platz + kind.size());
        }
    }
    ordnen();
}

void Wurzelliste::clear() {
    speicher_.leeren();
    wurzeln_.clear();
    kinder_.clear();
    kindWurzel_.clear();
}

std::uint32_t Wurzelliste::wurzelAnlegen(std::string_view text) {
    wurzeln_.push_back({speicher_.ablegen(text)});
    return std::uint32_t(wurzeln_.size() - 1);
}

void Wurzelliste::kindAnfuegen(std::uint32_t wurzel, const char* ende) {
    const std::string_view kind = speicher_.abschliessen(ende);
    kinder_.push_back(kind);
    kindWurzel_.push_back(wurzel);
    // Only the children of roots whose children came out of order are sorted at the end.
    Wurzel& w = wurzeln_[wurzel];
    const std::uint64_t kopf = kopfVon(kind);
    if (w.anzahlKinder > 0 && kopf <= w.letzterKopf)
        w.geordnet = false;
    w.letzterKopf = kopf;
    ++w.anzahlKinder;
}

void Wurzelliste::ordnen() {
    std::vector<std::string_view> texte(wurzeln_.size());
    for (std::size_t w = 0; w < wurzeln_.size(); ++w)
        texte[w] = wurzeln_[w].text;
    const std::vector<std::uint32_t> folge = textReihenfolge({texte.data(), texte.size()});

    // Each root's children take the places after those of the roots before it, in the order they came.
    std::vector<Wurzel> geordnet(wurzeln_.size());
    std::vector<std::uint32_t> naechsterPlatz(wurzeln_.size());
    std::uint32_t platz = 0;
    for (std::size_t neu = 0; neu < folge.size(); ++neu) {
        geordnet[neu] = wurzeln_[folge[neu]];
        geordnet[neu].erstesKind = naechsterPlatz[folge[neu]] = platz;
        platz += geordnet[neu].anzahlKinder;
    }
    // Into the buffer of the load before, which takes the arrival order's place for the next one.
    std::vector<std::string_view>& kinder = umgeordnet_;
    kinder.resize(kinder_.size());
    for (std::size_t k = 0; k < kinder_.size(); ++k)
        kinder[naechsterPlatz[kindWurzel_[k]]++] = kinder_[k];
    for (Wurzel& w : geordnet)
        if (!w.geordnet) {
            std::sort(kinder.begin() + w.erstesKind, kinder.begin() + w.erstesKind + w.anzahlKinder);
            w.geordnet = true;
        }
    wurzeln_.swap(geordnet);
    kinder_.swap(kinder);
    kindWurzel_.clear();
}

} // namespace fkb
