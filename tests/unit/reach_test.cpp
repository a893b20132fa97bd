// Every keyword row and menu item that names a window opens it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/app.h"
#include "null_port.h"
#include "shell/keyword_table.h"

using namespace kelmora;

namespace {

// Remembers the windows shown, in order; presses OK on message boxes.
struct ShowLog : kelmora::testing::NullPort {
    std::vector<std::string> opened;
    void shown(Window& w) override { opened.push_back(w.name()); }
};

TEST(Reach, EveryKeywordRowOpensItsWindow) {
    for (const auto& row : keywordTable()) {
        if (row.action != KeywordAction::OpenWindow) continue;
        ShowLog log;
        App app(log);
        app.open("Form1");
        lookUpKeyword(app, row.keyword);
        const Window* w = app.existing(row.argument);
        EXPECT_TRUE(w && w->visible()) << row.keyword << " -> " << row.argument;
        EXPECT_FALSE(app.existing("Form1")->visible()) << row.keyword;
    }
}

TEST(Reach, EveryMenuItemOpensItsWindow) {
    int items = 0;
    std::function<void(const std::vector<MenuItem>&)> walk = [&](const std::vector<MenuItem>& level) {
        for (const auto& item : level) {
            walk(item.children);
            if (item.action != MenuAction::Open) continue;
            ++items;
            ShowLog log;
            App app(log);
            app.open("Form1");
            chooseMenuItem(app, item);
            EXPECT_EQ(log.opened, (std::vector<std::string>{"Form1", item.argument})) << item.caption;
            EXPECT_FALSE(app.existing("Form1")->visible()) << item.caption;
        }
    };
    walk(menuTree());
    EXPECT_GT(items, 150);
}

}  // namespace
