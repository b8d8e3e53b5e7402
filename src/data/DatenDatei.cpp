#include "data/DatenDatei.h"

#include "data/Dateizugriff.h"
#include "data/Ersatzdatei.h"
#include "data/Laufzeitfehler.h"
#include "data/Systemaufrufe.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fkb {
namespace {

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

off_t satzOffset(std::int64_t nummer) {
    return off_t(nummer * DatenDatei::SatzGroesse);
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

void DatenDatei::neuSchreiben(const std::string& pfad, std::span<const DatenSatz> saetze) {
    Ersatzdatei neu(pfad);
    for (const DatenSatz& satz : saetze)
        neu.schreiben(satz);
    neu.einsetzen();
}

void DatenDatei::verdichten() const {
    nurGewoehnlicheDatei(pfad_);
    SatzLeser leser(pfad_);
    Ersatzdatei verdichtet(pfad_);
    while (const DatenSatz* satz = leser.naechster())
        if (satz->zeichen(SatzFeld::RechnungsKennZeichen) != Kennzeichen::Geloescht)
            verdichtet.schreiben(*satz);
    verdichtet.einsetzen();
}

bool DatenDatei::kopieren(const std::string& ziel) const {
    nurGewoehnlicheDatei(pfad_);
    Handle quelle(pfad_, O_RDONLY);
    struct stat q {
    }, z{};
    if (::fstat(quelle.fd(), &q) != 0)
        throw EAFehler(errno);
    // Writing a file over itself would only put it at risk.
    if (::stat(ziel.c_str(), &z) == 0 && z.st_dev == q.st_dev && z.st_ino == q.st_ino)
        return false;
    // A new copy is as private as its original.
    Ersatzdatei kopie(ziel, q.st_mode & 0777);
    std::vector<unsigned char> block(64 * DatenSatz::Groesse);
    for (off_t offset = 0;; offset += off_t(block.size())) {
        std::size_t gelesen = ganzLesen(quelle.fd(), block.data(), block.size(), offset);
        kopie.schreiben(block.data(), gelesen);
        if (gelesen < block.size())
            break;
    }
    quelle.schliessen();
    kopie.einsetzen();
    return true;
}

void DatenDatei::loeschen() const {
    if (pfad_.empty())
        throw EAFehler(ENOENT);
    nurGewoehnlicheDatei(pfad_);
    if (systemaufrufe.unlink(pfad_.c_str()) != 0)
        throw EAFehler(errno);
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
    // The records are looked at where the system keeps the file: no copy of it is made. Where a
    // test has put its own read in place of the system's, the reader reads, so that every
    // failure of it still reaches the reader.
    struct stat st {};
    if (systemaufrufe.read == Systemaufrufe::system().read && ::fstat(fd_, &st) == 0 && S_ISREG(st.st_mode) &&
        st.st_size >= off_t(DatenSatz::Groesse)) {
        abgebildet_ = std::size_t(st.st_size) / DatenSatz::Groesse;
        abbild_ = std::make_unique<Dateiabbild>(fd_, abgebildet_ * DatenSatz::Groesse);
        if (abbild_->gueltig())
            return;
        abbild_.reset();
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

namespace {
// Pages the reader has passed are given back in steps of this many bytes.
constexpr std::size_t FreigabeSchritt = 1 << 20;
} // namespace

const DatenSatz* SatzLeser::naechsterAbgebildet() {
    if (dateiende_ || lesePos_ == abgebildet_) {
        dateiende_ = true;
        return nullptr;
    }
    const std::size_t offset = lesePos_ * DatenSatz::Groesse;
    const auto* satz = reinterpret_cast<const DatenSatz*>(abbild_->daten() + offset);
    // Another program may have cut the file short since it was opened: a page wholly beyond the
    // new end cannot be read, the rest of the last page reads as zeros, so does a record without
    // a kind. The file then ends where it ends now, as a reading copy would have found it.
    // Anything else that cannot be read is a failing disk.
    const bool lesbar = abbild_->lesbar(offset, DatenSatz::Groesse);
    if (!lesbar || satz->zeichen(SatzFeld::RechnungsKennZeichen) == 0) {
        struct stat st {};
        if (::fstat(fd_, &st) == 0 && std::size_t(st.st_size) < offset + DatenSatz::Groesse) {
            dateiende_ = true;
            return nullptr;
        }
        if (!lesbar)
            throw EAFehler(EIO);
    }
    // The record handed out before stays readable.
    if (offset >= FreigabeSchritt + DatenSatz::Groesse && offset % FreigabeSchritt < DatenSatz::Groesse)
        abbild_->freigeben(offset - DatenSatz::Groesse);
    ++lesePos_;
#if defined(__GNUC__)
    // The record after next is fetched into the cache while the caller looks at this one: all of
    // it for a search, otherwise the places every reader looks at first (numbers and names, kind
    // and first position, dates).
    if (lesePos_ + 1 < abgebildet_) {
        const unsigned char* voraus = abbild_->daten() + offset + 2 * DatenSatz::Groesse;
        if (ganzVoraus_) {
            for (std::size_t b = 0; b < DatenSatz::Groesse; b += 64)
                __builtin_prefetch(voraus + b);
        } else {
            for (std::size_t b : {0, 64, 662, 720, 2611})
                __builtin_prefetch(voraus + b);
        }
    }
#endif
    return satz;
}

const DatenSatz* SatzLeser::naechster() {
    if (abbild_)
        return naechsterAbgebildet();
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
