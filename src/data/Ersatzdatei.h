#pragma once

#include "data/DatenSatz.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace fkb {

// A new file that takes the place of the one at a path only when it is complete. It is written
// beside the target under a short name of the program's own ("~fkb-", six letters or digits, ".tmp"), flushed to
// disk, and renamed over the target in one step; until then the path holds the old file untouched.
// Given up — by an error, or by destruction before `einsetzen` — it leaves nothing behind. While it is
// written it is locked, so that another instance does not take it for one left by a killed program.
// It takes records or blocks one after another, so a file of any size passes through a small buffer.
class Ersatzdatei {
public:
    // How the temporary file's name begins: short, so that a name as long as the system allows
    // still leaves room for one beside it.
    static constexpr const char* TempPraefix = "~fkb-";

    // A replaced file keeps its permission bits, its group and, where the process may, its owner; a new
    // one gets `modus` as open() gives it, the umask applied. A symbolic link at the path stays: the file
    // it points to is replaced. A folder or a device at the path is refused.
    explicit Ersatzdatei(const std::string& pfad, mode_t modus = 0666);
    ~Ersatzdatei();
    Ersatzdatei(const Ersatzdatei&) = delete;
    Ersatzdatei& operator=(const Ersatzdatei&) = delete;

    void schreiben(const DatenSatz& satz) { schreiben(satz.bytes.data(), satz.bytes.size()); }
    void schreiben(const unsigned char* daten, std::size_t laenge);
    // Flushes, renames over the target and makes the rename durable. Any failure before the
    // rename leaves the target as it was; a failed flush is final, the file is not renamed.
    void einsetzen();
    // The same for a new file: false, and the target left alone, when a file has appeared there meanwhile.
    bool neuEinsetzen();

private:
    void pufferSchreiben();
    bool umbenennen(bool ersetzen);

    std::string ziel_;
    std::string ordner_;
    std::string temp_; // empty once renamed or removed
    int fd_ = -1;
    off_t laenge_ = 0; // bytes on disk so far
    std::vector<unsigned char> puffer_;
};

// Replaces the file at the path by one holding exactly these bytes, as an Ersatzdatei does.
void DateiErsetzen(const std::string& pfad, std::string_view inhalt);

// Removes the temporary files that a program killed while writing one left in the folder: named as
// an Ersatzdatei names them, the user's own, older than this process, and locked by no one; and the
// user's own copies of records (see Sicherung) older than this process whose data file is no longer
// there. A file whose name only resembles these stays, and so does whatever cannot be removed; this
// never fails. Every Ersatzdatei clears its folder so before it writes.
void alteTempDateienEntfernen(const std::string& ordner);

} // namespace fkb
