// Hostile input to every control of every window, and what the model does
// when a handler fails for a reason of its own.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "broken_window.h"
#include "null_port.h"
#include "core/app.h"

using namespace kelmora;

namespace {

// Texts a user, a paste or a tool could leave in a box.
std::vector<std::string> hostileTexts() {
    std::string fiveThousandDigits;
    for (int i = 0; i < 500; ++i) fiveThousandDigits += "1234567890";
    return {
        "",
        "-0",
        "1e308",
        "-1e308",
        "1e309",
        "1e-400",
        "nan",
        "inf",
        "0x10",
        "\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x93",  // full-width digits 1 2 3
        "1,5",
        " 7",
        "7 ",
        "+-3",
        fiveThousandDigits,
        std::string(400, '9'),
        "\x01\x02\x1b[2J\x7f" "5",                                   // control characters
        "\xE2\x80\xAE" "123 \xD9\x85\xD8\xB1\xD8\xAD\xD8\xA8\xD8\xA7",  // right-to-left override, Arabic
        // Ordinary figures, so that the mixed pass below also reaches the
        // branches that need positive, negative or small amounts.
        "2",
        "-1",
        "0.05",
    };
}

// Remembers what one click does, in order.
struct Recorder : Port {
    enum class Event { Shown, Hidden, Message, Failure, Fault, Quit, BoxWritten, Printed };
    struct Entry {
        Event event;
        std::string text;  // message box text, internal error, or the box written
        const Window* window = nullptr;
    };
    std::vector<Entry> log;

    void shown(Window& w) override { log.push_back({Event::Shown, {}, &w}); }
    void hidden(const Window& w) override { log.push_back({Event::Hidden, {}, &w}); }
    void messageBox(const Window& w, const std::string& text) override { log.push_back({Event::Message, text, &w}); }
    void failure(const Window& w, const ArithmeticFailure&) override { log.push_back({Event::Failure, {}, &w}); }
    void internalError(const Window& w, const std::string& what) override { log.push_back({Event::Fault, what, &w}); }
    void quit() override { log.push_back({Event::Quit, {}, nullptr}); }
    void textChanged(const Window& w, const std::string& box) override { log.push_back({Event::BoxWritten, box, &w}); }
    void surfaceChanged(const Window& w) override { log.push_back({Event::Printed, {}, &w}); }
};

bool mentionsNonNumber(std::string_view s) {
    return s.find("nan") != s.npos || s.find("inf") != s.npos || s.find("NaN") != s.npos ||
           s.find("INF") != s.npos || s.find("Inf") != s.npos;
}

// A number text as an amount line prints it reads back to the very same text:
// sign position, at most 15 significant digits, no stray zero, one space.
bool wellFormedAmount(std::string_view a) {
    if (a.empty()) return true;  // an unset quantity prints nothing
    try {
        return numberText(fieldValue(a).value()) == a;
    } catch (const ArithmeticFailure&) {
        return false;  // beyond any double: no amount line prints that
    }
}

// The same for the text form a handler writes into a box.
bool wellFormedBoxText(std::string_view t) {
    try {
        return t.empty() || textForm(fieldValue(t).value()) == t;
    } catch (const ArithmeticFailure&) {
        return false;
    }
}

// Drives one window through many cases, each on a cleared surface.
class Sweep {
public:
    Sweep(const std::string& form, std::vector<std::string>& problems)
        : form_(form), problems_(problems), app_(port_), w_(*app_.window(form)) {
        std::set<std::string> seen;
        for (const auto& c : w_.def().controls) {
            if (!seen.insert(c.name).second) continue;  // a control array answers to one name
            if (c.kind == ControlKind::TextBox) boxes_.push_back(c.name);
            if (w_.def().handlers.count(c.name)) {
                clickable_.push_back(c.name);
                if (c.kind == ControlKind::Button) buttons_.push_back(c.name);
            }
        }
    }

    std::size_t boxCount() const { return boxes_.size(); }

    // Sets box i to valueOfBox[i] (the list repeated as needed), then clicks
    // every control that has a handler (only the buttons, when buttonsOnly)
    // in the window's order.
    void run(const std::vector<std::string>& valueOfBox, const std::string& what, bool buttonsOnly = false) {
        w_.clear();
        for (std::size_t i = 0; i < boxes_.size(); ++i) w_.typeText(boxes_[i], valueOfBox[i % valueOfBox.size()]);
        for (const auto& control : buttonsOnly ? buttons_ : clickable_) {
            // Shown, so that everything the click prints stays on the surface.
            app_.open(form_);
            port_.log.clear();
            app_.click(w_, control);
            checkClick(control, what);
        }
    }

private:
    void note(const std::string& control, const std::string& what, const std::string& p) {
        problems_.push_back(form_ + "." + control + " with " + what + ": " + p);
    }

