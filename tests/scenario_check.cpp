// Runs a scenario file: cases of a script and the transcript it must give.
//
//   === name of the case
//   keyword 外埠采购
//   set Form4.Text1 100
//   ---
//   hide Form1
//   show Form4
//
// Each case starts from a fresh program.  In the expected part empty lines
// and lines starting with '#' are ignored (no transcript line is either);
// every other line, trailing spaces included, must match exactly.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "runner/runner.h"

namespace {

struct Case {
    std::string name;
    int line = 0;
    std::string script;
    std::vector<std::string> expected;
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: scenario_check FILE.scn\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::cerr << "cannot read " << argv[1] << '\n';
        return 2;
    }
    std::vector<Case> cases;
    bool inExpected = false;
    std::string l;
    for (int n = 1; std::getline(in, l); ++n) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        if (l.rfind("=== ", 0) == 0) {
            cases.push_back({l.substr(4), n, {}, {}});
            inExpected = false;
        } else if (cases.empty()) {
            continue;  // preamble
        } else if (l == "---") {
            inExpected = true;
        } else if (inExpected) {
            if (!l.empty() && l[0] != '#') cases.back().expected.push_back(l);
        } else {
            cases.back().script += l + "\n";
        }
    }

    int passed = 0, failed = 0;
    for (const auto& c : cases) {
        std::istringstream script(c.script);
        std::ostringstream out, err;
        const int status = kelmora::runScript(script, out, err);
        const auto got = lines(out.str());
        if (got == c.expected && status == 0 && err.str().empty()) {
            ++passed;
            continue;
        }
        ++failed;
        std::cout << "FAILED: " << c.name << " (line " << c.line << ")\n";
        if (!err.str().empty()) std::cout << "  runner errors:\n" << err.str();
        std::size_t i = 0;
        while (i < got.size() && i < c.expected.size() && got[i] == c.expected[i]) ++i;
        std::cout << "  first difference at transcript line " << i + 1 << "\n"
                  << "  expected: [" << (i < c.expected.size() ? c.expected[i] : "<end>") << "]\n"
                  << "  actual:   [" << (i < got.size() ? got[i] : "<end>") << "]\n"
                  << "  actual transcript:\n";
        for (const auto& g : got) std::cout << "    " << g << '\n';
    }
    std::cout << passed << " passed, " << failed << " failed\n";
    return failed == 0 && passed > 0 ? 0 : 1;
}
