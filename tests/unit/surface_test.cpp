// The output surface: rows, print position, clearing, and what hiding does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app.h"

using namespace kelmora;

namespace {

using Rows = std::vector<std::string>;

TEST(Surface, AppendsContinuesAndClears) {
    Surface s;
    s.writeLine("a", Surface::Keep::Text);
    s.writeLine("", Surface::Keep::Text);
    s.write("b", Surface::Keep::Text);
    EXPECT_EQ(s.rows(), (Rows{"a", "", "b"}));  // the continued row counts
    s.writeLine("c", Surface::Keep::Text);
    s.writeLine("d", Surface::Keep::Text);
    EXPECT_EQ(s.rows(), (Rows{"a", "", "bc", "d"}));
    s.clear();
    EXPECT_TRUE(s.rows().empty());
    s.writeLine("e", Surface::Keep::Text);
    EXPECT_EQ(s.rows(), (Rows{"e"}));
}

TEST(Surface, ErasedRowsKeepThePosition) {
    Surface s;
    s.writeLine("a", Surface::Keep::Text);
    s.writeLine("b", Surface::Keep::Text);
    s.eraseRows();
    EXPECT_EQ(s.rows(), (Rows{"", ""}));
    s.writeLine("lost", Surface::Keep::PositionOnly);  // printed while hidden
    s.writeLine("c", Surface::Keep::Text);
    EXPECT_EQ(s.rows(), (Rows{"", "", "", "c"}));
}

// A port that records nothing but lets the model run.
struct QuietPort : Port {
    void shown(Window&) override {}
    void hidden(Window&) override {}
    void messageBox(Window&, const std::string&) override {}
    void failure(Window&, const ArithmeticFailure&) override { ++failures; }
    void quit() override {}
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
    w.setText("Text1", "8");
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

}  // namespace

namespace {

TEST(JournalTable, SidesGoToTheirColumnsAndRowsKeepFourColumns) {
    QuietPort port;
    App app(port);
    app.open("Form2");
    Window& w = *app.window("Form2");
    w.text("外埠采购");
    w.amount("材料费用（借）", 100);
    w.amount("其他货币资金（贷）", 117);
    w.amount("利息", -5);
    w.amount("差额", Num(1) / 8);
    w.amount("未定（借）", Num());  // unset: the label alone
    w.cont("接");
    w.amount("着（贷）", 2);
    w.blank();
    EXPECT_EQ(journalTable(w.surface()), (Rows{"科目\t借方\t贷方\t金额", "外埠采购\t\t\t", "材料费用\t100\t\t",
                                               "其他货币资金\t\t117\t", "利息\t\t\t-5", "差额\t\t\t0.125",
                                               "未定\t\t\t", "接着\t\t2\t", ""}));
    // Rows erased by hiding are blank lines.
    w.hide();
    EXPECT_EQ(journalTable(w.surface()), (Rows{"科目\t借方\t贷方\t金额", "", "", "", "", "", "", "", ""}));
}

}  // namespace
