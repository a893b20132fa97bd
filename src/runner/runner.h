// Kelmora — the headless runner: plays a script of user actions against the
// model and writes a transcript of what the user would see.
#pragma once

#include <iosfwd>
#include <string_view>

namespace kelmora {

// Skipped at the very start of a script.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Exit status when the transcript could not be written (a full disk, a
// closed pipe): the answer sheet is lost, whatever else happened.
inline constexpr int kCannotWrite = 3;

// Runs the script read from `in`; writes the transcript to `out` and one
// "line N: reason" message to `err` per line it cannot understand and per
// internal error of a handler ("line N: internal error in FormN: …").
// Returns 0 when every line was understood and carried out, 2 when a line
// was reported, kCannotWrite when `out` failed (reading stops there).
int runScript(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace kelmora
