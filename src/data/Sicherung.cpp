#include "data/Sicherung.h"

#include "data/Dateizugriff.h"
#include "data/DatenSatz.h"
#include "data/Laufzeitfehler.h"
#include "data/Systemaufrufe.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <set>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fkb {
namespace {

constexpr char Kennung[8] = {'F', 'K', 'B', '-', 'A', 'L', 'T', '2'};
// A write that the system stops — a killed program, a full disk, a power failure — stops between two
// sectors of the file: each sector of the place then holds all of its old bytes or all of its new ones.
constexpr std::uint64_t Sektor = 512;
constexpr std::size_t HoechstensStuecke = DatenSatz::Groesse / Sektor + 2;

// Everything a copy says before the old bytes; the copy ends with a checksum over all of it, so that a
// copy cut short by a kill is known as such.
struct Kopf {
    char kennung[8];
    std::uint64_t offset;     // where the write goes
    std::uint64_t alteLaenge; // the file's size before it
    std::uint64_t altBytes, neuBytes;
    std::uint64_t umfeld;                 // digest of the bytes around the place
    std::uint64_t neu[HoechstensStuecke]; // digests of the new bytes, sector by sector
};
constexpr std::size_t HoechsteGroesse = sizeof(Kopf) + DatenSatz::Groesse + sizeof(std::uint64_t);

struct Pruefsumme { // FNV-1a
    std::uint64_t wert = 14695981039346656037ull;
    void dazu(const unsigned char* daten, std::size_t laenge) {
        for (std::size_t i = 0; i < laenge; ++i)
            wert = (wert ^ daten[i]) * 1099511628211ull;
    }
};

std::uint64_t pruefsumme(const unsigned char* daten, std::size_t laenge) {
    Pruefsumme p;
    p.dazu(daten, laenge);
    return p.wert;
}

// The place [offset, offset + laenge) in pieces that end at the sector boundaries of the file.
std::vector<std::pair<std::uint64_t, std::uint64_t>> stuecke(std::uint64_t offset, std::uint64_t laenge) {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> s;
    for (std::uint64_t von = offset; von < offset + laenge;) {
        const std::uint64_t bis = std::min(offset + laenge, (von / Sektor + 1) * Sektor);
        s.emplace_back(von, bis);
        von = bis;
    }
    return s;
}

// The bytes of [von, bis) that the file holds.
std::vector<unsigned char> bytesLesen(int fd, std::uint64_t von, std::uint64_t bis) {
    std::vector<unsigned char> b(bis > von ? bis - von : 0);
    b.resize(ganzLesen(fd, b.data(), b.size(), off_t(von)));
    return b;
}

// The file's first record, the record before the place and the one after it, as far as the file
// reached: what tells this file in this state from another one put at its name.
std::uint64_t umfeld(int fd, std::uint64_t offset, std::uint64_t laenge, std::uint64_t dateiLaenge) {
    constexpr std::uint64_t G = DatenSatz::Groesse;
    const std::pair<std::uint64_t, std::uint64_t> bereiche[] = {
        {0, std::min(G, offset)},
        {offset - std::min(G, offset), offset},
        {offset + laenge, std::min(dateiLaenge, offset + laenge + G)},
    };
    Pruefsumme p;
    for (const auto& [von, bis] : bereiche) {
        const std::vector<unsigned char> b = bytesLesen(fd, von, bis);
        p.dazu(b.data(), b.size());
    }
    return p.wert;
}

// What is read back from a copy on disk; not `gueltig` when it is incomplete.
struct Inhalt {
    Kopf kopf{};
    std::vector<unsigned char> alt;
    bool gueltig = false;
};

Inhalt lesen(int fd) {
    Inhalt i;
    std::vector<unsigned char> bytes(HoechsteGroesse + 1);
    bytes.resize(ganzLesen(fd, bytes.data(), bytes.size(), 0));
    if (bytes.size() < sizeof(Kopf) + sizeof(std::uint64_t) || bytes.size() > HoechsteGroesse)
        return i;
    std::memcpy(&i.kopf, bytes.data(), sizeof(Kopf));
    const std::size_t rumpf = bytes.size() - sizeof(std::uint64_t);
    std::uint64_t summe;
    std::memcpy(&summe, bytes.data() + rumpf, sizeof summe);
    const Kopf& k = i.kopf;
    const bool ueberschreiben = k.altBytes == k.neuBytes && k.offset + k.neuBytes <= k.alteLaenge;
    const bool anhaengen = k.altBytes < k.neuBytes && k.offset + k.altBytes == k.alteLaenge;
    if (std::memcmp(k.kennung, Kennung, sizeof Kennung) != 0 || summe != pruefsumme(bytes.data(), rumpf) ||
        sizeof(Kopf) + k.altBytes != rumpf || k.neuBytes == 0 || k.neuBytes > DatenSatz::Groesse ||
        k.offset > (std::uint64_t(1) << 62) || !(ueberschreiben || anhaengen))
        return i;
    i.alt.assign(bytes.begin() + sizeof(Kopf), bytes.begin() + std::ptrdiff_t(rumpf));
    i.gueltig = true;
    return i;
}

enum class Zustand { Anders, Alt, Neu, Halb };

// The state the file is in, as far as the copy goes: as before the write, with the write whole, half
// written — each sector old or new — or something the copy does not describe.
Zustand zustand(int fd, std::uint64_t laenge, const Inhalt& i) {
    const Kopf& k = i.kopf;
    const bool anhaengen = k.offset + k.neuBytes > k.alteLaenge;
    if (anhaengen ? laenge < k.alteLaenge || laenge > k.offset + k.neuBytes : laenge != k.alteLaenge)
        return Zustand::Anders;
    if (umfeld(fd, k.offset, k.neuBytes, k.alteLaenge) != k.umfeld)
        return Zustand::Anders;
    bool alt = true, neu = true;
    const auto teile = stuecke(k.offset, k.neuBytes);
    for (std::size_t s = 0; s < teile.size(); ++s) {
        const auto [von, bis] = teile[s];
        // How far the sector reaches into the file now, and how far it did before the write.
        const std::uint64_t jetztBis = std::clamp(laenge, von, bis), vorherBis = std::clamp(k.alteLaenge, von, bis);
        const std::vector<unsigned char> jetzt = bytesLesen(fd, von, jetztBis);
        if (jetzt.size() != jetztBis - von)
            return Zustand::Anders;
        const bool istAlt = jetztBis == vorherBis &&
                            std::equal(jetzt.begin(), jetzt.end(), i.alt.begin() + std::ptrdiff_t(von - k.offset));
        const bool istNeu = jetztBis == bis && pruefsumme(jetzt.data(), jetzt.size()) == k.neu[s];
        if (!istAlt && !istNeu)
            return Zustand::Anders;
        alt = alt && istAlt;
        neu = neu && istNeu;
    }
    return neu ? Zustand::Neu : alt ? Zustand::Alt : Zustand::Halb;
}

// A copy of the user's own: what this program makes, and nothing another user could have put there.
bool eigeneKopie(const struct stat& st) {
    return S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_nlink == 1 && st.st_size <= off_t(HoechsteGroesse);
}

// A long query opens the file on two threads at once.
std::mutex meldungen;
std::set<std::string> gemeldet;
std::vector<std::string> ungemeldet;

void fremdeGefunden(const std::string& pfad) {
    const std::lock_guard<std::mutex> gesperrt(meldungen);
    if (gemeldet.insert(pfad).second)
        ungemeldet.push_back(pfad);
}

// No copy, yet the write may go ahead: the folder takes no new file, or the disk has no room for one,
// or something else stands at its name.
bool ohneKopieMoeglich(int fehler) {
    return fehler == EACCES || fehler == EPERM || fehler == EROFS || fehler == EEXIST || fehler == ENOSPC ||
           fehler == EDQUOT || fehler == EFBIG;
}

// The copy goes once it has served. Where its folder lets nothing be removed, it is emptied instead,
// so that it never serves again.
void wegraeumen(const std::string& pfad, const struct stat& geprueft) {
    if (systemaufrufe.unlink(pfad.c_str()) == 0 || errno == ENOENT)
        return;
    int fd = systemaufrufe.open(pfad.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0);
    if (fd < 0)
        return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_dev == geprueft.st_dev && st.st_ino == geprueft.st_ino)
        systemaufrufe.ftruncate(fd, 0);
    systemaufrufe.close(fd);
}

} // namespace

