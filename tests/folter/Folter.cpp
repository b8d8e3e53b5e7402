// Kills the program while it writes, again and again, and checks after every kill that the data file is
// the old one or the command's whole result, byte for byte.
//
// Each round forks a child that opens the file in a window, chooses a command at random (store new,
// overwrite, delete, mark paid, compaction) and runs it. A first child runs it on a copy to the end:
// its file is the result, its count of system calls the range for the kill. A second child runs the
// same command on the file itself and is killed with SIGKILL: from inside the file access at a chosen
// call — before it, after it, or half way through a write — or by the parent at a random moment.
//
//   fkb-folter [kills [seed [innen]]]      default: 30 kills; "innen": only kills from inside, so that a
//                                           given seed repeats the very same rounds
//
// Prints its figures; exit status 0 when every kill left the old file or the whole result.
#include "TestPlattform.h"
#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "data/Ersatzdatei.h"
#include "data/Grundbestand.h"
#include "data/Systemaufrufe.h"

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace fkb;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t G = DatenSatz::Groesse;

// Where a kill from inside lands: before the chosen call, after it, or in the middle of it (a write
// that has put some of its bytes on disk; any other call is killed before it).
enum class Moment { Davor, Danach, Mittendrin };
const char* const MomentNamen[] = {"vor dem Aufruf", "nach dem Aufruf", "mitten im Schreiben"};

// --- the child: the file access that kills at its n-th call -----------------------------------------

Systemaufrufe echt;
long aufrufe = 0, toeten = 0; // calls since the command began; the call to kill at, 0 for none
Moment moment = Moment::Davor;
bool scharf = false;
std::size_t schnitt = 0; // where a write killed in the middle stops
int bericht = -1;        // where the child tells the parent which call it dies in

enum Aufruf { Open, Close, Read, Pread, Pwrite, Fsync, Fdatasync, Ftruncate, Fchmod, Rename, Unlink, Flock, Arten };
const char* const ArtNamen[Arten] = {"open",      "close",     "read",   "pread",  "pwrite", "fsync",
                                     "fdatasync", "ftruncate", "fchmod", "rename", "unlink", "flock"};

std::string verlauf; // the kinds of the command's calls, one byte each

bool aendert(Aufruf art) {
    return art == Pwrite || art == Fsync || art == Fdatasync || art == Ftruncate || art == Rename || art == Unlink;
}

bool getroffen(Aufruf art) {
    if (!scharf)
        return false;
    verlauf.push_back(char(art));
    if (++aufrufe != toeten)
        return false;
    const char a = char(art);
    if (::write(bericht, &a, 1) != 1)
        ::_exit(4);
    if (moment == Moment::Davor || (moment == Moment::Mittendrin && art != Pwrite))
        ::raise(SIGKILL);
    return true;
}
template <Aufruf A, auto Glied, class... Args> auto durch(Args... args) {
    const bool toedlich = getroffen(A);
    auto ergebnis = (echt.*Glied)(args...);
    if (toedlich)
        ::raise(SIGKILL);
    return ergebnis;
}
// Killed after the write, or in the middle of it: some of its bytes are on disk, as when the system
// ends a program between two pages of one write. It stops a write only there, or between two sectors
// when the power fails: the cut falls on one of the sector boundaries inside the write, if it has any.
std::size_t schnittImSchreiben(std::size_t laenge, off_t offset) {
    const std::size_t erste = 512 - std::size_t(offset % 512); // the first boundary after its start
    if (erste >= laenge)
        return 0;
    return erste + schnitt % ((laenge - erste - 1) / 512 + 1) * 512;
}

ssize_t pwriteToeten(int fd, const void* daten, std::size_t laenge, off_t offset) {
    if (!getroffen(Pwrite))
        return echt.pwrite(fd, daten, laenge, offset);
    echt.pwrite(fd, daten, moment == Moment::Mittendrin ? schnittImSchreiben(laenge, offset) : laenge, offset);
    ::raise(SIGKILL);
    return -1;
}

