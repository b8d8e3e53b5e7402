// Two programs on one data file: the lock, the wait for it, a file replaced meanwhile, and the
// temporary files a killed program leaves.
#include "Datenwerkzeug.h"
#include "Fehlerspritze.h"
#include "data/DatenDatei.h"
#include "data/Ersatzdatei.h"
#include "data/Sicherung.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace fkb;
using namespace fkb::test;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t G = DatenSatz::Groesse;
const std::string Belegt = "Datei wird von einem anderen Programm benutzt!\rBitte später erneut versuchen!";

DatenSatz mitNummer(int n) {
    return satz(Kennzeichen::Rechnung, {{SatzFeld::RechnungsNummer, std::to_string(n)}});
}

// The body runs in a child process, which ends with status 0 when it raised nothing.
pid_t imKind(const std::function<void()>& rumpf) {
    pid_t pid = ::fork();
    if (pid == 0) {
        int status = 0;
        try {
            rumpf();
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            status = 1;
        }
        std::fflush(stdout);
        ::_exit(status);
    }
    return pid;
}

bool fehlerfrei(pid_t pid) {
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A lock as another program holds it, on a descriptor of its own.
struct FremdeSperre {
    int fd;
    FremdeSperre(const std::string& pfad, int art) : fd(::open(pfad.c_str(), O_RDONLY)) {
        EXPECT_EQ(::flock(fd, art | LOCK_NB), 0);
    }
    ~FremdeSperre() { ::close(fd); }
};

std::vector<std::string> tempDateien(const TempOrdner& ordner) {
    std::vector<std::string> namen;
    for (const auto& e : fs::directory_iterator(ordner.wurzel()))
        if (e.path().filename().string().starts_with(Ersatzdatei::TempPraefix))
            namen.push_back(e.path().filename().string());
    std::sort(namen.begin(), namen.end());
    return namen;
}

} // namespace

// Both take the record number under the lock; the second compacts now and then, and the first follows
// into the new file instead of appending to the replaced one. A program that writes without a pause
// can keep the other out longer than it waits: that one says so and writes nothing, and is asked
// again, as its message asks the user.
TEST(Sperre, ZweiProgrammeHaengenJe500SaetzeAnOhneVerlust) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad("d.fba");
    dateiSchreiben(pfad, {parameterSatz()});
    auto schreiber = [&pfad](int erster, bool verdichten) {
        return imKind([&pfad, erster, verdichten] {
            int belegt = 0;
            auto bisErledigt = [&belegt](const std::function<void()>& befehl) {
                while (fehlerVon(befehl) == Belegt)
                    ++belegt;
            };
            for (int i = 0; i < 500; ++i) {
                bisErledigt([&] { DatenDatei(pfad).anhaengen(mitNummer(erster + i)); });
                if (verdichten && i % 50 == 49)
                    bisErledigt([&] { DatenDatei(pfad).verdichten(); });
            }
            std::printf("[ belegt   ] %d mal, Satz %d bis %d\n", belegt, erster, erster + 499);
        });
    };
    const pid_t a = schreiber(0, false), b = schreiber(500, true);
    EXPECT_TRUE(fehlerfrei(a));
    EXPECT_TRUE(fehlerfrei(b));

    ASSERT_EQ(fs::file_size(pfad), 1001 * G);
    std::vector<int> gesehen(1000);
    SatzLeser leser(pfad);
    EXPECT_EQ(*leser.naechster(), parameterSatz());
    while (const DatenSatz* s = leser.naechster()) {
        const int n = std::stoi(s->text(SatzFeld::RechnungsNummer));
        ASSERT_TRUE(n >= 0 && n < 1000);
        EXPECT_EQ(*s, mitNummer(n)) << "intact";
        ++gesehen[std::size_t(n)];
    }
    EXPECT_EQ(std::count(gesehen.begin(), gesehen.end(), 1), 1000) << "every record once";
    EXPECT_TRUE(tempDateien(ordner).empty());
}