std::string sicherungsName(const std::string& dateiName) {
    char name[32];
    std::snprintf(name, sizeof name, "~fkb-%016llx.alt",
                  static_cast<unsigned long long>(
                      pruefsumme(reinterpret_cast<const unsigned char*>(dateiName.data()), dateiName.size())));
    return name;
}

bool istSicherungsName(const std::string& name) {
    const std::string anfang = "~fkb-", ende = ".alt";
    return name.size() == anfang.size() + 16 + ende.size() && name.starts_with(anfang) && name.ends_with(ende) &&
           name.find_first_not_of("0123456789abcdef", anfang.size()) == name.size() - ende.size();
}

std::string sicherungsPfad(const std::string& datenPfad) {
    std::unique_ptr<char, decltype(&std::free)> echt(::realpath(datenPfad.c_str(), nullptr), &std::free);
    const std::string datei = echt ? std::string(echt.get()) : datenPfad;
    const std::string ordner = ordnerVon(datei);
    return (ordner == "/" ? ordner : ordner + "/") + sicherungsName(datei.substr(datei.find_last_of('/') + 1));
}

int zuruecksetzen(int fd, off_t offset, std::span<const unsigned char> alt, std::int64_t laenge) {
    const auto gleich = [&] {
        const std::vector<unsigned char> jetzt =
            bytesLesen(fd, std::uint64_t(offset), std::uint64_t(offset) + alt.size());
        return std::equal(jetzt.begin(), jetzt.end(), alt.begin(), alt.end());
    };
    const auto groesse = [fd] {
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            throw EAFehler(errno);
        return std::int64_t(st.st_size);
    };
    try {
        int fehler = 0;
        if (!gleich())
            fehler = ganzSchreiben(fd, alt.data(), alt.size(), offset);
        if (groesse() != laenge && systemaufrufe.ftruncate(fd, off_t(laenge)) != 0 && fehler == 0)
            fehler = errno;
        if (systemaufrufe.fdatasync(fd) != 0)
            return errno;
        // A write stopped by a size limit stops its undoing at the same place: what it could not write,
        // it did not change either.
        if (groesse() == laenge && gleich())
            return 0;
        return fehler != 0 ? fehler : EIO;
    } catch (const EAFehler& e) {
        return e.fehlernummer();
    }
}