void todesAufrufeEinsetzen() {
    echt = systemaufrufe;
    systemaufrufe = {
        durch<Open, &Systemaufrufe::open, const char*, int, mode_t>,
        durch<Close, &Systemaufrufe::close, int>,
        durch<Read, &Systemaufrufe::read, int, void*, std::size_t>,
        durch<Pread, &Systemaufrufe::pread, int, void*, std::size_t, off_t>,
        pwriteToeten,
        durch<Fsync, &Systemaufrufe::fsync, int>,
        durch<Fdatasync, &Systemaufrufe::fdatasync, int>,
        durch<Ftruncate, &Systemaufrufe::ftruncate, int, off_t>,
        durch<Fchmod, &Systemaufrufe::fchmod, int, mode_t>,
        durch<Fchmod, &Systemaufrufe::fchown, int, uid_t, gid_t>, // counted with the calls they are like
        durch<Rename, &Systemaufrufe::rename, const char*, const char*>,
        durch<Rename, &Systemaufrufe::renameNeu, const char*, const char*>,
        durch<Unlink, &Systemaufrufe::unlink, const char*>,
        durch<Flock, &Systemaufrufe::flock, int, int>,
        echt.nanosleep,
    };
}

const char* const BefehlNamen[] = {"Neu", "Überschreiben", "Löschen", "bezahlt", "Verdichten"};

// Opens the file, chooses a command by the seed and runs it; the calls of the command are counted
// (and the chosen one kills). Returns the number of the command.
int befehlAusfuehren(const std::string& pfad, unsigned seed) {
    std::mt19937 zufall(seed);
    auto bis = [&zufall](int n) { return int(zufall() % unsigned(n)); };
    test::TestPlattform p;
    // Every store stamps its record at the end, a name or a kind letter changes at the start: a write
    // cut in between leaves a record neither old nor new.
    p.uhr = {2026, 12, 1 + bis(28), bis(24), bis(60), bis(60)};
    schnitt = zufall();
    TFKB_Formular f(p);
    f.starten();
    p.dialoge.push_back(pfad);
    f.klick("Oeffnen");

    // Customer records only: records 0 to 50 cannot be deleted, and stay as they are.
    std::vector<int> kundenzeilen;
    for (std::size_t z = 0; z < f.ListeObjekt.zeilen.size(); ++z)
        if (std::stoi(f.ListeObjekt.zeilen[z].substr(f.ListeObjekt.zeilen[z].rfind("~~~") + 3)) > 50)
            kundenzeilen.push_back(int(z));
    const int gewicht = bis(100);
    int befehl = gewicht < 30 ? 0 : gewicht < 50 ? 1 : gewicht < 70 ? 2 : gewicht < 85 ? 3 : 4;
    if ((befehl == 1 || befehl == 2) && kundenzeilen.empty())
        befehl = 0;
    const char* knopf = "Satz_Neu";
    switch (befehl) {
    case 0:
        f.eingeben("KundenNummer", std::to_string(1 + bis(30)));
        f.eingeben("Name", "Kunde " + std::to_string(bis(1000)));
        f.eingeben("Position01", std::string(std::size_t(bis(50)), 'x'));
        f.klick("ButtonRechnung");
        f.klick("SpeedButtonRechnungsNummer"); // a number of its own: a taken one is refused, nothing written
        f.eingeben("RechnungsDatum", "07.12.2026");
        break;
    case 1:
        f.waehleListe(kundenzeilen[std::size_t(bis(int(kundenzeilen.size())))]);
        f.eingeben("Name", "Neu " + std::to_string(bis(1000)));
        knopf = "Satz_Speichern";
        break;
    case 2:
        f.waehleListe(kundenzeilen[std::size_t(bis(int(kundenzeilen.size())))]);
        p.antworten.push_back(true);
        knopf = "Satz_Loeschen";
        break;
    case 3:
        f.klick("ButtonFahndungR");
        Zeitpunkt::ausText("01.01.2026", f.KalenderVon);
        Zeitpunkt::ausText("31.12.2026", f.KalenderBis);
        f.klick("BitBtnStartFahndung");
        f.waehleFahndung(f.FahndungsAnzahl > 0 ? bis(int(f.FahndungsAnzahl)) : -1);
        knopf = "BitBtnSetzenRKZ";
        break;
    default:
        knopf = "Speichern";
    }
    scharf = true;
    f.klick(knopf);
    scharf = false;
    for (const auto& m : p.meldungen)
        if (m.art == "Fehler")
            std::fprintf(stderr, "Meldung im Lauf: %s\n", m.text.c_str());
    return befehl;
}