// Another program's lock is waited for about a second and a half, never slept in the test; then the
// command gives up without a change. Readers share the file with readers.
TEST(Sperre, BelegteDateiWirdNachKurzemWartenGemeldet) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad("d.fba"), andere = ordner.pfad("andere.fba");
    dateiSchreiben(pfad, {parameterSatz(), mitNummer(1), mitNummer(2)});
    dateiSchreiben(andere, {parameterSatz("Andere")});
    const std::string vorher = dateiInhalt(pfad);
    DatenSatz s;
    struct Fall {
        const char* was;
        bool liest;
        std::function<void()> befehl;
    };
    const Fall faelle[] = {
        {"read a record", true, [&] { DatenDatei(pfad).lesen(1, s); }},
        {"count", true, [&] { DatenDatei(pfad).anzahlSaetze(); }},
        {"read all", true, [&] { SatzLeser(pfad).naechster(); }},
        {"copy from it", true, [&] { DatenDatei(pfad).kopieren(ordner.pfad("kopie.fba")); }},
        {"append", false, [&] { DatenDatei(pfad).anhaengen(mitNummer(3)); }},
        {"overwrite", false, [&] { DatenDatei(pfad).schreiben(1, mitNummer(4)); }},
        {"compact", false, [&] { DatenDatei(pfad).verdichten(); }},
        {"copy over it", false, [&] { DatenDatei(andere).kopieren(pfad); }},
        {"write anew", false, [&] { dateiSchreiben(pfad, {mitNummer(5)}); }},
        {"delete", false, [&] { DatenDatei(pfad).loeschen(); }},
    };
    for (const bool fremdLiest : {true, false})
        for (const Fall& fall : faelle) {
            SCOPED_TRACE(std::string(fall.was) + (fremdLiest ? ", another reads" : ", another writes"));
            fs::remove(ordner.pfad("kopie.fba"));
            FremdeSperre fremd(pfad, fremdLiest ? LOCK_SH : LOCK_EX);
            Fehlerspritze spritze;
            const std::string fehler = fehlerVon(fall.befehl);
            if (fall.liest && fremdLiest) {
                EXPECT_EQ(fehler, "");
                EXPECT_EQ(spritze.aufrufe(Fehlerspritze::Nanosleep), 0);
                continue;
            }
            EXPECT_EQ(fehler, Belegt);
            EXPECT_GE(spritze.gewartet(), std::chrono::milliseconds(1500));
            EXPECT_LT(spritze.gewartet(), std::chrono::milliseconds(2000));
            EXPECT_TRUE(dateiInhalt(pfad) == vorher);
            EXPECT_FALSE(fs::exists(ordner.pfad("kopie.fba")));
            EXPECT_TRUE(tempDateien(ordner).empty());
        }
}

// The file at the path is replaced or removed while a command waits for the lock on the one it opened.
TEST(Sperre, WaehrendDesWartensErsetztOderEntfernt) {
    TempOrdner ordner;
    const std::string pfad = ordner.pfad("d.fba");
    dateiSchreiben(pfad, {parameterSatz(), mitNummer(1)});
    const int alt = ::open(pfad.c_str(), O_RDONLY);
    {
        Fehlerspritze spritze;
        spritze.fehlschlagen(Fehlerspritze::Flock, 1, EWOULDBLOCK);
        spritze.beimWarten = [&] { dateiSchreiben(pfad, {parameterSatz(), mitNummer(1), mitNummer(2)}); };
        EXPECT_EQ(DatenDatei(pfad).anhaengen(mitNummer(3)), 3) << "the number of the new file";
    }
    EXPECT_EQ(fs::file_size(pfad), 4 * G);
    struct stat st {};
    ASSERT_EQ(::fstat(alt, &st), 0);
    EXPECT_EQ(st.st_size, off_t(2 * G)) << "nothing went into the replaced file";
    ::close(alt);

    Fehlerspritze spritze;
    spritze.fehlschlagen(Fehlerspritze::Flock, 1, EWOULDBLOCK);
    spritze.beimWarten = [&] { fs::remove(pfad); };
    EXPECT_EQ(fehlerVon([&] { DatenDatei(pfad).anhaengen(mitNummer(4)); }), "Datei nicht gefunden");
    EXPECT_FALSE(fs::exists(pfad));
}

