#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

// Plain helpers of the file access. Every system call that can fail part-way goes through
// `systemaufrufe`, so that tests can make it fail.
namespace fkb {

// What stands at a path, a symbolic link followed. A link that leads nowhere is something else than
// nothing: a new file put in its place would replace the link.
enum class Dateiart { Keine, Datei, Andere };
Dateiart dateiart(const std::string& pfad);

// Raises the error for a path that exists but is no regular file: a folder or a device is never
// read as records, written over or deleted.
void nurGewoehnlicheDatei(const std::string& pfad);

// Whether two paths name the same existing file (links followed, compared by device and inode).
bool gleicheDatei(const std::string& a, const std::string& b);

// Writes all bytes at the offset; returns 0 or the error number.
int ganzSchreiben(int fd, const unsigned char* daten, std::size_t laenge, off_t offset);
// Reads all bytes at the offset; returns the bytes read (short only at the end of the file).
std::size_t ganzLesen(int fd, unsigned char* ziel, std::size_t laenge, off_t offset);

std::string ordnerVon(const std::string& pfad);
// Makes a rename in the folder durable; a folder that cannot be opened is not worth failing for.
void ordnerSichern(const std::string& ordner);

} // namespace fkb