// --- the parent -------------------------------------------------------------------------------------

std::string inhalt(const std::string& pfad) {
    std::ifstream ein(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>()};
}

void schreiben(const std::string& pfad, const std::string& bytes) {
    std::ofstream(pfad, std::ios::binary | std::ios::trunc) << bytes;
}

// The seeded file and a few invoices.
std::string anfangsdatei() {
    DatenSatz puffer;
    std::vector<DatenSatz> saetze = grundbestand(puffer, {"08.12.2026", "10:15:00"}, {"08.12.2026", "10:15:00"});
    for (int i = 0; i < 20; ++i) {
        DatenSatz s = saetze.back();
        s.setzeText(SatzFeld::KundenNummer, "0000" + std::to_string(i % 10));
        s.setzeText(SatzFeld::Name, "Anfang " + std::to_string(i));
        s.setzeText(SatzFeld::RechnungsNummer, std::to_string(200 + i));
        s.setzeText(SatzFeld::RechnungsDatum, "0" + std::to_string(1 + i % 9) + ".12.2026");
        s.setzeZeichen(SatzFeld::RechnungsKennZeichen, i % 3 ? 'R' : 'A');
        s.setzeZeichen(SatzFeld::LieferKennzeichen, 'B');
        saetze.push_back(s);
    }
    std::string bytes;
    for (const DatenSatz& s : saetze)
        bytes.append(reinterpret_cast<const char*>(s.bytes.data()), G);
    return bytes;
}

// The child, started afresh as the program is: it reports the number of its command, then the kinds
// of the calls it made, or the kind of the call it is killed in.
int kindHauptteil(char** argv) {
    const std::string pfad = argv[2];
    const unsigned seed = unsigned(std::strtoul(argv[3], nullptr, 10));
    toeten = std::atol(argv[4]);
    moment = Moment(std::atoi(argv[5]));
    bericht = std::atoi(argv[6]);
    todesAufrufeEinsetzen();
    // Seed 0: only open the file, as the next program does — and put right what a killed one left.
    if (seed == 0) {
        scharf = true;
        DatenDatei(pfad).anzahlSaetze();
        return 0;
    }
    const char befehl = char(befehlAusfuehren(pfad, seed));
    const std::string antwort = std::string(1, befehl) + verlauf;
    if (::write(bericht, antwort.data(), antwort.size()) != ssize_t(antwort.size()))
        return 3;
    return 0;
}

struct Ergebnis {
    int status;
    int befehl = -1;
    std::string verlauf; // the kinds of the command's calls
    int art = -1;        // the kind of call it was killed in, −1 if not from inside
};

// Runs the command in a child; `toetenBei` 0 runs it to the end. With `zeitMs` above 0, the parent
// kills the child that long after its start instead.
Ergebnis kindLaufen(const std::string& pfad, unsigned seed, long toetenBei, Moment wann, double zeitMs) {
    int rohr[2];
    if (::pipe(rohr) != 0)
        std::abort();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(rohr[0]);
        const std::string args[] = {std::to_string(seed), std::to_string(toetenBei), std::to_string(int(wann)),
                                    std::to_string(rohr[1])};
        ::execl("/proc/self/exe", "fkb-folter", "--kind", pfad.c_str(), args[0].c_str(), args[1].c_str(),
                args[2].c_str(), args[3].c_str(), nullptr);
        ::_exit(5);
    }
    ::close(rohr[1]);
    if (zeitMs > 0) {
        ::usleep(useconds_t(zeitMs * 1000));
        ::kill(pid, SIGKILL);
    }
    std::string antwort;
    char puffer[4096];
    for (ssize_t n; (n = ::read(rohr[0], puffer, sizeof puffer)) > 0;)
        antwort.append(puffer, std::size_t(n));
    ::close(rohr[0]);
    Ergebnis e{0, -1, {}, -1};
    ::waitpid(pid, &e.status, 0);
    if (WIFSIGNALED(e.status) && antwort.size() == 1)
        e.art = antwort[0];
    if (WIFEXITED(e.status) && !antwort.empty()) {
        e.befehl = antwort[0];
        e.verlauf = antwort.substr(1);
    }
    return e;
}