// What a killed program of this user left is removed; what a running one writes, what another user's
// program left, or what only looks alike, stays. The copy of a record stays as long as its data file is
// there: the next program to open that puts it right.
TEST(Sperre, AlteTempDateienWerdenEntfernt) {
    TempOrdner ordner;
    const timeval gestern[2] = {{::time(nullptr) - 86400, 0}, {::time(nullptr) - 86400, 0}};
    const auto anlegen = [&](const std::string& name, bool alt, uid_t besitzer = ::geteuid()) {
        const std::string pfad = ordner.pfad(name);
        std::ofstream(pfad) << "halb geschrieben";
        EXPECT_EQ(::chown(pfad.c_str(), besitzer, gid_t(-1)), 0);
        if (alt) {
            EXPECT_EQ(::utimes(pfad.c_str(), gestern), 0);
        }
        return pfad;
    };
    anlegen("~fkb-ab3xy9.tmp", true);  // left by a killed program
    anlegen("~fkb-neu123.tmp", false); // written since this program started
    const std::string laeuft = anlegen("~fkb-laeuft.tmp", true);
    FremdeSperre schreibt(laeuft, LOCK_EX); // a running instance writes it
    anlegen("~fkb-zu-lang.tmp", true);      // not the program's pattern
    anlegen("~fkb-a.b_c-", true);
    anlegen("~fkb-Backup", true); // the user's own files
    anlegen("~fkb-cafe.alt", true);
    anlegen("daten.fba", true);
    fs::create_directory(ordner.pfad("~fkb-ordnr.tmp"));
    ::utimes(ordner.pfad("~fkb-ordnr.tmp").c_str(), gestern);
    fs::create_symlink(ordner.pfad("daten.fba"), ordner.pfad("~fkb-link01.tmp"));
    ::lutimes(ordner.pfad("~fkb-link01.tmp").c_str(), gestern);
    const bool root = ::geteuid() == 0; // only root can give a file to another user
    if (root)
        anlegen("~fkb-fremd1.tmp", true, 65534);

    // Copies of records: of a file that is gone, of one that is there, and another user's.
    anlegen(sicherungsName("weg.fba"), true);
    anlegen(sicherungsName("daten.fba"), true);
    if (root)
        anlegen(sicherungsName("auch-weg.fba"), true, 65534);

    // Cleared before any file is written there, as an e-invoice is into a folder without a data file.
    DateiErsetzen(ordner.pfad("rechnung.xml"), "<xml/>");

    std::vector<std::string> namen;
    for (const auto& e : fs::directory_iterator(ordner.wurzel()))
        namen.push_back(e.path().filename().string());
    std::sort(namen.begin(), namen.end());
    std::vector<std::string> bleiben = {
        "daten.fba",      "~fkb-a.b_c-",      "~fkb-laeuft.tmp", "~fkb-link01.tmp", "~fkb-neu123.tmp",
        "~fkb-ordnr.tmp", "~fkb-zu-lang.tmp", "~fkb-Backup",     "~fkb-cafe.alt",   sicherungsName("daten.fba"),
        "rechnung.xml"};
    if (root)
        bleiben.insert(bleiben.end(), {"~fkb-fremd1.tmp", sicherungsName("auch-weg.fba")});
    std::sort(bleiben.begin(), bleiben.end());
    EXPECT_EQ(namen, bleiben);
    EXPECT_EQ(dateiInhalt(ordner.pfad("daten.fba")), "halb geschrieben") << "a link is not followed";
    alteTempDateienEntfernen(ordner.pfad("fehlt")); // a folder that is not there is no failure
}
