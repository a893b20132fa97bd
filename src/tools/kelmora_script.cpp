// kelmora-script [FILE]: plays a script of user actions without a display.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>
#include <iostream>
#include <string>

#include "core/about.h"
#include "practice/class_set.h"
#include "runner/runner.h"

namespace {

const char kUsage[] =
    "usage: kelmora-script [FILE]\n"
    "       kelmora-script --grade FILE...\n"
    "       kelmora-script --help | --version\n";

const char kHelp[] =
    "Plays a script of user actions against Kelmora without a display and writes\n"
    "a transcript of what the user would see to standard output.  Reads FILE, or\n"
    "standard input when FILE is absent or \"-\".\n"
    "\n"
    "Actions, one per line (a line starting with # is a comment):\n"
    "  keyword TEXT            type TEXT into the main window's box, press \"确定\"\n"
    "  menu A > B > C          choose a menu item by its caption path\n"
    "  open FormN              open a window directly\n"
    "  set FormN.Control TEXT  set a text box's text\n"
    "  click FormN.Control     click a button (or click into a text box)\n"
    "  surface FormN           write what the window has printed\n"
    "  text FormN.Control      write a text box's text\n"
    "  state FormN             write whether the window is visible, hidden or absent\n"
    "  complete TEXT           write what the completion list offers for TEXT\n"
    "  table FormN             write the rows \"复制为表格\" copies from the window\n"
    "  controls FormN          write the window's controls in tab order: name, kind, text\n"
    "\n"
    "The workbook (in memory until \"book FILE\"):\n"
    "  book FILE               open or create the workbook FILE (SQLite)\n"
    "  date YYYY-MM-DD         the date of the vouchers posted after it\n"
    "  blocks FormN            write the window's entry blocks and their totals\n"
    "  post FormN K [K ...]    post blocks K ... of the window, one voucher each\n"
    "  delete 记-V             delete a voucher\n"
    "  opening ACCOUNT 借|贷 AMOUNT  set a first-level account's opening balance\n"
    "  vouchers                write the vouchers\n"
    "  ledger ACCOUNT          write an account's ledger\n"
    "  trial                   write the trial balance\n"
    "\n"
    "Practice (on a copy of the window):\n"
    "  exercise FormN SEED     draw an exercise: its figures, presses and tasks\n"
    "  answer K 借|贷 ACCOUNT AMOUNT  add a line to the answer of task K\n"
    "  unanswer K              remove the answer lines of task K\n"
    "  check                   mark every line of the key, the extra lines, hints, the score\n"
    "\n"
    "--grade FILE...  checks answers files (exercise, answer and check lines) again\n"
    "  from their answers and writes a gradebook CSV to standard output: a row per\n"
    "  student, a column per exercise (points out of 100), the total, then the\n"
    "  commonest mistakes per exercise.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "  --version      print the version, the copyright and the licence, and exit\n"
    "  --             end of options, for a FILE whose name begins with \"-\"\n"
    "\n"
    "Exit status:\n"
    "  0  the script ran through\n"
    "  2  a line was not understood (reported on standard error as \"line N: reason\"),\n"
    "     FILE could not be read, or the command line was wrong\n"
    "  3  the transcript could not be written\n"
    "\n"
    "The transcript's lines are described in kelmora-script(1).\n";

// kelmora-script --grade FILE...: the gradebook of answers files.
int grade(int argc, char** argv) {
    std::vector<kelmora::practice::GradedFile> graded;
    int status = 0;
    bool options = true;
    for (int i = 2; i < argc; ++i) {
        const std::string path = argv[i];
        if (options && path == "--") {
            options = false;
            continue;
        }
        std::error_code ec;
        std::ifstream file(path, std::ios::binary);
        if (!file || std::filesystem::is_directory(path, ec)) {
            std::cerr << "kelmora-script: cannot read " << path << '\n';
            status = 2;
            continue;
        }
        const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        graded.push_back(kelmora::practice::gradeText(text, path));
        for (const auto& p : graded.back().problems) {
            std::cerr << path << ": " << p << '\n';
            status = 2;
        }
    }
    if (graded.empty() && status == 0) {
        std::cerr << kUsage;
        return 2;
    }
    std::cout << kelmora::practice::gradebookCsv(graded);
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "kelmora-script: cannot write the gradebook\n";
        return kelmora::kCannotWrite;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    // A reader that goes away is a write error to report, not a silent death.
    std::signal(SIGPIPE, SIG_IGN);
    std::ios::sync_with_stdio(false);
    // Until "--", an argument that begins with "-" (other than "-" alone, standard
    // input) is an option; after it, every argument is a file name.
    std::string path = "-";
    int files = 0;
    bool options = true;
    if (argc > 1 && std::string(argv[1]) == "--grade") return grade(argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (options && arg == "--") {
            options = false;
        } else if (options && (arg == "-h" || arg == "--help")) {
            std::cout << kUsage << '\n' << kHelp;
            return 0;
        } else if (options && arg == "--version") {
            // Written as the desktop program writes its own.
            std::printf("kelmora-script %s\n%s", KELMORA_VERSION, kelmora::kCopyrightLines);
            return 0;
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            std::cerr << "kelmora-script: unknown option " << arg << '\n' << kUsage;
            return 2;
        } else if (++files > 1) {
            std::cerr << kUsage;
            return 2;
        } else {
            path = arg;
        }
    }
    if (path == "-") return kelmora::runScript(std::cin, std::cout, std::cerr);
    std::error_code ec;
    std::ifstream file(path, std::ios::binary);
    if (!file || std::filesystem::is_directory(path, ec)) {
        std::cerr << "kelmora-script: cannot read " << path << '\n';
        return 2;
    }
    return kelmora::runScript(file, std::cout, std::cerr);
}
