// Every window description, checked for what the view and the runner rely on.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "core/app.h"
#include "null_port.h"

using namespace kelmora;

namespace {

using kelmora::testing::NullPort;

bool overlaps(const Rect& a, const Rect& b) {
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

TEST(Windows, DescriptionsAreConsistent) {
    // Windows whose title bar differs from their form name.
    const std::map<std::string, std::string> captions = {{"Form10", "Form70"}, {"Form85", "Form55"}, {"Form124", "Form95"}};
    NullPort port;
    App app(port);
    for (int n = 1; n <= App::kForms; ++n) {
        const std::string form = "Form" + std::to_string(n);
        const WindowDef& def = app.window(form)->def();
        SCOPED_TRACE(form);
        EXPECT_EQ(def.name, form);
        const auto special = captions.find(form);
        EXPECT_EQ(def.caption, special != captions.end() ? special->second : form);

        std::set<std::pair<std::string, int>> seen;
        std::map<std::string, ControlKind> kinds;
        for (const auto& c : def.controls) {
            EXPECT_TRUE(seen.insert({c.name, c.index}).second) << "duplicate control " << c.name;
            const auto [it, fresh] = kinds.emplace(c.name, c.kind);
            if (!fresh) {
                EXPECT_EQ(it->second, c.kind) << c.name << " shares its name across kinds";
            }
            EXPECT_GT(c.rect.w, 0) << c.name;
            EXPECT_GT(c.rect.h, 0) << c.name;
            EXPECT_LE(c.rect.right(), def.width) << c.name;
            EXPECT_LE(c.rect.bottom(), def.height) << c.name;
            // Printed lines start at the top-left corner: nothing may cover it
            // (the expense hub prints nothing).
            if (form != "Form9") {
                EXPECT_FALSE(overlaps(c.rect, {0, 0, 120, 40})) << c.name << " covers the surface start";
            }
        }
        for (const auto& [control, handler] : def.handlers) EXPECT_TRUE(kinds.count(control)) << "handler for missing " << control;
        EXPECT_TRUE(def.handlers.count(def.closeControl)) << "close box control " << def.closeControl << " has no handler";
        // Readable without resizing on a 1366×768 screen.
        EXPECT_LE(def.width, 1360);
        EXPECT_LE(def.height, 700);
    }
}

}  // namespace
