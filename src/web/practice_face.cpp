// Kelmora — practice's face for JavaScript: the web page's answer sheet, its
// class sets and their progress all come from here.
//
// The face holds the exercise the page shows and, once a student has opened a
// class set, the set and the student's progress; the page keeps nothing but
// what the user typed.  Answer sheets come in as text: lines split by U+001E,
// each "TASK␟SIDE␟ACCOUNT␟AMOUNT" split by U+001F (the page takes those two
// characters out of what the user typed).  Everything goes back as JSON.
#include <emscripten/emscripten.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "book/money.h"
#include "core/app.h"
#include "core/window_names.h"
#include "core/window_registry.h"
#include "web/reply.h"
#include "practice/class_set.h"
#include "practice/exercise.h"
#include "shell/keyword_table.h"
#include "web/json.h"
#include "web/window_json.h"

namespace kelmora {
namespace {

using namespace practice;

// The words of the practice view; the buttons' names are those the menus
// and buttons go by on every face.
const char kPracticeTexts[] =
    "{\"practise\":\"练习\",\"amounts\":\"填金额\",\"entries\":\"写分录\","
    "\"check\":\"检查\",\"showKey\":\"显示答案\",\"next\":\"下一题\",\"save\":\"保存答卷\","
    "\"debit\":\"借\",\"credit\":\"贷\",\"side\":\"方向\",\"account\":\"科目\",\"amount\":\"金额\","
    "\"sheet\":\"答题\",\"task\":\"第 {k} 笔分录\",\"line\":\"第 {n} 行\",\"noHeading\":\"（无标题）\","
    "\"addLine\":\"添加一行\",\"removeLine\":\"删除这一行\",\"level\":\"难度\","
    "\"score\":\"得分：{ok}/{total}\",\"full\":\"全部正确。\",\"missing\":\"@missing@ {n} 行\",\"hints\":\"提示\","
    "\"key\":\"答案\",\"leave\":\"结束练习\",\"byKeyword\":\"按关键字练习（主窗口输入框中的关键字）\","
    "\"drawFrom\":\"随机抽题\",\"noWindow\":\"主窗口输入框中的关键字没有对应可以练习的窗口。\","
    "\"cannot\":\"这个窗口不能用来练习。\",\"openSet\":\"打开练习集文件\",\"set\":\"练习集\","
    "\"student\":\"学号\",\"begin\":\"开始\",\"place\":\"第 {p} 题\",\"notChecked\":\"未检查\","
    "\"keys\":\"打印答案\",\"students\":\"学号（每行一个）\",\"keysFor\":\"答案：学号 {s}\","
    "\"figures\":\"题目数据\",\"setLink\":\"练习集链接\",\"badLink\":\"链接中的练习集无法读取：\","
    "\"stored\":\"进度保存在本浏览器中。\",\"checked\":\"已检查\",\"ofSet\":\"练习集：{t}（班级 {c}，学号 {s}）\"}";

App& scratch() {
    static SilentPort port;
    static App app(port);
    return app;
}

using web::answer;

std::optional<Exercise> exercise;
std::optional<ClassSet> classSet;
std::optional<Progress> progress;

const char* sideText(Side s) {
    return s == Side::Debit ? book::kDebitWord.data() : s == Side::Credit ? book::kCreditWord.data() : "";
}

void appendEntry(std::string& out, const Entry& e) {
    out += "{\"side\":";
    json::quote(out, sideText(e.side));
    out += ",\"account\":";
    json::quote(out, e.account);
    out += ",\"amount\":";
    json::quote(out, book::yuan(e.amount));
    out += '}';
}

void appendStrings(std::string& out, const std::vector<std::string>& items) {
    out += '[';
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) out += ',';
        json::quote(out, items[i]);
    }
    out += ']';
}

