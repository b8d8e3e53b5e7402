// Measures the navigation load — the program's hot path — against a plain sequential read of
// the same file, and the store commands against the reload they end with, in one run, for a
// 10 000- and a 100 000-record file. Prints times and ratios. Beside the plain read it measures the
// two ways a program can look at the file: read() into one reused block of whole records, as the
// program does, and a mapping touched once per record, which costs what faulting its pages in costs
// on the machine at hand. The page faults of a first open and of a first query are counted: where
// faulting is expensive, they are what a fresh process pays beyond its work.
#include "Benchdaten.h"

#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "printing/Fahndung.h"
#include "prozess/Prozess.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace fkb;
using bench::LeisePlattform;

namespace {

// Wall time (what the user waits) and processor time of the process, user and system together:
// on a shared machine the second is the steadier, since waiting for a core adds to the first only.
struct Zeit {
    double wand = 1e9, cpu = 1e9;
    void besser(const Zeit& z) {
        wand = std::min(wand, z.wand);
        cpu = std::min(cpu, z.cpu);
    }
};

double prozessZeit() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

double uhrZeit() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

Zeit einmal(const std::function<void()>& arbeit) {
    const double wand = uhrZeit(), cpu = prozessZeit();
    arbeit();
    return {uhrZeit() - wand, prozessZeit() - cpu};
}

// The fastest of a few runs: the machine's noise only ever adds time.
Zeit bestzeit(const std::function<void()>& arbeit, int runden = 5) {
    Zeit beste;
    for (int i = 0; i < runden; ++i)
        beste.besser(einmal(arbeit));
    return beste;
}

double sekunden(const std::function<void()>& arbeit, int runden = 5) {
    return bestzeit(arbeit, runden).wand;
}

// The fastest run of each task, the tasks taken in turn round after round: tasks that are compared
// with each other then meet the same noise of a shared machine.
std::vector<Zeit> imWechsel(const std::vector<std::function<void()>>& aufgaben, int runden = 9) {
    std::vector<Zeit> beste(aufgaben.size());
    for (int r = 0; r < runden; ++r)
        for (std::size_t a = 0; a < aufgaben.size(); ++a)
            beste[a].besser(einmal(aufgaben[a]));
    return beste;
}

void reinLesen(const std::string& pfad) {
    int fd = ::open(pfad.c_str(), O_RDONLY);
    std::vector<char> block(1 << 20);
    volatile std::size_t summe = 0;
    for (ssize_t n; (n = ::read(fd, block.data(), block.size())) > 0;)
        summe = summe + std::size_t(block[std::size_t(n) - 1]);
    ::close(fd);
}

// What the program's reader does with the file: whole records into one reused block, a byte of each
// looked at.
void bloeckeLesen(const std::string& pfad) {
    int fd = ::open(pfad.c_str(), O_RDONLY);
    std::vector<DatenSatz> block(SatzLeser::SaetzeJeBlock);
    volatile unsigned summe = 0;
    for (ssize_t n; (n = ::read(fd, block.data(), block.size() * DatenSatz::Groesse)) > 0;)
        for (std::size_t i = 0; i < std::size_t(n) / DatenSatz::Groesse; ++i)
            summe = summe + block[i].bytes[669];
    ::close(fd);
}

// The file looked at through a mapping, a byte of each record: every page is faulted in.
void abbildLesen(const std::string& pfad) {
    int fd = ::open(pfad.c_str(), O_RDONLY);
    struct stat st {};
    ::fstat(fd, &st);
    const auto laenge = std::size_t(st.st_size);
    void* abbild = ::mmap(nullptr, laenge, PROT_READ, MAP_SHARED, fd, 0);
    if (abbild != MAP_FAILED) {
        const auto* bytes = static_cast<const unsigned char*>(abbild);
        volatile unsigned summe = 0;
        for (std::size_t o = 669; o < laenge; o += DatenSatz::Groesse)
            summe = summe + bytes[o];
        ::munmap(abbild, laenge);
    }
    ::close(fd);
}

// Page faults of this process so far.
long seitenfehler() {
    rusage r{};
    ::getrusage(RUSAGE_SELF, &r);
    return r.ru_minflt + r.ru_majflt;
}

// The peak resident memory of this process image. Not getrusage: its figure outlives exec and so
// holds the memory of the benchmark that started the child.
long peakKiB() {
    long kib = 0;
    if (std::FILE* status = std::fopen("/proc/self/status", "r")) {
        char zeile[256];
        while (std::fgets(zeile, sizeof zeile, status))
            if (std::sscanf(zeile, "VmHWM: %ld kB", &kib) == 1)
                break;
        std::fclose(status);
    }
    return kib;
}

// Runs this program once more with the arguments, without a shell in between; returns what it
// printed.
std::string nochmals(const std::vector<std::string>& argumente) {
    static const std::string programm = std::filesystem::read_symlink("/proc/self/exe").string();
    std::vector<char*> argv{const_cast<char*>(programm.c_str())};
    for (const std::string& a : argumente)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> umgebung;
    for (char** e = environ; *e; ++e)
        umgebung.push_back(*e);
    umgebung.push_back(nullptr);

    int rohr[2];
    if (::pipe(rohr) != 0)
        return {};
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_adddup2(&aktionen, rohr[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&aktionen, rohr[0]);
    pid_t kind = -1;
    const int fehler = ::posix_spawn(&kind, programm.c_str(), &aktionen, nullptr, argv.data(), umgebung.data());
    posix_spawn_file_actions_destroy(&aktionen);
    ::close(rohr[1]);
    std::string ausgabe;
    char block[256];
    for (ssize_t n; fehler == 0 && (n = ::read(rohr[0], block, sizeof block)) > 0;)
        ausgabe.append(block, std::size_t(n));
    ::close(rohr[0]);
    if (fehler == 0)
        ::waitpid(kind, nullptr, 0);
    return ausgabe;
}

std::string zahl(double wert) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9f", wert);
    return text;
}

// The child's side of a fresh-process measurement: the time since the parent started it, and the
// processor time the process has used since it was created (exec, loading and start included).
void seitStartMelden(const char* start, const std::string& rest = "") {
    std::printf("%.9f %.9f %s\n", uhrZeit() - std::atof(start), prozessZeit(), rest.c_str());
    std::fflush(stdout);
}

// A user opening a file: the program starts, "Öffnen", the file chosen in the dialog, loaded.
// The child ends at once: what it would free on the way out is no part of the wait.
[[noreturn]] void oeffnenImKind(const char* pfad, const char* start) {
    LeisePlattform p;
    p.pfad = pfad;
    TFKB_Formular f(p);
    f.starten();
    f.klick(f.Oeffnen.name);
    seitStartMelden(start, std::to_string(f.ListeObjekt.zeilen.size()) + " " + std::to_string(peakKiB()) + " " +
                               std::to_string(seitenfehler()));
    std::_Exit(0);
}

struct ErstesOeffnen {
    Zeit zeit;          // from exec to the loaded window, less a bare start of the program
    Zeit nackterStart;  // exec to main
    std::size_t zeilen; // lines listed
    long speicherKiB;   // peak memory of the process at the loaded window
    long seitenfehler;  // page faults of the open, less those of a bare start
};

// The fastest of some fresh processes, each a bare start beside a start that opens the file.
ErstesOeffnen erstesOeffnen(const std::string& pfad, int runden = 7) {
    ErstesOeffnen e{};
    Zeit oeffnen;
    long startFehler = 0, oeffnenFehler = 0;
    for (int r = 0; r < runden; ++r) {
        Zeit z;
        if (std::sscanf(nochmals({"--start", zahl(uhrZeit())}).c_str(), "%lf %lf %ld", &z.wand, &z.cpu, &startFehler) ==
            3)
            e.nackterStart.besser(z);
        long speicher = 0;
        if (std::sscanf(nochmals({"--oeffnen", pfad, zahl(uhrZeit())}).c_str(), "%lf %lf %zu %ld %ld", &z.wand, &z.cpu,
                        &e.zeilen, &speicher, &oeffnenFehler) == 5) {
            oeffnen.besser(z);
            e.speicherKiB = speicher;
        }
    }
    e.seitenfehler = oeffnenFehler - startFehler;
    e.zeit = {oeffnen.wand - e.nackterStart.wand, oeffnen.cpu - e.nackterStart.cpu};
    return e;
}

// Runs in a fresh process so that its peak memory is that of one load alone.
int speicherMessen(const char* pfad) {
    LeisePlattform p;
    TFKB_Formular f(p);
    f.DateiName = pfad;
    long vorher = peakKiB();
    f.NavigationLaden("Alles", false);
    std::printf("%ld %ld\n", vorher, peakKiB());
    return 0;
}

// The first period query after opening the file, in a fresh process, as a user meets it: kind "R"
// over the whole period of the generated file. Prints the seconds and the number of listed records.
int fahndungMessen(const char* pfad, bool seitenweg, int runden = 1) {
    LeisePlattform p;
    p.pfad = pfad;
    TFKB_Formular f(p);
    f.starten();
    f.klick(f.Oeffnen.name);
    f.KalenderVon = {2024, 1, 1};
    f.KalenderBis = {2026, 12, 31};
    f.klick(f.ButtonFahndungR.name);
    const long vorher = seitenfehler();
    const Zeit t = bestzeit([&] { fahndungStarten(f, seitenweg ? Rechenweg::Seiten : Rechenweg::Direkt); }, runden);
    // Wall time (what the user waits), the number listed, processor time (steadier on a busy machine)
    // and the page faults of the query.
    std::printf("%.6f %u %.6f %ld\n", t.wand, f.FahndungsAnzahl, t.cpu, seitenfehler() - vorher);
    return 0;
}

struct ErsteFahndung {
    Zeit zeit;
    unsigned anzahl = 0;   // invoices listed
    long seitenfehler = 0; // page faults of the query
};

// The fastest of some fresh processes each running the query once.
ErsteFahndung fahndungImNeuenProzess(const std::string& pfad, bool seitenweg, int prozesse) {
    ErsteFahndung e;
    for (int i = 0; i < prozesse; ++i) {
        Zeit t;
        if (std::sscanf(nochmals({"--fahndung", pfad, seitenweg ? "seiten" : "direkt"}).c_str(), "%lf %u %lf %ld",
                        &t.wand, &e.anzahl, &t.cpu, &e.seitenfehler) == 4)
            e.zeit.besser(t);
    }
    return e;
}

struct Ergebnis {
    Zeit lesen, bloecke, abbild, alles, kategorie, sucheViele, sucheKeine;
    ErstesOeffnen erstes;
    long speicherKiB;
};

Ergebnis messen(const std::string& pfad) {
    Ergebnis e{};
    // First, while nothing of this process competes for the cache.
    e.erstes = erstesOeffnen(pfad);

    LeisePlattform p;
    TFKB_Formular f(p);
    f.DateiName = pfad;
    f.NavigationLaden("Alles", false);
    const std::string kategorie(f.KategorieListe.eintraege[f.KategorieListe.eintraege.size() / 2]);
    std::size_t treffer = 0;
    const std::vector<Zeit> t = imWechsel({
        [&] { reinLesen(pfad); },
        [&] { bloeckeLesen(pfad); },
        [&] { abbildLesen(pfad); },
        [&] { f.NavigationLaden("Alles", false); },
        [&] { f.NavigationLaden(kategorie, false); },
        [&] {
            f.NavigationLaden("fliesen", true);
            treffer = f.ListeObjekt.zeilen.size();
        },
        [&] { f.NavigationLaden("Xylophon", true); },
    });
    e.lesen = t[0];
    e.bloecke = t[1];
    e.abbild = t[2];
    e.alles = t[3];
    e.kategorie = t[4];
    e.sucheViele = t[5];
    e.sucheKeine = t[6];
    std::printf("  (search 'fliesen' lists %zu records, 'Xylophon' %zu)\n", treffer, f.ListeObjekt.zeilen.size());

    long vorher = 0, nachher = 0;
    if (std::sscanf(nochmals({"--speicher", pfad}).c_str(), "%ld %ld", &vorher, &nachher) == 2)
        e.speicherKiB = nachher;
    return e;
}

// A full invoice: 25 lines with quantity and price, shipping costs, domestic delivery.
void rechnungFuellen(TFKB_Formular& f) {
    for (int k = 0; k < AnzahlZeilen; ++k) {
        f.eingeben(f.Position[std::size_t(k)].name, "Arbeitsstunde Geselle");
        f.eingeben(f.ME[std::size_t(k)].name, "Std");
        f.eingeben(f.Menge[std::size_t(k)].name, std::to_string(1 + k % 9) + ",5");
        f.eingeben(f.Preis[std::size_t(k)].name, k % 4 ? "84,50" : "1.249,99");
    }
    f.eingeben(f.VersandKosten.name, "4,9");
    f.LieferKennzeichen.text = "B";
    // An invoice: its number is proved unique by every store.
    f.klick(f.ButtonRechnung.name);
}

struct Speichern {
    double nachladen;                     // the reload that every store ends with
    double neu, ueberschreiben;           // the whole commands
    double pruefen, anhaengen, schreiben; // the store's own work: calculation, one append or overwrite with flush
};

Speichern speichernMessen(const std::string& pfad) {
    LeisePlattform p;
    p.pfad = pfad;
    TFKB_Formular f(p);
    f.starten();
    f.klick(f.Oeffnen.name);
    const int zeile = int(f.ListeObjekt.zeilen.size()) - 1;
    f.waehleListe(zeile);
    rechnungFuellen(f);

    Speichern e{};
    e.pruefen = sekunden([&] {
                    for (int i = 0; i < 1000; ++i)
                        f.RechnungPruefen();
                }) /
                1000;
    const DatenDatei datei(pfad);
    const DatenSatz satz = f.Puffer;
    const auto nummer = datei.anzahlSaetze() - 1;
    e.schreiben = sekunden([&] { datei.schreiben(nummer, satz); }, 20);

    e.anhaengen = sekunden([&] { datei.anhaengen(satz); }, 20);

    // Each "Neu" appends one record more; the file grows by a handful of records only.
    // The reload as a store ends with it: the list rebuilt, the stored record chosen and shown.
    const std::vector<Zeit> t = imWechsel({
        [&] {
            f.NavigationLaden("Alles", false);
            f.waehleListe(int(f.ListeObjekt.zeilen.size()) - 1);
        },
        [&] {
            f.klick(f.SpeedButtonRechnungsNummer.name);
            f.klick(f.Satz_Neu.name);
        },
        [&] { f.klick(f.Satz_Speichern.name); },
    });
    e.nachladen = t[0].wand;
    e.neu = t[1].wand;
    e.ueberschreiben = t[2].wand;
    return e;
}

void kopfzeile() {
    std::printf("  %-36s %9s %9s %11s %9s\n", "", "wall", "CPU", "wall/read", "CPU/read");
}

// Wall and processor time, each against the plain read's.
void zeile(const char* was, const Zeit& t, const Zeit& boden) {
    std::printf("  %-36s %6.1f ms %6.1f ms %9.2f x %7.2f x\n", was, t.wand * 1e3, t.cpu * 1e3, t.wand / boden.wand,
                t.cpu / boden.cpu);
}

} // namespace

