// Kelmora — reading a learner's lines, matching them with the key, and the
// hints that name the mistake.
#include <algorithm>
#include <limits>
#include <map>

#include "practice/exercise.h"
#include "practice/model_run.h"

namespace kelmora::practice {

using namespace detail;

namespace {

// The code point at s[i], moving i past it; a malformed byte is passed over
// as U+FFFD.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char lead = byte(i);
    const int len = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (len == 0 || i + len > s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t c = len == 1 ? lead : lead & (0x7F >> len);
    for (int k = 1; k < len; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    i += len;
    return c;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isBlank(char32_t c) { return c == ' ' || c == 0x3000 || c == '\t'; }

// s without blanks (U+0020, U+3000, tabs) at its ends.
std::string_view trimmed(std::string_view s) {
    const auto blankAt = [&](std::size_t i, std::size_t& len) {
        if (s[i] == ' ' || s[i] == '\t') return len = 1, true;
        if (s.substr(i, 3) == "\u3000") return len = 3, true;
        return false;
    };
    std::size_t len = 0;
    while (!s.empty() && blankAt(0, len)) s.remove_prefix(len);
    for (;;) {
        if (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
            s.remove_suffix(1);
        } else if (s.size() >= 3 && s.substr(s.size() - 3) == "\u3000") {
            s.remove_suffix(3);
        } else {
            break;
        }
    }
    return s;
}

}  // namespace

// ---------------------------------------------------------------------------
// Reading

std::string_view levelName(Level l) { return l == Level::Amounts ? "填金额" : "写分录"; }

std::optional<Cents> readAmount(std::string_view text) {
    std::string plain;  // half-width
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = nextCodePoint(text, i);
        if (c >= 0xFF10 && c <= 0xFF19) c = c - 0xFF10 + '0';
        if (c == 0xFF0E) c = '.';
        if (c == 0xFF0D) c = '-';
        if (c > 0x7F) {
            if (c == 0x3000) c = ' ';
            else return std::nullopt;
        }
        plain += static_cast<char>(c);
    }
    std::string_view s = trimmed(plain);
    bool negative = false;
    if (!s.empty() && s[0] == '-') {
        negative = true;
        s.remove_prefix(1);
    }
    std::size_t i = 0;
    Cents whole = 0;
    constexpr Cents kLimit = book::kMaxLineCents / 100;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        whole = whole * 10 + (s[i] - '0');
        if (whole > kLimit) return std::nullopt;
        ++i;
    }
    if (i == 0) return std::nullopt;
    Cents cents = 0;
    if (i < s.size()) {
        if (s[i] != '.') return std::nullopt;
        const std::string_view frac = s.substr(i + 1);
        if (frac.empty() || frac.size() > 2) return std::nullopt;
        for (char d : frac)
            if (d < '0' || d > '9') return std::nullopt;
        cents = (frac[0] - '0') * 10 + (frac.size() == 2 ? frac[1] - '0' : 0);
    }
    const Cents total = whole * 100 + cents;
    return negative ? -total : total;
}

Side readSide(std::string_view text) {
    const std::string_view s = trimmed(text);
    if (s == book::kDebitWord) return Side::Debit;
    if (s == book::kCreditWord) return Side::Credit;
    return Side::None;
}

ReadLine readLine(const TypedLine& line) {
    ReadLine r;
    r.entry.side = readSide(line.side);
    r.entry.account = std::string(trimmed(line.account));
    const auto amount = readAmount(line.amount);
    if (r.entry.side == Side::None)
        r.problem = LineProblem::NoSide;
    else if (normalAccount(r.entry.account).empty())
        r.problem = LineProblem::EmptyAccount;
    else if (!amount)
        r.problem = LineProblem::NotANumber;
    else
        r.entry.amount = *amount;
    return r;
}

std::string_view problemText(LineProblem p) {
    switch (p) {
    case LineProblem::None: return "";
    case LineProblem::NoSide: return "请选择借或贷";
    case LineProblem::EmptyAccount: return "请填写科目";
    case LineProblem::NotANumber: return "金额不是数字（如 1200 或 1200.50）";
    }
    return "";
}

Sheet startingSheet(const Exercise& ex, Level level) {
    Sheet sheet(ex.tasks.size());
    if (level == Level::Amounts)
        for (std::size_t k = 0; k < ex.tasks.size(); ++k)
            for (const Entry& e : ex.tasks[k].key) sheet[k].push_back({std::string(book::sideWord(e.side)), e.account, {}});
    return sheet;
}

std::string_view verdictWord(Verdict v) {
    switch (v) {
    case Verdict::Ok: return "ok";
    case Verdict::Side: return "side";
    case Verdict::Amount: return "amount";
    case Verdict::Missing: return "missing";
    case Verdict::Extra: return "extra";
    }
    return "";
}

std::string_view verdictText(Verdict v) {
    switch (v) {
    case Verdict::Ok: return "正确";
    case Verdict::Side: return "借贷方向错误";
    case Verdict::Amount: return "金额错误";
    case Verdict::Missing: return "缺少";
    case Verdict::Extra: return "多余";
    }
    return "";
}

// ---------------------------------------------------------------------------
// Accounts

const std::vector<OtherName>& otherNames() {
    // A learner writes the current name (or the full one); the windows print
    // some accounts under an older or shorter one.  Compared part by part
    // (the parts between "-").
    static const std::vector<OtherName> table = {
        {"应交税费", "应交税金"},
        {"税金及附加", "营业税金及附加"},
        {"税金及附加", "主营业务税金及附加"},
        {"累计摊销", "累积摊销"},
        {"待处理财产损溢", "待处理财产损益"},
        {"其他业务成本", "其他业务支出"},
        {"库存现金", "现金"},
        {"应交增值税（进项税额）", "应交增值税（进）"},
        {"应交增值税（销项税额）", "应交增值税（销）"},
        {"应交增值税（进项税额转出）", "应交增值税（进转出）"},
        // A heading printed on the line of the block's first account.
        {"银行存款", "收回债券银行存款"},
    };
    return table;
}

namespace {

// The account with parentheses full-width, dashes as "-", and no spaces.
std::string plainAccount(std::string_view account) {
    std::string out;
    for (std::size_t i = 0; i < account.size();) {
        char32_t c = nextCodePoint(account, i);
        if (isBlank(c)) continue;
        if (c == '(') c = 0xFF08;
        if (c == ')') c = 0xFF09;
        if (c == 0xFF0D || c == 0x2014) c = '-';
        appendUtf8(out, c);
    }
    return out;
}

const std::map<std::string, std::string>& partNames() {
    static const std::map<std::string, std::string> parts = [] {
        std::map<std::string, std::string> m;
        for (const OtherName& n : otherNames()) m[plainAccount(n.printed)] = plainAccount(n.written);
        return m;
    }();
    return parts;
}

}  // namespace

std::string normalAccount(std::string_view account) {
    const std::string plain = plainAccount(account);
    const auto& parts = partNames();
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const auto dash = plain.find('-', start);
        std::string part = plain.substr(start, dash == std::string::npos ? std::string::npos : dash - start);
        if (const auto it = parts.find(part); it != parts.end()) part = it->second;
        out += part;
        if (dash == std::string::npos) break;
        out += '-';
        start = dash + 1;
    }
    return out;
}

