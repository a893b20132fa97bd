// Kelmora — the headless runner: plays a script of user actions against the
// model and writes a transcript of what the user would see.
#pragma once

#include <iosfwd>

namespace kelmora {

// Runs the script read from `in`; writes the transcript to `out` and one
// "line N: reason" message per line it cannot understand to `err`.
// Returns 0 when every line was understood, 2 otherwise.
int runScript(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kelmora
