// fakturbuch-headless: the main window driven by a script of JSON lines on standard input,
// its messages and dialogs as JSON lines on standard output.
#include "headless/Treiber.h"
#include "prozess/Prozess.h"

#include <iostream>

int main() {
    fkb::prozessEinrichten();
    std::ios::sync_with_stdio(false);
    fkb::Treiber treiber(std::cout);
    return treiber.abspielen(std::cin, std::cerr);
}
