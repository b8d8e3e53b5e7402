#pragma once

#include <string>
#include <utility>
#include <vector>

namespace fkb {

// Texts of an earlier load, kept as buffers for the next one: a reload of a large file then
// builds its 100 000 texts without asking the allocator for each.
class TextVorrat {
public:
    void aufnehmen(std::vector<std::string>& texte) {
        for (std::string& t : texte)
            vorrat_.push_back(std::move(t));
        texte.clear();
    }
    void aufnehmen(std::string& text) { vorrat_.push_back(std::move(text)); }

    // An empty text, with the capacity of one taken in earlier where there is one.
    std::string nehmen() {
        if (vorrat_.empty())
            return {};
        std::string t = std::move(vorrat_.back());
        vorrat_.pop_back();
        t.clear();
        return t;
    }

private:
    std::vector<std::string> vorrat_;
};

} // namespace fkb
