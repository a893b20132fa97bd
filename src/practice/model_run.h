// Kelmora — practice's own runs of a window: a model of its own with a port
// that only notes what went wrong, so that nothing the user has open changes.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "book/blocks.h"
#include "core/window_def.h"

namespace kelmora {
class App;
class Window;
}

namespace kelmora::practice::detail {

struct RunResult {
    bool clean = true;  // no failure, no message box, no fault of a handler
    std::vector<std::string> rows;
    std::vector<book::Block> blocks;
};

// Runs one window again and again on a model of its own: each run starts
// from no rows and every box at its initial text, types the texts into
// their boxes and presses the buttons in order.  A run after which the
// window is no longer shown (a handler hid it) makes the next run start on
// a fresh model.
class WindowRunner {
public:
    explicit WindowRunner(std::string form);
    ~WindowRunner();
    WindowRunner(const WindowRunner&) = delete;
    WindowRunner& operator=(const WindowRunner&) = delete;
    RunResult run(const std::map<std::string, std::string>& texts, const std::vector<std::string>& presses);

private:
    struct Model;
    std::string form_;
    std::unique_ptr<Model> model_;
};

// One run on a fresh model.
RunResult runWindow(const std::string& form, const std::map<std::string, std::string>& texts,
                    const std::vector<std::string>& presses);

// The window's description (built once per call).
WindowDef describe(const std::string& form);

// The lines of a block that count, as entries.
struct BlockLines {
    std::string heading;
    int block = 0;
    std::vector<std::pair<book::Side, std::pair<std::string, book::Cents>>> lines;
};

// FNV-1a, 64 bits.
std::uint64_t fnv1a(std::string_view s, std::uint64_t h = 14695981039346656037ULL);

// splitmix64: the same numbers on every machine and library.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : s_(seed) {}
    std::uint64_t next();
    // 0 … n-1 (n > 0).
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    // lo … hi, both included.
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }

private:
    std::uint64_t s_;
};

// A box's name in a hint: 「label」, 「heading · label」 or 「Text7」, without
// the corner brackets.
std::string boxName(const WindowDef& def, const std::string& box);

}  // namespace kelmora::practice::detail
