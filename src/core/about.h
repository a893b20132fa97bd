// Kelmora — what both programs say after their version: who holds the
// copyright and under which licence the program is free (see LICENSE).
#pragma once

namespace kelmora {

inline constexpr char kCopyrightLines[] =
    "Copyright (C) 2026 The Kelmora developers\n"
    "License: MIT <https://opensource.org/licenses/MIT>\n"
    "This is free software: you may use, copy, change and pass it on.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

}  // namespace kelmora
