#pragma once

#include "data/Dateisperre.h"

#include <cstdint>
#include <span>
#include <string>
#include <sys/types.h>

namespace fkb {

// What a record write replaces, saved beside the data file before the write and removed after it.
// A program killed in the middle of a write — the system may end it between two pages of one
// write — leaves a record half old, half new, or half a record at the end; the next program that
// locks the file finds the copy and puts the old bytes back, unless the new ones are whole.
//
// The copy is named "~fkb-" and the file's inode number in hex, with ".alt": short, unmistakably the
// program's own, and the same for every path that leads to the file.
class Sicherung {
public:
    // Writes the copy and flushes it, with its folder entry, before the caller writes `neu` at
    // `offset`. `alt` is what lies there now, up to the end of the file; `alteLaenge` the file's size.
    Sicherung(const GesperrteDatei& datei, off_t offset, std::int64_t alteLaenge, std::span<const unsigned char> alt,
              std::span<const unsigned char> neu);
    // The write is on disk, or undone: the copy goes. Not removed, it stays for the next program.
    void entfernen();

    Sicherung(const Sicherung&) = delete;
    Sicherung& operator=(const Sicherung&) = delete;

private:
    std::string pfad_;
};

// The path of the copy for the file held.
std::string sicherungsPfad(const GesperrteDatei& datei);
// Whether a name in a folder is that of a copy, and of which inode.
bool sicherungsName(const std::string& name, ino_t& knoten);

// Puts back what a killed program left half written, with the file locked for writing: the old bytes
// unless the new ones are whole, then the copy goes. A copy that is incomplete (killed while writing
// it, before the file was touched) or does not describe this file is only removed.
void sicherungEinspielen(const GesperrteDatei& datei);

} // namespace fkb
