#include "data/Sicherung.h"

#include "data/Dateizugriff.h"
#include "data/Laufzeitfehler.h"
#include "data/Systemaufrufe.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fkb {
namespace {

constexpr char Kennung[8] = {'F', 'K', 'B', '-', 'A', 'L', 'T', '1'};

// Everything a copy says before its bytes; it ends with a checksum over all of it, so that a copy
// cut short by a kill is known as such.
struct Kopf {
    char kennung[8];
    std::uint64_t geraet, knoten; // the data file
    std::uint64_t offset;         // where the write goes
    std::uint64_t alteLaenge;     // the file's size before it
    std::uint64_t altBytes, neuBytes;
};

std::uint64_t pruefsumme(const unsigned char* daten, std::size_t laenge) {
    std::uint64_t h = 14695981039346656037ull; // FNV-1a
    for (std::size_t i = 0; i < laenge; ++i)
        h = (h ^ daten[i]) * 1099511628211ull;
    return h;
}

// What is read back from a copy on disk; empty when there is none or it is incomplete.
struct Inhalt {
    Kopf kopf{};
    std::vector<unsigned char> alt, neu;
    bool gueltig = false;
};

Inhalt lesen(int fd) {
    Inhalt i;
    std::vector<unsigned char> bytes;
    unsigned char block[8192];
    for (off_t offset = 0;;) {
        const std::size_t n = ganzLesen(fd, block, sizeof block, offset);
        bytes.insert(bytes.end(), block, block + n);
        offset += off_t(n);
        if (n < sizeof block)
            break;
    }
    if (bytes.size() < sizeof(Kopf) + sizeof(std::uint64_t))
        return i;
    std::memcpy(&i.kopf, bytes.data(), sizeof(Kopf));
    const std::size_t rumpf = bytes.size() - sizeof(std::uint64_t);
    std::uint64_t summe;
    std::memcpy(&summe, bytes.data() + rumpf, sizeof summe);
    if (std::memcmp(i.kopf.kennung, Kennung, sizeof Kennung) != 0 || summe != pruefsumme(bytes.data(), rumpf) ||
        sizeof(Kopf) + i.kopf.altBytes + i.kopf.neuBytes != rumpf)
        return i;
    const unsigned char* alt = bytes.data() + sizeof(Kopf);
    i.alt.assign(alt, alt + i.kopf.altBytes);
    i.neu.assign(alt + i.kopf.altBytes, alt + i.kopf.altBytes + i.kopf.neuBytes);
    i.gueltig = true;
    return i;
}

// Whether the bytes now at the place can have come from an interrupted write of `neu` over `alt`:
// each byte the new one or the old one. Anything else is not what the copy describes.
bool ausAltUndNeu(const std::vector<unsigned char>& jetzt, const Inhalt& i) {
    for (std::size_t k = 0; k < jetzt.size(); ++k)
        if (k >= i.neu.size() || (jetzt[k] != i.neu[k] && (k >= i.alt.size() || jetzt[k] != i.alt[k])))
            return false;
    return true;
}

} // namespace

std::string sicherungsPfad(const GesperrteDatei& datei) {
    std::unique_ptr<char, decltype(&std::free)> echt(::realpath(datei.pfad().c_str(), nullptr), &std::free);
    char name[40];
    std::snprintf(name, sizeof name, "/~fkb-%llx.alt", static_cast<unsigned long long>(datei.kennung().knoten));
    return ordnerVon(echt ? std::string(echt.get()) : datei.pfad()) + name;
}

bool sicherungsName(const std::string& name, ino_t& knoten) {
    const std::string anfang = "~fkb-", ende = ".alt";
    if (name.size() <= anfang.size() + ende.size() || !name.starts_with(anfang) || !name.ends_with(ende))
        return false;
    const std::string hex = name.substr(anfang.size(), name.size() - anfang.size() - ende.size());
    if (hex.size() > 16 || hex.find_first_not_of("0123456789abcdef") != std::string::npos)
        return false;
    knoten = ino_t(std::stoull(hex, nullptr, 16));
    return true;
}

