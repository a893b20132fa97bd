// kelmora-script [FILE]: plays a script of user actions without a display.
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "runner/runner.h"

int main(int argc, char** argv) {
    // A reader that goes away is a write error to report, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    std::ios::sync_with_stdio(false);
    if (argc > 2) {
        std::cerr << "usage: kelmora-script [FILE]\n";
        return 2;
    }
    const std::string path = argc == 2 ? argv[1] : "-";
    if (path == "-") return kelmora::runScript(std::cin, std::cout, std::cerr);
    std::error_code ec;
    std::ifstream file(path, std::ios::binary);
    if (!file || std::filesystem::is_directory(path, ec)) {
        std::cerr << "kelmora-script: cannot read " << path << '\n';
        return 2;
    }
    return kelmora::runScript(file, std::cout, std::cerr);
}