void appendSheet(std::string& out, const Sheet& sheet) {
    out += '[';
    for (std::size_t t = 0; t < sheet.size(); ++t) {
        if (t) out += ',';
        out += '[';
        for (std::size_t i = 0; i < sheet[t].size(); ++i) {
            const TypedLine& l = sheet[t][i];
            if (i) out += ',';
            out += "{\"side\":";
            json::quote(out, l.side);
            out += ",\"account\":";
            json::quote(out, l.account);
            out += ",\"amount\":";
            json::quote(out, l.amount);
            out += '}';
        }
        out += ']';
    }
    out += ']';
}

// The sheet the page sends: as the file's comment describes.
Sheet readSheet(std::string_view text, std::size_t tasks) {
    Sheet sheet(tasks);
    while (!text.empty()) {
        const auto end = text.find('\x1e');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        std::vector<std::string> f;
        for (;;) {
            const auto sep = line.find('\x1f');
            f.emplace_back(line.substr(0, sep));
            if (sep == std::string_view::npos) break;
            line.remove_prefix(sep + 1);
        }
        if (f.size() != 4) continue;
        const std::size_t task = std::strtoul(f[0].c_str(), nullptr, 10);
        if (task < 1 || task > tasks) continue;
        sheet[task - 1].push_back({f[1], f[2], f[3]});
    }
    return sheet;
}

Level levelNamed(std::string_view name) { return name == "amounts" ? Level::Amounts : Level::Entries; }
const char* levelWord(Level l) { return l == Level::Amounts ? "amounts" : "entries"; }

std::string caption(const std::string& form) {
    Window* w = scratch().window(form);
    return w ? displayName(w->def()) : form;
}

// The exercise as the page draws it: the window with the exercise's figures
// in its boxes, the tasks, the starting sheet of the level.
std::string exerciseJson(const Exercise& ex, Level level) {
    std::string out = "{\"form\":";
    json::quote(out, ex.form);
    out += ",\"seed\":";
    json::quote(out, ex.seed);
    out += ",\"level\":\"";
    out += levelWord(level);
    out += "\",\"name\":";
    json::quote(out, caption(ex.form));
    // A fresh window of the scratch model, with the figures typed in.
    App& app = scratch();
    Window* w = app.window(ex.form);
    for (const ControlDef& c : w->def().controls)
        if (c.kind == ControlKind::TextBox) w->typeText(c.name, w->def().find(c.name)->text);
    for (const Figure& f : ex.figures) w->typeText(f.control, f.value);
    out += ",\"window\":" + windowJson(*w);
    out += ",\"figures\":[";
    for (std::size_t i = 0; i < ex.figures.size(); ++i) {
        if (i) out += ',';
        out += "{\"control\":";
        json::quote(out, ex.figures[i].control);
        out += ",\"value\":";
        json::quote(out, ex.figures[i].value);
        out += ",\"label\":";
        json::quote(out, ex.figures[i].label);
        out += '}';
    }
    out += "],\"tasks\":[";
    for (std::size_t i = 0; i < ex.tasks.size(); ++i) {
        if (i) out += ',';
        out += "{\"number\":" + std::to_string(ex.tasks[i].number) + ",\"heading\":";
        json::quote(out, ex.tasks[i].heading);
        out += '}';
    }
    out += "],\"sheet\":";
    appendSheet(out, startingSheet(ex, level));
    out += '}';
    return out;
}

std::string keyJson(const Exercise& ex) {
    std::string out = "{\"tasks\":[";
    for (std::size_t i = 0; i < ex.tasks.size(); ++i) {
        const Task& t = ex.tasks[i];
        if (i) out += ',';
        out += "{\"number\":" + std::to_string(t.number) + ",\"heading\":";
        json::quote(out, t.heading);
        out += ",\"key\":[";
        for (std::size_t k = 0; k < t.key.size(); ++k) {
            if (k) out += ',';
            appendEntry(out, t.key[k]);
        }
        out += "]}";
    }
    out += "],\"printed\":";
    appendStrings(out, ex.printed);
    out += '}';
    return out;
}

