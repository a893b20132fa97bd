// A window of the model: what hiding does to its surface, a failure stopping
// its handler, the texts of its boxes, and how the user is told of a failure.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app.h"
#include "null_port.h"

using namespace kelmora;

namespace {

using Rows = std::vector<std::string>;

// Counts the failures reported.
struct QuietPort : kelmora::testing::NullPort {
    void failure(const Window&, const ArithmeticFailure&) override { ++failures; }
    int failures = 0;
};

TEST(Window, HidingErasesRowsAndHiddenPrintingIsLost) {
    QuietPort port;
    App app(port);
    app.open("Form2");
    Window& w = *app.window("Form2");
    w.amount("x", 1);
    w.amount("unset ", Num());
    EXPECT_EQ(w.surface().rows(), (Rows{"x 1 ", "unset "}));
    w.hide();
    w.text("while hidden");
    app.open("Form2");
    w.text("after");
    EXPECT_EQ(w.surface().rows(), (Rows{"", "", "", "after"}));
}

TEST(Window, FailureStopsTheHandlerAtItsStep) {
    QuietPort port;
    App app(port);
    Window& w = *app.window("Form2");
    w.typeText("Text1", "8");
    app.guarded(w, [&] {
        w.text("before");
        const Num r = w.field("Text1") / w.field("Text2");
        w.amount("after", r);
    });
    EXPECT_EQ(port.failures, 1);
    EXPECT_EQ(w.surface().rows(), (Rows{""}));  // hidden window: the row is not kept
    app.open("Form2");
    app.guarded(w, [&] {
        w.text("before");
        w.amount("after", w.field("Text1") / w.field("Text2"));
    });
    EXPECT_EQ(port.failures, 2);
    EXPECT_EQ(w.surface().rows().back(), "before");
}

TEST(Window, WriteFieldUsesTheTextForm) {
    QuietPort port;
    App app(port);
    Window& w = *app.window("Form2");
    w.writeField("Text1", Num(1) / 4);
    EXPECT_EQ(w.textOf("Text1"), "0.25");
    w.writeField("Text1", -Num(0));
    EXPECT_EQ(w.textOf("Text1"), "0");
}

// Each kind of failure is told in words of its own, in the message that
// names the window by the keyword that opens it and its title (Form10's
// title is "Form70").
TEST(Window, FailureMessagesTellTheKindsApart) {
    QuietPort port;
    App app(port);
    const Window& w = *app.window("Form10");
    using K = ArithmeticFailure::Kind;
    const struct {
        K kind;
        const char* message;
    } cases[] = {
        {K::DivisionByZero, "窗口 生产成本（Form70） 计算出错：除数为零。本次计算在出错处停止。"},
        {K::Overflow, "窗口 生产成本（Form70） 计算出错：数值超出可以计算的范围（溢出）。本次计算在出错处停止。"},
        {K::NoSolution, "窗口 生产成本（Form70） 计算出错：按输入的数据求不出结果。本次计算在出错处停止。"},
    };
    for (const auto& c : cases) EXPECT_EQ(failureMessage(w, ArithmeticFailure(c.kind)), c.message);
    // A window that knows why it failed says so in place of the kind.
    EXPECT_EQ(failureMessage(w, ArithmeticFailure(K::NoSolution, "预计使用寿命过长，无法计算。")),
              "窗口 生产成本（Form70） 计算出错：预计使用寿命过长，无法计算。本次计算在出错处停止。");
    // Three keywords open Form4.
    EXPECT_EQ(failureMessage(*app.window("Form4"), ArithmeticFailure(K::DivisionByZero)),
              "窗口 外埠采购 · 申请汇票 · 申请本票（Form4） 计算出错：除数为零。本次计算在出错处停止。");
}

}  // namespace
