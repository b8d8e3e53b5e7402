#pragma once

#include "data/Dateisperre.h"

#include <cstdint>
#include <span>
#include <string>
#include <sys/types.h>
#include <vector>

namespace fkb {

// What a record write replaces, saved beside the data file before the write and removed after it.
// A program killed in the middle of a write — the system may end it between two pages of one
// write — leaves a record half old, half new, or half a record at the end; the next program that
// locks the file finds the copy and puts the old bytes back, unless the new ones are whole.
//
// The copy says which state of the file it belongs to: the file's length, digests of the bytes around
// the write and of the new bytes sector by sector. It is put back only while the file is in that
// state with every sector of the place old or new; whatever else stands there now is not its business.
// So it follows the file wherever its name leads — a remount gives it another device and inode
// number — and is never applied to another file put in its place, nor to this one changed since.
//
// The copy is named "~fkb-", sixteen hex digits from the data file's name and ".alt". Only a regular
// file of the user's own with one link and no larger than a copy can be is taken for one: in a shared
// folder another user could put anything there.
class Sicherung {
public:
    // Writes the copy and flushes it, with its folder entry, before the caller writes `neu` (at most a
    // record) at `offset`. `alt` is what lies there now, up to the end of the file; `alteLaenge` the
    // file's size. Where the copy cannot be made only for want of a place — a folder the user may not
    // write, a disk without room for it, a file of someone else's at its name — the write goes ahead
    // without one, as it did before there were copies.
    Sicherung(const GesperrteDatei& datei, off_t offset, std::int64_t alteLaenge, std::span<const unsigned char> alt,
              std::span<const unsigned char> neu);
    // The write is on disk, or undone: the copy goes. Not removed, it stays for the next program.
    void entfernen();

    Sicherung(const Sicherung&) = delete;
    Sicherung& operator=(const Sicherung&) = delete;

private:
    std::string pfad_; // empty without a copy
};

// The path of the copy for a data file: beside the file a symbolic link leads to.
std::string sicherungsPfad(const std::string& datenPfad);
inline std::string sicherungsPfad(const GesperrteDatei& datei) {
    return sicherungsPfad(datei.pfad());
}
// The name of the copy for a data file of this name, and whether a name is one of a copy.
std::string sicherungsName(const std::string& dateiName);
bool istSicherungsName(const std::string& name);

// Puts back what a killed program left half written, with the file locked for writing: the old bytes
// unless the new ones are whole, then the copy goes. A copy that is incomplete (killed while writing
// it, before the file was touched) or describes another state of the file is only removed; something
// at its name that is no copy of the user's own stays as it is, unused.
void sicherungEinspielen(const GesperrteDatei& datei);
// Puts `alt` back at `offset` and the file's size back to `laenge`, flushed: what a write that failed
// or was interrupted must leave. 0 when the file holds exactly that afterwards, else the error.
int zuruecksetzen(int fd, off_t offset, std::span<const unsigned char> alt, std::int64_t laenge);

// Whether a copy of the user's own lies beside the data file, for a writer to put back.
bool eigeneSicherungDa(const std::string& datenPfad);

// The paths at which something other than a copy of the user's own was found since the last call:
// each is handed out once in a run, for the user to hear of it.
std::vector<std::string> fremdeSicherungenAbholen();

} // namespace fkb
