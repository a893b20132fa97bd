// Kelmora — class sets, students' seeds, progress, answers scripts, grading.
#include "practice/class_set.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "core/window_registry.h"
#include "practice/model_run.h"
#include "shell/keyword_table.h"

namespace kelmora::practice {

using namespace detail;

namespace {

std::string_view trim(std::string_view s) {
    for (;;) {
        if (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
        else if (s.substr(0, 3) == "\u3000") s.remove_prefix(3);
        else break;
    }
    for (;;) {
        if (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
        else if (s.size() >= 3 && s.substr(s.size() - 3) == "\u3000") s.remove_suffix(3);
        else break;
    }
    return s;
}

std::vector<std::string_view> linesOf(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out.push_back(line);
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    return out;
}

bool hasControl(std::string_view s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

std::optional<int> wholeNumber(std::string_view s) {
    int n = 0;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), n);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || s.empty() || s[0] == '-' || s[0] == '+') return std::nullopt;
    return n;
}

// The form a set's 练习 line names: a form name, or a keyword that opens a
// window.
std::string formNamed(std::string_view text) {
    const std::string t(text);
    if (formNumber(t)) return t;
    for (const KeywordRow& r : keywordTable())
        if (r.action == KeywordAction::OpenWindow && t == r.keyword) return r.argument;
    return {};
}

std::vector<std::string> menuPath(std::string_view text) {
    std::vector<std::string> path;
    for (;;) {
        const auto sep = text.find('>');
        path.emplace_back(trim(text.substr(0, sep)));
        if (sep == std::string_view::npos) break;
        text.remove_prefix(sep + 1);
    }
    return path;
}

void collectForms(const MenuItem& item, std::vector<std::string>& out) {
    if (item.action == MenuAction::Open && std::find(out.begin(), out.end(), item.argument) == out.end())
        out.push_back(item.argument);
    for (const MenuItem& c : item.children) collectForms(c, out);
}

}  // namespace

SetError::SetError(int line, const std::string& reason)
    : std::runtime_error(line > 0 ? "第 " + std::to_string(line) + " 行：" + reason : reason), line_(line), reason_(reason) {}

int ClassSet::places() const {
    int n = 0;
    for (const SetItem& i : items) n += i.count;
    return n;
}

std::vector<std::string> groupWindows(const std::vector<std::string>& path) {
    std::vector<std::string> forms, out;
    const MenuItem* item = findMenuItem(path);
    if (!item) return out;
    collectForms(*item, forms);
    for (const auto& f : forms)
        if (!whyNotPractised(f)) out.push_back(f);
    return out;
}

ClassSet readClassSet(std::string_view text) {
    ClassSet s;
    bool titled = false, classed = false;
    const auto lines = linesOf(text);
    constexpr int kMaxCount = 50, kMaxPlaces = 200;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const std::string_view line = trim(lines[i]);
        if (line.empty() || line[0] == '#') continue;
        if (hasControl(line)) throw SetError(n, "这一行含有控制字符");
        // The key, then a blank or a colon (half- or full-width).
        std::size_t end = 0;
        while (end < line.size() && line[end] != ' ' && line[end] != ':' && line.substr(end, 3) != "：" &&
               line.substr(end, 3) != "\u3000")
            ++end;
        const std::string_view key = line.substr(0, end);
        std::string_view rest = line.substr(end);
        if (rest.substr(0, 3) == "：") rest.remove_prefix(3);
        else if (!rest.empty() && rest[0] == ':') rest.remove_prefix(1);
        rest = trim(rest);
        if (key == "标题" || key == "title") {
            if (titled) throw SetError(n, "标题写了两次");
            titled = true;
            s.title = std::string(rest);
        } else if (key == "班级" || key == "class") {
            if (classed) throw SetError(n, "班级代码写了两次");
            if (rest.empty()) throw SetError(n, "班级代码是空的");
            if (rest.size() > 64) throw SetError(n, "班级代码太长（最多 64 个字节）");
            classed = true;
            s.classCode = std::string(rest);
        } else if (key == "练习" || key == "window") {
            if (rest.empty()) throw SetError(n, "没有写练习哪个窗口");
            const std::string form = formNamed(rest);
            if (form.empty()) throw SetError(n, "找不到窗口或关键字「" + std::string(rest) + "」");
            if (whyNotPractised(form)) throw SetError(n, "「" + std::string(rest) + "」的窗口不能用来练习");
            s.items.push_back({form, {}, 1});
        } else if (key == "抽题" || key == "group") {
            const auto sp = rest.find_last_of(' ');
            const auto count = sp == std::string_view::npos ? std::nullopt : wholeNumber(rest.substr(sp + 1));
            if (!count) throw SetError(n, "抽题要写菜单和题数，例如「抽题 货币资金 3」");
            if (*count < 1 || *count > kMaxCount) throw SetError(n, "题数应在 1 到 50 之间");
            const auto path = menuPath(trim(rest.substr(0, sp)));
            if (!findMenuItem(path)) throw SetError(n, "找不到菜单「" + std::string(trim(rest.substr(0, sp))) + "」");
            if (groupWindows(path).empty()) throw SetError(n, "这个菜单下没有可以练习的窗口");
            s.items.push_back({{}, path, *count});
        } else {
            throw SetError(n, "看不懂这一行（可以写：标题、班级、练习、抽题）");
        }
        if (s.places() > kMaxPlaces) throw SetError(n, "一套练习最多 200 题");
    }
    if (!classed) throw SetError(0, "练习集缺少班级代码（一行「班级 代码」）");
    if (s.items.empty()) throw SetError(0, "练习集里没有练习（「练习 窗口」或「抽题 菜单 题数」）");
    return s;
}

