#include "core/app.h"

#include <stdexcept>

#include "core/window_names.h"

namespace kelmora {

App::App(Port& port) : port_(port) { requireEveryWindow(); }
App::~App() = default;

const Window* App::existing(const std::string& form) const {
    const int n = formNumber(form);
    return n ? windows_[n].get() : nullptr;
}

Window* App::window(const std::string& form) {
    const int n = formNumber(form);
    if (!n) return nullptr;
    // Every form has a description: the constructor made sure of it.
    if (!windows_[n]) windows_[n] = std::make_unique<Window>(*this, (*registeredWindow(form))());
    return windows_[n].get();
}

Window& App::named(const std::string& form) {
    Window* w = window(form);
    // Handlers and tables name windows in the code; an unknown name is a
    // fault of the program, not of the user.
    if (!w) throw std::logic_error("no window named \"" + form + "\"");
    return *w;
}

void App::open(const std::string& form) {
    Window& w = named(form);
    w.visible_ = true;
    port_.shown(w);
}

void App::hide(const std::string& form) {
    Window& w = named(form);
    w.visible_ = false;
    w.surface_.eraseRows();
    port_.hidden(w);
    port_.surfaceChanged(w);
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

void App::click(Window& w, const std::string& control) {
    auto it = w.def().handlers.find(control);
    if (it == w.def().handlers.end() || !it->second) return;
    const Handler h = it->second;  // the handler may outlive nothing, but copy for safety
    guarded(w, [&] { h(w); });
}

void App::endProgram() {
    ended_ = true;
    port_.quit();
}

std::string failureMessage(const Window& w, const ArithmeticFailure& e) {
    const char* what = "数值超出可以计算的范围（溢出）。";
    if (e.kind() == ArithmeticFailure::Kind::DivisionByZero) what = "除数为零。";
    if (e.kind() == ArithmeticFailure::Kind::NoSolution) what = "按输入的数据求不出结果。";
    // A window that knows why says so instead.
    const std::string reason = e.detail().empty() ? std::string(what) : e.detail();
    return "窗口 " + displayName(w.def()) + " 计算出错：" + reason + "本次计算在出错处停止。";
}

}  // namespace kelmora
