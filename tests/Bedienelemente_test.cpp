#include "TestPlattform.h"
#include "app/TFKB_Formular.h"

#include <gtest/gtest.h>

using namespace fkb;
using namespace fkb::test;

// Every button, tool bar button and menu item runs a command; a control added to the table
// without one would do nothing when the user clicks it.
TEST(Bedienelemente, JederKnopfUndMenuepunktHatEinenHandler) {
    TestPlattform p;
    TFKB_Formular f(p);
    for (const Steuerelement* s : f.alle()) {
        if (s->art != Art::Knopf && s->art != Art::Werkzeugknopf && s->art != Art::Menuepunkt)
            continue;
        EXPECT_TRUE(f.hatHandler(*s)) << s->name;
    }
}
