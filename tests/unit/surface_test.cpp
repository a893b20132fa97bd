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
    s.print("a", true, false);
    s.print("", true, false);
    s.print("b", true, true);
    EXPECT_EQ(s.rows(), (Rows{"a", "", "b"}));  // the continued row counts
    s.print("c", true, false);
    s.print("d", true, false);
    EXPECT_EQ(s.rows(), (Rows{"a", "", "bc", "d"}));
    s.clear();
    EXPECT_TRUE(s.rows().empty());
    s.print("e", true, false);
    EXPECT_EQ(s.rows(), (Rows{"e"}));
}

TEST(Surface, ErasedRowsKeepThePosition) {
    Surface s;
    s.print("a", true, false);
    s.print("b", true, false);
    s.eraseRows();
    EXPECT_EQ(s.rows(), (Rows{"", ""}));
    s.print("lost", false, false);  // printed while hidden
    s.print("c", true, false);
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
