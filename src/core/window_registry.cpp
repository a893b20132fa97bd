#include "core/window_registry.h"

#include <array>
#include <charconv>
#include <stdexcept>

namespace kelmora {

namespace {
// Indexed by form number; slot 0 stays empty.  A function-local static, so
// that registrars in other files may run before anything here is initialised.
std::array<WindowFactory, kFormCount + 1>& registry() {
    static std::array<WindowFactory, kFormCount + 1> r;
    return r;
}
}  // namespace

int formNumber(const std::string& form) {
    if (form.size() < 5 || form.compare(0, 4, "Form") != 0 || form[4] == '0') return 0;
    int n = 0;
    const char* b = form.data() + 4;
    const char* e = form.data() + form.size();
    const auto r = std::from_chars(b, e, n);
    if (r.ec != std::errc() || r.ptr != e || n < 1 || n > kFormCount) return 0;
    return n;
}

void registerWindow(const std::string& form, WindowFactory factory) {
    const int n = formNumber(form);
    if (!n) throw std::logic_error("window registered under \"" + form + "\", which is no form name");
    if (registry()[n]) throw std::logic_error(form + " is registered twice");
    if (!factory) throw std::logic_error(form + " is registered without a description");
    registry()[n] = std::move(factory);
}

const WindowFactory* registeredWindow(const std::string& form) {
    const int n = formNumber(form);
    return n && registry()[n] ? &registry()[n] : nullptr;
}

WindowFactory replaceWindow(const std::string& form, WindowFactory factory) {
    const int n = formNumber(form);
    if (!n || !registry()[n]) throw std::logic_error("no window " + form + " to replace");
    std::swap(registry()[n], factory);
    return factory;
}

void requireEveryWindow() {
    std::string missing;
    for (int n = 1; n <= kFormCount; ++n)
        if (!registry()[n]) missing += " Form" + std::to_string(n);
    if (!missing.empty()) throw std::logic_error("windows without a description:" + missing);
}

}  // namespace kelmora
