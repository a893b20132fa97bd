#include "runner/runner.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <string>
#include <utility>
#include <vector>
#include <cerrno>
#include <cstring>

#include "book/money.h"
#include "core/app.h"
#include "runner/book_actions.h"
#include "runner/practice_actions.h"

namespace kelmora {

namespace {

class TranscriptPort : public Port {
public:
    explicit TranscriptPort(std::ostream& out) : out_(out) {}
    void shown(Window& w) override {
        if (started_) out_ << "show " << w.name() << '\n';
    }
    void start() { started_ = true; }  // the main window's first showing is not reported
    void hidden(const Window& w) override { out_ << "hide " << w.name() << '\n'; }
    void messageBox(const Window&, const std::string& text) override {
        out_ << "msgbox ";
        for (char c : text) {
            if (c == '\n')
                out_ << "\\n";
            else if (c != '\r')
                out_ << c;
        }
        out_ << '\n';
    }
    void failure(const Window& w, const ArithmeticFailure& e) override {
        out_ << "failure " << w.name() << ' ' << e.what() << '\n';
    }
    // The transcript format has no line for a fault of the program itself;
    // the runner reports it on standard error with the script line.
    void internalError(const Window& w, const std::string& what) override {
        faults_.push_back("internal error in " + w.name() + ": " + what);
    }
    void quit() override { out_ << "quit\n"; }

    std::vector<std::string> takeFaults() { return std::exchange(faults_, {}); }

private:
    std::ostream& out_;
    bool started_ = false;
    std::vector<std::string> faults_;
};

struct LineError {
    std::string reason;
};

// Splits "word rest" at the first space; rest is verbatim.
std::pair<std::string, std::string> splitWord(const std::string& s) {
    const auto sp = s.find(' ');
    if (sp == std::string::npos) return {s, ""};
    return {s.substr(0, sp), s.substr(sp + 1)};
}

// How `controls` names a control's kind.
const char* kindWord(ControlKind k) {
    switch (k) {
    case ControlKind::TextBox: return "box";
    case ControlKind::Button: return "button";
    case ControlKind::Label: return "label";
    case ControlKind::Heading: return "heading";
    case ControlKind::Frame: return "frame";
    }
    return "label";
}

class Runner {
public:
    Runner(std::ostream& out) : port_(out), app_(port_), out_(out) {
        app_.start();
        port_.start();
    }

    void perform(const std::string& line) {
        auto [action, rest] = splitWord(line);
        if (action == "keyword") {
            Window& main = app_.mainWindow();
            main.typeText("Text1", rest);
            app_.click(main, "Command1");
        } else if (action == "menu") {
            std::vector<std::string> path;
            std::string::size_type start = 0;
            for (;;) {
                const auto sep = rest.find(" > ", start);
                path.push_back(rest.substr(start, sep == std::string::npos ? std::string::npos : sep - start));
                if (sep == std::string::npos) break;
                start = sep + 3;
            }
            chooseMenu(path, rest);
        } else if (action == "open") {
            app_.open(windowNamed(rest).name());
        } else if (action == "set") {
            auto [target, text] = splitWord(rest);
            auto [w, control] = controlNamed(target);
            if (!w->def().isTextBox(control)) throw LineError{target + " is not a text box"};
            w->typeText(control, text);
        } else if (action == "click") {
            auto [w, control] = controlNamed(rest);
            const ControlDef* c = w->def().find(control);
            if (c->kind != ControlKind::Button && c->kind != ControlKind::TextBox)
                throw LineError{rest + " is neither a button nor a text box"};
            app_.click(*w, control);
        } else if (action == "surface") {
            Window& w = windowNamed(rest);
            out_ << "surface " << w.name() << '\n';
            for (const auto& row : w.surface().rows()) out_ << '|' << row << '\n';
        } else if (action == "text") {
            auto [w, control] = controlNamed(rest);
            if (!w->def().isTextBox(control)) throw LineError{rest + " is not a text box"};
            out_ << "text " << rest << '=' << w->textOf(control) << '\n';
        } else if (action == "complete") {
            const auto& completions = app_.mainWindow().def().completions;
            out_ << "complete " << rest << '\n';
            if (const auto box = completions.find("Text1"); box != completions.end())
                for (const auto& item : box->second(rest)) out_ << '|' << item << '\n';
        } else if (action == "controls") {
            const Window& w = windowNamed(rest);
            out_ << "controls " << w.name() << '\n';
            for (const ControlDef& c : w.def().controls) {
                const std::string text = c.kind == ControlKind::TextBox ? boxLabel(w.def(), c.name) : c.text;
                out_ << '|' << c.name << ' ' << kindWord(c.kind) << ' ' << text << '\n';
            }
        } else if (action == "table") {
            Window& w = windowNamed(rest);
            out_ << "table " << w.name() << '\n';
            for (const auto& row : journalTable(w.surface())) out_ << '|' << row << '\n';
        } else if (action == "state") {
            if (!formNumber(rest)) throw LineError{"no window " + rest};
            const Window* w = app_.existing(rest);
            out_ << "state " << rest << (w ? (w->visible() ? " visible" : " hidden") : " absent") << '\n';
        } else if (BookActions::handles(action)) {
            try {
                book_.perform(action, rest, out_, [this](const std::string& form) -> Window& { return windowNamed(form); });
            } catch (const book::BookError& e) {
                throw LineError{e.what()};
            }
        } else if (PracticeActions::handles(action)) {
            try {
                practice_.perform(action, rest, out_);
            } catch (const practice::PracticeError& e) {
                throw LineError{e.what()};
            }
        } else {
            throw LineError{"unknown action " + action};
        }
    }

