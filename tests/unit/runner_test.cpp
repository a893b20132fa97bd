// The runner's own errors: each bad line is reported and skipped, and the
// script goes on.
#include <gtest/gtest.h>

#include <sstream>

#include "broken_window.h"
#include "runner/runner.h"

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

Outcome run(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out, err;
    const int status = kelmora::runScript(in, out, err);
    return {status, out.str(), err.str()};
}

TEST(Runner, BadLinesAreReportedAndSkipped) {
    const Outcome r = run(
        "frobnicate Form2\n"           // 1 unknown action
        "open Form151\n"               // 2 no such window
        "open Form0\n"                 // 3
        "set Form2.Text9 5\n"          // 4 no such control
        "set Form2.Command1 5\n"       // 5 not a text box
        "menu 票据 > 不存在\n"          // 6 no such menu path
        "click Form2.Label1\n"         // 7 a label cannot be clicked
        "surface Form2x\n"             // 8
        "state Form2\n");              // 9 fine
    EXPECT_EQ(r.status, 2);
    std::istringstream err(r.err);
    std::string line;
    for (int n : {1, 2, 3, 4, 5, 6, 7, 8}) {
        ASSERT_TRUE(std::getline(err, line));
        EXPECT_EQ(line.rfind("line " + std::to_string(n) + ": ", 0), 0u) << line;
    }
    EXPECT_FALSE(std::getline(err, line));
    // Line 4 referred to Form2, which created it; nothing else happened.
    EXPECT_EQ(r.out, "state Form2 hidden\n");
}

// A window is named exactly: no leading zero, no other case, nothing around
// the number, nothing beyond the last window.
TEST(Runner, MalformedWindowNamesAreRefused) {
    for (const char* name : {"Form01", "Form0", "Form151", "form4", "Form4x", " Form4", "Form", "Form-4"}) {
        const std::string n = name;
        const Outcome r = run("open " + n + "\nstate " + n + "\nclick " + n + ".Command1\nsurface " + n + "\n");
        EXPECT_EQ(r.status, 2) << '"' << n << '"';
        EXPECT_EQ(r.out, "") << '"' << n << '"';
        EXPECT_EQ(r.err, "line 1: no window " + n + "\nline 2: no window " + n + "\nline 3: no window " + n +
                             "\nline 4: no window " + n + "\n")
            << '"' << n << '"';
    }
}

TEST(Runner, TextIsTakenVerbatimAndCarriageReturnsDropped) {
    const Outcome r = run("set Form2.Text1  5 x \r\ntext Form2.Text1\r\n\r\n# comment\nset Form2.Text2\ntext Form2.Text2\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "text Form2.Text1= 5 x \ntext Form2.Text2=\n");
}

TEST(Runner, ByteOrderMarkOnlyAtTheStart) {
    EXPECT_EQ(run("\xEF\xBB\xBFstate Form2\n").out, "state Form2 absent\n");
    const Outcome r = run("state Form2\n\xEF\xBB\xBFstate Form2\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("line 2: unknown action", 0), 0u) << r.err;
}

// A fault of the program in a handler: reported with its line, and the
// script goes on.
TEST(Runner, InternalErrorIsReportedWithItsLine) {
    kelmora::testing::BrokenWindow broken("Form4", kelmora::testing::mistypedBox);
    const Outcome r = run("open Form4\nclick Form4.Command1\nsurface Form4\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("line 2: internal error in Form4: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("Text99"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "show Form4\nsurface Form4\n|before the fault\n");
}

TEST(Runner, QuitStopsReading) {
    const Outcome r = run("click Form1.Command4\nopen Form2\nbogus\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "quit\n");
}

TEST(Runner, StateOfWindows) {
    const Outcome r = run("state Form3\nopen Form3\nstate Form3\nstate Form1\nclick Form3.Command3\nstate Form3\n");
    EXPECT_EQ(r.out,
              "state Form3 absent\nshow Form3\nstate Form3 visible\nstate Form1 visible\n"
              "hide Form3\nshow Form1\nstate Form3 hidden\n");
}

TEST(Runner, CompleteLeavesTheBoxAloneAndTableNeedsAWindow) {
    const Outcome r = run("set Form1.Text1 x\ncomplete wbcg\ntext Form1.Text1\ntable Form151\ntable\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "complete wbcg\n|外埠采购\ntext Form1.Text1=x\n");
    EXPECT_EQ(r.err, "line 4: no window Form151\nline 5: no window \n");
}

// A statement's boxes are named by their row's item and their column, the
// item without the blanks that indent it; an unused row has no item.
TEST(Runner, ControlsOfAStatementAndOfNoWindow) {
    const Outcome r = run("controls Form120\ncontrols Form151\ncontrols\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out.rfind("controls Form120\n", 0), 0u);
    for (const char* line : {"\n|Text204 box 资产\n", "\n|Text198 box 资产合计\n", "\n|Text33 box 资产合计 年初数\n",
                             "\n|Text66 box 资产合计 年末数\n", "\n|Text164 box \n"})
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
    EXPECT_EQ(r.err, "line 2: no window Form151\nline 3: no window \n");
}

}  // namespace
