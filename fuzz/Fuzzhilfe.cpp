#include "Fuzzhilfe.h"

#include "data/Grundbestand.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fkb::fuzz {

void StillePlattform::melden(const char* art, const std::string& text) {
    FKB_PRUEFEN(gueltigesUtf8(text));
    meldungen.push_back(art + text);
}

bool gueltigesUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        // The bytes that follow a lead byte; C0, C1 and F5 on lead nothing.
        const std::size_t folge = b < 0x80                 ? 0
                                  : b >= 0xC2 && b <= 0xDF ? 1
                                  : (b & 0xF0) == 0xE0     ? 2
                                  : b >= 0xF0 && b <= 0xF4 ? 3
                                                           : 4;
        if (folge == 4 || i + folge >= text.size())
            return false;
        for (std::size_t k = 1; k <= folge; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += folge + 1;
    }
    return true;
}

namespace {
struct Ordner {
    std::filesystem::path pfad;
    Ordner() {
        const char* basis = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string muster = std::string(basis) + "/fkb-fuzz-XXXXXX";
        if (!::mkdtemp(muster.data()))
            std::abort();
        pfad = muster;
    }
    ~Ordner() {
        std::error_code fehler;
        std::filesystem::remove_all(pfad, fehler);
    }
};
} // namespace

const std::string& sandkasten() {
    static const Ordner ordner;
    static const std::string pfad = ordner.pfad.string();
    return pfad;
}

std::string dateiSchreiben(const std::string& name, std::string_view bytes) {
    const std::string pfad = sandkasten() + "/" + name;
    std::ofstream datei(pfad, std::ios::binary | std::ios::trunc);
    datei.write(bytes.data(), std::streamsize(bytes.size()));
    return pfad;
}

std::string dateiLesen(const std::string& pfad) {
    std::ifstream datei(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(datei), std::istreambuf_iterator<char>()};
}

const std::vector<DatenSatz>& vorspann() {
    static const std::vector<DatenSatz> saetze = [] {
        DatenSatz puffer;
        std::vector<DatenSatz> alle = grundbestand(puffer, {"08.12.2026", "10:15:00"}, {"08.12.2026", "10:15:00"});
        alle.resize(51);
        return alle;
    }();
    return saetze;
}

} // namespace fkb::fuzz