bool sameAccount(std::string_view a, std::string_view b) { return normalAccount(a) == normalAccount(b); }

// ---------------------------------------------------------------------------
// Matching

TaskResult match(const std::vector<Entry>& key, const std::vector<Entry>& answer) {
    TaskResult r;
    std::vector<std::string> keyNames, answerNames;
    for (const Entry& e : key) keyNames.push_back(normalAccount(e.account));
    for (const Entry& e : answer) answerNames.push_back(normalAccount(e.account));
    std::vector<int> taken(key.size(), -1);
    std::vector<bool> used(answer.size(), false);
    std::vector<Verdict> verdict(key.size(), Verdict::Missing);
    const auto pass = [&](Verdict v, auto fits) {
        for (std::size_t k = 0; k < key.size(); ++k) {
            if (taken[k] >= 0) continue;
            for (std::size_t a = 0; a < answer.size(); ++a) {
                if (used[a] || keyNames[k] != answerNames[a] || !fits(key[k], answer[a])) continue;
                used[a] = true;
                taken[k] = static_cast<int>(a);
                verdict[k] = v;
                break;
            }
        }
    };
    pass(Verdict::Ok, [](const Entry& k, const Entry& a) { return k.side == a.side && k.amount == a.amount; });
    pass(Verdict::Side, [](const Entry& k, const Entry& a) { return k.side != a.side && k.amount == a.amount; });
    pass(Verdict::Amount, [](const Entry& k, const Entry& a) { return k.side == a.side && k.amount != a.amount; });
    for (std::size_t k = 0; k < key.size(); ++k) {
        Mark m;
        m.verdict = verdict[k];
        m.line = key[k];
        m.answerLine = taken[k];
        if (m.verdict == Verdict::Amount) m.answered = answer[static_cast<std::size_t>(taken[k])].amount;
        if (m.verdict == Verdict::Ok) ++r.ok;
        r.marks.push_back(std::move(m));
    }
    for (std::size_t a = 0; a < answer.size(); ++a) {
        if (used[a]) continue;
        Mark m;
        m.verdict = Verdict::Extra;
        m.line = answer[a];
        m.answerLine = static_cast<int>(a);
        r.marks.push_back(std::move(m));
    }
    r.total = static_cast<int>(r.marks.size());
    return r;
}