std::string writeClassSet(const ClassSet& s) {
    std::string out;
    if (!s.title.empty()) out += "标题 " + s.title + "\n";
    out += "班级 " + s.classCode + "\n";
    for (const SetItem& i : s.items) {
        if (i.group.empty()) {
            out += "练习 " + i.form + "\n";
            continue;
        }
        out += "抽题 ";
        for (std::size_t k = 0; k < i.group.size(); ++k) out += (k ? " > " : "") + i.group[k];
        out += " " + std::to_string(i.count) + "\n";
    }
    return out;
}

std::optional<std::string> studentNumberProblem(std::string_view number) {
    if (number.empty()) return "请输入学号";
    if (number.size() > 32) return "学号太长（最多 32 个字节）";
    if (hasControl(number) || number.find(' ') != std::string_view::npos || number.find('/') != std::string_view::npos ||
        number.find("\u3000") != std::string_view::npos)
        return "学号里不能有空格、斜杠或控制字符";
    return std::nullopt;
}

std::string studentSeed(std::string_view classCode, std::string_view student, int place) {
    return std::string(classCode) + "/" + std::string(student) + "/" + std::to_string(place);
}

std::optional<SeedParts> seedParts(std::string_view seed) {
    const auto last = seed.rfind('/');
    if (last == std::string_view::npos || last == 0) return std::nullopt;
    const auto before = seed.rfind('/', last - 1);
    if (before == std::string_view::npos || before == 0) return std::nullopt;
    const auto place = wholeNumber(seed.substr(last + 1));
    if (!place || *place < 1) return std::nullopt;
    SeedParts p;
    p.classCode = std::string(seed.substr(0, before));
    p.student = std::string(seed.substr(before + 1, last - before - 1));
    p.place = *place;
    if (studentNumberProblem(p.student)) return std::nullopt;
    return p;
}

std::vector<Assignment> assignments(const ClassSet& s, std::string_view student) {
    if (const auto why = studentNumberProblem(student)) throw SetError(0, *why);
    std::vector<Assignment> out;
    int place = 0;
    for (std::size_t i = 0; i < s.items.size(); ++i) {
        const SetItem& item = s.items[i];
        if (item.group.empty()) {
            ++place;
            out.push_back({place, item.form, studentSeed(s.classCode, student, place)});
            continue;
        }
        // The group's windows in an order of the student's own; a count
        // beyond them starts the order again.
        std::vector<std::string> windows = groupWindows(item.group);
        Rng rng(fnv1a(studentSeed(s.classCode, student, place + 1) + "/group"));
        for (std::size_t k = windows.size(); k > 1; --k)
            std::swap(windows[k - 1], windows[static_cast<std::size_t>(rng.below(static_cast<int>(k)))]);
        for (int c = 0; c < item.count; ++c) {
            ++place;
            out.push_back({place, windows.empty() ? std::string() : windows[static_cast<std::size_t>(c) % windows.size()],
                           studentSeed(s.classCode, student, place)});
        }
    }
    return out;
}

