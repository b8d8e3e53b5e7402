#include "data/Dateiabbild.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <csignal>
#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace fkb {
namespace {

// The mappings alive, for the SIGBUS handler. A handler may only look at lock-free data; a fixed
// table of atomics is that. More mappings at once than slots are simply not made.
struct Wache {
    std::atomic<std::uintptr_t> anfang{0}, ende{0};
    std::atomic<bool> gestoert{false};
};
std::array<Wache, 8> wachen;
static_assert(std::atomic<std::uintptr_t>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

struct sigaction vorigeAktion;
std::uintptr_t seitenGroesse = 4096;

std::uintptr_t seitenAnfang(std::uintptr_t adresse) {
    return adresse & ~(seitenGroesse - 1);
}

// A page of a mapped data file that cannot be read gets a page of zeros in its place, and its
// mapping is marked; the interrupted read then goes on. Any other SIGBUS is left to whatever
// handled it before, by default the end of the process.
void beiSigbus(int signal, siginfo_t* info, void* kontext) {
    const auto adresse = reinterpret_cast<std::uintptr_t>(info->si_addr);
    if (info->si_code > 0) // raised by a fault, not sent
        for (Wache& w : wachen) {
            // A slot being taken or given up has no start yet, or none any more.
            const std::uintptr_t anfang = w.anfang.load();
            if (anfang != 0 && adresse >= anfang && adresse < w.ende.load()) {
                void* seite = reinterpret_cast<void*>(seitenAnfang(adresse));
                if (::mmap(seite, seitenGroesse, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
                    MAP_FAILED) {
                    w.gestoert.store(true);
                    return;
                }
            }
        }
    if ((vorigeAktion.sa_flags & SA_SIGINFO) && vorigeAktion.sa_sigaction) {
        vorigeAktion.sa_sigaction(signal, info, kontext);
    } else if (vorigeAktion.sa_handler != SIG_DFL && vorigeAktion.sa_handler != SIG_IGN) {
        vorigeAktion.sa_handler(signal);
    } else {
        // The default action: for a fault the instruction runs again and now ends the process.
        ::sigaction(SIGBUS, &vorigeAktion, nullptr);
        if (info->si_code <= 0)
            ::raise(signal);
    }
}

bool handlerEinrichten() {
    seitenGroesse = std::uintptr_t(::sysconf(_SC_PAGESIZE));
    struct sigaction aktion {};
    aktion.sa_sigaction = beiSigbus;
    aktion.sa_flags = SA_SIGINFO;
    sigemptyset(&aktion.sa_mask);
    return ::sigaction(SIGBUS, &aktion, &vorigeAktion) == 0;
}

int wacheBelegen(std::uintptr_t anfang, std::uintptr_t ende) {
    for (std::size_t i = 0; i < wachen.size(); ++i) {
        std::uintptr_t frei = 0;
        if (wachen[i].ende.compare_exchange_strong(frei, ende)) {
            wachen[i].gestoert.store(false);
            wachen[i].anfang.store(anfang);
            return int(i);
        }
    }
    return -1;
}

} // namespace

Dateiabbild::Dateiabbild(int fd, std::size_t laenge) {
    static const bool eingerichtet = handlerEinrichten();
    if (!eingerichtet || laenge == 0)
        return;
    void* abbild = ::mmap(nullptr, laenge, PROT_READ, MAP_SHARED, fd, 0);
    if (abbild == MAP_FAILED)
        return;
    const auto anfang = reinterpret_cast<std::uintptr_t>(abbild);
    wache_ = wacheBelegen(anfang, anfang + laenge);
    if (wache_ < 0) {
        ::munmap(abbild, laenge);
        return;
    }
    // Read ahead of the reader, and let the pages it has passed go first when memory runs short.
    ::madvise(abbild, laenge, MADV_SEQUENTIAL);
    anfang_ = static_cast<unsigned char*>(abbild);
    laenge_ = laenge;
}

Dateiabbild::~Dateiabbild() {
    if (!anfang_)
        return;
    Wache& w = wachen[std::size_t(wache_)];
    w.anfang.store(0);
    ::munmap(anfang_ + freigegeben_, laenge_ - freigegeben_);
    w.ende.store(0);
}

bool Dateiabbild::lesbar(std::size_t offset, std::size_t laenge) const {
    const volatile unsigned char* bytes = anfang_;
    const std::uintptr_t basis = reinterpret_cast<std::uintptr_t>(anfang_);
    for (std::uintptr_t seite = seitenAnfang(basis + offset); seite < basis + offset + laenge; seite += seitenGroesse)
        (void)bytes[std::max<std::uintptr_t>(seite, basis + offset) - basis];
    return !wachen[std::size_t(wache_)].gestoert.load();
}

void Dateiabbild::freigeben(std::size_t offset) {
    const std::uintptr_t basis = reinterpret_cast<std::uintptr_t>(anfang_);
    const std::size_t bis = seitenAnfang(basis + offset) - basis;
    if (bis <= freigegeben_)
        return;
    // The handler forgets the pages first: the addresses may serve another mapping afterwards.
    wachen[std::size_t(wache_)].anfang.store(basis + bis);
    ::munmap(anfang_ + freigegeben_, bis - freigegeben_);
    freigegeben_ = bis;
}

} // namespace fkb
