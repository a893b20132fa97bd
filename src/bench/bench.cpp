// kelmora-bench: how fast the program starts and paints, and how much memory
// it holds, side by side with an empty Qt Widgets program (kelmora-empty).
//
//   kelmora-bench [--pairs N]   everything, with a table of figures and ratios
//   kelmora-bench --visit       (child) open, paint and hide every window twice
//   kelmora-bench --repaint     (child) repaint a window of 100 and of 100,000 rows
//
// Every measurement runs in a process of its own on the offscreen platform.
// It prints figures and whether each budget is met; it never fails on a slow
// machine.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/paint_wait.h"
#include "runner/runner.h"
#include "ui/form_widget.h"
#include "ui/qt_view.h"

namespace {

using kelmora::App;
using kelmora::FormWidget;
using kelmora::QtView;

// ---- child processes -------------------------------------------------------

struct Run {
    double wallMs = 0;
    double peakMiB = 0;             // VmHWM of the child
    std::map<std::string, double> figures;  // "name value" lines it printed
};

std::string ownDir() {
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string path(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
    return path.substr(0, path.rfind('/') + 1);
}

Run run(const std::vector<std::string>& args, bool quitWhenSettled = false) {
    int out[2];
    if (pipe(out) != 0) std::perror("pipe");
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        // The offscreen platform's notes ("does not support raise()") are
        // not figures.
        if (const int null = open("/dev/null", O_WRONLY); null >= 0) dup2(null, STDERR_FILENO);
        close(out[0]);
        close(out[1]);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (quitWhenSettled) setenv("KELMORA_QUIT_WHEN_SETTLED", "1", 1);
        std::vector<char*> argv;
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        std::perror(argv[0]);
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buf[4096];
    for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) text.append(buf, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Run r;
    r.wallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    r.peakMiB = usage.ru_maxrss / 1024.0;  // ru_maxrss is the child's VmHWM in KiB
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::fprintf(stderr, "%s failed\n", args[0].c_str());
    std::istringstream lines(text);
    for (std::string name; lines >> name;) lines >> r.figures[name];
    return r;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// ---- child: visiting every window ----------------------------------------

int visitAll() {
    QtView view;
    kelmora::bench::PaintWait paints;
    view.start();
    paints.waitFor(view.widget("Form1"));
    std::vector<double> first, again;
    QElapsedTimer all;
    for (auto* times : {&first, &again}) {
        all.start();
        for (int n = 2; n <= App::kForms; ++n) {
            const std::string form = "Form" + std::to_string(n);
            QElapsedTimer t;
            t.start();
            view.app().open(form);
            paints.waitFor(view.widget(form));
            times->push_back(t.nsecsElapsed() / 1e6);
            view.app().hide(form);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        if (times == &first) std::printf("open_all_ms %.2f\n", all.nsecsElapsed() / 1e6);
    }
    std::printf("open_median_ms %.3f\nopen_max_ms %.3f\n", median(first), *std::max_element(first.begin(), first.end()));
    std::printf("reopen_median_ms %.3f\nreopen_max_ms %.3f\n", median(again),
                *std::max_element(again.begin(), again.end()));
    return 0;
}

// ---- child: repainting ------------------------------------------------------

int repaint() {
    QtView view;
    kelmora::bench::PaintWait paints;
    view.start();
    view.app().open("Form4");
    FormWidget* f = view.widget("Form4");
    paints.waitFor(f);
    kelmora::Window& w = *view.app().window("Form4");
    for (const std::size_t target : {std::size_t{100}, std::size_t{100000}}) {
        for (std::size_t row = w.surface().rowCount(); row < target; ++row) {
            if (row % 5 == 0)
                w.text("外埠采购");
            else
                w.text("其他货币资金-外埠存款（借） " + std::to_string(row) + " ");
        }
        QCoreApplication::processEvents();
        // The median of batches, so that a busy spell of the machine does not
        // count.
        std::vector<double> batches;
        for (int b = 0; b < 40; ++b) {
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < 10; ++i) f->surface()->viewport()->repaint();
            batches.push_back(t.nsecsElapsed() / 1e3 / 10);
        }
        std::printf("repaint_%zu_us %.2f\n", target, median(batches));
    }
    return 0;
}

// ---- in this process: the runner ------------------------------------------

double clicksPerSecond(int clicks) {
    std::string script = "open Form4\nset Form4.Text1 100\nset Form4.Text2 17\n";
    for (int i = 0; i < clicks; ++i) script += "click Form4.Command1\n";
    std::istringstream in(script);
    std::ostringstream out, err;
    const auto start = std::chrono::steady_clock::now();
    kelmora::runScript(in, out, err);
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return clicks / s;
}

// ---- the table ----------------------------------------------------------

void row(const char* what, double kelmora, double floor, const char* unit, const std::string& budget) {
    if (floor > 0)
        std::printf("%-38s %12.2f %12.2f %-5s %7.2f×   %s\n", what, kelmora, floor, unit, kelmora / floor, budget.c_str());
    else
        std::printf("%-38s %12.2f %12s %-5s %8s   %s\n", what, kelmora, "", unit, "", budget.c_str());
}

std::string verdict(bool met, const std::string& budget) { return (met ? "ok  " : "OVER ") + budget; }

// The machine the figures are taken on.
void machine() {
    std::string cpu = "unknown processor";
    std::FILE* info = std::fopen("/proc/cpuinfo", "r");
    for (char line[512]; info && std::fgets(line, sizeof line, info);)
        if (std::strncmp(line, "model name", 10) == 0) {
            cpu = std::strchr(line, ':') + 2;
            cpu.pop_back();
            break;
        }
    if (info) std::fclose(info);
    double load[3] = {0, 0, 0};
    getloadavg(load, 3);
    std::printf("%s, %ld cores, Qt %s, offscreen; load average %.2f at the start\n\n", cpu.c_str(),
                sysconf(_SC_NPROCESSORS_ONLN), qVersion(), load[0]);
}

int report(int pairs) {
    machine();
    const std::string dir = ownDir();
    const std::string kelmora = dir + "kelmora", empty = dir + "kelmora-empty", self = dir + "kelmora-bench";

    std::vector<double> tk, te, ratios, mk, me;
    run({kelmora}, true);  // warm the file cache for both
    run({empty}, true);
    for (int i = 0; i < pairs; ++i) {
        // Alternately, so that a slow spell of the machine falls on both.
        Run a, b;
        if (i % 2) {
            b = run({empty}, true);
            a = run({kelmora}, true);
        } else {
            a = run({kelmora}, true);
            b = run({empty}, true);
        }
        tk.push_back(a.wallMs);
        te.push_back(b.wallMs);
        ratios.push_back(a.wallMs / b.wallMs);
        mk.push_back(a.peakMiB);
        me.push_back(b.peakMiB);
    }
    const Run visit = run({self, "--visit"});
    const Run emptyVisit = run({empty, "--visit", std::to_string(App::kForms - 1)});
    const Run paint = run({self, "--repaint"});
    const double clicks = clicksPerSecond(200000);

    const double floorMiB = median(me);
    char budget[128];
    std::printf("%-38s %12s %12s %-5s %8s   %s\n", "", "Kelmora", "empty Qt", "", "ratio", "budget");
    // Each pair ran under the same load, so the ratio within a pair is the
    // figure; the medians of the times are shown beside it.
    std::snprintf(budget, sizeof budget, "≤ 1.25× (median of %d pair ratios: %.2f×)", pairs, median(ratios));
    row("start-up to the first settled frame", median(tk), median(te), "ms", verdict(median(ratios) <= 1.25, budget));
    row("peak memory at start-up", median(mk), floorMiB, "MiB", "");
    std::snprintf(budget, sizeof budget, "≤ 1.5 × empty + 30 MiB = %.1f MiB", 1.5 * floorMiB + 30);
    row("peak memory, all 150 windows visited", visit.peakMiB, floorMiB, "MiB",
        verdict(visit.peakMiB <= 1.5 * floorMiB + 30, budget));
    row("opening the other 149 windows in turn", visit.figures.at("open_all_ms"), emptyVisit.figures.at("open_all_ms"), "ms",
        "floor: 149 one-label windows");
    row("opening a window, median", visit.figures.at("open_median_ms"), 0, "ms", "");
    row("reopening a window, median", visit.figures.at("reopen_median_ms"), 0, "ms", "");
    row("reopening a window, slowest", visit.figures.at("reopen_max_ms"), 0, "ms", verdict(visit.figures.at("reopen_max_ms") <= 20, "≤ 20 ms"));
    const double r100 = paint.figures.at("repaint_100_us"), r100k = paint.figures.at("repaint_100000_us");
    row("repaint, 100 rows", r100, 0, "µs", "");
    row("repaint, 100,000 rows (ratio to 100)", r100k, r100, "µs", verdict(r100k <= 2 * r100, "≤ 2× the 100-row repaint"));
    row("runner: compute clicks a second", clicks, 0, "/s", "Form4, rows kept");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--visit") == 0 || std::strcmp(argv[1], "--repaint") == 0)) {
        QApplication app(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        return std::strcmp(argv[1], "--visit") == 0 ? visitAll() : repaint();
    }
    int pairs = 15;
    if (argc == 3 && std::strcmp(argv[1], "--pairs") == 0) pairs = std::max(1, std::atoi(argv[2]));
    return report(pairs);
}
