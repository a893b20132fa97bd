// Class sets, students' seeds, progress kept between sessions, and answers
// saved as a runner script and graded again from their answers.
#include <gtest/gtest.h>

#include <set>

#include "practice/class_set.h"

namespace kelmora::practice {
namespace {

TEST(ClassSet, ReadsTitleClassWindowsAndGroups) {
    const ClassSet s = readClassSet(
        "\xEF\xBB\xBF# 第二章\r\n"
        "标题 第二章 货币资金\r\n"
        "班级：KJ2301\r\n"
        "\r\n"
        "练习 Form4\r\n"
        "练习 外埠采购\r\n"
        "window Form10\r\n"
        "抽题 股票/债券 > 股票 3\r\n");
    EXPECT_EQ(s.title, "第二章 货币资金");
    EXPECT_EQ(s.classCode, "KJ2301");
    ASSERT_EQ(s.items.size(), 4u);
    EXPECT_EQ(s.items[0].form, "Form4");
    EXPECT_EQ(s.items[1].form, "Form4");  // the keyword opens Form4
    EXPECT_EQ(s.items[2].form, "Form10");
    EXPECT_EQ(s.items[3].group, (std::vector<std::string>{"股票/债券", "股票"}));
    EXPECT_EQ(s.items[3].count, 3);
    EXPECT_EQ(s.places(), 6);
    // Written and read again, the same set.
    const ClassSet again = readClassSet(writeClassSet(s));
    EXPECT_EQ(again.title, s.title);
    EXPECT_EQ(again.classCode, s.classCode);
    ASSERT_EQ(again.items.size(), s.items.size());
    EXPECT_EQ(again.items[3].group, s.items[3].group);
}

TEST(ClassSet, ASetThatCannotBeReadNamesTheLine) {
    const std::vector<std::tuple<const char*, int, const char*>> cases = {
        {"班级 A\n练习 Form999\n", 2, "找不到窗口或关键字「Form999」"},
        {"班级 A\n练习 没有这个\n", 2, "找不到窗口或关键字「没有这个」"},
        {"班级 A\n练习 Form1\n", 2, "「Form1」的窗口不能用来练习"},
        {"班级 A\n\n# x\n作业 Form4\n", 4, "看不懂这一行"},
        {"班级 A\n班级 B\n练习 Form4\n", 2, "班级代码写了两次"},
        {"班级\n练习 Form4\n", 1, "班级代码是空的"},
        {"班级 A\n抽题 票据\n", 2, "抽题要写菜单和题数"},
        {"班级 A\n抽题 票据 0\n", 2, "题数应在 1 到 50 之间"},
        {"班级 A\n抽题 没有的菜单 2\n", 2, "找不到菜单「没有的菜单」"},
        {"班级 A\n练习 Form4\x01\n", 2, "控制字符"},
        {"练习 Form4\n", 0, "缺少班级代码"},
        {"标题 空\n班级 A\n", 0, "没有练习"},
    };
    for (const auto& [text, line, reason] : cases) {
        SCOPED_TRACE(text);
        try {
            readClassSet(text);
            ADD_FAILURE() << "read";
        } catch (const SetError& e) {
            EXPECT_EQ(e.line(), line);
            EXPECT_NE(e.reason().find(reason), std::string::npos) << e.reason();
            if (line > 0) EXPECT_EQ(std::string(e.what()).rfind("第 " + std::to_string(line) + " 行：", 0), 0u);
        }
    }
}

TEST(ClassSet, EachStudentHasFiguresOfHisOwnThatTheTeacherCanMakeAgain) {
    const ClassSet s = readClassSet("班级 KJ2301\n练习 Form4\n抽题 票据 2\n");
    const auto a = assignments(s, "2023001"), b = assignments(s, "2023002");
    ASSERT_EQ(a.size(), 3u);
    EXPECT_EQ(a[0].seed, "KJ2301/2023001/1");
    EXPECT_EQ(a[2].seed, "KJ2301/2023001/3");
    EXPECT_EQ(a[0].form, "Form4");
    // The group's two windows differ and come from the group.
    const auto group = groupWindows({"票据"});
    EXPECT_NE(a[1].form, a[2].form);
    for (const auto& x : {a[1], a[2], b[1], b[2]})
        EXPECT_NE(std::find(group.begin(), group.end(), x.form), group.end()) << x.form;
    // The same again from the set alone; neighbours' figures differ.
    const auto again = assignments(s, "2023001");
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(again[i].form, a[i].form);
    const Exercise mine = draw(a[0].form, a[0].seed), neighbour = draw(b[0].form, b[0].seed);
    std::vector<std::string> x, y;
    for (const Figure& f : mine.figures) x.push_back(f.value);
    for (const Figure& f : neighbour.figures) y.push_back(f.value);
    EXPECT_NE(x, y);
    // Seeds name their student and place.
    const auto parts = seedParts(a[1].seed);
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->classCode, "KJ2301");
    EXPECT_EQ(parts->student, "2023001");
    EXPECT_EQ(parts->place, 2);
    EXPECT_FALSE(seedParts("anything"));
    EXPECT_FALSE(seedParts("A/B/0"));
    // Numbers that cannot be a student's.
    for (const char* bad : {"", "20 23", "2023/1", "\t1", "123456789012345678901234567890123"}) {
        EXPECT_TRUE(studentNumberProblem(bad)) << bad;
        EXPECT_THROW(assignments(s, bad), SetError) << bad;
    }
}

TEST(Progress, SurvivesBeingWrittenAndReadWhateverWasTyped) {
    Progress p;
    p.title = "第二章\t练习";
    p.classCode = "KJ2301";
    p.student = "2023001";
    ExerciseProgress e;
    e.place = 1;
    e.form = "Form4";
    e.seed = "KJ2301/2023001/1";
    e.level = Level::Amounts;
    e.sheet = {{{"借", "材料费用", "47100"}, {"", "back\\slash\nand a line", "abc"}}, {}, {{"贷", "银行存款", ""}}};
    e.ok = 1;
    e.total = 17;
    p.exercises.push_back(e);
    ExerciseProgress f;
    f.place = 2;
    f.form = "Form10";
    f.seed = "KJ2301/2023001/2";
    f.sheet = {{}};
    p.exercises.push_back(f);
    const auto back = readProgress(writeProgress(p));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->title, p.title);
    EXPECT_EQ(back->student, p.student);
    ASSERT_EQ(back->exercises.size(), 2u);
    EXPECT_EQ(back->exercises[0].sheet, e.sheet);
    EXPECT_EQ(back->exercises[0].level, Level::Amounts);
    EXPECT_EQ(back->exercises[0].ok, 1);
    EXPECT_EQ(back->exercises[0].total, 17);
    EXPECT_EQ(back->exercises[1].sheet, f.sheet);
    EXPECT_FALSE(back->exercises[1].ok);
    for (const char* bad : {"", "something else\n", "kelmora-practice 1\nexercise\tx\n", "kelmora-practice 1\nline\t1\t借\ta\t1\n",
                            "kelmora-practice 1\ntitle\tbad\\q\n"})
        EXPECT_FALSE(readProgress(bad)) << bad;
}

