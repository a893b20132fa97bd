// Kelmora — drawing an exercise: which boxes get figures, of what kind, which
// buttons make the key, and figures the window accepts.
#include <algorithm>
#include <mutex>

#include "core/app.h"
#include "core/control_names.h"
#include "core/window_registry.h"
#include "practice/exercise.h"
#include "practice/model_run.h"

namespace kelmora::practice {

namespace detail {

std::uint64_t fnv1a(std::string_view s, std::uint64_t h) {
    for (unsigned char c : s) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return h;
}

std::uint64_t Rng::next() {
    std::uint64_t z = (s_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

namespace {

// Notes what the desktop program would have shown as going wrong.
class NotingPort : public Port {
public:
    void shown(Window&) override {}
    void hidden(const Window&) override {}
    void messageBox(const Window&, const std::string&) override { clean = false; }
    void failure(const Window&, const ArithmeticFailure&) override { clean = false; }
    void internalError(const Window&, const std::string&) override { clean = false; }
    void quit() override { clean = false; }
    bool clean = true;
};

}  // namespace

struct WindowRunner::Model {
    NotingPort port;
    App app{port};
    Window* window = nullptr;
    std::vector<std::pair<std::string, std::string>> initial;  // every text box and its initial text
};

WindowRunner::WindowRunner(std::string form) : form_(std::move(form)) {}
WindowRunner::~WindowRunner() = default;

RunResult WindowRunner::run(const std::map<std::string, std::string>& texts, const std::vector<std::string>& presses) {
    if (!model_) {
        model_ = std::make_unique<Model>();
        model_->window = model_->app.window(form_);
        model_->app.open(form_);
        for (const ControlDef& c : model_->window->def().controls)
            if (c.kind == ControlKind::TextBox) model_->initial.emplace_back(c.name, c.text);
    }
    Model& m = *model_;
    Window& w = *m.window;
    m.port.clean = true;
    w.clear();
    for (const auto& [box, text] : m.initial) {
        const auto it = texts.find(box);
        w.typeText(box, it == texts.end() ? text : it->second);
    }
    for (const auto& b : presses) {
        m.app.click(w, b);
        if (!m.port.clean || m.app.ended()) break;
    }
    RunResult r;
    r.clean = m.port.clean && !m.app.ended() && w.visible();
    r.rows = w.surface().rows();
    r.blocks = book::blocksOf(w.surface());
    if (!w.visible() || m.app.ended()) model_.reset();
    return r;
}

RunResult runWindow(const std::string& form, const std::map<std::string, std::string>& texts,
                    const std::vector<std::string>& presses) {
    WindowRunner runner(form);
    return runner.run(texts, presses);
}

WindowDef describe(const std::string& form) {
    const WindowFactory* f = registeredWindow(form);
    if (!f) throw PracticeError("no window " + form);
    return (*f)();
}

std::string boxName(const WindowDef& def, const std::string& box) {
    const auto isBox = [](const ControlDef& c) { return c.kind == ControlKind::TextBox; };
    const std::string label = boxLabel(def, box);
    if (label.empty()) return box;
    int same = 0;
    for (const ControlDef& c : def.controls)
        if (isBox(c) && boxLabel(def, c.name) == label) ++same;
    if (same == 1) return label;
    // The nearest heading or frame before a box, in tab order.
    const auto context = [&](const std::string& name) {
        std::string last;
        for (const ControlDef& c : def.controls) {
            if (c.name == name && isBox(c)) return last;
            if (c.kind == ControlKind::Heading || c.kind == ControlKind::Frame) last = c.text;
        }
        return last;
    };
    const std::string mine = context(box);
    if (mine.empty()) return box;
    int sameContext = 0;
    for (const ControlDef& c : def.controls)
        if (isBox(c) && boxLabel(def, c.name) == label && context(c.name) == mine) ++sameContext;
    return sameContext == 1 ? mine + " · " + label : box;
}

}  // namespace detail

using namespace detail;

namespace {

bool has(std::string_view s, std::string_view part) { return s.find(part) != std::string_view::npos; }

// A figure with `places` decimals from a whole number of its smallest units:
// 65 with 3 places is "0.065", 650 with 2 places "6.5".  Trailing zeros are
// left off, as a person types it.
std::string decimal(long long units, int places) {
    std::string digits = std::to_string(units < 0 ? -units : units);
    if (places > 0) {
        if (static_cast<int>(digits.size()) <= places) digits.insert(0, places + 1 - digits.size(), '0');
        digits.insert(digits.size() - places, ".");
        while (digits.back() == '0') digits.pop_back();
        if (digits.back() == '.') digits.pop_back();
    }
    return units < 0 ? "-" + digits : digits;
}

// What kind of figure a box takes, read from its label.  Every window reads
// a rate as a fraction (0.17 for 17 %) and no label asks for per cent, so
// rates are drawn as fractions.  The rules, first match wins:
//   汇率, 中间价, 卖出价, 买入价            exchange rate, 6.00 … 7.50
//   率, 比例                               rate, whole or half per cent (table below)
//   天; 时间 without a unit                days: 30, 60, 90, 120, 180
//   季                                     quarters, 1 … 4
//   月 with 期限, 期 or （月）               months: 3, 6, 9, 12
//   年限, 寿命, （年）, (年), 期限, 租期        years, 2 … 10
//   次数                                   2 … 6
//   数量, 股数, 份额, 工作量                  a count, 10 … 1,000 in tens
//   单价, 每股, 每套                        a price, 1 … 200 yuan
//   anything else                          an amount, 1,000 … 100,000 yuan in hundreds
std::string drawFigure(const std::string& label, Rng& rng, bool& amount) {
    amount = false;
    const auto pick = [&](std::initializer_list<int> values) {  // thousandths
        return decimal(values.begin()[rng.below(static_cast<int>(values.size()))], 3);
    };
    if (has(label, "汇率") || has(label, "中间价") || has(label, "卖出价") || has(label, "买入价"))
        return decimal(rng.between(600, 750), 2);
    if (has(label, "率") || has(label, "比例")) {
        // Rates a textbook would set for the tax or item the label names.
        if (has(label, "增值税")) return pick({170, 130});
        if (has(label, "消费税")) return pick({50, 100, 150, 200, 300});
        if (has(label, "所得税")) return pick({250, 150, 200});
        if (has(label, "营业税")) return pick({30, 50});
        if (has(label, "退税")) return pick({90, 130, 150, 170});
        if (has(label, "残值")) return pick({30, 40, 50});
        if (has(label, "月")) return pick({5, 10});
        if (has(label, "佣金") || has(label, "手续费")) return decimal(rng.between(2, 10) * 5, 3);
        return decimal(rng.between(4, 24) * 5, 3);  // 2 % … 12 % by halves
    }
    if (has(label, "天") || (has(label, "时间") && !has(label, "年") && !has(label, "月")))
        return std::to_string(std::initializer_list<int>{30, 60, 90, 120, 180}.begin()[rng.below(5)]);
    if (has(label, "季")) return std::to_string(rng.between(1, 4));
    if (has(label, "月") && (has(label, "期限") || has(label, "期") || has(label, "（月）")))
        return std::to_string(rng.between(1, 4) * 3);
    if (has(label, "年限") || has(label, "寿命") || has(label, "（年）") || has(label, "(年)") ||
        has(label, "期限") || has(label, "租期"))
        return std::to_string(rng.between(2, 10));
    if (has(label, "次数")) return std::to_string(rng.between(2, 6));
    if (has(label, "数量") || has(label, "股数") || has(label, "份额") || has(label, "工作量"))
        return std::to_string(rng.between(1, 100) * 10);
    if (has(label, "单价") || has(label, "每股") || has(label, "每套")) return std::to_string(rng.between(1, 200));
    amount = true;
    return std::to_string(rng.between(10, 1000) * 100);
}

// The boxes an exercise may fill: text boxes that hold no caption.
std::vector<std::string> fillable(const WindowDef& def) {
    std::vector<std::string> out;
    for (const ControlDef& c : def.controls)
        if (c.kind == ControlKind::TextBox && !c.heads && !isCaptionBox(c) &&
            std::find(out.begin(), out.end(), c.name) == out.end())
            out.push_back(c.name);
    return out;
}

std::string initialText(const WindowDef& def, const std::string& box) {
    const ControlDef* c = def.find(box);
    return c ? c->text : std::string();
}

int tasksOf(const RunResult& r) {
    return static_cast<int>(std::count_if(r.blocks.begin(), r.blocks.end(), [](const book::Block& b) { return b.balances(); }));
}

bool accepted(const RunResult& r) { return r.clean && tasksOf(r) > 0; }

// A tax amount right after an amount is that amount at a rate a textbook
// uses (13 % or 17 %): an amount of whole hundreds gives whole yuan.
bool isTaxAmount(const std::string& label) {
    return !has(label, "率") && (has(label, "增值税") || has(label, "税金") || has(label, "税额") || has(label, "税费"));
}

std::map<std::string, std::string> figureTexts(const WindowDef& def, const std::vector<std::string>& boxes, Rng& rng) {
    std::map<std::string, std::string> texts;
    std::string before;  // the amount drawn for the box before, if it was one
    for (const auto& b : boxes) {
        const std::string label = boxLabel(def, b);
        bool amount = false;
        std::string figure = drawFigure(label, rng, amount);
        if (isTaxAmount(label) && !before.empty()) {
            const long long base = std::stoll(before);
            figure = std::to_string(base * (rng.below(2) ? 17 : 13) / 100);
        }
        before = amount && !isTaxAmount(label) ? figure : std::string();
        texts[b] = figure;
    }
    return texts;
}

Rng rngFor(const std::string& form, const std::string& seed, int attempt) {
    std::uint64_t h = fnv1a(form);
    h = fnv1a(std::string_view("\0", 1), h);
    h = fnv1a(seed, h);
    h = fnv1a(std::string_view("\0", 1), h);
    h = fnv1a(std::to_string(attempt), h);
    return Rng(h);
}

// What a window offers practice: its compute buttons (those that print an
// entry that balances for some figures), or why it has none.
struct Offer {
    std::vector<std::string> buttons;
    std::string whyNot;
};

constexpr int kProbeAttempts = 16;
constexpr int kDrawAttempts = 64;
// How many figures the window takes are weighed against each other.
constexpr int kPreferAttempts = 4;

Offer probe(const std::string& form) {
    Offer o;
    if (!formNumber(form)) {
        o.whyNot = "no window " + form;
        return o;
    }
    const WindowDef def = describe(form);
    const auto boxes = fillable(def);
    bool printed = false, failed = false;
    for (const ControlDef& c : def.controls) {
        if (c.kind != ControlKind::Button || c.name == def.closeControl) continue;
        if (!def.handlers.count(c.name) || std::find(o.buttons.begin(), o.buttons.end(), c.name) != o.buttons.end())
            continue;
        WindowRunner runner(form);
        for (int a = 0; a < kProbeAttempts; ++a) {
            Rng rng = rngFor(form, "probe", a);
            const RunResult r = runner.run(figureTexts(def, boxes, rng), {c.name});
            if (!r.blocks.empty()) printed = true;
            if (!r.clean) failed = true;
            if (accepted(r)) {
                o.buttons.push_back(c.name);
                break;
            }
        }
    }
    if (o.buttons.empty())
        o.whyNot = boxes.empty()      ? "it has no box for a figure"
                   : !printed && failed ? "its figures never compute without a failure or a message"
                   : !printed          ? "it prints no entries"
                                       : "it prints no entry that balances";
    return o;
}

const Offer& offerOf(const std::string& form) {
    static std::mutex mutex;
    static std::map<std::string, Offer> known;
    std::lock_guard<std::mutex> lock(mutex);
    auto it = known.find(form);
    if (it == known.end()) it = known.emplace(form, probe(form)).first;
    return it->second;
}

}  // namespace

std::optional<std::string> whyNotPractised(const std::string& form) {
    const Offer& o = offerOf(form);
    if (o.buttons.empty()) return o.whyNot;
    return std::nullopt;
}

std::vector<std::string> practisedWindows() {
    std::vector<std::string> out;
    for (int n = 1; n <= kFormCount; ++n) {
        const std::string form = "Form" + std::to_string(n);
        if (!whyNotPractised(form)) out.push_back(form);
    }
    return out;
}

Exercise draw(const std::string& form, const std::string& seed) {
    if (seed.empty()) throw PracticeError(form + " cannot be practised: no seed");
    if (!formNumber(form)) throw PracticeError("no window " + form);
    const Offer& offer = offerOf(form);
    if (offer.buttons.empty()) throw PracticeError(form + " cannot be practised: " + offer.whyNot);
    const WindowDef def = describe(form);
    const auto boxes = fillable(def);
    // The seed chooses the transaction; figures are drawn until the window
    // takes them, the next derived seed each time.
    const int n = static_cast<int>(offer.buttons.size());
    const int first = rngFor(form, seed, -1).below(n);
    for (int k = 0; k < n; ++k) {
        const std::string button = offer.buttons[static_cast<std::size_t>((first + k) % n)];
        // Of the first few figures the window takes, those for which every
        // block balances and on which most boxes bear are kept (a box that
        // bears on nothing printed keeps its initial text).
        struct Found {
            std::map<std::string, std::string> texts;
            RunResult key;
            bool whole = false;
        };
        std::optional<Found> best;
        int tried = 0;
        WindowRunner runner(form);
        for (int a = 0; a < kDrawAttempts && tried < kPreferAttempts; ++a) {
            Rng rng = rngFor(form, seed, k * kDrawAttempts + a);
            auto texts = figureTexts(def, boxes, rng);
            RunResult key = runner.run(texts, {button});
            if (!accepted(key)) continue;
            ++tried;
            const std::size_t drawn = texts.size();
            for (const auto& b : boxes) {
                auto without = texts;
                without.erase(b);
                const RunResult r = runner.run(without, {button});
                if (r.clean && r.rows == key.rows) texts = std::move(without);
            }
            const bool whole = tasksOf(key) == static_cast<int>(key.blocks.size());
            if (!best || (whole && !best->whole) || (whole == best->whole && texts.size() > best->texts.size()))
                best = Found{std::move(texts), std::move(key), whole};
            if (best->whole && best->texts.size() == drawn) break;
        }
        if (best) {
            const auto& texts = best->texts;
            const RunResult& key = best->key;
            Exercise ex;
            ex.form = form;
            ex.seed = seed;
            for (const auto& b : boxes) {
                const auto t = texts.find(b);
                if (t == texts.end() || t->second == initialText(def, b)) continue;
                ex.figures.push_back({b, t->second, boxLabel(def, b)});
            }
            const ControlDef* c = def.find(button);
            ex.presses.push_back({button, c ? c->text : std::string()});
            ex.printed = key.rows;
            int number = 0;
            for (const book::Block& b : key.blocks) {
                if (!b.balances()) continue;
                Task t;
                for (const book::Block& before : key.blocks)
                    if (before.number < b.number && before.heading == b.heading) ++t.place;
                t.number = ++number;
                t.heading = b.heading;
                t.block = b.number;
                for (const book::Line& l : b.lines()) t.key.push_back({l.side, l.account, l.amount});
                ex.tasks.push_back(std::move(t));
            }
            return ex;
        }
    }
    throw PracticeError(form + " cannot be practised: no figures found that the window accepts for this seed");
}

}  // namespace kelmora::practice
