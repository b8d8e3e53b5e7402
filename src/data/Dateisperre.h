#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>

namespace fkb {

// How a command holds the data file: reading beside other readers, or writing alone. Two programs on
// one file would otherwise both take the same record number for a new record.
enum class Sperrart { Lesen, Schreiben };

// Which file a path led to: a file put in another's place has another one.
struct Dateikennung {
    dev_t geraet = 0;
    ino_t knoten = 0;
    bool operator==(const Dateikennung&) const = default;
};

// The data file at a path, opened and locked (flock) for as long as this lives. Only a regular file
// opens; a pipe or a device is refused before anything waits on it. A lock held by another program is
// waited for about a second and a half, then the file counts as busy. Once locked, the path must still
// name the file locked: one compacted or saved over meanwhile is opened anew. A record that a killed
// program left half written is put right first (see Sicherung).
class GesperrteDatei {
public:
    GesperrteDatei(const std::string& pfad, Sperrart art);
    ~GesperrteDatei();
    GesperrteDatei(const GesperrteDatei&) = delete;
    GesperrteDatei& operator=(const GesperrteDatei&) = delete;

    const std::string& pfad() const { return pfad_; }
    int fd() const { return fd_; }
    const Dateikennung& kennung() const { return kennung_; }
    std::int64_t groesse() const;
    // Closing is tested like every other operation; it ends the lock.
    void schliessen();
    // Hands the open descriptor over: closing it ends the lock.
    int abgeben();

private:
    void oeffnenUndSperren(Sperrart art);

    std::string pfad_;
    int fd_ = -1;
    Dateikennung kennung_;
};

} // namespace fkb
