#include "data/Ersatzdatei.h"

#include "data/Dateizugriff.h"
#include "data/Laufzeitfehler.h"
#include "data/Sicherung.h"
#include "data/Systemaufrufe.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <random>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fkb {
namespace {

// 64 records: large writes, little memory.
constexpr std::size_t PufferGroesse = 64 * DatenSatz::Groesse;

// Six random letters or digits and ".tmp": a name a user hardly gives a file of his own.
constexpr char TempZeichen[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t TempZufall = 6;
constexpr char TempEndung[] = ".tmp";

// Taken when the program is loaded: a temporary file last written before it cannot be one of this
// process, and one of a running instance is locked. The coarse clock is the one file times are taken
// from: a file written a moment later never looks older.
const timespec Prozessbeginn = [] {
    timespec t{};
#ifdef CLOCK_REALTIME_COARSE
    ::clock_gettime(CLOCK_REALTIME_COARSE, &t);
#else
    ::clock_gettime(CLOCK_REALTIME, &t);
#endif
    return t;
}();

bool frueher(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

bool tempName(const std::string& name) {
    const std::string praefix = Ersatzdatei::TempPraefix;
    return name.size() == praefix.size() + TempZufall + std::strlen(TempEndung) && name.starts_with(praefix) &&
           name.ends_with(TempEndung) &&
           name.find_first_not_of(TempZeichen, praefix.size()) == praefix.size() + TempZufall;
}

std::string tempDateiAnlegen(const std::string& ordner, mode_t modus, int& fd) {
    static std::mt19937 zufall{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> wahl(0, sizeof TempZeichen - 2);
    for (int versuch = 0; versuch < 100; ++versuch) {
        std::string pfad = ordner + "/" + Ersatzdatei::TempPraefix;
        for (std::size_t i = 0; i < TempZufall; ++i)
            pfad += TempZeichen[wahl(zufall)];
        pfad += TempEndung;
        fd = systemaufrufe.open(pfad.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, modus);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            throw EAFehler(errno);
        // Created this very moment, so no other instance takes it for an old one before it is locked.
        if (systemaufrufe.flock(fd, LOCK_EX | LOCK_NB) != 0) {
            int fehler = errno;
            systemaufrufe.close(fd);
            systemaufrufe.unlink(pfad.c_str());
            throw EAFehler(fehler);
        }
        return pfad;
    }
    throw EAFehler(EEXIST);
}

// The replacement keeps the old file's owner where the process may give a file away, and its group, on
// which the access of others may rest; where the group cannot be kept either, only if nobody loses by
// that: the group's permission bits grant nothing that everyone's do not. Then the permission bits,
// which a change of owner clears in part. 0 or the error.
int besitzUebernehmen(int fd, const struct stat& alt) {
    if (systemaufrufe.fchown(fd, alt.st_uid, alt.st_gid) != 0 && systemaufrufe.fchown(fd, uid_t(-1), alt.st_gid) != 0) {
        const int fehler = errno;
        struct stat neu {};
        const mode_t nurGruppe = (alt.st_mode >> 3) & ~alt.st_mode & 07;
        if (::fstat(fd, &neu) != 0 || (neu.st_gid != alt.st_gid && nurGruppe != 0))
            return fehler;
    }
    return systemaufrufe.fchmod(fd, alt.st_mode & 07777) == 0 ? 0 : errno;
}

// The file a symbolic link points to; the path itself when it names no existing file.
std::string aufgeloest(const std::string& pfad) {
    std::unique_ptr<char, decltype(&std::free)> echt(::realpath(pfad.c_str(), nullptr), &std::free);
    return echt ? std::string(echt.get()) : pfad;
}

} // namespace

Ersatzdatei::Ersatzdatei(const std::string& pfad, mode_t modus) {
    if (pfad.empty())
        throw EAFehler(ENOENT);
    ziel_ = aufgeloest(pfad);
    nurGewoehnlicheDatei(ziel_);
    ordner_ = ordnerVon(ziel_);
    // What a program killed while writing here left goes first, wherever the program writes a file.
    alteTempDateienEntfernen(ordner_);
    temp_ = tempDateiAnlegen(ordner_, modus, fd_);
    struct stat alt {};
    if (::stat(ziel_.c_str(), &alt) == 0) {
        if (int fehler = besitzUebernehmen(fd_, alt)) {
            systemaufrufe.close(std::exchange(fd_, -1));
            systemaufrufe.unlink(temp_.c_str());
            throw EAFehler(fehler);
        }
    }
    puffer_.reserve(PufferGroesse);
}

Ersatzdatei::~Ersatzdatei() {
    if (!temp_.empty())
        systemaufrufe.unlink(temp_.c_str());
    if (fd_ >= 0)
        systemaufrufe.close(fd_);
}

void Ersatzdatei::pufferSchreiben() {
    if (int fehler = ganzSchreiben(fd_, puffer_.data(), puffer_.size(), laenge_))
        throw EAFehler(fehler);
    laenge_ += off_t(puffer_.size());
    puffer_.clear();
}

void Ersatzdatei::schreiben(const unsigned char* daten, std::size_t laenge) {
    if (puffer_.size() + laenge > PufferGroesse)
        pufferSchreiben();
    if (laenge >= PufferGroesse) {
        if (int fehler = ganzSchreiben(fd_, daten, laenge, laenge_))
            throw EAFehler(fehler);
        laenge_ += off_t(laenge);
        return;
    }
    puffer_.insert(puffer_.end(), daten, daten + laenge);
}

void Ersatzdatei::einsetzen() {
    umbenennen(true);
}

bool Ersatzdatei::neuEinsetzen() {
    return umbenennen(false);
}

bool Ersatzdatei::umbenennen(bool ersetzen) {
    pufferSchreiben();
    if (systemaufrufe.fsync(fd_) != 0)
        throw EAFehler(errno);
    // One step: the target is the old file or the whole new one, never none. Renamed while still
    // locked: until then its name is that of a temporary file.
    if ((ersetzen ? systemaufrufe.rename : systemaufrufe.renameNeu)(temp_.c_str(), ziel_.c_str()) != 0) {
        if (!ersetzen && errno == EEXIST)
            return false;
        throw EAFehler(errno);
    }
    temp_.clear();
    ordnerSichern(ordner_);
    // Everything is on disk: closing can lose nothing any more.
    systemaufrufe.close(std::exchange(fd_, -1));
    return true;
}

void DateiErsetzen(const std::string& pfad, std::string_view inhalt) {
    Ersatzdatei datei(pfad);
    datei.schreiben(reinterpret_cast<const unsigned char*>(inhalt.data()), inhalt.size());
    datei.einsetzen();
}

void alteTempDateienEntfernen(const std::string& ordner) {
    struct Schliessen {
        void operator()(DIR* d) const { ::closedir(d); }
    };
    std::unique_ptr<DIR, Schliessen> liste(::opendir(ordner.c_str()));
    if (!liste)
        return;
    const uid_t ich = ::geteuid();
    std::set<std::string> gebraucht; // the names of the copies the files here would have
    std::vector<std::string> kopien;
    while (const dirent* eintrag = ::readdir(liste.get())) {
        const std::string name = eintrag->d_name;
        struct stat st {};
        if (::fstatat(::dirfd(liste.get()), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        gebraucht.insert(sicherungsName(name));
        // Only what this user's program can have left: its names, the user's own files, from before this
        // process began.
        if (st.st_uid != ich || !frueher(st.st_mtim, Prozessbeginn))
            continue;
        if (istSicherungsName(name) && st.st_nlink == 1)
            kopien.push_back(name);
        if (!tempName(name))
            continue;
        const std::string pfad = ordner + "/" + name;
        int fd = systemaufrufe.open(pfad.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0);
        if (fd < 0)
            continue;
        // Locked by us, and still the file looked at: no instance writes it.
        struct stat offen {};
        if (systemaufrufe.flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &offen) == 0 && offen.st_ino == st.st_ino &&
            offen.st_dev == st.st_dev)
            systemaufrufe.unlink(pfad.c_str());
        systemaufrufe.close(fd);
    }
    for (const std::string& name : kopien)
        if (!gebraucht.count(name))
            systemaufrufe.unlink((ordner + "/" + name).c_str());
}

} // namespace fkb
