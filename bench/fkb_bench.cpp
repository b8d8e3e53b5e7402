// Measures the navigation load — the program's hot path — against a plain sequential read of
// the same file, and the store commands against the reload they end with, in one run, for a
// 10 000- and a 100 000-record file. Prints times and ratios.
#include "Benchdaten.h"

#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "printing/Fahndung.h"
#include "prozess/Prozess.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace fkb;
using bench::LeisePlattform;

namespace {

// The fastest of a few runs: the machine's noise only ever adds time.
double sekunden(const std::function<void()>& arbeit, int runden = 5) {
    double beste = 1e9;
    for (int i = 0; i < runden; ++i) {
        auto start = std::chrono::steady_clock::now();
        arbeit();
        beste = std::min(beste, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return beste;
}

// The fastest run of each task, the tasks taken in turn round after round: tasks that are compared
// with each other then meet the same noise of a shared machine.
std::vector<double> imWechsel(const std::vector<std::function<void()>>& aufgaben, int runden = 9) {
    std::vector<double> beste(aufgaben.size(), 1e9);
    for (int r = 0; r < runden; ++r)
        for (std::size_t a = 0; a < aufgaben.size(); ++a)
            beste[a] = std::min(beste[a], sekunden(aufgaben[a], 1));
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

long peakKiB() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss;
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
    double cpu = 1e9;
    double t = sekunden(
        [&] {
            timespec vorher{}, nachher{};
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &vorher);
            fahndungStarten(f, seitenweg ? Rechenweg::Seiten : Rechenweg::Direkt);
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &nachher);
            cpu =
                std::min(cpu, double(nachher.tv_sec - vorher.tv_sec) + 1e-9 * double(nachher.tv_nsec - vorher.tv_nsec));
        },
        runden);
    // Wall time (what the user waits), the number listed, and processor time (steadier on a busy machine).
    std::printf("%.6f %u %.6f\n", t, f.FahndungsAnzahl, cpu);
    return 0;
}

// The fastest of some fresh processes each running the query once.
double fahndungImNeuenProzess(const std::string& pfad, bool seitenweg, int prozesse, unsigned& anzahl) {
    std::string befehl = std::filesystem::read_symlink("/proc/self/exe").string() + " --fahndung '" + pfad + "'" +
                         (seitenweg ? " seiten" : " direkt");
    double beste = 1e9;
    for (int i = 0; i < prozesse; ++i)
        if (std::FILE* kind = ::popen(befehl.c_str(), "r")) {
            double t = 0;
            if (std::fscanf(kind, "%lf %u", &t, &anzahl) == 2)
                beste = std::min(beste, t);
            ::pclose(kind);
        }
    return beste;
}

struct Ergebnis {
    double lesen, alles, kategorie, sucheViele, sucheKeine;
    long speicherKiB;
};

Ergebnis messen(const std::string& pfad) {
    LeisePlattform p;
    TFKB_Formular f(p);
    f.DateiName = pfad;
    Ergebnis e{};
    f.NavigationLaden("Alles", false);
    const std::string kategorie = f.KategorieListe.eintraege.at(f.KategorieListe.eintraege.size() / 2);
    std::size_t treffer = 0;
    const std::vector<double> t = imWechsel({
        [&] { reinLesen(pfad); },
        [&] { f.NavigationLaden("Alles", false); },
        [&] { f.NavigationLaden(kategorie, false); },
        [&] {
            f.NavigationLaden("fliesen", true);
            treffer = f.ListeObjekt.zeilen.size();
        },
        [&] { f.NavigationLaden("Xylophon", true); },
    });
    e.lesen = t[0];
    e.alles = t[1];
    e.kategorie = t[2];
    e.sucheViele = t[3];
    e.sucheKeine = t[4];
    std::printf("  (search 'fliesen' lists %zu records, 'Xylophon' %zu)\n", treffer, f.ListeObjekt.zeilen.size());

    std::string befehl = std::filesystem::read_symlink("/proc/self/exe").string() + " --speicher '" + pfad + "'";
    if (std::FILE* kind = ::popen(befehl.c_str(), "r")) {
        long vorher = 0, nachher = 0;
        if (std::fscanf(kind, "%ld %ld", &vorher, &nachher) == 2)
            e.speicherKiB = nachher;
        ::pclose(kind);
    }
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
    const std::vector<double> t = imWechsel({
        [&] {
            f.NavigationLaden("Alles", false);
            f.waehleListe(int(f.ListeObjekt.zeilen.size()) - 1);
        },
        [&] { f.klick(f.Satz_Neu.name); },
        [&] { f.klick(f.Satz_Speichern.name); },
    });
    e.nachladen = t[0];
    e.neu = t[1];
    e.ueberschreiben = t[2];
    return e;
}

void zeile(const char* was, double t, double boden) {
    std::printf("  %-28s %9.1f ms   %5.2f x plain read\n", was, t * 1e3, t / boden);
}

// Repeated reloads in a fresh process of this program, with or without the process's memory policy;
// the time of one reload in ms.
double nachladenImNeuenProzess(const char* programm, const std::string& pfad, bool vorgabe) {
    std::string befehl =
        std::string(vorgabe ? "" : "FKB_OHNE_SPEICHERVORGABE=1 ") + "'" + programm + "' --laden '" + pfad + "' 5";
    double ms = 0;
    if (FILE* aus = ::popen(befehl.c_str(), "r")) {
        if (std::fscanf(aus, "%lf", &ms) != 1)
            ms = 0;
        ::pclose(aus);
    }
    return ms;
}

} // namespace

