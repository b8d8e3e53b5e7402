#pragma once

#include <cstddef>
#include <sys/types.h>
#include <time.h>

namespace fkb {

// The system calls behind every file access of the program. Tests put failing ones in their
// place, so that each step of a write can be made to fail in turn.
struct Systemaufrufe {
    int (*open)(const char* pfad, int flags, mode_t modus);
    int (*close)(int fd);
    ssize_t (*read)(int fd, void* ziel, std::size_t laenge);
    ssize_t (*pread)(int fd, void* ziel, std::size_t laenge, off_t offset);
    ssize_t (*pwrite)(int fd, const void* daten, std::size_t laenge, off_t offset);
    int (*fsync)(int fd);
    int (*fdatasync)(int fd);
    int (*ftruncate)(int fd, off_t laenge);
    int (*fchmod)(int fd, mode_t modus);
    int (*fchown)(int fd, uid_t besitzer, gid_t gruppe);
    int (*rename)(const char* von, const char* nach);
    // Renames only where nothing stands at the new name; fails with EEXIST otherwise.
    int (*renameNeu)(const char* von, const char* nach);
    int (*unlink)(const char* pfad);
    int (*flock)(int fd, int art);
    // The pause between two tries for a lock held by another program.
    int (*nanosleep)(const timespec* dauer, timespec* rest);

    // The calls of the system itself.
    static Systemaufrufe system();
};

// The calls in force; the system's unless a test replaced them.
extern Systemaufrufe systemaufrufe;

} // namespace fkb