Sicherung::Sicherung(const GesperrteDatei& datei, off_t offset, std::int64_t alteLaenge,
                     std::span<const unsigned char> alt, std::span<const unsigned char> neu)
    : pfad_(sicherungsPfad(datei)) {
    Kopf kopf{};
    std::memcpy(kopf.kennung, Kennung, sizeof Kennung);
    kopf.geraet = datei.kennung().geraet;
    kopf.knoten = datei.kennung().knoten;
    kopf.offset = std::uint64_t(offset);
    kopf.alteLaenge = std::uint64_t(alteLaenge);
    kopf.altBytes = alt.size();
    kopf.neuBytes = neu.size();
    std::vector<unsigned char> bytes(sizeof kopf);
    std::memcpy(bytes.data(), &kopf, sizeof kopf);
    bytes.insert(bytes.end(), alt.begin(), alt.end());
    bytes.insert(bytes.end(), neu.begin(), neu.end());
    const std::uint64_t summe = pruefsumme(bytes.data(), bytes.size());
    bytes.resize(bytes.size() + sizeof summe);
    std::memcpy(bytes.data() + bytes.size() - sizeof summe, &summe, sizeof summe);

    // As private as the data file: it holds one of its records, and whoever may write the file must be
    // able to put it right.
    struct stat st {};
    const mode_t modus = ::fstat(datei.fd(), &st) == 0 ? st.st_mode & 0666 : 0600;
    int fd = systemaufrufe.open(pfad_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, modus);
    if (fd < 0)
        throw EAFehler(errno);
    int fehler = ganzSchreiben(fd, bytes.data(), bytes.size(), 0);
    if (fehler == 0 && systemaufrufe.fdatasync(fd) != 0)
        fehler = errno;
    if (systemaufrufe.close(fd) != 0 && fehler == 0)
        fehler = errno;
    if (fehler != 0) {
        // The data file is untouched: a copy that is not whole is of no use.
        systemaufrufe.unlink(pfad_.c_str());
        throw EAFehler(fehler);
    }
    // Its name must be on disk before the record is written: a folder that cannot be flushed is
    // not worth failing the store for, the copy itself is whole.
    ordnerSichern(ordnerVon(pfad_));
}

// A copy that cannot be removed is found by the next program, which sees the new bytes whole and
// only removes it: no reason to report a store that succeeded as failed.
void Sicherung::entfernen() {
    systemaufrufe.unlink(pfad_.c_str());
}

void sicherungEinspielen(const GesperrteDatei& datei) {
    const std::string pfad = sicherungsPfad(datei);
    int fd = systemaufrufe.open(pfad.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC, 0);
    if (fd < 0) {
        if (errno == ENOENT)
            return;
        throw EAFehler(errno);
    }
    Inhalt inhalt;
    try {
        inhalt = lesen(fd);
    } catch (...) {
        systemaufrufe.close(fd);
        throw;
    }
    systemaufrufe.close(fd);

    const Kopf& k = inhalt.kopf;
    const std::int64_t groesse = datei.groesse();
    if (inhalt.gueltig && k.geraet == datei.kennung().geraet && k.knoten == datei.kennung().knoten &&
        std::int64_t(k.offset) <= groesse) {
        const std::size_t vorhanden =
            std::size_t(std::min<std::int64_t>(groesse - std::int64_t(k.offset), std::int64_t(inhalt.neu.size())));
        std::vector<unsigned char> jetzt(vorhanden);
        ganzLesen(datei.fd(), jetzt.data(), jetzt.size(), off_t(k.offset));
        const bool ganzNeu = jetzt == inhalt.neu;
        if (!ganzNeu && ausAltUndNeu(jetzt, inhalt)) {
            int fehler = ganzSchreiben(datei.fd(), inhalt.alt.data(), inhalt.alt.size(), off_t(k.offset));
            if (fehler == 0 && groesse != std::int64_t(k.alteLaenge) &&
                systemaufrufe.ftruncate(datei.fd(), off_t(k.alteLaenge)) != 0)
                fehler = errno;
            if (fehler == 0 && systemaufrufe.fdatasync(datei.fd()) != 0)
                fehler = errno;
            if (fehler != 0)
                throw EAFehler(fehler);
        }
    }
    if (systemaufrufe.unlink(pfad.c_str()) != 0 && errno != ENOENT)
        throw EAFehler(errno);
}

} // namespace fkb
