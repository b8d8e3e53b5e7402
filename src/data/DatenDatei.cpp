#include "data/DatenDatei.h"

#include "data/Dateizugriff.h"
#include "data/Ersatzdatei.h"
#include "data/Laufzeitfehler.h"
#include "data/Sicherung.h"
#include "data/Systemaufrufe.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace fkb {
namespace {

off_t satzOffset(std::int64_t nummer) {
    return off_t(nummer * DatenDatei::SatzGroesse);
}

void satzLesen(const GesperrteDatei& datei, std::int64_t nummer, DatenSatz& ziel) {
    if (nummer < 0 || nummer >= datei.groesse() / DatenDatei::SatzGroesse)
        throw EAFehler::hinterDemDateiende();
    DatenSatz gelesen;
    if (ganzLesen(datei.fd(), gelesen.bytes.data(), DatenSatz::Groesse, satzOffset(nummer)) != DatenSatz::Groesse)
        throw EAFehler::hinterDemDateiende();
    ziel = gelesen;
}

// The record number is taken under the lock: no other program appends in between.
std::int64_t satzAnhaengen(const GesperrteDatei& datei, const DatenSatz& satz) {
    std::int64_t alteGroesse = datei.groesse();
    std::int64_t nummer = alteGroesse / DatenDatei::SatzGroesse;
    // The tail of a damaged file is kept aside so that a failed append restores it too.
    std::vector<unsigned char> rest(std::size_t(alteGroesse % DatenDatei::SatzGroesse));
    ganzLesen(datei.fd(), rest.data(), rest.size(), satzOffset(nummer));

    Sicherung sicherung(datei, satzOffset(nummer), alteGroesse, rest, satz.bytes);
    int fehler = ganzSchreiben(datei.fd(), satz.bytes.data(), DatenSatz::Groesse, satzOffset(nummer));
    if (fehler == 0 && systemaufrufe.fdatasync(datei.fd()) != 0)
        fehler = errno;
    if (fehler != 0) {
        // Not undone, the copy stays for the next program to try again.
        if (zuruecksetzen(datei.fd(), satzOffset(nummer), rest, alteGroesse) != 0)
            throw EAFehler(fehler).mitZusatz(
                "Achtung! Am Ende der Datei steht möglicherweise ein unvollständiger Satz - Datei prüfen!");
        sicherung.entfernen();
        throw EAFehler(fehler);
    }
    sicherung.entfernen();
    return nummer;
}

// Every whole record in order, read in blocks.
void alleLesen(const GesperrteDatei& datei, const std::function<void(std::int64_t, const DatenSatz&)>& tun) {
    std::vector<DatenSatz> block(64);
    auto* bytes = reinterpret_cast<unsigned char*>(block.data());
    std::int64_t nummer = 0;
    for (off_t offset = 0;; offset += off_t(block.size() * DatenSatz::Groesse)) {
        const std::size_t gelesen = ganzLesen(datei.fd(), bytes, block.size() * DatenSatz::Groesse, offset);
        for (std::size_t i = 0; i < gelesen / DatenSatz::Groesse; ++i)
            tun(nummer++, block[i]);
        if (gelesen < block.size() * DatenSatz::Groesse)
            break;
    }
}

void satzSchreiben(const GesperrteDatei& datei, std::int64_t nummer, const DatenSatz& satz) {
    std::int64_t anzahl = datei.groesse() / DatenDatei::SatzGroesse;
    if (nummer < 0 || nummer > anzahl)
        throw EAFehler::hinterDemDateiende();
    if (nummer == anzahl) {
        satzAnhaengen(datei, satz);
        return;
    }
    DatenSatz alt;
    ganzLesen(datei.fd(), alt.bytes.data(), DatenSatz::Groesse, satzOffset(nummer));
    const std::int64_t groesse = datei.groesse();
    Sicherung sicherung(datei, satzOffset(nummer), groesse, alt.bytes, satz.bytes);
    int fehler = ganzSchreiben(datei.fd(), satz.bytes.data(), DatenSatz::Groesse, satzOffset(nummer));
    if (fehler == 0 && systemaufrufe.fdatasync(datei.fd()) != 0)
        fehler = errno;
    if (fehler != 0) {
        // The old record goes back; should that fail too, the user must hear that it may be damaged,
        // and only then: a write that changed nothing has damaged nothing.
        if (zuruecksetzen(datei.fd(), satzOffset(nummer), alt.bytes, groesse) != 0)
            throw EAFehler(fehler).mitZusatz("Achtung! Satz " + std::to_string(nummer) +
                                             " in der Datei ist möglicherweise beschädigt - Satz prüfen!");
        sicherung.entfernen();
        throw EAFehler(fehler);
    }
    sicherung.entfernen();
}

} // namespace

