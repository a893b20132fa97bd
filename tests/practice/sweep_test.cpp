// Every window that can be practised, 20 seeds each: the figures are the
// kind a person types, the key answered back scores full, and an answer
// that is what the window prints with one figure left out or two exchanged
// gets a hint naming one of the boxes that explain it.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>

#include "book/blocks.h"
#include "core/app.h"
#include "practice/exercise.h"

namespace kelmora::practice {
namespace {

// What the window prints for the texts and presses, on a model of the
// test's own.
std::vector<book::Block> printed(const Exercise& ex, const std::map<std::string, std::string>& texts) {
    SilentPort port;
    App app(port);
    Window& w = *app.window(ex.form);
    app.open(ex.form);
    for (const auto& [box, text] : texts) w.typeText(box, text);
    for (const Press& p : ex.presses) app.click(w, p.control);
    return book::blocksOf(w.surface());
}

std::vector<Entry> linesOf(const book::Block& b) {
    std::vector<Entry> out;
    for (const book::Line& l : b.lines()) out.push_back({l.side, l.account, l.amount});
    return out;
}

const book::Block* counterpart(const std::vector<book::Block>& blocks, const Task& t) {
    int seen = 0;
    for (const book::Block& b : blocks)
        if (b.heading == t.heading && seen++ == t.place) return &b;
    return nullptr;
}

// The lines as one text, in an order of their own, accounts as compared.
std::string canonical(const std::vector<Entry>& lines) {
    std::vector<std::string> parts;
    for (const Entry& e : lines)
        parts.push_back(std::string(book::sideWord(e.side)) + " " + normalAccount(e.account) + " " + book::yuan(e.amount));
    std::sort(parts.begin(), parts.end());
    std::string out;
    for (const auto& p : parts) out += p + "; ";
    return out;
}

// Whether a hint quotes the box as a person knows it: by its label, by a
// heading and its label, or by its control name.
bool mentions(const std::string& hint, const Exercise& ex, const std::string& box) {
    std::string label;
    for (const Figure& f : ex.figures)
        if (f.control == box) label = f.label;
    if (hint.find("「" + box + "」") != std::string::npos) return true;
    if (label.empty()) return false;
    return hint.find("「" + label + "」") != std::string::npos || hint.find(" · " + label + "」") != std::string::npos;
}

// The same lines in any order, accounts as the checker compares them.
bool sameLines(std::vector<Entry> a, std::vector<Entry> b) {
    if (a.size() != b.size()) return false;
    for (const Entry& x : a) {
        const auto it = std::find_if(b.begin(), b.end(), [&](const Entry& y) {
            return x.side == y.side && x.amount == y.amount && sameAccount(x.account, y.account);
        });
        if (it == b.end()) return false;
        b.erase(it);
    }
    return true;
}

TEST(PracticeSweep, EveryWindowTwentySeeds) {
    const auto windows = practisedWindows();
    ASSERT_GT(windows.size(), 100u);
    const std::regex typed("-?[0-9]+(\\.[0-9]+)?");
    // The completion list offers every account the keys hold (as compared).
    std::set<std::string> accounts;
    for (const auto& a : accountNames()) accounts.insert(normalAccount(a));
    int hinted = 0;
    for (const std::string& form : windows) {
        for (int s = 1; s <= 20; ++s) {
            const std::string seed = "sweep " + std::to_string(s);
            SCOPED_TRACE(form + " seed " + seed);
            const Exercise ex = draw(form, seed);
            ASSERT_FALSE(ex.tasks.empty());
            for (const Figure& f : ex.figures) EXPECT_TRUE(std::regex_match(f.value, typed)) << f.control << " " << f.value;
            std::map<std::string, std::string> texts;
            for (const Figure& f : ex.figures) texts[f.control] = f.value;
            // The key answered back.
            std::vector<std::vector<Entry>> answers;
            for (const Task& t : ex.tasks) {
                answers.push_back(t.key);
                for (const Entry& e : t.key) EXPECT_TRUE(accounts.count(normalAccount(e.account))) << "not listed: " << e.account;
            }
            const CheckResult full = checkEntries(ex, answers);
            EXPECT_TRUE(full.full()) << full.ok << "/" << full.total;
            // The same figures from the same seed.
            if (s == 1) {
                const Exercise again = draw(form, seed);
                ASSERT_EQ(again.figures.size(), ex.figures.size());
                for (std::size_t i = 0; i < ex.figures.size(); ++i) EXPECT_EQ(again.figures[i].value, ex.figures[i].value);
            }
            // Each case a hint must find.  The boxes of every case that
            // gives the same answer may be named.
            struct Case {
                std::vector<std::string> boxes;
                std::vector<book::Block> blocks;
            };
            std::vector<Case> cases;
            for (const Figure& f : ex.figures) {
                auto t = texts;
                t[f.control] = "";
                cases.push_back({{f.control}, printed(ex, t)});
            }
            if (ex.figures.size() <= 24)
                for (std::size_t i = 0; i < ex.figures.size(); ++i)
                    for (std::size_t j = i + 1; j < ex.figures.size(); ++j) {
                        auto t = texts;
                        std::swap(t[ex.figures[i].control], t[ex.figures[j].control]);
                        cases.push_back({{ex.figures[i].control, ex.figures[j].control}, printed(ex, t)});
                    }
            for (std::size_t k = 0; k < ex.tasks.size(); ++k) {
                // The answers the cases give for the task, each with the
                // boxes that explain it.
                std::map<std::string, std::pair<std::vector<Entry>, std::set<std::string>>> answers;
                for (const Case& c : cases) {
                    const book::Block* b = counterpart(c.blocks, ex.tasks[k]);
                    if (!b) continue;
                    auto lines = linesOf(*b);
                    if (lines.empty() || sameLines(lines, ex.tasks[k].key)) continue;
                    auto& entry = answers[canonical(lines)];
                    entry.first = lines;
                    entry.second.insert(c.boxes.begin(), c.boxes.end());
                }
                for (const auto& [text, answer] : answers) {
                    std::vector<std::vector<Entry>> sheet(ex.tasks.size());
                    sheet[k] = answer.first;
                    const CheckResult r = checkEntries(ex, sheet);
                    bool named = false;
                    for (const std::string& h : r.tasks[k].hints)
                        for (const std::string& box : answer.second) named = named || mentions(h, ex, box);
                    EXPECT_TRUE(named) << "task " << k + 1 << ": " << text;
                    ++hinted;
                }
            }
        }
    }
    EXPECT_GT(hinted, 0);
}

}  // namespace
}  // namespace kelmora::practice