// ---------------------------------------------------------------------------
// Hints

namespace {

// Lines as one text in an order of their own, accounts as compared: two
// lists of lines match in any order exactly when their signatures are equal.
// Accounts as compared, worked out once each (the runs of one exercise print
// the same few accounts again and again).
using NormalNames = std::map<std::string, std::string, std::less<>>;

const std::string& normalOf(const std::string& account, NormalNames& known) {
    auto it = known.find(account);
    if (it == known.end()) it = known.emplace(account, normalAccount(account)).first;
    return it->second;
}

std::string signature(const std::vector<Entry>& lines, NormalNames& known) {
    std::vector<std::string> parts;
    parts.reserve(lines.size());
    for (const Entry& e : lines)
        parts.push_back(std::to_string(static_cast<int>(e.side)) + '\t' + normalOf(e.account, known) + '\t' +
                        std::to_string(e.amount));
    std::sort(parts.begin(), parts.end());
    std::string out;
    for (const auto& p : parts) out += p + '\n';
    return out;
}

}  // namespace

struct Exercise::Variants {
    struct Block {
        std::string heading, signature;
    };
    struct Variant {
        std::vector<std::string> boxes;  // one left out, or two exchanged
        std::vector<Block> blocks;
    };
    std::vector<Variant> variants;
};

namespace {

// More figures than this are not exchanged pair by pair (the statement
// windows' dozens of boxes): the one-left-out hints still apply.
constexpr std::size_t kMaxPairedFigures = 24;

std::vector<Entry> entriesOf(const book::Block& b) {
    std::vector<Entry> out;
    for (const book::BlockRow& r : b.rows)
        if (r.counts() && r.read == book::CentsRead::Ok) out.push_back({r.side, r.account, r.amount});
    return out;
}

std::shared_ptr<const Exercise::Variants> variantsOf(const Exercise& ex) {
    if (ex.variants) return ex.variants;
    auto v = std::make_shared<Exercise::Variants>();
    std::map<std::string, std::string> texts;
    for (const Figure& f : ex.figures) texts[f.control] = f.value;
    std::vector<std::string> presses;
    for (const Press& p : ex.presses) presses.push_back(p.control);
    WindowRunner runner(ex.form);
    NormalNames known;
    const auto run = [&](std::vector<std::string> boxes, const std::map<std::string, std::string>& t) {
        const RunResult r = runner.run(t, presses);
        if (r.rows == ex.printed) return;
        Exercise::Variants::Variant variant{std::move(boxes), {}};
        for (const book::Block& b : r.blocks) variant.blocks.push_back({b.heading, signature(entriesOf(b), known)});
        v->variants.push_back(std::move(variant));
    };
    for (const Figure& f : ex.figures) {
        auto t = texts;
        t[f.control] = "";
        run({f.control}, t);
    }
    if (ex.figures.size() <= kMaxPairedFigures)
        for (std::size_t i = 0; i < ex.figures.size(); ++i)
            for (std::size_t j = i + 1; j < ex.figures.size(); ++j) {
                if (ex.figures[i].value == ex.figures[j].value) continue;
                auto t = texts;
                std::swap(t[ex.figures[i].control], t[ex.figures[j].control]);
                run({ex.figures[i].control, ex.figures[j].control}, t);
            }
    ex.variants = v;
    return v;
}

// The block of a run that stands where the task's block stands: the same
// heading, the same place among the blocks of that heading.
const Exercise::Variants::Block* counterpart(const std::vector<Exercise::Variants::Block>& blocks,
                                             const std::string& heading, int place) {
    int seen = 0;
    for (const auto& b : blocks)
        if (b.heading == heading && seen++ == place) return &b;
    return nullptr;
}

std::string quoted(const WindowDef& def, const std::string& box) { return "「" + boxName(def, box) + "」"; }

bool tenfold(Cents a, Cents b) {
    if (a == 0 || b == 0) return false;
    for (Cents f : {10, 100, 1000}) {
        if (a <= std::numeric_limits<Cents>::max() / f && a * f == b) return true;
        if (b <= std::numeric_limits<Cents>::max() / f && b * f == a) return true;
    }
    return false;
}

void addHints(const Exercise& ex, const Task& task, const std::vector<Entry>& answer, TaskResult& r,
              const WindowDef*& def, WindowDef& defStore) {
    if (answer.empty() || r.ok == r.total) return;
    const auto description = [&]() -> const WindowDef& {
        if (!def) {
            defStore = describe(ex.form);
            def = &defStore;
        }
        return *def;
    };
    // The figures that would give the learner's lines.
    const auto variants = variantsOf(ex);
    const int place = task.place;
    NormalNames known;
    const std::string mine = signature(answer, known);
    for (const auto& v : variants->variants) {
        const auto* b = counterpart(v.blocks, task.heading, place);
        if (!b || b->signature != mine) continue;
        const WindowDef& d = description();
        if (v.boxes.size() == 1)
            r.hints.push_back("你的分录与「" + boxName(d, v.boxes[0]) + "」没有填时算出的相同：请把" +
                              quoted(d, v.boxes[0]) + "算进去。");
        else
            r.hints.push_back("你的分录与把" + quoted(d, v.boxes[0]) + "和" + quoted(d, v.boxes[1]) +
                              "两个数对调后算出的相同：请核对这两个数各自的用处。");
        break;
    }
    // Every side reversed.
    const bool allSides = std::all_of(r.marks.begin(), r.marks.end(), [](const Mark& m) { return m.verdict == Verdict::Side; });
    if (allSides && !r.marks.empty()) r.hints.push_back("借方和贷方整个写反了。");
    // An amount off by a power of ten.
    for (const Mark& m : r.marks)
        if (m.verdict == Verdict::Amount && tenfold(m.line.amount, m.answered))
            r.hints.push_back("「" + m.line.account + "」的金额 " + book::yuan(m.answered) + " 的小数点位置不对。");
    // A line whose account is right but whose side and amount both are not.
    for (const Mark& e : r.marks) {
        if (e.verdict != Verdict::Extra) continue;
        for (const Mark& k : r.marks)
            if (k.verdict == Verdict::Missing && sameAccount(k.line.account, e.line.account)) {
                r.hints.push_back("「" + e.line.account + "」的借贷方向和金额都不对。");
                break;
            }
    }
    // Debits and credits that differ.
    Cents debit = 0, credit = 0;
    for (const Entry& e : answer) (e.side == Side::Debit ? debit : credit) += e.amount;
    if (debit != credit)
        r.hints.push_back("借方合计 " + book::yuan(debit) + " 与贷方合计 " + book::yuan(credit) + " 不相等。");
}

}  // namespace

