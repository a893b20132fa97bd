// Kelmora — the model's face for JavaScript: the web page's only way in.
//
// The page calls these functions (compiled to WebAssembly) with window and
// control names and the user's text, and gets JSON back: what the user now
// sees, as events in the order they happened — windows shown and hidden,
// message boxes, failures, box texts the program wrote, new printed rows.
// The page lays the windows out and shows the events; it computes nothing.
#include <emscripten/emscripten.h>

#include <ctime>
#include <exception>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/app.h"
#include "core/window_registry.h"
#include "web/book_page_texts.h"
#include "web/book_texts.h"
#include "web/json.h"
#include "web/reply.h"
#include "web/window_json.h"

namespace kelmora::web {

namespace {
std::string reply;  // what the last call returns; valid until the next call
}  // namespace

const char* answer(std::string s) {
    reply = std::move(s);
    return reply.c_str();
}

std::size_t replyLength() { return reply.size(); }

}  // namespace kelmora::web

namespace kelmora {
namespace {

// The texts of the page around the windows: the dialogs' title and button,
// the menu drawer, the printing band's commands and what a failed copy says.
const char kPageTexts[] =
    "{\"title\":\"Kelmora\",\"ok\":\"确定\",\"menu\":\"菜单\",\"copy\":\"复制\","
    "\"copyTable\":\"复制为表格\",\"print\":\"打印\",\"copyFailed\":\"无法复制。\"}";

std::string internalErrorText(const Window& w, const std::string& what) {
    // The technical detail stays in the text so that the user can pass it on
    // with a bug report.
    return "程序内部错误：窗口 " + w.def().caption + " 的操作没有完成，在出错处停止。其他窗口和已输入的数据不受影响，可以继续使用。\n\n详细信息：" + what + "";
}

// Collects what the user would see during one call, for the page to show in
// that order.  Message boxes cannot stop the handler in a page; they queue
// up, and the page shows them one after the other, each over the window that
// was in front when it came.
class PagePort : public Port {
public:
    void shown(Window& w) override {
        flushRows();
        event("show", w.name());
        events_ += '}';
    }
    void hidden(const Window& w) override {
        flushRows();
        event("hide", w.name());
        events_ += '}';
    }
    void messageBox(const Window& owner, const std::string& text) override { dialog("msgbox", owner, text); }
    void failure(const Window& w, const ArithmeticFailure& e) override {
        dialog("failure", w, failureMessage(w, e));
    }
    void internalError(const Window& w, const std::string& what) override {
        dialog("error", w, internalErrorText(w, what));
    }
    void quit() override {
        flushRows();
        if (!events_.empty()) events_ += ',';
        events_ += "{\"t\":\"quit\"}";
    }
    void textChanged(const Window& w, const std::string& box) override {
        event("text", w.name());
        events_ += ",\"box\":";
        json::quote(events_, box);
        events_ += ",\"value\":";
        json::quote(events_, w.textOf(box));
        events_ += '}';
    }
    void surfaceChanged(const Window& w) override {
        for (const Window* c : changed_)
            if (c == &w) return;
        changed_.push_back(&w);
    }

    // The events since the last call, as a JSON array.
    std::string take() {
        flushRows();
        std::string out = "[" + events_ + "]";
        events_.clear();
        return out;
    }
    // The page has drawn w as it is now (it asked for the whole window).
    void drawn(const Window& w) {
        const Surface& s = w.surface();
        std::vector<std::string>& sent = sent_[w.name()];
        sent.clear();
        for (std::size_t i = 0; i < s.rowCount(); ++i) sent.emplace_back(s.row(i));
    }
    void reset() {
        events_.clear();
        changed_.clear();
        sent_.clear();
    }

private:
    void event(const char* kind, const std::string& form) {
        if (!events_.empty()) events_ += ',';
        events_ += "{\"t\":\"";
        events_ += kind;
        events_ += "\",\"form\":";
        json::quote(events_, form);
    }
    void dialog(const char* kind, const Window& w, const std::string& text) {
        flushRows();
        event(kind, w.name());
        events_ += ",\"text\":";
        json::quote(events_, text);
        events_ += '}';
    }
    // The rows of each changed window from the first one the page does not
    // have yet: the page keeps the rows before it and replaces the rest.
    void flushRows() {
        for (const Window* w : changed_) {
            const Surface& s = w->surface();
            std::vector<std::string>& sent = sent_[w->name()];
            const std::size_t n = s.rowCount();
            std::size_t from = 0;
            while (from < n && from < sent.size() && s.row(from) == sent[from]) ++from;
            if (from == n && n == sent.size()) continue;
            event("rows", w->name());
            events_ += ",\"from\":" + std::to_string(from) + ",\"rows\":[";
            sent.resize(from);
            for (std::size_t i = from; i < n; ++i) {
                if (i > from) events_ += ',';
                appendRowJson(events_, s, i);
                sent.emplace_back(s.row(i));
            }
            events_ += "]}";
        }
        changed_.clear();
    }

