// Kelmora — the runner's practice actions: exercise, answer, unanswer, check.
// The exercise is worked on a model of its own, so that the windows the
// other actions see do not change.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "practice/exercise.h"

namespace kelmora {

class PracticeActions {
public:
    static bool handles(const std::string& action);
    // Performs one action; a line that cannot be carried out throws
    // practice::PracticeError with the reason, and nothing of it is done.
    void perform(const std::string& action, const std::string& rest, std::ostream& out);

private:
    std::optional<practice::Exercise> exercise_;
    std::vector<std::vector<practice::Entry>> answers_;
};

// The transcript lines of a check, as the runner writes them.
void writeCheck(std::ostream& out, const practice::CheckResult& r);

}  // namespace kelmora