Sicherung::Sicherung(const GesperrteDatei& datei, off_t offset, std::int64_t alteLaenge,
                     std::span<const unsigned char> alt, std::span<const unsigned char> neu) {
    if (neu.empty() || neu.size() > DatenSatz::Groesse || alt.size() > neu.size())
        throw std::logic_error("Sicherung: höchstens ein Satz");
    Kopf kopf{};
    std::memcpy(kopf.kennung, Kennung, sizeof Kennung);
    kopf.offset = std::uint64_t(offset);
    kopf.alteLaenge = std::uint64_t(alteLaenge);
    kopf.altBytes = alt.size();
    kopf.neuBytes = neu.size();
    kopf.umfeld = umfeld(datei.fd(), kopf.offset, kopf.neuBytes, kopf.alteLaenge);
    const auto teile = stuecke(kopf.offset, kopf.neuBytes);
    for (std::size_t s = 0; s < teile.size(); ++s)
        kopf.neu[s] = pruefsumme(neu.data() + (teile[s].first - kopf.offset), teile[s].second - teile[s].first);
    std::vector<unsigned char> bytes(sizeof kopf);
    std::memcpy(bytes.data(), &kopf, sizeof kopf);
    bytes.insert(bytes.end(), alt.begin(), alt.end());
    const std::uint64_t summe = pruefsumme(bytes.data(), bytes.size());
    bytes.resize(bytes.size() + sizeof summe);
    std::memcpy(bytes.data() + bytes.size() - sizeof summe, &summe, sizeof summe);

    // Always a new file: whatever someone else put at the name receives nothing.
    const std::string pfad = sicherungsPfad(datei.pfad());
    int fd = systemaufrufe.open(pfad.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (ohneKopieMoeglich(errno))
            return;
        throw EAFehler(errno);
    }
    int fehler = ganzSchreiben(fd, bytes.data(), bytes.size(), 0);
    if (fehler == 0 && systemaufrufe.fdatasync(fd) != 0)
        fehler = errno;
    if (systemaufrufe.close(fd) != 0 && fehler == 0)
        fehler = errno;
    if (fehler != 0) {
        // The data file is untouched: a copy that is not whole is of no use.
        systemaufrufe.unlink(pfad.c_str());
        if (ohneKopieMoeglich(fehler))
            return;
        throw EAFehler(fehler);
    }
    pfad_ = pfad;
    // Its name must be on disk before the record is written: a folder that cannot be flushed is
    // not worth failing the store for, the copy itself is whole.
    ordnerSichern(ordnerVon(pfad_));
}

