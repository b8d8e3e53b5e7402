#pragma once

#include "app/Bedienelemente.h"

class QWidget;

namespace fkb::ui {

// The four pages and the side column, built in code. Each widget of a control carries the
// control's name; the binding finds them by it.
QWidget* seiteNavigation(const Bedienelemente& m);
QWidget* seiteKunde(const Bedienelemente& m);
QWidget* seiteRechnung(const Bedienelemente& m);
QWidget* seiteFahndung(const Bedienelemente& m);
// Record buttons, the display block "Zugriff DatenSatz" and the counters beside the pages.
QWidget* seitenleiste(const Bedienelemente& m);

} // namespace fkb::ui