// ---------------------------------------------------------------------------
// Progress

namespace {

std::string escaped(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '\\') out += "\\\\";
        else if (c == '\t') out += "\\t";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (++i == s.size()) return std::nullopt;
        switch (s[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    for (;;) {
        const auto tab = line.find('\t');
        out.push_back(line.substr(0, tab));
        if (tab == std::string_view::npos) break;
        line.remove_prefix(tab + 1);
    }
    return out;
}

constexpr std::string_view kProgressHeader = "kelmora-practice 1";

}  // namespace

std::string writeProgress(const Progress& p) {
    std::string out(kProgressHeader);
    out += "\ntitle\t" + escaped(p.title) + "\nclass\t" + escaped(p.classCode) + "\nstudent\t" + escaped(p.student) + "\n";
    for (const ExerciseProgress& e : p.exercises) {
        out += "exercise\t" + std::to_string(e.place) + "\t" + escaped(e.form) + "\t" + escaped(e.seed) + "\t" +
               std::string(levelName(e.level)) + "\t" + (e.ok ? std::to_string(*e.ok) : "") + "\t" +
               (e.total ? std::to_string(*e.total) : "") + "\n";
        for (std::size_t k = 0; k < e.sheet.size(); ++k)
            for (const TypedLine& l : e.sheet[k])
                out += "line\t" + std::to_string(k + 1) + "\t" + escaped(l.side) + "\t" + escaped(l.account) + "\t" +
                       escaped(l.amount) + "\n";
        // A task with no lines still has its place in the sheet.
        out += "tasks\t" + std::to_string(e.sheet.size()) + "\n";
    }
    return out;
}

std::optional<Progress> readProgress(std::string_view text) {
    const auto lines = linesOf(text);
    if (lines.empty() || lines[0] != kProgressHeader) return std::nullopt;
    Progress p;
    constexpr int kMaxTasks = 1000;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        const auto f = fields(lines[i]);
        std::vector<std::string> v;
        for (std::size_t k = 1; k < f.size(); ++k) {
            auto u = unescaped(f[k]);
            if (!u) return std::nullopt;
            v.push_back(std::move(*u));
        }
        const auto number = [](const std::string& s) -> std::optional<int> { return wholeNumber(s); };
        if (f[0] == "title" && v.size() == 1) {
            p.title = v[0];
        } else if (f[0] == "class" && v.size() == 1) {
            p.classCode = v[0];
        } else if (f[0] == "student" && v.size() == 1) {
            p.student = v[0];
        } else if (f[0] == "exercise" && v.size() == 6) {
            ExerciseProgress e;
            const auto place = number(v[0]);
            if (!place) return std::nullopt;
            e.place = *place;
            e.form = v[1];
            e.seed = v[2];
            if (v[3] == levelName(Level::Amounts)) e.level = Level::Amounts;
            else if (v[3] == levelName(Level::Entries)) e.level = Level::Entries;
            else return std::nullopt;
            if (!v[4].empty()) {
                e.ok = number(v[4]);
                if (!e.ok) return std::nullopt;
            }
            if (!v[5].empty()) {
                e.total = number(v[5]);
                if (!e.total) return std::nullopt;
            }
            p.exercises.push_back(std::move(e));
        } else if (f[0] == "line" && v.size() == 4 && !p.exercises.empty()) {
            const auto task = number(v[0]);
            if (!task || *task < 1 || *task > kMaxTasks) return std::nullopt;
            Sheet& s = p.exercises.back().sheet;
            if (static_cast<int>(s.size()) < *task) s.resize(static_cast<std::size_t>(*task));
            s[static_cast<std::size_t>(*task - 1)].push_back({v[1], v[2], v[3]});
        } else if (f[0] == "tasks" && v.size() == 1 && !p.exercises.empty()) {
            const auto n = number(v[0]);
            if (!n || *n > kMaxTasks) return std::nullopt;
            Sheet& s = p.exercises.back().sheet;
            if (static_cast<int>(s.size()) < *n) s.resize(static_cast<std::size_t>(*n));
        } else {
            return std::nullopt;
        }
    }
    return p;
}