// The file as one operation holds it: the one locked for the whole command, or its own for this call.
class DatenDatei::Zugriff {
public:
    Zugriff(const DatenDatei& d, Sperrart art) {
        if (!d.offen_)
            eigene_ = std::make_unique<GesperrteDatei>(d.pfad_, art);
        datei_ = d.offen_ ? d.offen_.get() : eigene_.get();
    }
    const GesperrteDatei& operator*() const { return *datei_; }
    // Its own file is closed, and the closing tested, when the operation has succeeded.
    void fertig() {
        if (eigene_)
            eigene_->schliessen();
    }

private:
    std::unique_ptr<GesperrteDatei> eigene_;
    const GesperrteDatei* datei_;
};

DatenDatei::DatenDatei(std::string pfad) : pfad_(std::move(pfad)) {}

DatenDatei::DatenDatei(std::string pfad, Sperrart sperre)
    : pfad_(std::move(pfad)), offen_(std::make_unique<GesperrteDatei>(pfad_, sperre)) {}

DatenDatei::~DatenDatei() = default;
DatenDatei::DatenDatei(DatenDatei&&) noexcept = default;

Dateistand DatenDatei::stand() const {
    Zugriff datei(*this, Sperrart::Lesen);
    const Dateistand stand = dateistandVon((*datei).fd());
    datei.fertig();
    return stand;
}

std::int64_t DatenDatei::anzahlSaetze() const {
    Zugriff datei(*this, Sperrart::Lesen);
    std::int64_t anzahl = (*datei).groesse() / SatzGroesse;
    datei.fertig();
    return anzahl;
}

void DatenDatei::lesen(std::int64_t nummer, DatenSatz& ziel) const {
    Zugriff datei(*this, Sperrart::Lesen);
    DatenSatz gelesen;
    satzLesen(*datei, nummer, gelesen);
    datei.fertig();
    ziel = gelesen;
}

bool DatenDatei::lesenFallsVorhanden(std::int64_t nummer, DatenSatz& ziel) const {
    Zugriff datei(*this, Sperrart::Lesen);
    const bool vorhanden = nummer >= 0 && nummer < (*datei).groesse() / SatzGroesse;
    DatenSatz gelesen;
    if (vorhanden)
        satzLesen(*datei, nummer, gelesen);
    datei.fertig();
    if (vorhanden)
        ziel = gelesen;
    return vorhanden;
}

void DatenDatei::schreiben(std::int64_t nummer, const DatenSatz& satz) const {
    Zugriff datei(*this, Sperrart::Schreiben);
    satzSchreiben(*datei, nummer, satz);
    datei.fertig();
}

std::int64_t DatenDatei::anhaengen(const DatenSatz& satz) const {
    Zugriff datei(*this, Sperrart::Schreiben);
    std::int64_t nummer = satzAnhaengen(*datei, satz);
    datei.fertig();
    return nummer;
}

// A file at the path, which another program may be writing, is replaced only when that has ended.
void DatenDatei::neuSchreiben(const std::string& pfad, std::span<const DatenSatz> saetze) {
    std::optional<GesperrteDatei> alt;
    if (dateiart(pfad) == Dateiart::Datei)
        alt.emplace(pfad, Sperrart::Schreiben);
    Ersatzdatei neu(pfad);
    for (const DatenSatz& satz : saetze)
        neu.schreiben(satz);
    neu.einsetzen();
}