int main(int argc, char** argv) {
    // The memory policy is measured against its absence below.
    if (!std::getenv("FKB_OHNE_SPEICHERVORGABE"))
        prozessEinrichten();
    if (argc == 3 && std::string(argv[1]) == "--speicher")
        return speicherMessen(argv[2]);
    if (argc == 5 && std::string(argv[1]) == "--erzeugen") { // for profiling: a file of the given kinds
        bench::datenDateiErzeugen(argv[2], std::atoll(argv[3]), 4711, argv[4]);
        return 0;
    }
    if ((argc == 4 || argc == 5) && std::string(argv[1]) == "--fahndung") // one query, or the best of more
        return fahndungMessen(argv[2], std::string(argv[3]) == "seiten", argc == 5 ? std::atoi(argv[4]) : 1);
    if (argc == 4 && std::string(argv[1]) == "--laden") { // for profiling: repeated loads of one file
        LeisePlattform p;
        TFKB_Formular f(p);
        f.DateiName = argv[2];
        double t = sekunden([&] { f.NavigationLaden("Alles", false); }, std::atoi(argv[3]));
        std::printf("%.1f ms\n", t * 1e3);
        return 0;
    }

    std::string ordner = argc > 1 ? argv[1] : (std::filesystem::temp_directory_path() / "fkb-bench").string();
    std::filesystem::create_directories(ordner);

    std::vector<std::pair<std::int64_t, Ergebnis>> ergebnisse;
    for (std::int64_t anzahl : {10000, 100000}) {
        std::string pfad = ordner + "/bench-" + std::to_string(anzahl) + ".fba";
        bench::datenDateiErzeugen(pfad, anzahl);
        std::printf("%lld customer records + 52 seeded (%.1f MB)\n", static_cast<long long>(anzahl),
                    double(std::filesystem::file_size(pfad)) / 1e6);
        Ergebnis e = messen(pfad);
        zeile("plain sequential read", e.lesen, e.lesen);
        zeile("NavigationLaden(\"Alles\")", e.alles, e.lesen);
        zeile("category choice", e.kategorie, e.lesen);
        zeile("search, many hits", e.sucheViele, e.lesen);
        zeile("search, no hit", e.sucheKeine, e.lesen);
        std::printf("  peak memory of one load       %9.1f MB\n", double(e.speicherKiB) / 1024.0);
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
        unsigned rechnungen = 0;
        const double fahndung = fahndungImNeuenProzess(pfad, false, 5, rechnungen);
        const double seitenweg = fahndungImNeuenProzess(pfad, true, 1, rechnungen);
        std::printf("  query R, %u invoices, first query in a fresh process:\n", rechnungen);
        zeile("  totals from the records", fahndung, e.lesen);
        zeile("  every record on the pages", seitenweg, e.lesen);
        if (anzahl == 100000) {
            double mit = nachladenImNeuenProzess(argv[0], pfad, true);
            double ohne = nachladenImNeuenProzess(argv[0], pfad, false);
            std::printf("  reload, fresh process: %.1f ms keeping freed memory, %.1f ms returning it (%.2f x)\n", mit,
                        ohne, mit > 0 ? ohne / mit : 0.0);
        }
        ergebnisse.emplace_back(anzahl, e);
    }
    {
        // The query at its heaviest: every record of the file an invoice of the period.
        const std::string pfad = ordner + "/bench-100000-R.fba";
        bench::datenDateiErzeugen(pfad, 100000, 4711, "R");
        const double lesen = sekunden([&] { reinLesen(pfad); }, 9);
        unsigned rechnungen = 0;
        const double fahndung = fahndungImNeuenProzess(pfad, false, 5, rechnungen);
        const double seitenweg = fahndungImNeuenProzess(pfad, true, 1, rechnungen);
        std::printf("100000 invoice records + 52 seeded: query R, %u invoices, first query in a fresh process:\n",
                    rechnungen);
        zeile("plain sequential read", lesen, lesen);
        zeile("  totals from the records", fahndung, lesen);
        zeile("  every record on the pages", seitenweg, lesen);
        std::filesystem::remove(pfad);
    }
    const Ergebnis& klein = ergebnisse[0].second;
    const Ergebnis& gross = ergebnisse[1].second;
    std::printf("growth 10 000 -> 100 000 records: plain read %.1f x, load %.1f x (linear would be 10 x)\n",
                gross.lesen / klein.lesen, gross.alles / klein.alles);
    for (auto& [anzahl, e] : ergebnisse)
        std::filesystem::remove(ordner + "/bench-" + std::to_string(anzahl) + ".fba");
    return 0;
}
