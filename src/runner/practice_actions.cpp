#include "runner/practice_actions.h"

#include <ostream>

#include "core/window_registry.h"
#include "practice/class_set.h"

namespace kelmora {

using practice::PracticeError;

bool PracticeActions::handles(const std::string& action) {
    return action == "exercise" || action == "answer" || action == "unanswer" || action == "check";
}

void writeCheck(std::ostream& out, const practice::CheckResult& r) {
    out << "check\n";
    for (const practice::TaskResult& t : r.tasks) {
        for (const practice::Mark& m : t.marks) {
            out << '|' << t.task << '\t' << practice::verdictWord(m.verdict) << '\t' << book::sideWord(m.line.side) << '\t'
                << m.line.account << '\t' << book::yuan(m.line.amount);
            if (m.verdict == practice::Verdict::Amount) out << '\t' << book::yuan(m.answered);
            out << '\n';
        }
        for (const std::string& h : t.hints) out << '|' << t.task << "\thint\t" << h << '\n';
    }
    out << "|score " << r.ok << '/' << r.total << '\n';
}

void PracticeActions::perform(const std::string& action, const std::string& rest, std::ostream& out) {
    if (action == "exercise") {
        const auto sp = rest.find(' ');
        const std::string form = rest.substr(0, sp);
        const std::string seed = sp == std::string::npos ? std::string() : rest.substr(sp + 1);
        if (!formNumber(form)) throw PracticeError("no window " + form);
        practice::Exercise ex = practice::draw(form, seed);  // the exercise before stays if this fails
        out << "exercise " << ex.form << ' ' << ex.seed << '\n';
        for (const auto& f : ex.figures) out << "|fig " << f.control << ' ' << f.value << ' ' << f.label << '\n';
        for (const auto& p : ex.presses) out << "|press " << p.control << ' ' << p.caption << '\n';
        for (const auto& t : ex.tasks) out << "|task " << t.number << ' ' << t.heading << '\n';
        answers_.assign(ex.tasks.size(), {});
        exercise_ = std::move(ex);
        return;
    }
    if (!exercise_) throw PracticeError("no exercise");
    const int tasks = static_cast<int>(exercise_->tasks.size());
    if (action == "answer") {
        const practice::AnswerCommand a = practice::readAnswerCommand(rest, tasks);
        answers_[static_cast<std::size_t>(a.task - 1)].push_back(a.entry);
    } else if (action == "unanswer") {
        answers_[static_cast<std::size_t>(practice::readTaskNumber(rest, tasks) - 1)].clear();
    } else if (action == "check") {
        if (!rest.empty()) throw PracticeError("check takes nothing after it");
        writeCheck(out, practice::checkEntries(*exercise_, answers_));
    }
}

}  // namespace kelmora