TEST(AnswersScript, IsGradedFromItsAnswersAlone) {
    // Form10's key for seed A/001/1, by hand: 生产成本 79600, its VAT 10348
    // (13 %), 银行存款 89948.
    Progress p;
    p.classCode = "A";
    p.student = "001";
    ExerciseProgress e;
    e.place = 1;
    e.form = "Form10";
    e.seed = "A/001/1";
    e.sheet = {{{"借", "生产成本", "79600"}, {"借", "应交税费-应交增值税", "10348"}, {"借", "银行存款", "89948"},
                {"借", "", "1"}, {"贷", "库存现金", "x"}}};
    p.exercises.push_back(e);
    const std::string script = answersScript(p);
    // The lines that cannot be read are left out; the rest as typed.
    EXPECT_EQ(script,
              "# 练习答卷\n# 班级 A 学号 001\n"
              "exercise Form10 A/001/1\n"
              "answer 1 借 生产成本 79600.00\n"
              "answer 1 借 应交税费-应交增值税 10348.00\n"
              "answer 1 借 银行存款 89948.00\n"
              "check\n");
    // A score written into the file by hand counts for nothing.
    const GradedFile g = gradeText("# score 3/3\n" + script + "|score 3/3\n", "001.txt");
    ASSERT_EQ(g.exercises.size(), 1u);
    EXPECT_EQ(g.student, "001");
    EXPECT_EQ(g.exercises[0].result.ok, 2);
    EXPECT_EQ(g.exercises[0].result.total, 3);
    EXPECT_EQ(points(g.exercises[0].result), 67);  // 2/3 = 66.7, half up
    ASSERT_EQ(g.problems.size(), 1u);
    EXPECT_EQ(g.problems[0], "line 9: not a line of an answers file: |score");
}

}  // namespace
}  // namespace kelmora::practice