// A copy that cannot be removed is found by the next program, which sees the new bytes whole and
// only removes it: no reason to report a store that succeeded as failed.
void Sicherung::entfernen() {
    if (!pfad_.empty())
        systemaufrufe.unlink(pfad_.c_str());
}

void sicherungEinspielen(const GesperrteDatei& datei) {
    const std::string pfad = sicherungsPfad(datei.pfad());
    // Neither a link followed nor a pipe waited for.
    int fd = systemaufrufe.open(pfad.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0);
    if (fd < 0) {
        if (errno == ENOENT)
            return;
        if (errno != ELOOP && errno != EACCES && errno != EPERM)
            throw EAFehler(errno);
        fremdeGefunden(pfad);
        return;
    }
    struct stat st {};
    Inhalt inhalt;
    bool eigene = false;
    try {
        if (::fstat(fd, &st) != 0)
            throw EAFehler(errno);
        eigene = eigeneKopie(st);
        if (eigene)
            inhalt = lesen(fd);
    } catch (...) {
        systemaufrufe.close(fd);
        throw;
    }
    systemaufrufe.close(fd);
    if (!eigene) {
        fremdeGefunden(pfad);
        return;
    }
    if (inhalt.gueltig && zustand(datei.fd(), std::uint64_t(datei.groesse()), inhalt) == Zustand::Halb) {
        const Kopf& k = inhalt.kopf;
        if (int fehler = zuruecksetzen(datei.fd(), off_t(k.offset), inhalt.alt, std::int64_t(k.alteLaenge)))
            throw EAFehler(fehler);
    }
    wegraeumen(pfad, st);
}

bool eigeneSicherungDa(const std::string& datenPfad) {
    const std::string pfad = sicherungsPfad(datenPfad);
    struct stat st {};
    if (::lstat(pfad.c_str(), &st) != 0)
        return false;
    if (eigeneKopie(st))
        return true;
    fremdeGefunden(pfad);
    return false;
}

std::vector<std::string> fremdeSicherungenAbholen() {
    const std::lock_guard<std::mutex> gesperrt(meldungen);
    return std::exchange(ungemeldet, {});
}

} // namespace fkb
