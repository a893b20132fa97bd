// Kelmora — practice: a calculator window whose boxes the program fills with
// figures of its own, and the entries it prints for them as the key the
// learner's answer is checked against.
//
// Everything here is plain data worked out on a model of its own (an App
// with a silent port): drawing an exercise never touches the windows the
// user has open.  The desktop program, the runner and the web page only
// present it.
//
//     const Exercise ex = draw("Form4", "KJ2301/2023001/1");
//     Sheet sheet = startingSheet(ex, Level::Amounts);   // 填金额
//     sheet[0][0].amount = "100";
//     const CheckResult r = check(ex, sheet);
//     // r.tasks[0].marks: per key line ok / side / amount / missing, then extra
//     // r.tasks[0].hints: 「材料费用」 and 「应交税金」 exchanged, …
#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "book/journal.h"
#include "book/money.h"

namespace kelmora::practice {

using book::Cents;
using book::Side;

// A window that cannot be practised, a seed that is empty: the reason in
// words (English, as the runner's error lines are).
class PracticeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ---------------------------------------------------------------------------
// The exercise

// A box the exercise fills.
struct Figure {
    std::string control;  // "Text1", as scripts name it
    std::string value;    // as a person types it: "100", "0.065", "-5"
    std::string label;    // as `controls` writes it (empty when the box has none)
};

// A button pressed for the key, in order.
struct Press {
    std::string control;  // "Command1"
    std::string caption;  // "确定"
};

// A line of the key, or of an answer that has been read.
struct Entry {
    Side side = Side::None;
    std::string account;  // as printed (the key) or as typed, without blanks at its ends
    Cents amount = 0;
    friend bool operator==(const Entry&, const Entry&) = default;
};

// A block of the key that balances.
struct Task {
    int number = 0;       // 1, 2, … in print order
    std::string heading;  // the block's text row; empty when it has none
    int block = 0;        // its number among all the key's blocks (book::blocksOf)
    int place = 0;        // how many of the key's blocks before it have the same heading
    std::vector<Entry> key;
};

struct Exercise {
    std::string form;  // "Form4"
    std::string seed;
    std::vector<Figure> figures;  // in tab order
    std::vector<Press> presses;
    std::vector<Task> tasks;      // at least one
    std::vector<std::string> printed;  // the window's rows for the figures: what 显示答案 shows

