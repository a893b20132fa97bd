// kelmora-practice-bench: drawing an exercise and checking an answer (every
// window that can be practised, the slowest named), and grading answers
// files, timed and printed beside what we aim for.  A benchmark, not a test.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "practice/class_set.h"
#include "practice/exercise.h"

using namespace kelmora::practice;
using Clock = std::chrono::steady_clock;

namespace {
double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }
// Processor time of the process, which a loaded machine disturbs less than
// wall time.
double cpuMs() { return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// An answer with one amount wrong in each task, so that the check looks for
// hints.
std::vector<std::vector<Entry>> wrongAnswer(const Exercise& ex) {
    std::vector<std::vector<Entry>> a;
    for (const Task& t : ex.tasks) {
        a.push_back(t.key);
        a.back()[0].amount += 100;
    }
    return a;
}
}  // namespace

int main(int argc, char** argv) {
    // kelmora-practice-bench [FILES]: FILES answers files to grade (1,000).
    const int files = argc > 1 ? std::atoi(argv[1]) : 1000;
    const auto t0 = Clock::now();
    const auto windows = practisedWindows();
    const double probe = ms(Clock::now() - t0);

    std::vector<double> times, cpu;
    std::string slowest;
    double worst = 0, worstCpu = 0;
    for (const auto& form : windows)
        for (int s = 0; s < 5; ++s) {
            const auto a = Clock::now();
            const double c = cpuMs();
            const Exercise ex = draw(form, "bench/" + std::to_string(s) + "/1");
            const CheckResult r = checkEntries(ex, wrongAnswer(ex));
            const double t = ms(Clock::now() - a), tc = cpuMs() - c;
            if (r.total == 0) return 1;
            times.push_back(t);
            cpu.push_back(tc);
            if (tc > worstCpu) worstCpu = tc, worst = t, slowest = form;
        }
    std::sort(cpu.begin(), cpu.end());
    std::sort(times.begin(), times.end());
    // Form4, the window the faces show first.
    std::vector<double> form4, form4Cpu;
    for (int s = 0; s < 101; ++s) {
        const auto a = Clock::now();
        const double c = cpuMs();
        const Exercise ex = draw("Form4", "form4/" + std::to_string(s) + "/1");
        checkEntries(ex, wrongAnswer(ex));
        form4.push_back(ms(Clock::now() - a));
        form4Cpu.push_back(cpuMs() - c);
    }
    std::sort(form4.begin(), form4.end());
    std::sort(form4Cpu.begin(), form4Cpu.end());
    const double median = times[times.size() / 2], p95 = times[times.size() * 95 / 100];

    // Answers files of a class: three exercises each, one line wrong.
    std::vector<std::string> texts;
    ClassSet set;
    set.classCode = "BENCH";
    set.items = {{"Form4", {}, 1}, {"Form6", {}, 1}, {"Form93", {}, 1}};
    for (int i = 0; i < files; ++i) {
        Progress p;
        p.classCode = set.classCode;
        p.student = std::to_string(10000 + i);
        for (const Assignment& a : assignments(set, p.student)) {
            const Exercise ex = draw(a.form, a.seed);
            ExerciseProgress e;
            e.place = a.place;
            e.form = a.form;
            e.seed = a.seed;
            e.sheet = startingSheet(ex, Level::Amounts);
            for (std::size_t k = 0; k < ex.tasks.size(); ++k)
                for (std::size_t l = 0; l < ex.tasks[k].key.size(); ++l)
                    e.sheet[k][l].amount = kelmora::book::yuan(ex.tasks[k].key[l].amount + (k == 0 && l == 0 ? 1 : 0));
            p.exercises.push_back(std::move(e));
        }
        texts.push_back(answersScript(p));
    }
    const auto g0 = Clock::now();
    const double c0 = cpuMs();
    std::vector<GradedFile> graded;
    for (std::size_t i = 0; i < texts.size(); ++i) graded.push_back(gradeText(texts[i], std::to_string(i)));
    const std::string csv = gradebookCsv(graded);
    const double grading = ms(Clock::now() - g0), gradingCpu = cpuMs() - c0;

    std::printf("windows that can be practised: %zu (found in %.0f ms, once per run)\n", windows.size(), probe);
    std::printf("| measure | wall time | processor time | aim |\n|---|---:|---:|---|\n");
    std::printf("| Form4: draw an exercise and check a wrong answer, median of %zu | %.2f ms | %.2f ms | <= 5 ms |\n",
                form4.size(), form4[form4.size() / 2], form4Cpu[form4Cpu.size() / 2]);
    std::printf("| every window, 5 seeds each: median of %zu | %.2f ms | %.2f ms | <= 5 ms |\n", times.size(), median,
                cpu[cpu.size() / 2]);
    std::printf("| the same, 95th percentile | %.2f ms | %.2f ms | |\n", p95, cpu[cpu.size() * 95 / 100]);
    std::printf("| the same, slowest (%s) | %.2f ms | %.2f ms | |\n", slowest.c_str(), worst, worstCpu);
    std::printf("| grading %d answers files of 3 exercises, with the gradebook | %.0f ms | %.0f ms | <= 2000 ms |\n", files,
                grading, gradingCpu);
    return csv.empty() ? 1 : 0;
}