bool getoetet(int status) {
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// Whether a killed program left the copy of a record it was writing.
bool sicherungDa(const std::string& ordner) {
    for (const auto& e : fs::directory_iterator(ordner))
        if (e.path().filename().string().starts_with(Ersatzdatei::TempPraefix) && e.path().extension() == ".alt")
            return true;
    return false;
}

std::vector<std::string> tempDateien(const std::string& ordner) {
    std::vector<std::string> namen;
    for (const auto& e : fs::directory_iterator(ordner))
        if (e.path().filename().string().starts_with(Ersatzdatei::TempPraefix))
            namen.push_back(e.path().filename().string());
    return namen;
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);
    if (argc == 7 && argv[1] == std::string("--kind"))
        return kindHauptteil(argv);
    const int sollToetungen = argc > 1 ? std::atoi(argv[1]) : 30;
    const unsigned startwert = argc > 2 ? unsigned(std::strtoul(argv[2], nullptr, 10)) : std::random_device{}();
    const bool auchVonAussen = !(argc > 3 && argv[3] == std::string("innen"));
    std::mt19937 zufall(startwert);

    std::string vorlage = (fs::temp_directory_path() / "fkb-folter-XXXXXX").string();
    if (!::mkdtemp(vorlage.data()))
        return 2;
    const fs::path wurzel = vorlage;
    fs::create_directory(wurzel / "echt");
    fs::create_directory(wurzel / "probe");
    const std::string pfad = (wurzel / "echt" / "daten.fba").string();
    const std::string probe = (wurzel / "probe" / "daten.fba").string();
    schreiben(pfad, anfangsdatei());

    int toetungen = 0, runden = 0, fehler = 0, alt = 0, neu = 0, vonAussen = 0, durchgelaufen = 0, beimEinspielen = 0;
    std::array<int, 3> nachMoment{};
    std::array<int, 5> nachBefehl{};
    std::array<int, Arten> nachArt{};
    long meisteAufrufe = 0;
    const auto beginn = std::chrono::steady_clock::now();
    while (toetungen < sollToetungen && fehler == 0) {
        ++runden;
        const unsigned seed = unsigned(zufall()) | 1u; // 0 only opens
        const std::string vorher = inhalt(pfad);

        // The command run to its end on a copy: the result and the number of its calls.
        schreiben(probe, vorher);
        const auto t0 = std::chrono::steady_clock::now();
        const Ergebnis probelauf = kindLaufen(probe, seed, 0, Moment::Davor, 0);
        const double dauerMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        if (probelauf.status != 0 || probelauf.verlauf.empty()) {
            std::fprintf(stderr, "Probelauf %u endete mit Status %d\n", seed, probelauf.status);
            ++fehler;
            break;
        }
        const std::string ergebnis = inhalt(probe);
        meisteAufrufe = std::max(meisteAufrufe, long(probelauf.verlauf.size()));

        // The same command on the file itself, killed: mostly from inside at a chosen call — in the middle of
        // a write, or, half of the others, at a call that changes a file, where it hurts most — else from
        // outside.
        const bool aussen = zufall() % 4 == 0 && auchVonAussen;
        const Moment wann = Moment(zufall() % 3);
        // A kind of changing call first, then one of its calls: a compaction's single rename is hit as often
        // as its many writes.
        std::map<char, std::vector<long>> aendernd;
        for (std::size_t i = 0; i < probelauf.verlauf.size(); ++i)
            if (aendert(Aufruf(probelauf.verlauf[i])))
                aendernd[probelauf.verlauf[i]].push_back(long(i) + 1);
        long bei = 1 + long(zufall() % probelauf.verlauf.size());
        if (wann == Moment::Mittendrin && aendernd.count(Pwrite)) {
            const std::vector<long>& schreiben = aendernd[Pwrite];
            bei = schreiben[zufall() % schreiben.size()];
        } else if (zufall() % 2 == 0 && !aendernd.empty()) {
            const std::vector<long>& art = std::next(aendernd.begin(), long(zufall() % aendernd.size()))->second;
            bei = art[zufall() % art.size()];
        }
        const Ergebnis lauf =
            aussen ? kindLaufen(pfad, seed, 0, wann, std::uniform_real_distribution<double>(0, dauerMs)(zufall))
                   : kindLaufen(pfad, seed, bei, wann, 0);
        if (getoetet(lauf.status)) {
            ++toetungen;
            ++nachBefehl[std::size_t(probelauf.befehl)];
            // In the middle of anything but a write is before it.
            const bool mitten = wann == Moment::Mittendrin && lauf.art == Pwrite;
            aussen ? ++vonAussen
                   : ++nachMoment[std::size_t(wann == Moment::Mittendrin && !mitten ? Moment::Davor : wann)];
            if (lauf.art >= 0)
                ++nachArt[std::size_t(lauf.art)];
        } else if (lauf.status == 0) {
            ++durchgelaufen;
        } else {
            std::fprintf(stderr, "Lauf %u endete mit Status %d\n", seed, lauf.status);
            ++fehler;
        }

        // A record left half written is put right by the next program that opens the file; that one is
        // killed too, now and then, while it puts it right.
        if (sicherungDa((wurzel / "echt").string()) && zufall() % 2 == 0 &&
            getoetet(kindLaufen(pfad, 0, 1 + long(zufall() % 12), Moment(zufall() % 3), 0).status))
            ++beimEinspielen;

        // As the next command finds the file: through the program's own access.
        DatenDatei(pfad).anzahlSaetze();
        const std::string nachher = inhalt(pfad);
        if (nachher == vorher) {
            ++alt;
        } else if (nachher == ergebnis) {
            ++neu;
        } else {
            ++fehler;
            std::fprintf(stderr,
                         "Runde %d (Startwert %u, Befehl %s, %s bei Aufruf %ld): Datei weder alt noch neu: %zu Bytes "
                         "(alt %zu, neu %zu)%s\n",
                         runden, seed, BefehlNamen[probelauf.befehl], aussen ? "von außen" : MomentNamen[int(wann)],
                         bei, nachher.size(), vorher.size(), ergebnis.size(),
                         nachher.size() % G ? ", keine ganze Zahl von Sätzen" : "");
            for (std::size_t i = 0; i < std::min(nachher.size(), vorher.size()) / G; ++i)
                if (nachher.compare(i * G, G, vorher, i * G, G) != 0 &&
                    (ergebnis.size() < (i + 1) * G || nachher.compare(i * G, G, ergebnis, i * G, G) != 0))
                    std::fprintf(stderr, "  Satz %zu ist weder sein altes noch sein neues Bild\n", i);
        }
    }
    // The next program to open a file there clears away what the killed ones left.
    kindLaufen(pfad, unsigned(zufall()), 0, Moment::Davor, 0);
    const std::vector<std::string> uebrig = tempDateien((wurzel / "echt").string());
    if (!uebrig.empty()) {
        std::fprintf(stderr, "%zu temporäre Dateien bleiben liegen\n", uebrig.size());
        ++fehler;
    }
    const double sekunden = std::chrono::duration<double>(std::chrono::steady_clock::now() - beginn).count();
    std::printf("Folter (Startwert %u): %d Tötungen in %d Runden, %.1f s; danach %d-mal die alte Datei, %d-mal das "
                "ganze Ergebnis, %d Fehler\n",
                startwert, toetungen, runden, sekunden, alt, neu, fehler);
    std::printf("  von innen: %d %s, %d %s, %d %s; von außen zu zufälliger Zeit: %d (%d Läufe kamen vorher an ihr "
                "Ende)\n",
                nachMoment[0], MomentNamen[0], nachMoment[1], MomentNamen[1], nachMoment[2], MomentNamen[2], vonAussen,
                durchgelaufen);
    std::printf("  nach Befehl:");
    for (std::size_t b = 0; b < nachBefehl.size(); ++b)
        std::printf(" %s %d", BefehlNamen[b], nachBefehl[b]);
    std::printf("\n  von innen im Aufruf:");
    for (std::size_t a = 0; a < nachArt.size(); ++a)
        if (nachArt[a] > 0)
            std::printf(" %s %d", ArtNamen[a], nachArt[a]);
    std::printf("\n  beim Wiederherstellen eines halb geschriebenen Satzes getötet: %d", beimEinspielen);
    std::printf("\n  bis zu %ld Aufrufe je Befehl; Datei zuletzt %zu Sätze\n", meisteAufrufe, inhalt(pfad).size() / G);
    fs::remove_all(wurzel);
    return fehler == 0 ? 0 : 1;
}
