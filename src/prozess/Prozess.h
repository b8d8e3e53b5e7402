#pragma once

namespace fkb {

// What the program asks of its process before any window exists; called first by each executable.
void prozessEinrichten();

} // namespace fkb