bool DatenDatei::neuAnlegen(const std::string& pfad, std::span<const DatenSatz> saetze) {
    Ersatzdatei neu(pfad);
    for (const DatenSatz& satz : saetze)
        neu.schreiben(satz);
    return neu.neuEinsetzen();
}

void DatenDatei::durchlaufen(const std::function<void(std::int64_t, const DatenSatz&)>& tun) const {
    Zugriff datei(*this, Sperrart::Lesen);
    alleLesen(*datei, tun);
    datei.fertig();
}

// The old file stays locked until the new one has taken its place: nothing written in between is lost.
void DatenDatei::verdichten() const {
    nurGewoehnlicheDatei(pfad_);
    Zugriff alt(*this, Sperrart::Schreiben);
    Ersatzdatei verdichtet(pfad_);
    alleLesen(*alt, [&](std::int64_t, const DatenSatz& satz) {
        if (satz.zeichen(SatzFeld::RechnungsKennZeichen) != Kennzeichen::Geloescht)
            verdichtet.schreiben(satz);
    });
    // The old file, only read and now replaced, is let go without a word on how its closing went.
    verdichtet.einsetzen();
}

bool DatenDatei::kopieren(const std::string& ziel) const {
    nurGewoehnlicheDatei(pfad_);
    Zugriff quelle(*this, Sperrart::Lesen);
    struct stat q {
    }, z{};
    if (::fstat((*quelle).fd(), &q) != 0)
        throw EAFehler(errno);
    // Writing a file over itself would only put it at risk.
    if (::stat(ziel.c_str(), &z) == 0 && z.st_dev == q.st_dev && z.st_ino == q.st_ino)
        return false;
    // A data file that another program works on is replaced only between its commands.
    std::optional<GesperrteDatei> zielAlt;
    if (dateiart(ziel) == Dateiart::Datei)
        zielAlt.emplace(ziel, Sperrart::Schreiben);
    // A new copy is as private as its original.
    Ersatzdatei kopie(ziel, q.st_mode & 0777);
    std::vector<unsigned char> block(64 * DatenSatz::Groesse);
    for (off_t offset = 0;; offset += off_t(block.size())) {
        std::size_t gelesen = ganzLesen((*quelle).fd(), block.data(), block.size(), offset);
        kopie.schreiben(block.data(), gelesen);
        if (gelesen < block.size())
            break;
    }
    quelle.fertig();
    kopie.einsetzen();
    return true;
}

// Not while another program writes into it.
void DatenDatei::loeschen() const {
    if (pfad_.empty())
        throw EAFehler(ENOENT);
    nurGewoehnlicheDatei(pfad_);
    Zugriff datei(*this, Sperrart::Schreiben);
    if (systemaufrufe.unlink(pfad_.c_str()) != 0)
        throw EAFehler(errno);
    datei.fertig();
}

static_assert(sizeof(DatenSatz) == DatenSatz::Groesse, "records are read straight into an array of them");

// Read, not mapped: where touching a mapped page costs more than copying it, a mapping is slower than
// a read of the whole file, and a file cut short under a mapping ends the process.
SatzLeser::SatzLeser(const std::string& pfad, std::int64_t ab) {
    GesperrteDatei datei(pfad, Sperrart::Lesen);
    kennung_ = datei.kennung();
    erwartet_ = std::size_t(datei.groesse() / DatenSatz::Groesse);
    fd_ = datei.abgeben();
    if (ab > 0 && ::lseek(fd_, off_t(ab) * DatenSatz::Groesse, SEEK_SET) < 0) {
        const int fehler = errno;
        systemaufrufe.close(fd_);
        throw EAFehler(fehler);
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

// Fills the other block with whole records. A record may come in pieces from several reads; the
// bytes of a partial one at the end of the file are kept back and never handed out.
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