    std::string events_;
    std::vector<const Window*> changed_;
    std::map<std::string, std::vector<std::string>> sent_;
};

PagePort port;
std::unique_ptr<App> app;
using web::answer;

Window* windowNamed(const char* form) {
    if (!app || !form || !formNumber(form)) return nullptr;
    return app->window(form);
}

}  // namespace
}  // namespace kelmora

using namespace kelmora;

extern "C" {

// Starts the program afresh (at first, and after 退出): every window as
// new, the main window shown.
EMSCRIPTEN_KEEPALIVE const char* kmStart() {
    app.reset();
    port.reset();
    app = std::make_unique<App>(port);
    app->start();
    return answer(port.take());
}

EMSCRIPTEN_KEEPALIVE const char* kmPageTexts() {
    // With the workbook's words: its menu and the band's 记入凭证 stand on the page from the start.
    static const std::string texts = std::string(kPageTexts, sizeof kPageTexts - 2) + ",\"book\":{\"desk\":" +
                                     web::kBookTexts + ",\"page\":" + web::kBookPageTexts + "}}";
    return answer(texts);
}

// The length in bytes of what the last call answered.
EMSCRIPTEN_KEEPALIVE std::size_t kmReplyLength() { return kelmora::web::replyLength(); }

// A window's description, box texts and rows; "null" for a name that is no
// window of the program.
EMSCRIPTEN_KEEPALIVE const char* kmWindow(const char* form) {
    Window* w = windowNamed(form);
    if (!w) return answer("null");
    port.drawn(*w);
    return answer(windowJson(*w));
}

// The user typed into a box: no event, the text is on the page already.
// The text comes with its length: whatever the box holds, NULs included.
EMSCRIPTEN_KEEPALIVE void kmType(const char* form, const char* box, const char* text, std::size_t length) {
    Window* w = windowNamed(form);
    if (w && w->def().isTextBox(box)) w->typeText(box, std::string(text, length));
}

EMSCRIPTEN_KEEPALIVE const char* kmClick(const char* form, const char* control) {
    if (Window* w = windowNamed(form); w && !app->ended() && w->def().find(control)) app->click(*w, control);
    return answer(port.take());
}

EMSCRIPTEN_KEEPALIVE const char* kmOpen(const char* form) {
    if (Window* w = windowNamed(form); w && !app->ended()) app->open(w->name());
    return answer(port.take());
}

// Chooses the menu item at a path of indices ("3/0/2") of a window's menu bar.
EMSCRIPTEN_KEEPALIVE const char* kmMenu(const char* form, const char* path) {
    Window* w = windowNamed(form);
    if (w && !app->ended())
        if (const MenuNode* item = menuAt(w->def(), path); item && item->action) {
            const Handler action = item->action;
            app->guarded(*w, [&] { action(*w); });
        }
    return answer(port.take());
}

// What a box's completion list offers for the text typed (length bytes), in
// its order.
EMSCRIPTEN_KEEPALIVE const char* kmComplete(const char* form, const char* box, const char* text, std::size_t length) {
    const std::string typed(text, length);
    std::string out = "[";
    if (Window* w = windowNamed(form)) {
        const auto& completions = w->def().completions;
        if (const auto it = completions.find(box); it != completions.end()) {
            bool first = true;
            for (const auto& item : it->second(typed)) {
                if (!first) out += ',';
                first = false;
                json::quote(out, item);
            }
        }
    }
    return answer(out + "]");
}

// What 复制 (the rows, one a line) and 复制为表格 (columns split by tabs)
// copy from a window.
EMSCRIPTEN_KEEPALIVE const char* kmCopy(const char* form, int asTable) {
    std::string out;
    if (Window* w = windowNamed(form)) {
        const std::vector<std::string> rows = asTable ? journalTable(w->surface()) : w->surface().rows();
        for (const auto& row : rows) out += row + "\n";
    }
    return answer(out);
}

// The heading of a printed page: the window's caption, then the date.
EMSCRIPTEN_KEEPALIVE const char* kmPrintDate(int year, int month, int day) {
    return answer(std::to_string(year) + "年" + std::to_string(month) + "月" + std::to_string(day) + "日");
}

}  // extern "C"
