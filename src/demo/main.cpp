// fakturbuch-demo DATEI.fba: writes the sample data file (an existing file is replaced).
#include "demo/Demodaten.h"

#include <cstdio>
#include <exception>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "Aufruf: fakturbuch-demo DATEI.fba\n");
        return 2;
    }
    try {
        fkb::demo::demoDateiSchreiben(argv[1], fkb::systemZeit());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fakturbuch-demo: %s: %s\n", argv[1], e.what());
        return 1;
    }
    std::printf("Beispieldatei geschrieben: %s\n", argv[1]);
    return 0;
}