// ---------------------------------------------------------------------------
// Answers scripts

namespace {
// A text on one line of a script.
std::string oneLine(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c == '\n' || c == '\r') c = ' ';
    return out;
}
}  // namespace

std::string answersScript(const Progress& p) {
    std::string out = "# 练习答卷";
    if (!p.title.empty()) out += "：" + oneLine(p.title);
    out += "\n# 班级 " + oneLine(p.classCode) + " 学号 " + oneLine(p.student) + "\n";
    for (const ExerciseProgress& e : p.exercises) {
        out += "exercise " + oneLine(e.form) + " " + oneLine(e.seed) + "\n";
        for (std::size_t k = 0; k < e.sheet.size(); ++k)
            for (const TypedLine& l : e.sheet[k]) {
                const ReadLine r = readLine(l);
                if (r.problem != LineProblem::None) continue;
                out += "answer " + std::to_string(k + 1) + " " + std::string(book::sideWord(r.entry.side)) + " " +
                       oneLine(r.entry.account) + " " + book::yuan(r.entry.amount) + "\n";
            }
        out += "check\n";
    }
    return out;
}

int readTaskNumber(std::string_view text, int tasks) {
    const auto k = wholeNumber(text);
    if (!k || *k < 1 || *k > tasks) throw PracticeError("no task " + std::string(text));
    return *k;
}

AnswerCommand readAnswerCommand(std::string_view rest, int tasks) {
    const char* usage = "expected answer K 借|贷 ACCOUNT AMOUNT";
    const auto sp1 = rest.find(' ');
    if (sp1 == std::string_view::npos) throw PracticeError(usage);
    AnswerCommand a;
    a.task = readTaskNumber(rest.substr(0, sp1), tasks);
    std::string_view after = rest.substr(sp1 + 1);
    const auto sp2 = after.find(' ');
    if (sp2 == std::string_view::npos) throw PracticeError(usage);
    const std::string_view side = after.substr(0, sp2);
    if (side == book::kDebitWord) a.entry.side = Side::Debit;
    else if (side == book::kCreditWord) a.entry.side = Side::Credit;
    else throw PracticeError("expected 借 or 贷, got " + std::string(side));
    after.remove_prefix(sp2 + 1);
    const auto last = after.rfind(' ');
    if (last == std::string_view::npos) throw PracticeError(usage);
    const std::string_view account = after.substr(0, last), amount = after.substr(last + 1);
    if (normalAccount(account).empty()) throw PracticeError("empty account");
    const auto cents = readAmount(amount);
    if (!cents || trim(amount).size() != amount.size()) throw PracticeError("not an amount: " + std::string(amount));
    a.entry.account = std::string(trim(account));
    a.entry.amount = *cents;
    return a;
}

// ---------------------------------------------------------------------------
// Grading

int points(const CheckResult& r) {
    if (r.total <= 0) return 0;
    return (200 * r.ok + r.total) / (2 * r.total);  // half up
}