std::string resultJson(const CheckResult& r) {
    std::string out = "{\"ok\":" + std::to_string(r.ok) + ",\"total\":" + std::to_string(r.total) +
                      ",\"full\":" + (r.full() ? "true" : "false") + ",\"tasks\":[";
    for (std::size_t i = 0; i < r.tasks.size(); ++i) {
        const TaskResult& t = r.tasks[i];
        if (i) out += ',';
        out += "{\"task\":" + std::to_string(t.task) + ",\"ok\":" + std::to_string(t.ok) +
               ",\"total\":" + std::to_string(t.total) + ",\"marks\":[";
        for (std::size_t k = 0; k < t.marks.size(); ++k) {
            const Mark& m = t.marks[k];
            if (k) out += ',';
            out += "{\"verdict\":";
            json::quote(out, verdictWord(m.verdict));
            out += ",\"text\":";
            json::quote(out, verdictText(m.verdict));
            out += ",\"entry\":";
            appendEntry(out, m.line);
            if (m.verdict == Verdict::Amount) {
                out += ",\"answered\":";
                json::quote(out, book::yuan(m.answered));
            }
            out += ",\"line\":" + std::to_string(m.answerLine) + '}';
        }
        out += "],\"hints\":";
        appendStrings(out, t.hints);
        out += ",\"problems\":[";
        for (std::size_t k = 0; k < t.problems.size(); ++k) {
            if (k) out += ',';
            out += "{\"line\":" + std::to_string(t.problems[k].first) + ",\"text\":";
            json::quote(out, problemText(t.problems[k].second));
            out += '}';
        }
        out += "]}";
    }
    out += "]}";
    return out;
}

std::string errorJson(const std::string& text) { return "{\"error\":" + json::quoted(text) + "}"; }

std::string progressJson(const Progress& p) {
    std::string out = "{\"title\":";
    json::quote(out, p.title);
    out += ",\"classCode\":";
    json::quote(out, p.classCode);
    out += ",\"student\":";
    json::quote(out, p.student);
    out += ",\"exercises\":[";
    for (std::size_t i = 0; i < p.exercises.size(); ++i) {
        const ExerciseProgress& e = p.exercises[i];
        if (i) out += ',';
        out += "{\"place\":" + std::to_string(e.place) + ",\"form\":";
        json::quote(out, e.form);
        out += ",\"name\":";
        json::quote(out, caption(e.form));
        out += ",\"seed\":";
        json::quote(out, e.seed);
        out += ",\"level\":\"";
        out += levelWord(e.level);
        out += "\",\"sheet\":";
        appendSheet(out, e.sheet);
        if (e.ok && e.total) out += ",\"ok\":" + std::to_string(*e.ok) + ",\"total\":" + std::to_string(*e.total);
        out += '}';
    }
    out += "]}";
    return out;
}

ExerciseProgress* progressAt(int place) {
    if (!progress) return nullptr;
    for (ExerciseProgress& e : progress->exercises)
        if (e.place == place) return &e;
    return nullptr;
}

}  // namespace
}  // namespace kelmora

using namespace kelmora;
using namespace kelmora::practice;