int main(int argc, char** argv) {
    prozessEinrichten();
    if (argc == 3 && std::string(argv[1]) == "--speicher")
        return speicherMessen(argv[2]);
    if (argc == 5 && std::string(argv[1]) == "--erzeugen") { // for profiling: a file of the given kinds
        bench::datenDateiErzeugen(argv[2], std::atoll(argv[3]), 4711, argv[4]);
        return 0;
    }
    if ((argc == 4 || argc == 5) && std::string(argv[1]) == "--fahndung") // one query, or the best of more
        return fahndungMessen(argv[2], std::string(argv[3]) == "seiten", argc == 5 ? std::atoi(argv[4]) : 1);
    // For profiling: repeated loads of one file, or searches for a text.
    if ((argc == 4 || argc == 5) && std::string(argv[1]) == "--laden") {
        LeisePlattform p;
        TFKB_Formular f(p);
        f.DateiName = argv[2];
        const std::string text = argc == 5 ? argv[4] : "Alles";
        Zeit t = bestzeit([&] { f.NavigationLaden(text, argc == 5); }, std::atoi(argv[3]));
        std::printf("%.1f ms %.1f ms CPU\n", t.wand * 1e3, t.cpu * 1e3);
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--start") { // a bare start, to subtract from a fresh open
        seitStartMelden(argv[2], std::to_string(seitenfehler()));
        return 0;
    }
    if (argc == 4 && std::string(argv[1]) == "--oeffnen")
        oeffnenImKind(argv[2], argv[3]);

    std::string ordner = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "fkb-bench").string();
    std::filesystem::create_directories(ordner);

    std::vector<std::pair<std::int64_t, Ergebnis>> ergebnisse;
    for (std::int64_t anzahl : {10000, 100000}) {
        std::string pfad = ordner + "/bench-" + std::to_string(anzahl) + ".fba";
        bench::datenDateiErzeugen(pfad, anzahl);
        std::printf("%lld customer records + 52 seeded (%.1f MB)\n", static_cast<long long>(anzahl),
                    double(std::filesystem::file_size(pfad)) / 1e6);
        Ergebnis e = messen(pfad);
        kopfzeile();
        zeile("plain sequential read", e.lesen, e.lesen);
        zeile("read(), 64 records a block", e.bloecke, e.lesen);
        zeile("mapping, a byte per record", e.abbild, e.lesen);
        zeile("first open, fresh process", e.erstes.zeit, e.lesen);
        zeile("NavigationLaden(\"Alles\"), warm", e.alles, e.lesen);
        zeile("category choice", e.kategorie, e.lesen);
        zeile("search, many hits", e.sucheViele, e.lesen);
        zeile("search, no hit", e.sucheKeine, e.lesen);
        std::printf("  (first open: start, \"Oeffnen\", %zu lines listed, less a bare start of %.1f ms, %.1f ms CPU;"
                    " %ld page faults beyond the start's)\n",
                    e.erstes.zeilen, e.erstes.nackterStart.wand * 1e3, e.erstes.nackterStart.cpu * 1e3,
                    e.erstes.seitenfehler);
        std::printf("  peak memory of one load       %9.1f MB; of the process at the opened file %.1f MB\n",
                    double(e.speicherKiB) / 1024.0, double(e.erstes.speicherKiB) / 1024.0);
        Speichern s = speichernMessen(pfad);
        std::printf("  RechnungPruefen, 25 lines     %9.1f us\n", s.pruefen * 1e6);
        std::printf("  append one record + flush     %9.1f us\n", s.anhaengen * 1e6);
        std::printf("  overwrite one record + flush  %9.1f us\n", s.schreiben * 1e6);
        std::printf("  store's own work (check, write, flush) on its reload: Neu %+.2f %%, Ueberschreiben %+.2f %%\n",
                    100 * (s.pruefen + s.anhaengen) / s.nachladen, 100 * (s.pruefen + s.schreiben) / s.nachladen);
        std::printf(
            "  whole command on its reload (%.1f ms): Neu %.1f ms (%+.1f %%), Ueberschreiben %.1f ms (%+.1f %%)\n",
            s.nachladen * 1e3, s.neu * 1e3, 100 * (s.neu / s.nachladen - 1), s.ueberschreiben * 1e3,
            100 * (s.ueberschreiben / s.nachladen - 1));
        const ErsteFahndung fahndung = fahndungImNeuenProzess(pfad, false, 5);
        const ErsteFahndung seitenweg = fahndungImNeuenProzess(pfad, true, 1);
        std::printf("  query R, %u invoices, first query in a fresh process (%ld page faults):\n", fahndung.anzahl,
                    fahndung.seitenfehler);
        zeile("  totals from the records", fahndung.zeit, e.lesen);
        zeile("  every record on the pages", seitenweg.zeit, e.lesen);
        ergebnisse.emplace_back(anzahl, e);
    }
    {
        // The query at its heaviest: every record of the file an invoice of the period.
        const std::string pfad = ordner + "/bench-100000-R.fba";
        bench::datenDateiErzeugen(pfad, 100000, 4711, "R");
        const std::vector<Zeit> t =
            imWechsel({[&] { reinLesen(pfad); }, [&] { bloeckeLesen(pfad); }, [&] { abbildLesen(pfad); }});
        const ErsteFahndung fahndung = fahndungImNeuenProzess(pfad, false, 5);
        const ErsteFahndung seitenweg = fahndungImNeuenProzess(pfad, true, 1);
        std::printf("100000 invoice records + 52 seeded: query R, %u invoices, first query in a fresh process"
                    " (%ld page faults):\n",
                    fahndung.anzahl, fahndung.seitenfehler);
        kopfzeile();
        zeile("plain sequential read", t[0], t[0]);
        zeile("read(), 64 records a block", t[1], t[0]);
        zeile("mapping, a byte per record", t[2], t[0]);
        zeile("  totals from the records", fahndung.zeit, t[0]);
        zeile("  every record on the pages", seitenweg.zeit, t[0]);
        std::filesystem::remove(pfad);
    }
    const Ergebnis& klein = ergebnisse[0].second;
    const Ergebnis& gross = ergebnisse[1].second;
    std::printf("growth 10 000 -> 100 000 records: plain read %.1f x, load %.1f x (linear would be 10 x)\n",
                gross.lesen.wand / klein.lesen.wand, gross.alles.wand / klein.alles.wand);
    for (auto& [anzahl, e] : ergebnisse)
        std::filesystem::remove(ordner + "/bench-" + std::to_string(anzahl) + ".fba");
    return 0;
}