GradedFile gradeText(std::string_view text, std::string path) {
    GradedFile g;
    g.path = std::move(path);
    const auto lines = linesOf(text);
    std::optional<Exercise> ex;
    std::vector<std::vector<Entry>> answers;
    int order = 0;
    const auto finish = [&] {
        if (!ex) return;
        GradedExercise e;
        e.form = ex->form;
        e.seed = ex->seed;
        e.place = order;
        if (const auto parts = seedParts(ex->seed)) {
            e.place = parts->place;
            if (g.student.empty()) {
                g.classCode = parts->classCode;
                g.student = parts->student;
            }
        }
        e.result = checkEntries(*ex, answers, /*hints=*/false);
        // An exercise of the same place given again replaces the earlier one.
        std::erase_if(g.exercises, [&](const GradedExercise& x) { return x.place == e.place; });
        g.exercises.push_back(std::move(e));
        ex.reset();
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string where = "line " + std::to_string(i + 1) + ": ";
        const std::string_view line = lines[i];
        if (line.empty() || line[0] == '#') continue;
        const auto sp = line.find(' ');
        const std::string_view action = line.substr(0, sp), rest = sp == std::string_view::npos ? "" : line.substr(sp + 1);
        try {
            if (action == "exercise") {
                finish();
                ++order;
                const auto s2 = rest.find(' ');
                const std::string form(rest.substr(0, s2));
                const std::string seed(s2 == std::string_view::npos ? "" : rest.substr(s2 + 1));
                ex = draw(form, seed);
                answers.assign(ex->tasks.size(), {});
            } else if (action == "answer") {
                if (!ex) throw PracticeError("no exercise");
                const AnswerCommand a = readAnswerCommand(rest, static_cast<int>(ex->tasks.size()));
                answers[static_cast<std::size_t>(a.task - 1)].push_back(a.entry);
            } else if (action == "unanswer") {
                if (!ex) throw PracticeError("no exercise");
                answers[static_cast<std::size_t>(readTaskNumber(rest, static_cast<int>(ex->tasks.size())) - 1)].clear();
            } else if (action == "check") {
                if (!ex) throw PracticeError("no exercise");
            } else {
                throw PracticeError("not a line of an answers file: " + std::string(action));
            }
        } catch (const PracticeError& e) {
            g.problems.push_back(where + e.what());
        }
    }
    finish();
    if (g.student.empty()) g.student = g.path;
    std::sort(g.exercises.begin(), g.exercises.end(),
              [](const GradedExercise& a, const GradedExercise& b) { return a.place < b.place; });
    return g;
}

namespace {

std::string csvLine(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        out += book::csvField(fields[i]);
    }
    return out + "\r\n";
}

// The mistakes one exercise shows, each once: a key line marked other than
// ok (by verdict, side and account, without amounts, which differ from
// student to student), an extra line's account, a hint's first words.
std::set<std::string> mistakesOf(const GradedExercise& e) {
    std::set<std::string> out;
    for (const TaskResult& t : e.result.tasks) {
        for (const Mark& m : t.marks) {
            if (m.verdict == Verdict::Ok) continue;
            out.insert(std::string(verdictText(m.verdict)) + "：" + std::string(book::sideWord(m.line.side)) + " " +
                       (m.verdict == Verdict::Extra ? m.line.account : m.line.account));
        }
    }
    return out;
}

}  // namespace

std::string gradebookCsv(const std::vector<GradedFile>& files, int mistakesPerPlace) {
    // One row per student: a later file for the same student adds to (and
    // for the same place replaces) what an earlier one gave.
    std::map<std::pair<std::string, std::string>, std::map<int, const GradedExercise*>> students;
    int places = 0;
    for (const GradedFile& f : files) {
        auto& row = students[{f.classCode, f.student}];
        for (const GradedExercise& e : f.exercises) {
            row[e.place] = &e;
            places = std::max(places, e.place);
        }
    }
    std::string out(book::kCsvByteOrderMark);
    std::vector<std::string> head = {"班级", "学号"};
    for (int p = 1; p <= places; ++p) head.push_back("题" + std::to_string(p));
    head.push_back("总分");
    out += csvLine(head);
    std::map<int, std::map<std::string, int>> mistakes;  // place → mistake → students
    for (const auto& [who, row] : students) {
        std::vector<std::string> cells = {who.first, who.second};
        int total = 0;
        for (int p = 1; p <= places; ++p) {
            const auto it = row.find(p);
            if (it == row.end()) {
                cells.emplace_back();
                continue;
            }
            const int pts = points(it->second->result);
            total += pts;
            cells.push_back(std::to_string(pts));
            for (const auto& m : mistakesOf(*it->second)) ++mistakes[p][m];
        }
        cells.push_back(std::to_string(total));
        out += csvLine(cells);
    }
    out += "\r\n";
    out += csvLine({"题号", "常见错误", "人数"});
    for (const auto& [place, counts] : mistakes) {
        std::vector<std::pair<std::string, int>> list(counts.begin(), counts.end());
        std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
        for (int i = 0; i < static_cast<int>(list.size()) && i < mistakesPerPlace; ++i)
            out += csvLine({"题" + std::to_string(place), list[static_cast<std::size_t>(i)].first,
                            std::to_string(list[static_cast<std::size_t>(i)].second)});
    }
    return out;
}

}  // namespace kelmora::practice
