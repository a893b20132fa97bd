// Any bytes as a script: the runner writes a transcript and reports the lines
// it cannot understand, and never crashes, hangs or meets an internal error.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "runner/runner.h"

namespace {
void check(bool ok) {
    if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out, err;
    const int status = kelmora::runScript(in, out, err);
    check(status == 0 || status == 2);
    check((status == 2) == !err.str().empty());

    std::istringstream messages(err.str());
    for (std::string line; std::getline(messages, line);) {
        // "line N: reason"; the reason may quote the script's own text.
        check(line.rfind("line ", 0) == 0);
        const auto colon = line.find(": ");
        check(colon != std::string::npos && colon > 5 &&
              line.find_first_not_of("0123456789", 5) == colon);
        check(line.compare(colon + 2, 14, "internal error") != 0);
    }
    // Printed rows come from the windows alone, never a number gone wrong.
    // A check's extra lines and hints quote what the learner typed.
    std::istringstream transcript(out.str());
    for (std::string line; std::getline(transcript, line);)
        if (line.rfind('|', 0) == 0 && line.find("\textra\t") == line.npos && line.find("\thint\t") == line.npos)
            check(line.find("nan") == line.npos && line.find("inf") == line.npos);
    return 0;
}
