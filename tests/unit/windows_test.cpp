// Every window description, checked for what the view and the runner rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>

#include "core/app.h"
#include "core/layout.h"
#include "null_port.h"

using namespace kelmora;

namespace {

using kelmora::testing::NullPort;

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
        }
        for (const auto& [control, handler] : def.handlers) EXPECT_TRUE(kinds.count(control)) << "handler for missing " << control;
        EXPECT_TRUE(def.handlers.count(def.closeControl)) << "close box control " << def.closeControl << " has no handler";
    }
}

// The layout of every window with estimated text sizes: each control has
// room, none covers another (a frame holds a control whole or not at all),
// the band at the top left is clear of them all, and resizing keeps it so.
TEST(Windows, LayoutKeepsControlsApartAndTheBandClear) {
    const EstimatedMeasure measure;
    const Size screen{1366, 740};
    NullPort port;
    App app(port);
    for (int n = 1; n <= App::kForms; ++n) {
        const std::string form = "Form" + std::to_string(n);
        SCOPED_TRACE(form);
        const WindowDef& def = app.window(form)->def();
        const std::vector<std::string> sample = samplePrinting(form);
        const WindowLayout layout(def, measure, sample, screen);
        EXPECT_LE(layout.preferred().w, screen.w);
        EXPECT_LE(layout.minimum().w, layout.preferred().w);
        EXPECT_LE(layout.minimum().h, layout.preferred().h);
        for (const Size client : {layout.preferred(), Size{layout.preferred().w + 200, layout.preferred().h + 100}}) {
            const Geometry g = layout.at(client);
            const Rect window{0, 0, client.w, client.h};
            ASSERT_EQ(g.rects.size(), def.controls.size());
            if (def.prints) {
                EXPECT_EQ(g.band.x, 0);
                EXPECT_EQ(g.band.y, 0);
                EXPECT_GE(g.band.h, 4 * measure.printedLine());
            }
            for (std::size_t i = 0; i < def.controls.size(); ++i) {
                const ControlDef& c = def.controls[i];
                const Rect& r = g.rects[i];
                EXPECT_FALSE(r.empty()) << c.name;
                EXPECT_TRUE(window.contains(r)) << c.name;
                EXPECT_FALSE(r.intersects(g.band)) << c.name << " stands over the band";
                if (c.kind == ControlKind::Label || c.kind == ControlKind::Button) {
                    const Size need = c.kind == ControlKind::Label ? measure.label(c.text) : measure.button(c.text);
                    EXPECT_GE(r.w, need.w) << c.name << " clips its caption";
                }
                for (std::size_t j = i + 1; j < def.controls.size(); ++j) {
                    const Rect& o = g.rects[j];
                    const bool frames = c.kind == ControlKind::Frame || def.controls[j].kind == ControlKind::Frame;
                    if (frames) {
                        EXPECT_TRUE(!r.intersects(o) || r.contains(o) || o.contains(r))
                            << c.name << " cuts across " << def.controls[j].name;
                    } else {
                        EXPECT_FALSE(r.intersects(o)) << c.name << " overlaps " << def.controls[j].name;
                    }
                }
            }
        }
        // The band opens tall enough for what the buttons print, up to the screen.
        const Geometry opened = layout.at(layout.preferred());
        if (def.prints && layout.preferred().h < screen.h) {
            EXPECT_GE(opened.band.h, static_cast<int>(sample.size()) * measure.printedLine()) << sample.size() << " rows";
        }
    }
}

// A window smaller than its controls need: the control area scrolls in its
// view, the buttons that close it stand whole below the view, inside the
// window, clear of the band and of each other, and the band keeps at least
// the width of a row's account and amount.
TEST(Windows, SmallWindowsPinTheirClosingButtonsBelowTheScrollingArea) {
    const EstimatedMeasure measure;
    NullPort port;
    App app(port);
    int pinnedWindows = 0;
    for (int n = 1; n <= App::kForms; ++n) {
        const std::string form = "Form" + std::to_string(n);
        SCOPED_TRACE(form);
        const WindowDef& def = app.window(form)->def();
        const std::vector<std::string> sample = samplePrinting(form);
        const WindowLayout layout(def, measure, sample, {1366, 740});
        int widestAmount = 0;
        for (const auto& row : sample)
            if (row.size() > 1 && row.back() == ' ' && std::isdigit(static_cast<unsigned char>(row[row.size() - 2])))
                widestAmount = std::max(widestAmount, measure.printedWidth(row));
        const Size small = layout.smallest();
        for (const Size client : {small, Size{small.w + 40, small.h + 30}, Size{layout.minimum().w - 1, layout.minimum().h}}) {
            const Geometry g = layout.at(client);
            const Rect window{0, 0, std::max(client.w, small.w), std::max(client.h, small.h)};
            EXPECT_TRUE(window.contains(g.view));
            if (def.prints) {
                EXPECT_GE(g.band.w, std::min(widestAmount, 28 * measure.printedWidth("汉")));
            }
            bool pinned = false;
            for (std::size_t i = 0; i < def.controls.size(); ++i) {
                if (g.scrolled[i] || def.controls[i].kind != ControlKind::Button) continue;
                const Rect& r = g.rects[i];
                EXPECT_TRUE(window.contains(r)) << def.controls[i].name;
                EXPECT_FALSE(r.intersects(g.band)) << def.controls[i].name;
                if (client.w >= small.w && (client.w < layout.minimum().w || client.h < layout.minimum().h)) {
                    EXPECT_FALSE(r.intersects(g.view)) << def.controls[i].name << " under the scrolling area";
                    pinned = true;
                }
                for (std::size_t j = i + 1; j < def.controls.size(); ++j)
                    if (!g.scrolled[j]) {
                        EXPECT_FALSE(r.intersects(g.rects[j])) << def.controls[i].name << " overlaps " << def.controls[j].name;
                    }
            }
            pinnedWindows += pinned ? 1 : 0;
        }
    }
    EXPECT_GT(pinnedWindows, 100);
}

// The boxes of a column line up, inside its frames and outside them, and a
// grid's last column stands under them.
TEST(Windows, BoxesOfAColumnLineUp) {
    const EstimatedMeasure measure;
    NullPort port;
    App app(port);
    struct Case {
        const char* form;
        std::vector<const char*> boxes;
    };
    const Case cases[] = {
        {"Form64", {"Text1", "Text2", "Text5", "Text3", "Text4", "Text6"}},  // three in a frame, three below it
        {"Form26", {"Text1", "Text2", "Text5", "Text3", "Text4", "Text6"}},  // two frames and a box between them
        {"Form6", {"Text1", "Text3", "Text4", "Text2", "Text5"}},
        {"Form23", {"Text2", "Text10", "Text13"}},  // the quantity column of the grid, then the lone box
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        const WindowDef& def = app.window(c.form)->def();
        const WindowLayout layout(def, measure, samplePrinting(c.form), {1366, 740});
        const Geometry g = layout.at(layout.preferred());
        const auto rectOf = [&](const char* box) {
            for (std::size_t i = 0; i < def.controls.size(); ++i)
                if (def.controls[i].name == box) return g.rects[i];
            ADD_FAILURE() << "no " << box;
            return Rect{};
        };
        const Rect first = rectOf(c.boxes.front());
        for (const char* box : c.boxes) {
            EXPECT_EQ(rectOf(box).x, first.x) << box;
            EXPECT_EQ(rectOf(box).right(), first.right()) << box;
        }
    }
}

}  // namespace
