// The model's names for what a person sees: the label a box stands beside,
// and the name a window goes by in messages and file names.
#include <gtest/gtest.h>

#include "core/statement_grid.h"
#include "core/window_def.h"
#include "core/window_names.h"

using namespace kelmora;

namespace {

WindowDef sample() {
    FormBuilder b("Form7", "Form70");
    b.heading("标题").field("Text1", "金额");
    b.beginFrame("Frame1", "框").field("Text2", "利率").endFrame();
    b.grid({{gridHead("Text3", "单价"), gridHead("Text4", "数量")}, {{"Text5", "1"}, {"Text6", "2"}}});
    b.grid({{gridHead("Text7", "甲"), {"Text8", ""}, gridHead("Text9", "乙"), {"Text10", ""}}});
    StatementGrid g;
    g.heads = {{"Text11", "项目"}, {"Text12", "上年"}, {"Text13", "本期"}};
    g.rows = {inputRow("Text14", "  收入", {"Text15", "Text16"}), unusedRow("Text17", "", {"Text18", "Text19"})};
    addGrid(b, g);
    b.standardButtons([](Window&) {});
    b.lowerLeft();
    b.field("Text20", "天数");
    b.field("Text21", "");
    return b.build();
}

TEST(BoxLabel, TheLabelOrTheHeadsABoxStandsBeside) {
    const WindowDef def = sample();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Text1", "金额"},       {"Text2", "利率"},        // in a frame too
        {"Text3", "单价"},       {"Text5", "单价"},        {"Text6", "数量"},      // heads over columns
        {"Text8", "甲"},         {"Text10", "乙"},         // the nearest head at the left
        {"Text11", "项目"},      {"Text14", "收入"},       // heads name themselves, unindented
        {"Text15", "收入 上年"}, {"Text16", "收入 本期"},  // row item, then column
        {"Text17", ""},          {"Text18", "上年"},       // a row without an item
        {"Text20", "天数"},      {"Text21", ""},           // the lower left; no label
        {"Command1", ""},        {"Label1", ""},           {"Text99", ""},  // no box
    };
    for (const auto& [box, label] : cases) EXPECT_EQ(boxLabel(def, box), label) << box;
}

TEST(WindowNames, WordsThenCaptionAndAFileStemThatIsOneName) {
    const WindowDef def = sample();
    const WindowWords before = setWindowWords({});
    EXPECT_EQ(displayName(def), "Form70");  // no words known: the caption alone
    EXPECT_EQ(fileStem(def), "Form70");

    setWindowWords([](const std::string& form) -> std::vector<std::string> {
        if (form != "Form7") return {};
        return {"A/B:C*D?E\"F<G>H|I\\J\tK", "乙", "丙", "丁"};
    });
    EXPECT_EQ(displayName(def), "A/B:C*D?E\"F<G>H|I\\J\tK · 乙 · 丙（Form70）");  // three words at most
    EXPECT_EQ(fileStem(def), "A／B：C＊D？E＂F＜G＞H｜I＼J K");
    setWindowWords(before);
}

}  // namespace
