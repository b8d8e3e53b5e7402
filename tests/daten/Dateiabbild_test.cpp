#include "Datenwerkzeug.h"
#include "data/Dateiabbild.h"
#include "data/DatenDatei.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace fkb;
using namespace fkb::test;

namespace {

DatenSatz nummeriert(int n) {
    return satz(Kennzeichen::Rechnung, {{SatzFeld::KundenNummer, std::to_string(n)}, {SatzFeld::Bemerkung, "Satz"}});
}

constexpr std::int64_t G = DatenSatz::Groesse;

} // namespace

// The reader looks at the file through its mapping. Another program that cuts the file short
// under it would end the process with SIGBUS at the first page beyond the new end; instead the
// file ends where it was cut, as a reading copy would find it. 3000 records are 7.9 MB: the
// reader gives back pages it has passed on the way.
TEST(Dateiabbild, GekuerzteDateiEndetWoSieAbgeschnittenWurde) {
    constexpr int Anzahl = 3000;
    struct Fall {
        int gelesen;  // records read before the file is cut
        int bleiben;  // whole records left in it, −1 when it is not cut
        int erwartet; // records the reader hands out in all
        int rest = 0; // bytes of a partial record left behind them
    };
    TempOrdner ordner;
    const std::string pfad = ordner.pfad("d.fba");
    std::vector<DatenSatz> saetze;
    for (int i = 0; i < Anzahl; ++i)
        saetze.push_back(nummeriert(i));
    for (const Fall& fall : {Fall{0, -1, Anzahl}, Fall{10, 2000, 2000}, Fall{1700, 2500, 2500}, Fall{2000, 1000, 2000},
                             Fall{2999, 0, 2999}, Fall{0, 0, 0}, Fall{10, 2000, 2000, 100}}) {
        SCOPED_TRACE(std::to_string(fall.gelesen) + " read, " + std::to_string(fall.bleiben) + " left");
        dateiSchreiben(pfad, saetze);
        SatzLeser leser(pfad);
        int n = 0;
        for (; n < fall.gelesen; ++n)
            ASSERT_EQ(*leser.naechster(), saetze[std::size_t(n)]);
        if (fall.bleiben >= 0) {
            ASSERT_EQ(::truncate(pfad.c_str(), off_t(fall.bleiben * G + fall.rest)), 0);
        }
        for (; const DatenSatz* s = leser.naechster(); ++n)
            ASSERT_EQ(*s, saetze[std::size_t(n)]) << n;
        EXPECT_EQ(n, fall.erwartet);
        EXPECT_EQ(leser.naechster(), nullptr) << "stays at the end";
    }
}

// The handler that answers a page of a mapped data file leaves every other SIGBUS alone: a fault
// of some other mapping, or the signal sent, still ends the process.
TEST(Dateiabbild, AndererSigbusBeendetDasProgrammWeiterhin) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad("d.fba");
    dateiSchreiben(pfad, {nummeriert(1)});
    const std::string fremd = ordner.pfad("fremd");
    { std::ofstream(fremd) << "x"; }
    // Whatever handled SIGBUS before may report first; the process ends all the same.
    const auto beendet = [](int status) {
        return (WIFSIGNALED(status) && WTERMSIG(status) == SIGBUS) || (WIFEXITED(status) && WEXITSTATUS(status) != 0);
    };
    const auto mitAbbild = [&](const std::function<void()>& tat) {
        SatzLeser leser(pfad); // its mapping is watched while the fault happens
        leser.naechster();
        tat();
        std::_Exit(0);
    };
    EXPECT_EXIT(mitAbbild([] { std::raise(SIGBUS); }), beendet, "");
    EXPECT_EXIT(mitAbbild([&] {
                    // Two pages of a file of one byte: the second lies wholly beyond its end.
                    const long seite = ::sysconf(_SC_PAGESIZE);
                    int fd = ::open(fremd.c_str(), O_RDONLY);
                    auto* p = static_cast<volatile const char*>(
                        ::mmap(nullptr, std::size_t(2 * seite), PROT_READ, MAP_SHARED, fd, 0));
                    (void)p[seite];
                }),
                beendet, "");
}