    void checkClick(const std::string& control, const std::string& what) {
        const auto& log = port_.log;
        std::set<const Window*> printedOn;
        for (std::size_t i = 0; i < log.size(); ++i) {
            const auto& e = log[i];
            switch (e.event) {
            case Recorder::Event::Fault:
                note(control, what, "internal error: " + e.text);
                break;
            case Recorder::Event::Failure:
                if (i + 1 != log.size()) note(control, what, "something happened after the failure");
                break;
            case Recorder::Event::Message:
                if (mentionsNonNumber(e.text)) note(control, what, "message box " + e.text);
                break;
            case Recorder::Event::BoxWritten:
                if (!wellFormedBoxText(e.window->textOf(e.text)))
                    note(control, what, "box " + e.text + " holds [" + e.window->textOf(e.text) + "]");
                break;
            case Recorder::Event::Printed:
                printedOn.insert(e.window);
                break;
            default:
                break;
            }
        }
        for (const Window* w : printedOn) {
            const Surface& s = w->surface();
            for (std::size_t r = 0; r < s.rowCount(); ++r) {
                const std::string_view row = s.row(r);
                const std::size_t at = s.amountAt(r);
                const bool bad = at == std::string_view::npos ? mentionsNonNumber(row) : !wellFormedAmount(row.substr(at));
                if (bad) note(control, what, w->name() + " prints [" + std::string(row) + "]");
            }
        }
    }

    std::string form_;
    std::vector<std::string>& problems_;
    Recorder port_;
    App app_;
    Window& w_;
    std::vector<std::string> boxes_, clickable_, buttons_;
};

TEST(Sweep, EveryControlOfEveryWindowWithHostileTexts) {
    const std::vector<std::string> texts = hostileTexts();
    std::vector<std::string> problems;
    for (int n = 1; n <= App::kForms; ++n) {
        Sweep sweep("Form" + std::to_string(n), problems);
        // Every box the same text, then every box a different one, turning
        // the table one step for each pass.
        for (std::size_t k = 0; k < texts.size(); ++k) {
            sweep.run({texts[k]}, "every box [" + texts[k].substr(0, 20) + "]");
            std::vector<std::string> rotated(texts.begin() + k, texts.end());
            rotated.insert(rotated.end(), texts.begin(), texts.begin() + k);
            sweep.run(rotated, "the table from [" + texts[k].substr(0, 20) + "]");
        }
        // One hostile box among ordinary figures, so that the others let the
        // handler go deep into its formulas.
        for (std::size_t b = 0; b < sweep.boxCount(); ++b)
            for (const auto& t : texts) {
                std::vector<std::string> one(sweep.boxCount(), "3");
                one[b] = t;
                sweep.run(one, "box " + std::to_string(b) + " [" + t.substr(0, 20) + "]", true);
            }
    }
    std::string shown;
    for (std::size_t i = 0; i < problems.size() && i < 20; ++i) shown += problems[i] + "\n";
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems, the first:\n" << shown;
}

// The checks above catch what they claim to.
TEST(Sweep, NumberTextChecksRejectWhatNoAmountLinePrints) {
    for (const char* ok : {"", " 0 ", "-20 ", " 1234.5 ", " 33.3333333333333 ", " 1E+20 ", " 1.5E-07 "})
        EXPECT_TRUE(wellFormedAmount(ok)) << '[' << ok << ']';
    for (const char* bad : {" nan ", " inf ", "-inf ", " 1.50 ", "1 ", " 1", " +1 ", " 1234567890123456 ", " 0.1000 ",
                            " 1E+400 "})
        EXPECT_FALSE(wellFormedAmount(bad)) << '[' << bad << ']';
    EXPECT_TRUE(wellFormedBoxText("0.25"));
    EXPECT_FALSE(wellFormedBoxText(" 0.25"));
    EXPECT_FALSE(wellFormedBoxText("nan"));
}

using kelmora::testing::BrokenWindow;
using kelmora::testing::mistypedBox;

TEST(InternalError, IsReportedAndTheProgramGoesOn) {
    BrokenWindow broken("Form4", mistypedBox);
    Recorder port;
    App app(port);
    app.open("Form4");
    Window& w = *app.window("Form4");
    port.log.clear();
    app.click(w, "Command1");
    // The handler stopped at the fault: the line before it stays, nothing
    // after it is printed, and the fault is the click's last event.
    EXPECT_EQ(w.surface().rows(), std::vector<std::string>{"before the fault"});
    ASSERT_FALSE(port.log.empty());
    EXPECT_EQ(port.log.back().event, Recorder::Event::Fault);
    EXPECT_NE(port.log.back().text.find("Text99"), std::string::npos) << port.log.back().text;
    // The window's other buttons and the other windows still work.
    app.click(w, "Command2");
    EXPECT_TRUE(w.surface().rows().empty());
    app.click(w, "Command3");
    EXPECT_TRUE(app.existing("Form1")->visible());
}

TEST(InternalError, PortsThatDoNotReportItLetItThrough) {
    BrokenWindow broken("Form4", mistypedBox);
    kelmora::testing::NullPort port;
    App app(port);
    EXPECT_THROW(app.click(*app.window("Form4"), "Command1"), std::logic_error);
}

}  // namespace
