#pragma once

#include <cstddef>

namespace fkb {

// A regular file mapped read-only into memory: a reader looks at the system's cache of the file
// itself instead of copying it first. A page that can no longer be read — the file cut short by
// another program, or a failing disk — would end the process with SIGBUS; here such a page reads
// as zeros instead, and `lesbar` says so.
class Dateiabbild {
public:
    // Maps the first `laenge` bytes of the open file; not `gueltig` where the file cannot be mapped.
    Dateiabbild(int fd, std::size_t laenge);
    ~Dateiabbild();
    Dateiabbild(const Dateiabbild&) = delete;
    Dateiabbild& operator=(const Dateiabbild&) = delete;

    bool gueltig() const { return anfang_ != nullptr; }
    const unsigned char* daten() const { return anfang_; }

    // Touches every page of the range: false when one of them, now or before, could not be read.
    bool lesbar(std::size_t offset, std::size_t laenge) const;
    // Unmaps the pages that lie wholly before `offset`, so that a long read keeps only a few of
    // the file's pages counted as the process's memory. Those bytes must not be looked at again.
    void freigeben(std::size_t offset);

private:
    unsigned char* anfang_ = nullptr;
    std::size_t laenge_ = 0;
    std::size_t freigegeben_ = 0;
    int wache_ = -1; // the slot of this mapping in the table the SIGBUS handler consults
};

} // namespace fkb
