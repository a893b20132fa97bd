#include "core/app.h"

#include <charconv>
#include <map>

namespace kelmora {

namespace {
std::map<std::string, WindowFactory>& registry() {
    static std::map<std::string, WindowFactory> r;
    return r;
}
}  // namespace

void registerWindow(const std::string& form, WindowFactory factory) { registry()[form] = std::move(factory); }

bool isBuilt(const std::string& form) { return registry().count(form) != 0; }

int formNumber(const std::string& form) {
    if (form.size() < 5 || form.compare(0, 4, "Form") != 0 || form[4] == '0') return 0;
    int n = 0;
    const char* b = form.data() + 4;
    const char* e = form.data() + form.size();
    const auto r = std::from_chars(b, e, n);
    if (r.ec != std::errc() || r.ptr != e || n < 1 || n > App::kForms) return 0;
    return n;
}

App::App(Port& port) : port_(port) {}
App::~App() = default;

Window* App::existing(const std::string& form) const {
    const int n = formNumber(form);
    return n ? windows_[n].get() : nullptr;
}

Window* App::window(const std::string& form) {
    const int n = formNumber(form);
    if (!n) return nullptr;
    if (!windows_[n]) {
        auto it = registry().find(form);
        if (it == registry().end()) return nullptr;
        windows_[n] = std::make_unique<Window>(*this, it->second());
    }
    return windows_[n].get();
}

void App::open(const std::string& form) {
    Window* w = window(form);
    if (!w) return;  // not built yet: nothing happens
    w->visible_ = true;
    port_.shown(*w);
}

void App::hide(const std::string& form) {
    Window* w = window(form);
    if (!w) return;
    w->visible_ = false;
    w->surface_.eraseRows();
    port_.hidden(*w);
    port_.surfaceChanged(*w);
}

void App::guarded(Window& w, const std::function<void()>& f) {
    try {
        f();
    } catch (const ArithmeticFailure& e) {
        port_.failure(w, e);
    } catch (const std::exception& e) {
        // A fault in one window's description must not take the user's other
        // windows and their figures down with it.
        port_.internalError(w, e.what());
    } catch (...) {
        port_.internalError(w, "unknown exception");
    }
}

bool App::click(Window& w, const std::string& control) {
    auto it = w.def().handlers.find(control);
    if (it == w.def().handlers.end() || !it->second) return false;
    const Handler h = it->second;  // the handler may outlive nothing, but copy for safety
    guarded(w, [&] { h(w); });
    return true;
}

void App::endProgram() {
    ended_ = true;
    port_.quit();
}

std::string failureMessage(const Window& w, const ArithmeticFailure& e) {
    const char* what = "数值超出可以计算的范围（溢出）。";
    if (e.kind() == ArithmeticFailure::Kind::DivisionByZero) what = "除数为零。";
    if (e.kind() == ArithmeticFailure::Kind::NoSolution) what = "按输入的数据求不出结果。";
    return "窗口 " + w.def().caption + " 计算出错：" + what + "本次计算在出错处停止。";
}

}  // namespace kelmora