CheckResult checkEntries(const Exercise& ex, const std::vector<std::vector<Entry>>& answers, bool hints) {
    CheckResult out;
    const WindowDef* def = nullptr;
    WindowDef defStore;
    for (std::size_t k = 0; k < ex.tasks.size(); ++k) {
        static const std::vector<Entry> none;
        const std::vector<Entry>& answer = k < answers.size() ? answers[k] : none;
        TaskResult r = match(ex.tasks[k].key, answer);
        r.task = ex.tasks[k].number;
        if (hints && !answer.empty() && r.ok != r.total) {
            addHints(ex, ex.tasks[k], answer, r, def, defStore);
        }
        out.ok += r.ok;
        out.total += r.total;
        out.tasks.push_back(std::move(r));
    }
    return out;
}

CheckResult check(const Exercise& ex, const Sheet& sheet) {
    std::vector<std::vector<Entry>> answers(ex.tasks.size());
    std::vector<std::vector<int>> index(ex.tasks.size());  // the sheet's line of each entry
    std::vector<std::vector<std::pair<int, LineProblem>>> problems(ex.tasks.size());
    for (std::size_t k = 0; k < ex.tasks.size() && k < sheet.size(); ++k)
        for (std::size_t i = 0; i < sheet[k].size(); ++i) {
            const TypedLine& t = sheet[k][i];
            // A line left wholly blank is no line.
            if (trimmed(t.side).empty() && trimmed(t.account).empty() && trimmed(t.amount).empty()) continue;
            const ReadLine r = readLine(t);
            if (r.problem != LineProblem::None) {
                problems[k].push_back({static_cast<int>(i), r.problem});
                continue;
            }
            answers[k].push_back(r.entry);
            index[k].push_back(static_cast<int>(i));
        }
    CheckResult out = checkEntries(ex, answers);
    for (std::size_t k = 0; k < out.tasks.size(); ++k) {
        for (Mark& m : out.tasks[k].marks)
            if (m.answerLine >= 0) m.answerLine = index[k][static_cast<std::size_t>(m.answerLine)];
        out.tasks[k].problems = problems[k];
    }
    return out;
}

}  // namespace kelmora::practice

namespace kelmora::practice {

const std::vector<std::string>& accountNames() {
    static const std::vector<std::string> all = {
#include "practice/account_names.inc"
    };
    return all;
}

}  // namespace kelmora::practice
