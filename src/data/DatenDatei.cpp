#include "data/DatenDatei.h"

#include "data/Laufzeitfehler.h"
#include "data/Systemaufrufe.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fkb {
namespace {

bool istOrdner(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
}

// An open file descriptor that is closed when the operation ends.
class Handle {
public:
    Handle(const std::string& pfad, int flags, mode_t modus = 0644) {
        if (pfad.empty())
            throw EAFehler(ENOENT);
        fd_ = systemaufrufe.open(pfad.c_str(), flags | O_CLOEXEC, modus);
        if (fd_ < 0)
            throw EAFehler(errno);
        // A folder opens for reading; its size would pass for records.
        if (istOrdner(fd_)) {
            systemaufrufe.close(fd_);
            throw EAFehler(EISDIR);
        }
    }
    ~Handle() {
        if (fd_ >= 0)
            systemaufrufe.close(fd_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    int fd() const { return fd_; }

    // Closing is tested like every other operation.
    void schliessen() {
        int fd = fd_;
        fd_ = -1;
        if (systemaufrufe.close(fd) != 0)
            throw EAFehler(errno);
    }

    std::int64_t groesse() const {
        struct stat st {};
        if (::fstat(fd_, &st) != 0)
            throw EAFehler(errno);
        return st.st_size;
    }

private:
    int fd_ = -1;
};

// Writes all bytes at the offset; returns 0 or the error number.
int ganzSchreiben(int fd, const unsigned char* daten, std::size_t laenge, off_t offset) {
    std::size_t geschrieben = 0;
    while (geschrieben < laenge) {
        ssize_t n = systemaufrufe.pwrite(fd, daten + geschrieben, laenge - geschrieben, offset + off_t(geschrieben));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return ENOSPC;
        geschrieben += std::size_t(n);
    }
    return 0;
}

// Reads all bytes at the offset; returns the bytes read (short only at the end of the file).
std::size_t ganzLesen(int fd, unsigned char* ziel, std::size_t laenge, off_t offset) {
    std::size_t gelesen = 0;
    while (gelesen < laenge) {
        ssize_t n = systemaufrufe.pread(fd, ziel + gelesen, laenge - gelesen, offset + off_t(gelesen));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw EAFehler(errno);
        if (n == 0)
            break;
        gelesen += std::size_t(n);
    }
    return gelesen;
}

off_t satzOffset(std::int64_t nummer) {
    return off_t(nummer * DatenDatei::SatzGroesse);
}

std::string ordnerVon(const std::string& pfad) {
    auto schnitt = pfad.find_last_of('/');
    return schnitt == std::string::npos ? std::string(".") : schnitt == 0 ? std::string("/") : pfad.substr(0, schnitt);
}

// Makes a rename durable; a folder that cannot be opened is not worth failing for.
void ordnerSichern(const std::string& ordner) {
    int fd = systemaufrufe.open(ordner.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd >= 0) {
        systemaufrufe.fsync(fd);
        systemaufrufe.close(fd);
    }
}

} // namespace

std::int64_t DatenDatei::anzahlSaetze() const {
    Handle datei(pfad_, O_RDONLY);
    std::int64_t anzahl = datei.groesse() / SatzGroesse;
    datei.schliessen();
    return anzahl;
}

void DatenDatei::lesen(std::int64_t nummer, DatenSatz& ziel) const {
    Handle datei(pfad_, O_RDONLY);
    if (nummer < 0 || nummer >= datei.groesse() / SatzGroesse)
        throw EAFehler::hinterDemDateiende();
    DatenSatz gelesen;
    if (ganzLesen(datei.fd(), gelesen.bytes.data(), DatenSatz::Groesse, satzOffset(nummer)) != DatenSatz::Groesse)
        throw EAFehler::hinterDemDateiende();
    datei.schliessen();
    ziel = gelesen;
}

void DatenDatei::schreiben(std::int64_t nummer, const DatenSatz& satz) const {
    Handle datei(pfad_, O_RDWR);
    std::int64_t anzahl = datei.groesse() / SatzGroesse;
    if (nummer < 0 || nummer > anzahl)
        throw EAFehler::hinterDemDateiende();
    if (nummer == anzahl) {
        datei.schliessen();
        anhaengen(satz);
        return;
    }
    DatenSatz alt;
    ganzLesen(datei.fd(), alt.bytes.data(), DatenSatz::Groesse, satzOffset(nummer));
    int fehler = ganzSchreiben(datei.fd(), satz.bytes.data(), DatenSatz::Groesse, satzOffset(nummer));
    if (fehler == 0 && systemaufrufe.fdatasync(datei.fd()) != 0)
        fehler = errno;
    if (fehler != 0) {
        // The old record goes back; should that fail too, the user must hear that it may be damaged.
        bool zurueck = ganzSchreiben(datei.fd(), alt.bytes.data(), DatenSatz::Groesse, satzOffset(nummer)) == 0 &&
                       systemaufrufe.fdatasync(datei.fd()) == 0;
        if (!zurueck)
            throw EAFehler(fehler).mitZusatz("Achtung! Satz " + std::to_string(nummer) +
                                             " in der Datei ist möglicherweise beschädigt - Satz prüfen!");
        throw EAFehler(fehler);
    }
    datei.schliessen();
}

std::int64_t DatenDatei::anhaengen(const DatenSatz& satz) const {
    Handle datei(pfad_, O_RDWR);
    std::int64_t alteGroesse = datei.groesse();
    std::int64_t nummer = alteGroesse / SatzGroesse;
    // The tail of a damaged file is kept aside so that a failed append restores it too.
    std::vector<unsigned char> rest(std::size_t(alteGroesse % SatzGroesse));
    ganzLesen(datei.fd(), rest.data(), rest.size(), satzOffset(nummer));

    int fehler = ganzSchreiben(datei.fd(), satz.bytes.data(), DatenSatz::Groesse, satzOffset(nummer));
    if (fehler == 0 && systemaufrufe.fdatasync(datei.fd()) != 0)
        fehler = errno;
    if (fehler != 0) {
        bool zurueck = systemaufrufe.ftruncate(datei.fd(), off_t(alteGroesse)) == 0 &&
                       ganzSchreiben(datei.fd(), rest.data(), rest.size(), satzOffset(nummer)) == 0 &&
                       systemaufrufe.fdatasync(datei.fd()) == 0;
        if (!zurueck)
            throw EAFehler(fehler).mitZusatz(
                "Achtung! Am Ende der Datei steht möglicherweise ein unvollständiger Satz - Datei prüfen!");
        throw EAFehler(fehler);
    }
    datei.schliessen();
    return nummer;
}

namespace {

// A new file beside the target under a short name of the program's own ("~fkb-" and six letters),
// so that a name as long as the system allows still leaves room for it. It is created as open()
// creates files, so the umask decides its mode.
std::string tempDateiAnlegen(const std::string& ordner, int& fd) {
    static constexpr char zeichen[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static std::mt19937 zufall{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> wahl(0, sizeof zeichen - 2);
    for (int versuch = 0; versuch < 100; ++versuch) {
        std::string pfad = ordner + "/" + DatenDatei::TempPraefix;
        for (int i = 0; i < 6; ++i)
            pfad += zeichen[wahl(zufall)];
        fd = systemaufrufe.open(pfad.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return pfad;
        if (errno != EEXIST)
            throw EAFehler(errno);
    }
    throw EAFehler(EEXIST);
}

} // namespace

void DatenDatei::neuSchreiben(const std::string& pfad, std::span<const DatenSatz> saetze) {
    static_assert(sizeof(DatenSatz) == DatenSatz::Groesse, "the records lie one behind the other");
    DateiErsetzen(pfad, {reinterpret_cast<const char*>(saetze.data()), saetze.size() * DatenSatz::Groesse});
}

void DateiErsetzen(const std::string& pfad, std::string_view inhalt) {
    if (pfad.empty())
        throw EAFehler(ENOENT);
    const std::string ordner = ordnerVon(pfad);
    int fd = -1;
    const std::string temp = tempDateiAnlegen(ordner, fd);

    int fehler = 0;
    // A file that replaces another keeps the old one's permissions.
    struct stat alt {};
    if (::stat(pfad.c_str(), &alt) == 0 && S_ISREG(alt.st_mode) && systemaufrufe.fchmod(fd, alt.st_mode & 07777) != 0)
        fehler = errno;
    if (fehler == 0)
        fehler = ganzSchreiben(fd, reinterpret_cast<const unsigned char*>(inhalt.data()), inhalt.size(), 0);
    if (fehler == 0 && systemaufrufe.fsync(fd) != 0)
        fehler = errno;
    if (systemaufrufe.close(fd) != 0 && fehler == 0)
        fehler = errno;
    if (fehler == 0 && systemaufrufe.rename(temp.c_str(), pfad.c_str()) != 0)
        fehler = errno;
    if (fehler != 0) {
        systemaufrufe.unlink(temp.c_str());
        throw EAFehler(fehler);
    }
    ordnerSichern(ordner);
}

namespace {
// 64 records: large reads, yet the block stays in the cache beside the texts being built.
constexpr std::size_t SaetzeJeBlock = 64;
static_assert(sizeof(DatenSatz) == DatenSatz::Groesse, "records are read straight into an array of them");
} // namespace

SatzLeser::SatzLeser(const std::string& pfad) {
    if (pfad.empty())
        throw EAFehler(ENOENT);
    fd_ = systemaufrufe.open(pfad.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd_ < 0)
        throw EAFehler(errno);
    if (istOrdner(fd_)) {
        systemaufrufe.close(fd_);
        fd_ = -1;
        throw EAFehler(EISDIR);
    }
    for (auto& block : bloecke_)
        block.resize(SaetzeJeBlock);
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
}

SatzLeser::~SatzLeser() {
    if (fd_ >= 0)
        systemaufrufe.close(fd_);
}

// Fills the other block with whole records; a partial record can only be the file's tail.
void SatzLeser::nachladen() {
    std::vector<DatenSatz>& block = bloecke_[1 - aktuell_];
    auto* ziel = reinterpret_cast<unsigned char*>(block.data());
    const std::size_t kapazitaet = block.size() * DatenSatz::Groesse;
    std::size_t fuellung = 0;
    while (fuellung < kapazitaet) {
        ssize_t n = systemaufrufe.read(fd_, ziel + fuellung, kapazitaet - fuellung);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            if (fuellung < DatenSatz::Groesse)
                throw EAFehler(errno);
            fehler_ = errno;
            break;
        }
        if (n == 0) {
            dateiende_ = true;
            break;
        }
        fuellung += std::size_t(n);
    }
    aktuell_ = 1 - aktuell_;
    lesePos_ = 0;
    anzahl_ = fuellung / DatenSatz::Groesse;
}

const DatenSatz* SatzLeser::naechster() {
    if (lesePos_ == anzahl_) {
        if (fehler_ != 0)
            throw EAFehler(fehler_);
        if (dateiende_)
            return nullptr;
        nachladen();
        if (anzahl_ == 0)
            return nullptr;
    }
    return &bloecke_[aktuell_][lesePos_++];
}

} // namespace fkb
