// The checker on hand-made keys and answers: every verdict, the order of the
// three passes, accounts and amounts as a learner writes them, lines that
// cannot be read, hints, and how boxes are named in them.
#include <gtest/gtest.h>

#include <sstream>

#include "core/window_def.h"
#include "practice/class_set.h"
#include "practice/exercise.h"
#include "practice/model_run.h"
#include "runner/runner.h"

namespace kelmora::practice {
namespace {

constexpr Side D = Side::Debit, C = Side::Credit;

// A task's marks as text: "verdict side account amount[ answered]" per mark.
std::vector<std::string> marks(const TaskResult& r) {
    std::vector<std::string> out;
    for (const Mark& m : r.marks) {
        std::string s = std::string(verdictWord(m.verdict)) + " " + std::string(book::sideWord(m.line.side)) + " " +
                        m.line.account + " " + book::yuan(m.line.amount);
        if (m.verdict == Verdict::Amount) s += " " + book::yuan(m.answered);
        out.push_back(s);
    }
    return out;
}

struct MatchCase {
    const char* what;
    std::vector<Entry> key, answer;
    std::vector<std::string> expected;
    int ok, total;
};

TEST(Checker, VerdictsAndTheOrderOfThePasses) {
    const std::vector<MatchCase> cases = {
        {"all right, in another order",
         {{D, "银行存款", 11700}, {C, "应收账款", 11700}},
         {{C, "应收账款", 11700}, {D, "银行存款", 11700}},
         {"ok 借 银行存款 117.00", "ok 贷 应收账款 117.00"}, 2, 2},
        {"a wrong side",
         {{D, "银行存款", 11700}, {C, "应收账款", 11700}},
         {{C, "银行存款", 11700}, {C, "应收账款", 11700}},
         {"side 借 银行存款 117.00", "ok 贷 应收账款 117.00"}, 1, 2},
        {"a wrong amount, written as a sixth field",
         {{D, "银行存款", 11700}, {C, "应收账款", 11700}},
         {{D, "银行存款", 11000}, {C, "应收账款", 11700}},
         {"amount 借 银行存款 117.00 110.00", "ok 贷 应收账款 117.00"}, 1, 2},
        {"a missing line and an extra one: the extra counts in the total",
         {{D, "银行存款", 11700}, {C, "应收账款", 11700}},
         {{D, "库存现金", 11700}, {C, "应收账款", 11700}},
         {"missing 借 银行存款 117.00", "ok 贷 应收账款 117.00", "extra 借 库存现金 117.00"}, 1, 3},
        {"side and amount both wrong: missing, and the line extra",
         {{D, "银行存款", 11700}},
         {{C, "银行存款", 9000}},
         {"missing 借 银行存款 117.00", "extra 贷 银行存款 90.00"}, 0, 2},
        {"exact matches first: the first key line does not take the other's amount",
         {{D, "原材料", 10000}, {D, "原材料", 20000}, {C, "银行存款", 30000}},
         {{D, "原材料", 20000}, {D, "原材料", 10000}, {C, "银行存款", 30000}},
         {"ok 借 原材料 100.00", "ok 借 原材料 200.00", "ok 贷 银行存款 300.00"}, 3, 3},
        {"account and amount before side and account",
         {{D, "财务费用", 10000}, {C, "财务费用", 5000}},
         {{D, "财务费用", 5000}, {C, "财务费用", 10000}},
         {"side 借 财务费用 100.00", "side 贷 财务费用 50.00"}, 0, 2},
        {"each key line takes the first unused answer line in the order entered",
         {{D, "原材料", 10000}},
         {{D, "原材料", 100}, {D, "原材料", 200}},
         {"amount 借 原材料 100.00 1.00", "extra 借 原材料 2.00"}, 0, 2},
        {"extra lines in the order entered",
         {{D, "原材料", 10000}, {C, "银行存款", 10000}},
         {{D, "管理费用", 1}, {D, "原材料", 10000}, {C, "银行存款", 10000}, {D, "库存现金", 2}},
         {"ok 借 原材料 100.00", "ok 贷 银行存款 100.00", "extra 借 管理费用 0.01", "extra 借 库存现金 0.02"}, 2, 4},
        {"no answer at all",
         {{D, "原材料", 10000}, {C, "银行存款", 10000}},
         {},
         {"missing 借 原材料 100.00", "missing 贷 银行存款 100.00"}, 0, 2},
        {"parentheses, dashes and spaces of either width, and the table of other names",
         {{D, "应交税金-应交增值税（进）", 1700}, {D, "长期债券投资（面值）", 100}, {C, "其他货币资金-银行汇票", 1800}},
         {{D, "应交税费 — 应交增值税(进项税额)", 1700}, {D, "长期债券投资 (面值)", 100},
          {C, "其他货币资金－银行汇票\u3000", 1800}},
         {"ok 借 应交税金-应交增值税（进） 17.00", "ok 借 长期债券投资（面值） 1.00",
          "ok 贷 其他货币资金-银行汇票 18.00"}, 3, 3},
        {"a sub-account is not its first level",
         {{D, "其他货币资金-银行汇票", 1800}},
         {{D, "其他货币资金", 1800}},
         {"missing 借 其他货币资金-银行汇票 18.00", "extra 借 其他货币资金 18.00"}, 0, 2},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.what);
        const TaskResult r = match(c.key, c.answer);
        EXPECT_EQ(marks(r), c.expected);
        EXPECT_EQ(r.ok, c.ok);
        EXPECT_EQ(r.total, c.total);
    }
}

TEST(Checker, AmountsAsALearnerTypesThem) {
    const std::vector<std::pair<const char*, std::optional<Cents>>> cases = {
        {"117", 11700}, {"-5.5", -550}, {"0.05", 5}, {"12.30", 1230}, {" 12 ", 1200},
        {"１２．５", 1250}, {"－３", -300}, {"0", 0},
        {"", std::nullopt}, {"+1", std::nullopt}, {"1,000", std::nullopt}, {"1e3", std::nullopt},
        {"1.", std::nullopt}, {".5", std::nullopt}, {"1.234", std::nullopt}, {"abc", std::nullopt},
        {"--1", std::nullopt}, {"1-", std::nullopt}, {"1 000", std::nullopt}, {"１，０００", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& [text, cents] : cases) EXPECT_EQ(readAmount(text), cents) << "[" << text << "]";
}

TEST(Checker, LinesThatCannotBeReadAreMarkedAndLeftOutOfTheMatching) {
    Exercise ex;
    ex.form = "Form4";
    ex.tasks.push_back({1, "外埠采购", 1, 0, {{D, "材料费用", 10000}, {C, "其他货币资金", 10000}}});
    const Sheet sheet = {{
        {"借", "材料费用", "100"},
        {"", "其他货币资金", "100"},    // no side
        {"贷", "  ", "100"},           // no account
        {"贷", "其他货币资金", "一百"},  // not a number
        {"", "", " "},                 // a blank line is no line
        {"贷", " 库存现金 ", "5"},       // extra, its account as typed without the blanks at its ends
    }};
    const CheckResult r = check(ex, sheet);
    ASSERT_EQ(r.tasks.size(), 1u);
    const TaskResult& t = r.tasks[0];
    EXPECT_EQ(marks(t), (std::vector<std::string>{"ok 借 材料费用 100.00", "missing 贷 其他货币资金 100.00",
                                                  "extra 贷 库存现金 5.00"}));
    // Each mark stands next to the learner's own line.
    EXPECT_EQ(t.marks[0].answerLine, 0);
    EXPECT_EQ(t.marks[1].answerLine, -1);
    EXPECT_EQ(t.marks[2].answerLine, 5);
    const std::vector<std::pair<int, LineProblem>> problems = {
        {1, LineProblem::NoSide}, {2, LineProblem::EmptyAccount}, {3, LineProblem::NotANumber}};
    EXPECT_EQ(t.problems, problems);
    for (const auto& [line, p] : problems) EXPECT_FALSE(problemText(p).empty());
    EXPECT_EQ(r.ok, 1);
    EXPECT_EQ(r.total, 3);
}

TEST(Checker, LevelsStartFromTheKeysLinesOrFromNothing) {
    Exercise ex;
    ex.tasks.push_back({1, "", 1, 0, {{D, "材料费用", 10000}, {C, "其他货币资金", 10000}}});
    const Sheet amounts = startingSheet(ex, Level::Amounts);
    ASSERT_EQ(amounts.size(), 1u);
    ASSERT_EQ(amounts[0].size(), 2u);
    EXPECT_EQ(amounts[0][1].side, "贷");
    EXPECT_EQ(amounts[0][1].account, "其他货币资金");
    EXPECT_EQ(amounts[0][1].amount, "");
    EXPECT_EQ(startingSheet(ex, Level::Entries), Sheet(1));
}

// Form4's bank draft of 10000 at 6 % a year for 90 days, by hand:
// maturity 10000 × (1 + 0.06 × 90 / 360) = 10150, interest 150.  Material
// 1000 with VAT 170.
Exercise draftExercise() {
    Exercise ex;
    ex.form = "Form4";
    ex.seed = "by hand";
    ex.figures = {{"Text1", "1000", "材料费用"}, {"Text2", "170", "应交税金"}, {"Text3", "10000", "银行汇票"},
                  {"Text5", "0.06", "利率（年）"}, {"Text6", "90", "到期天数"}};
    ex.presses = {{"Command1", "确定"}};
    ex.tasks = {
        {1, "外埠采购", 1, 0, {{D, "材料费用", 100000}, {D, "应交税金-应交增值税（进）", 17000}, {C, "其他货币资金", 117000}}},
        {2, "银行汇票", 2, 0, {{D, "其他货币资金-银行汇票", 1000000}, {C, "银行存款", 1000000}}},
        {3, "收到票据", 3, 0, {{D, "银行存款", 1015000}, {C, "应收票据", 1000000}, {C, "财务费用", 15000}}},
        {4, "未收到账款", 4, 0, {{D, "应收账款", 1015000}, {C, "银行存款", 1015000}}},
    };
    return ex;
}

struct HintCase {
    const char* what;
    int task;
    std::vector<Entry> answer;
    std::vector<std::string> hints;
};

TEST(Checker, HintsNameTheMistake) {
    const Exercise ex = draftExercise();
    const std::vector<HintCase> cases = {
        {"the right answer gets no hint", 1,
         {{D, "材料费用", 100000}, {D, "应交税金-应交增值税（进）", 17000}, {C, "其他货币资金", 117000}}, {}},
        {"two figures exchanged: both boxes by their labels", 1,
         {{D, "材料费用", 17000}, {D, "应交税金-应交增值税（进）", 100000}, {C, "其他货币资金", 117000}},
         {"你的分录与把「材料费用」和「应交税金」两个数对调后算出的相同：请核对这两个数各自的用处。"}},
        // 利率（年） and 到期天数 stand twice in the window: named by their
        // heading.  Either explains the answer; the first in tab order is named.
        {"a figure left out, in any order", 3, {{C, "应收票据", 1000000}, {D, "银行存款", 1000000}},
         {"你的分录与「申请汇票 · 利率（年）」没有填时算出的相同：请把「申请汇票 · 利率（年）」算进去。"}},
        {"days and rate exchanged: 0.06 days at 90 a year", 3,
         // 10000 × (1 + 90 × 0.06 / 360): the same product, so the same
         // lines as the key: no hint for a right answer.
         {{D, "银行存款", 1015000}, {C, "应收票据", 1000000}, {C, "财务费用", 15000}}, {}},
        {"every side reversed", 4, {{C, "应收账款", 1015000}, {D, "银行存款", 1015000}}, {"借方和贷方整个写反了。"}},
        {"a point in the wrong place, and the totals then differ", 2,
         {{D, "其他货币资金-银行汇票", 100000}, {C, "银行存款", 1000000}},
         {"「其他货币资金-银行汇票」的金额 1000.00 的小数点位置不对。", "借方合计 1000.00 与贷方合计 10000.00 不相等。"}},
        {"an account with both side and amount wrong", 2,
         {{D, "其他货币资金-银行汇票", 1000000}, {D, "银行存款", 5}},
         {"「银行存款」的借贷方向和金额都不对。", "借方合计 10000.05 与贷方合计 0.00 不相等。"}},
    };
    for (const HintCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::vector<Entry>> answers(ex.tasks.size());
        answers[static_cast<std::size_t>(c.task - 1)] = c.answer;
        const CheckResult r = checkEntries(ex, answers);
        EXPECT_EQ(r.tasks[static_cast<std::size_t>(c.task - 1)].hints, c.hints);
    }
}

TEST(Checker, BoxesAreNamedByLabelThenHeadingThenControlName) {
    FormBuilder b("Form4");
    b.heading("申请汇票").field("Text1", "利率（年）").field("Text2", "金额");
    b.heading("申请本票").field("Text3", "利率（年）").field("Text4", "金额").field("Text5", "金额");
    b.grid({{gridHead("Text9", "项目"), {"Text6", ""}}});
    b.field("Text7", "");
    const WindowDef def = b.build();
    const std::vector<std::pair<const char*, const char*>> cases = {
        {"Text1", "申请汇票 · 利率（年）"}, {"Text3", "申请本票 · 利率（年）"}, {"Text2", "申请汇票 · 金额"},
        {"Text4", "Text4"},  // two 金额 under 申请本票
        // A grid's box shares its label with the head beside it, under the
        // same heading.
        {"Text6", "Text6"}, {"Text7", "Text7"},
    };
    for (const auto& [box, name] : cases) EXPECT_EQ(detail::boxName(def, box), name) << box;
}

TEST(Checker, AccountNamesForCompletion) {
    const auto& names = accountNames();
    ASSERT_FALSE(names.empty());
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
    for (const char* a : {"银行存款", "应交税金-应交增值税（进）", "其他货币资金-银行本票", "财务费用"})
        EXPECT_TRUE(std::binary_search(names.begin(), names.end(), std::string(a))) << a;
    for (const auto& n : names) EXPECT_TRUE(n.find("（借）") == std::string::npos && n.find("（贷）") == std::string::npos) << n;
}

TEST(Checker, TheAccountBoxCompletesByChinesePinyinAndInitials) {
    const auto first = [](const char* typed) {
        const auto list = completeAccount(typed);
        return list.empty() ? std::string() : list.front();
    };
    EXPECT_EQ(first("yhck"), "银行存款");         // initials, whole: first
    EXPECT_EQ(first("yinhangcunkuan"), "银行存款");
    EXPECT_EQ(first("ＹＨＣＫ"), "银行存款");      // full-width, upper case
    EXPECT_EQ(first("银行存款"), "银行存款");
    EXPECT_EQ(first("yh cunk"), "银行存款");      // blanks, the last one cut short
    EXPECT_EQ(first("qthbzj-yhhp"), "其他货币资金-银行汇票");  // the dash is passed over
    // Every account holding the text, shorter ones first.
    const auto bank = completeAccount("银行存款");
    EXPECT_GT(bank.size(), 3u);
    for (const auto& a : bank) EXPECT_NE(a.find("银行存款"), std::string::npos) << a;
    EXPECT_TRUE(completeAccount("").empty());
    EXPECT_TRUE(completeAccount("zzzzzz").empty());
}

// The runner's error lines, and nothing of such a line is done.
TEST(RunnerPractice, ErrorLines) {
    std::istringstream script(
        "answer 1 借 材料费用 1\n"
        "check\n"
        "unanswer 1\n"
        "exercise Form4 by hand\n"
        "exercise Form1 x\n"
        "exercise Form4\n"
        "exercise Form4 \n"
        "exercise Form999 x\n"
        "answer 1 借 材料费用 100x\n"
        "answer 1 借 材料费用 +100\n"
        "answer 1 借 材料费用 1,000\n"
        "answer 1 借 材料费用 1e3\n"
        "answer 1 借 材料费用 1.234\n"
        "answer 8 借 材料费用 1\n"
        "answer 0 借 材料费用 1\n"
        "answer 1 出 材料费用 1\n"
        "answer 1 借  1\n"
        "answer 1 借 材料费用\n"
        "unanswer 9\n"
        "check now\n");
    std::ostringstream out, err;
    EXPECT_EQ(runScript(script, out, err), 2);
    EXPECT_EQ(err.str(),
              "line 1: no exercise\n"
              "line 2: no exercise\n"
              "line 3: no exercise\n"
              "line 5: Form1 cannot be practised: it prints no entries\n"
              "line 6: Form4 cannot be practised: no seed\n"
              "line 7: Form4 cannot be practised: no seed\n"
              "line 8: no window Form999\n"
              "line 9: not an amount: 100x\n"
              "line 10: not an amount: +100\n"
              "line 11: not an amount: 1,000\n"
              "line 12: not an amount: 1e3\n"
              "line 13: not an amount: 1.234\n"
              "line 14: no task 8\n"
              "line 15: no task 0\n"
              "line 16: expected 借 or 贷, got 出\n"
              "line 17: empty account\n"
              "line 18: expected answer K 借|贷 ACCOUNT AMOUNT\n"
              "line 19: no task 9\n"
              "line 20: check takes nothing after it\n");
    // Only the exercise was written: nothing else of those lines.
    const std::string t = out.str();
    EXPECT_EQ(t.rfind("exercise Form4 by hand\n", 0), 0u);
    EXPECT_EQ(t.find("check"), std::string::npos);
}

TEST(RunnerPractice, TheExerciseBeforeStaysWithItsAnswers) {
    std::istringstream script(
        "exercise Form10 A/001/1\n"
        "answer 1 借 生产成本 79600\n"
        "exercise Form1 x\n"
        "check\n");
    std::ostringstream out, err;
    EXPECT_EQ(runScript(script, out, err), 2);
    // Form10's key for these figures, by hand: 79600 + 10348 = 89948.
    EXPECT_NE(out.str().find("check\n|1\tok\t借\t生产成本\t79600.00\n|1\tmissing\t借\t应交税费-应交增值税\t10348.00\n"
                             "|1\tmissing\t贷\t银行存款\t89948.00\n"),
              std::string::npos)
        << out.str();
}

}  // namespace
}  // namespace kelmora::practice