    bool ended() const { return app_.ended(); }
    std::vector<std::string> takeFaults() { return port_.takeFaults(); }

private:
    // Walks the main window's menu bar as its description gives it, the same
    // tree the desktop program shows.  Choosing a submenu does nothing.
    void chooseMenu(const std::vector<std::string>& path, const std::string& text) {
        Window& main = app_.mainWindow();
        const std::vector<MenuNode>* level = &main.def().menu;
        const MenuNode* node = nullptr;
        for (const auto& caption : path) {
            const auto it = std::find_if(level->begin(), level->end(),
                                         [&](const MenuNode& n) { return n.caption == caption; });
            if (it == level->end()) throw LineError{"no menu item " + text};
            node = &*it;
            level = &node->children;
        }
        if (!node->action) return;
        const Handler action = node->action;
        app_.guarded(main, [&] { action(main); });
    }

    Window& windowNamed(const std::string& form) {
        if (!formNumber(form)) throw LineError{"no window " + form};
        return *app_.window(form);
    }

    std::pair<Window*, std::string> controlNamed(const std::string& target) {
        const auto dot = target.find('.');
        if (dot == std::string::npos) throw LineError{"expected FormN.Control, got " + target};
        Window& w = windowNamed(target.substr(0, dot));
        const std::string control = target.substr(dot + 1);
        if (!w.def().find(control)) throw LineError{w.name() + " has no control " + control};
        return {&w, control};
    }

    TranscriptPort port_;
    App app_;
    std::ostream& out_;
    BookActions book_;
    PracticeActions practice_;
};

}  // namespace

int runScript(std::istream& in, std::ostream& out, std::ostream& err) {
    Runner runner(out);
    int status = 0;
    const auto report = [&](int n, const std::string& reason) {
        out.flush();  // keep the message after the transcript lines before it
        err << "line " << n << ": " << reason << '\n';
        status = 2;
    };
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        // Editors on Windows start a UTF-8 file with a byte-order mark.
        if (n == 1 && line.rfind(kByteOrderMark, 0) == 0) line.erase(0, kByteOrderMark.size());
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        errno = 0;
        try {
            runner.perform(line);
        } catch (const LineError& e) {
            report(n, e.reason);
        } catch (const std::exception& e) {
            report(n, std::string("internal error: ") + e.what());
        }
        for (const auto& fault : runner.takeFaults()) report(n, fault);
        if (!out || runner.ended()) break;
    }
    out.flush();
    if (!out) {
        // An answer sheet that was not written must never pass for one that was.
        const int code = errno;
        err << "kelmora-script: cannot write the transcript";
        if (code) err << ": " << std::strerror(code);
        err << '\n';
        return kCannotWrite;
    }
    return status;
}

}  // namespace kelmora
