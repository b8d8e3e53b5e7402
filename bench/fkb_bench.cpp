// Measures the navigation load — the program's hot path — against a plain sequential read of
// the same file, and the store commands against the reload they end with, in one run, for a
// 10 000- and a 100 000-record file. Prints times and ratios.
#include "Benchdaten.h"

#include "app/TFKB_Formular.h"
#include "data/DatenDatei.h"
#include "prozess/Prozess.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
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
        if (anzahl == 100000) {
            double mit = nachladenImNeuenProzess(argv[0], pfad, true);
            double ohne = nachladenImNeuenProzess(argv[0], pfad, false);
            std::printf("  reload, fresh process: %.1f ms keeping freed memory, %.1f ms returning it (%.2f x)\n", mit,
                        ohne, mit > 0 ? ohne / mit : 0.0);
        }
        ergebnisse.emplace_back(anzahl, e);
    }
    const Ergebnis& klein = ergebnisse[0].second;
    const Ergebnis& gross = ergebnisse[1].second;
    std::printf("growth 10 000 -> 100 000 records: plain read %.1f x, load %.1f x (linear would be 10 x)\n",
                gross.lesen / klein.lesen, gross.alles / klein.alles);
    for (auto& [anzahl, e] : ergebnisse)
        std::filesystem::remove(ordner + "/bench-" + std::to_string(anzahl) + ".fba");
    return 0;
}
