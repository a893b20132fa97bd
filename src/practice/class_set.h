// Kelmora — a teacher's class set, each student's figures, progress kept
// between sessions, answers saved as a runner script, and the gradebook.
//
// A set is a small UTF-8 text file, one item a line ("#" starts a comment;
// keys in Chinese or English, a space or a full-width colon after the key):
//
//     标题 第二章 货币资金
//     班级 KJ2301
//     练习 Form4            a window, by its form name or a keyword that opens it
//     练习 外埠采购
//     抽题 货币资金 3        a menu group (a caption path "A > B") and how many
//                           windows to draw from it
//
// English keys: title, class, window, group.  Each exercise has a place in
// the set, 1, 2, … (a group of three takes three places).  A student's seed
// for place P is "CLASS/STUDENT/P": the teacher makes any student's key from
// the set alone, and neighbours get different figures.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "practice/exercise.h"

namespace kelmora::practice {

// A set file that cannot be read: the line (1-based; 0 for the file as a
// whole) and the reason in plain Chinese.
class SetError : public std::runtime_error {
public:
    SetError(int line, const std::string& reason);
    int line() const { return line_; }
    const std::string& reason() const { return reason_; }

private:
    int line_;
    std::string reason_;
};

struct SetItem {
    // A window: its form; a group: the menu path (captions) and the count.
    std::string form;
    std::vector<std::string> group;
    int count = 1;
};

struct ClassSet {
    std::string title;
    std::string classCode;
    std::vector<SetItem> items;
    int places() const;  // the exercises in all
};

// Reads a set file's text (a UTF-8 byte-order mark and CRLF line ends are
// allowed).  Throws SetError naming the first line it cannot read; a set
// needs a class code and at least one exercise.
ClassSet readClassSet(std::string_view text);
// The set as a file's text (readClassSet gives it back).
std::string writeClassSet(const ClassSet& s);

// A student number: 1 to 32 characters, none of them a blank, "/" or a
// control character.  nullopt when it is one, otherwise why not (Chinese).
std::optional<std::string> studentNumberProblem(std::string_view number);

// The seed of the exercise at `place` (1-based) for the student.
std::string studentSeed(std::string_view classCode, std::string_view student, int place);
// The parts of such a seed; nullopt for a seed made some other way.
struct SeedParts {
    std::string classCode, student;
    int place = 0;
};
std::optional<SeedParts> seedParts(std::string_view seed);

// One exercise of a student's set.
struct Assignment {
    int place = 0;
    std::string form;
    std::string seed;
};
// The student's exercises, in place order.  A group draws its windows from
// the windows of that menu group that can be practised, without repeating
// one while others are left, by the student's seed.  Throws SetError (line
// 0) for a student number that cannot be one.
std::vector<Assignment> assignments(const ClassSet& s, std::string_view student);

// The windows of a menu group that can be practised, in menu order; empty
// when the path names no menu item.
std::vector<std::string> groupWindows(const std::vector<std::string>& path);

// ---------------------------------------------------------------------------
// Progress: what a student has typed and checked, kept by the faces (the
// desktop in its settings folder, the web page in the browser's storage).

struct ExerciseProgress {
    int place = 0;
    std::string form, seed;
    Level level = Level::Entries;
    Sheet sheet;
    std::optional<int> ok, total;  // the last check's score
};

struct Progress {
    std::string title, classCode, student;
    std::vector<ExerciseProgress> exercises;
};

// A small line-based text: "kelmora-practice 1", then tab-separated fields.
// Any text a field holds survives (tabs, line breaks and backslashes are
// escaped).
std::string writeProgress(const Progress& p);
// nullopt when the text is not progress this program wrote (the face then
// starts afresh).
std::optional<Progress> readProgress(std::string_view text);

// ---------------------------------------------------------------------------
// Answers as a runner script (保存答卷): comment lines naming the set and the
// student, then per exercise `exercise FormN SEED`, one `answer K 借|贷
// ACCOUNT AMOUNT` line per line that can be read, and `check`.
std::string answersScript(const Progress& p);

// What follows the word `answer` on such a line: "K 借|贷 ACCOUNT AMOUNT",
// ACCOUNT the text between the side and the last space.  Throws
// PracticeError with the reason (English, as the runner's error lines) when
// it is not such a line or K is not one of `tasks` tasks.
struct AnswerCommand {
    int task = 0;  // 1-based
    Entry entry;   // the account without blanks at its ends
};
AnswerCommand readAnswerCommand(std::string_view rest, int tasks);
// The task number of `unanswer K`; throws PracticeError likewise.
int readTaskNumber(std::string_view text, int tasks);

// ---------------------------------------------------------------------------
// Grading answers files: each file's exercises are drawn again from their
// seeds and its answer lines checked; nothing the file says of a score counts.

struct GradedExercise {
    int place = 0;
    std::string form, seed;
    CheckResult result;
};

struct GradedFile {
    std::string path;
    std::string classCode, student;  // from the seeds
    std::vector<GradedExercise> exercises;
    std::vector<std::string> problems;  // lines that could not be used: "line N: reason"
};

// Reads and checks one answers file's text.
GradedFile gradeText(std::string_view text, std::string path = {});

// The gradebook: one row per student (班级, 学号, one column per place 题1 …
// with the points 0–100 of that exercise, 总分 the sum), sorted by class and
// student; then an empty row and the commonest mistakes per place (题K, the
// mistake, how many students made it), at most `mistakesPerPlace` each.
// UTF-8 with a byte-order mark, CRLF line ends, as the workbook's exports.
std::string gradebookCsv(const std::vector<GradedFile>& files, int mistakesPerPlace = 3);

// An exercise's points: ok lines over all lines, out of 100, rounded half up.
int points(const CheckResult& r);

}  // namespace kelmora::practice
