#pragma once

#include "data/Dateisperre.h"
#include "data/Dateistand.h"
#include "data/DatenSatz.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <sys/types.h>
#include <vector>

namespace fkb {

// Whole-record access to a data file. Every operation opens the file by its path, locks it (reading
// beside others, writing alone), works and closes it again; no handle lives beyond one call. A command
// that reads a record and writes it back opens the file once, locked for writing, for both steps.
// Failures raise EAFehler.
//
// A file whose size is no multiple of the record size counts only its whole records:
// the tail behind the last whole record is never read, and an append writes over it,
// so record numbers stay those that a reader sees.
class DatenDatei {
public:
    static constexpr std::int64_t SatzGroesse = DatenSatz::Groesse;

    explicit DatenDatei(std::string pfad);
    // Open and locked for writing until destroyed: no other program changes the file in between.
    DatenDatei(std::string pfad, Sperrart sperre);
    ~DatenDatei();
    DatenDatei(DatenDatei&&) noexcept;
    const std::string& pfad() const { return pfad_; }
    // The state of the file: which one, how long, when changed.
    Dateistand stand() const;

    std::int64_t anzahlSaetze() const;
    void lesen(std::int64_t nummer, DatenSatz& ziel) const;
    // The same, but false for a record number the file does not hold.
    bool lesenFallsVorhanden(std::int64_t nummer, DatenSatz& ziel) const;
    // Writes over record `nummer` (or appends when it equals the record count) and flushes.
    // A failed write puts the old bytes back, so no record is ever half-written; should that
    // fail too, the error says the record may be damaged.
    void schreiben(std::int64_t nummer, const DatenSatz& satz) const;
    // Appends as record number = record count and flushes; returns that number.
    // A failed append cuts the file back to its old length.
    std::int64_t anhaengen(const DatenSatz& satz) const;
    // Hands every whole record to `tun` with its number, in the order of the file.
    void durchlaufen(const std::function<void(std::int64_t nummer, const DatenSatz& satz)>& tun) const;
    // Writes a complete new file beside the path and renames it into place only when
    // every record is on disk: the path holds either the old file or the whole new one.
    // A new file gets the mode the umask gives; a replaced one keeps its permissions.
    static void neuSchreiben(const std::string& pfad, std::span<const DatenSatz> saetze);
    // The same for a new file, which never takes the place of another: false, and nothing written, when
    // a file has appeared at the path meanwhile.
    static bool neuAnlegen(const std::string& pfad, std::span<const DatenSatz> saetze);

    // The file as a whole. A folder or a device at the path is refused; a new file is built beside
    // the old one and renamed into place only when it is complete.

    // Drops the records marked deleted and the partial tail of a damaged file; every other record
    // keeps its bytes and its order.
    void verdichten() const;
    // Copies the file byte for byte to `ziel`; false when `ziel` is this very file, which stays
    // as it is.
    bool kopieren(const std::string& ziel) const;
    void loeschen() const;

private:
    class Zugriff;
    std::string pfad_;
    std::unique_ptr<GesperrteDatei> offen_;
};

// Reads a data file from record 0 to its last whole record, locked for reading while it lives, in
// blocks of whole records read into buffers kept for the whole read. A record is handed out only when
// all its bytes came from the file: a file that another program cuts short or lengthens while it is
// read ends with the last whole record found. A read that fails part-way first hands out the whole
// records it brought, then raises its error.
class SatzLeser {
public:
    // Records per block: large reads, yet the block stays in the cache beside the texts being built.
    static constexpr std::size_t SaetzeJeBlock = 64;

    // From record `ab` on; the records before it are not read.
    explicit SatzLeser(const std::string& pfad, std::int64_t ab = 0);
    ~SatzLeser();
    SatzLeser(const SatzLeser&) = delete;
    SatzLeser& operator=(const SatzLeser&) = delete;

    // The next record; nullptr at the end of the file. It stays valid until the following call
    // returns another record: a call that fails leaves it as it was.
    const DatenSatz* naechster();
    // The file being read.
    const Dateikennung& kennung() const { return kennung_; }
    Dateistand stand() const { return dateistandVon(fd_); }
    // The whole records the file held when it was opened: room for what a reader builds from them is
    // taken once, not grown in steps that each copy all before.
    std::size_t erwartet() const { return erwartet_; }

private:
    void nachladen();

    int fd_ = -1;
    Dateikennung kennung_;
    std::size_t erwartet_ = 0;
    // Two blocks taken in turn, so that reading the next one keeps the record handed out last.
    std::vector<DatenSatz> bloecke_[2];
    int aktuell_ = 0;
    std::size_t lesePos_ = 0;
    std::size_t anzahl_ = 0;
    bool dateiende_ = false;
    int fehler_ = 0; // of a read that failed after some whole records
};

} // namespace fkb