extern "C" {

// The words, with the checker's own word for a missing line.
EMSCRIPTEN_KEEPALIVE const char* kmPracticeTexts() {
    static const std::string texts = [] {
        std::string t = kPracticeTexts;
        const std::string mark = "@missing@";
        t.replace(t.find(mark), mark.size(), verdictText(Verdict::Missing));
        return t;
    }();
    return answer(texts);
}

// The main menu's top-level groups that hold a window that can be practised:
// [{index, caption}], for 随机抽题.
EMSCRIPTEN_KEEPALIVE const char* kmPracticeGroups() {
    std::string out = "[";
    const auto& menu = menuTree();
    bool first = true;
    for (std::size_t i = 0; i < menu.size(); ++i) {
        if (groupWindows({menu[i].caption}).empty()) continue;
        if (!first) out += ',';
        first = false;
        out += "{\"index\":" + std::to_string(i) + ",\"caption\":";
        json::quote(out, menu[i].caption);
        out += '}';
    }
    return answer(out + "]");
}

// The window a keyword (or a form name) opens, when it can be practised;
// empty otherwise.
EMSCRIPTEN_KEEPALIVE const char* kmPracticeFormFor(const char* keyword) {
    const std::string k = keyword ? keyword : "";
    std::string form;
    if (formNumber(k)) form = k;
    for (const KeywordRow& r : keywordTable())
        if (form.empty() && r.action == KeywordAction::OpenWindow && k == r.keyword) form = r.argument;
    if (!form.empty() && whyNotPractised(form)) form.clear();
    return answer(form);
}

// A window of the top-level menu group `index`, chosen by `pick` (any
// number: the page draws it at random).
EMSCRIPTEN_KEEPALIVE const char* kmPracticeFromGroup(int index, unsigned pick) {
    const auto& menu = menuTree();
    if (index < 0 || static_cast<std::size_t>(index) >= menu.size()) return answer("");
    const auto forms = groupWindows({menu[static_cast<std::size_t>(index)].caption});
    return answer(forms.empty() ? std::string() : forms[pick % forms.size()]);
}

// Starts an exercise: the window and seed, the level ("amounts" 填金额,
// "entries" 写分录).  {"error": …} for a window that cannot be practised.
EMSCRIPTEN_KEEPALIVE const char* kmPracticeStart(const char* form, const char* seed, const char* level) {
    try {
        exercise = draw(form, seed);
        return answer(exerciseJson(*exercise, levelNamed(level)));
    } catch (const std::exception& e) {
        exercise.reset();
        return answer(errorJson(e.what()));
    }
}

// Checks the sheet against the exercise's key.
EMSCRIPTEN_KEEPALIVE const char* kmPracticeCheck(const char* sheet) {
    if (!exercise) return answer("null");
    return answer(resultJson(check(*exercise, readSheet(sheet, exercise->tasks.size()))));
}

// The exercise's key and the rows the window prints: 显示答案.
EMSCRIPTEN_KEEPALIVE const char* kmPracticeKey() {
    if (!exercise) return answer("null");
    return answer(keyJson(*exercise));
}

// What the account box's completion list offers for the text typed.
EMSCRIPTEN_KEEPALIVE const char* kmPracticeComplete(const char* typed) {
    std::string out;
    appendStrings(out, completeAccount(typed ? typed : ""));
    return answer(out);
}

// Reads a class set's text: {title, classCode, places} or {"error": the
// message naming the line}.  Until a student number is given the set has no
// progress.
EMSCRIPTEN_KEEPALIVE const char* kmSetOpen(const char* text) {
    try {
        ClassSet s = readClassSet(text);
        classSet = std::move(s);
        progress.reset();
        std::string out = "{\"title\":";
        json::quote(out, classSet->title);
        out += ",\"classCode\":";
        json::quote(out, classSet->classCode);
        out += ",\"places\":" + std::to_string(classSet->places()) + ",\"text\":";
        json::quote(out, writeClassSet(*classSet));
        return answer(out + "}");
    } catch (const SetError& e) {
        return answer(errorJson(e.what()));
    }
}

// The student's exercises of the open set, with what the student had typed
// and checked when `stored` (kept by the page) is progress of the same set
// and student; otherwise afresh.  {"error": …} for a number that cannot be
// one.
EMSCRIPTEN_KEEPALIVE const char* kmSetStudent(const char* student, const char* stored) {
    if (!classSet) return answer("null");
    std::vector<Assignment> list;
    try {
        list = assignments(*classSet, student);
    } catch (const SetError& e) {
        return answer(errorJson(e.reason()));
    }
    Progress p;
    p.title = classSet->title;
    p.classCode = classSet->classCode;
    p.student = student;
    const std::optional<Progress> old = readProgress(stored ? stored : "");
    for (const Assignment& a : list) {
        ExerciseProgress e;
        e.place = a.place;
        e.form = a.form;
        e.seed = a.seed;
        if (old && old->classCode == p.classCode && old->student == p.student)
            for (const ExerciseProgress& o : old->exercises)
                if (o.place == a.place && o.form == a.form && o.seed == a.seed) e = o;
        p.exercises.push_back(std::move(e));
    }
    progress = std::move(p);
    return answer(progressJson(*progress));
}

// Keeps the sheet, level and last score (-1: none) of the exercise at a
// place; returns the progress as the page stores it.
EMSCRIPTEN_KEEPALIVE const char* kmSetKeep(int place, const char* level, const char* sheet, int ok, int total) {
    ExerciseProgress* e = progressAt(place);
    if (!e) return answer("");
    e->level = levelNamed(level);
    std::size_t tasks = 0;
    try {
        tasks = draw(e->form, e->seed).tasks.size();
    } catch (const PracticeError&) {
        tasks = 0;
    }
    e->sheet = readSheet(sheet, tasks);
    if (ok >= 0 && total >= 0) {
        e->ok = ok;
        e->total = total;
    } else {
        e->ok.reset();
        e->total.reset();
    }
    return answer(writeProgress(*progress));
}

// 保存答卷: the student's answers as a runner script.
EMSCRIPTEN_KEEPALIVE const char* kmSetAnswers() {
    if (!progress) return answer("");
    return answer(answersScript(*progress));
}

// The keys of the open set for the student numbers (one a line): per
// student, per exercise, the window, the figures and the key.  Numbers that
// cannot be one are passed back under "bad".
EMSCRIPTEN_KEEPALIVE const char* kmSetKeys(const char* students) {
    if (!classSet) return answer("null");
    std::string out = "{\"title\":";
    json::quote(out, classSet->title);
    out += ",\"classCode\":";
    json::quote(out, classSet->classCode);
    out += ",\"students\":[";
    std::vector<std::string> bad;
    std::string_view rest = students ? students : "";
    bool firstStudent = true;
    while (!rest.empty()) {
        const auto nl = rest.find('\n');
        std::string s(rest.substr(0, nl));
        rest = nl == std::string_view::npos ? std::string_view() : rest.substr(nl + 1);
        while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.pop_back();
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.erase(0, 1);
        if (s.empty()) continue;
        if (studentNumberProblem(s)) {
            bad.push_back(s);
            continue;
        }
        if (!firstStudent) out += ',';
        firstStudent = false;
        out += "{\"student\":";
        json::quote(out, s);
        out += ",\"exercises\":[";
        bool firstExercise = true;
        for (const Assignment& a : assignments(*classSet, s)) {
            if (!firstExercise) out += ',';
            firstExercise = false;
            out += "{\"place\":" + std::to_string(a.place) + ",\"form\":";
            json::quote(out, a.form);
            out += ",\"name\":";
            json::quote(out, caption(a.form));
            out += ",\"seed\":";
            json::quote(out, a.seed);
            try {
                const Exercise ex = draw(a.form, a.seed);
                out += ",\"figures\":[";
                for (std::size_t i = 0; i < ex.figures.size(); ++i) {
                    if (i) out += ',';
                    out += "{\"label\":";
                    json::quote(out, ex.figures[i].label.empty() ? ex.figures[i].control : ex.figures[i].label);
                    out += ",\"value\":";
                    json::quote(out, ex.figures[i].value);
                    out += '}';
                }
                out += "],\"key\":" + keyJson(ex);
            } catch (const PracticeError& e) {
                out += ",\"error\":";
                json::quote(out, e.what());
            }
            out += '}';
        }
        out += "]}";
    }
    out += "],\"bad\":";
    appendStrings(out, bad);
    return answer(out + "}");
}

}  // extern "C"