    // What the window prints with a figure left out or two exchanged, worked
    // out by the first check that needs it and shared by the copies.
    struct Variants;
    mutable std::shared_ptr<const Variants> variants;
};

// nullopt when the window can be practised, otherwise why not (English).
// Worked out once per window and kept.
std::optional<std::string> whyNotPractised(const std::string& form);
// The windows that can be practised, in form order.
std::vector<std::string> practisedWindows();

// Draws the exercise of the window for the seed (any non-empty text).  The
// figures depend only on the window and the seed, the same on every machine
// and face.  Throws PracticeError for a window that cannot be practised or an
// empty seed.
Exercise draw(const std::string& form, const std::string& seed);

// ---------------------------------------------------------------------------
// The learner's answer

enum class Level {
    Amounts,  // 填金额: the key's sides and accounts given, the amounts blank
    Entries,  // 写分录: no lines
};
std::string_view levelName(Level l);  // "填金额", "写分录"

// A line as the learner typed it: any text in each field.
struct TypedLine {
    std::string side;     // "借", "贷", or anything else (no side)
    std::string account;
    std::string amount;
    friend bool operator==(const TypedLine&, const TypedLine&) = default;
};
// One list of lines per task, task 1 first.
using Sheet = std::vector<std::vector<TypedLine>>;

// The sheet a learner starts from at the level.
Sheet startingSheet(const Exercise& ex, Level level);

// What is wrong with a typed line before it can be compared at all.
enum class LineProblem { None, NoSide, EmptyAccount, NotANumber };
// The problem in plain Chinese, for the sheet ("借贷方向未选", …); empty for None.
std::string_view problemText(LineProblem p);

// Reads an amount as a learner types it: an optional "-", digits, and
// optionally "." and one or two digits; full-width digits, "．" and "－"
// count as their half-width forms, blanks around it are passed over.  No
// "+", no thousands separators, no exponent.  nullopt when it is not such a
// number (an empty text included).
std::optional<Cents> readAmount(std::string_view text);
// The side a text names: 借 or 贷 (blanks around it passed over), otherwise None.
Side readSide(std::string_view text);

// A typed line read: the entry, or what keeps it from being one.
struct ReadLine {
    LineProblem problem = LineProblem::None;
    Entry entry;  // when problem is None
};
ReadLine readLine(const TypedLine& line);

// ---------------------------------------------------------------------------
// Checking

enum class Verdict { Ok, Side, Amount, Missing, Extra };
std::string_view verdictWord(Verdict v);   // "ok", "side", "amount", "missing", "extra"
std::string_view verdictText(Verdict v);   // "正确", "借贷方向错误", "金额错误", "缺少", "多余"

struct Mark {
    Verdict verdict = Verdict::Missing;
    // The key's line; for Extra the learner's line (its account as typed).
    Entry line;
    // Amount: the learner's amount.
    Cents answered = 0;
    // The learner's line the mark stands next to (index into the task's
    // lines of the sheet, or of the entries passed to checkEntries); -1 for
    // Missing.
    int answerLine = -1;
};

struct TaskResult {
    int task = 0;
    std::vector<Mark> marks;          // the key's lines in order, then the extra lines in the order entered
    std::vector<std::string> hints;   // plain Chinese, boxes quoted in 「」
    // Lines of the sheet that could not be read, by index, with the problem:
    // they take no part in the matching (they are neither ok nor extra).
    std::vector<std::pair<int, LineProblem>> problems;
    int ok = 0, total = 0;  // total: the key's lines plus the extra lines
};

struct CheckResult {
    std::vector<TaskResult> tasks;
    int ok = 0, total = 0;
    bool full() const { return ok == total && total > 0; }
};

// Checks a sheet (one list of typed lines per task; missing lists count as
// empty, lists beyond the tasks are passed over).  Lines with a problem are
// reported in TaskResult::problems and left out of the matching.
CheckResult check(const Exercise& ex, const Sheet& sheet);
// The same for lines already read (the runner's `answer` lines); without
// hints when `hints` is false (grading needs only the marks).
CheckResult checkEntries(const Exercise& ex, const std::vector<std::vector<Entry>>& answers, bool hints = true);

// The matching alone, for a key and an answer (no hints): three passes —
// side, account and amount; account and amount; side and account — each
// giving every key line in order the first unused answer line that fits.
TaskResult match(const std::vector<Entry>& key, const std::vector<Entry>& answer);

// ---------------------------------------------------------------------------
// Accounts

// An account as accounts are compared: half- and full-width parentheses the
// same, "-", "－" and "—" the same, spaces (U+0020, U+3000) left out, and a
// name of the table of other names replaced by the name it stands for.
std::string normalAccount(std::string_view account);
bool sameAccount(std::string_view a, std::string_view b);

// The table of other names the checker accepts: {name a learner may write,
// the name the windows print}.
struct OtherName {
    const char* written;
    const char* printed;
};
const std::vector<OtherName>& otherNames();

// Every account name the program prints on an amount row, without its side
// mark, each once, sorted by its UTF-8 bytes: the completion list of the
// answer sheet's account box.
const std::vector<std::string>& accountNames();

// The accounts the account box offers for the typed text: those that hold
// it as it stands (accounts compared as above), and those it spells from
// their first character on — each character typed as itself, as one of its
// pinyin readings whole or by its initial (zh, ch, sh too), the last one
// possibly cut short; case, blanks and full-width letters do not count,
// signs ("-", parentheses) are passed over.  The ones matched whole first,
// then shorter before longer, then in list order.  A character whose
// reading the program's pinyin table lacks can be typed only as itself.
std::vector<std::string> completeAccount(std::string_view typed);

}  // namespace kelmora::practice
