#include "core/window.h"

#include <stdexcept>

#include "core/app.h"

namespace kelmora {

Window::Window(App& app, WindowDef def) : app_(app), def_(std::move(def)) {
    for (const auto& c : def_.controls)
        if (c.kind == ControlKind::TextBox) texts_[c.name] = c.text;
}

namespace {
// The text of a box, from a const or a mutable map alike.
template <typename Texts>
auto& boxIn(Texts& texts, const std::string& window, const std::string& name) {
    auto it = texts.find(name);
    if (it == texts.end()) throw std::logic_error(window + " has no text box " + name);
    return it->second;
}
}  // namespace

std::string& Window::box(const std::string& name) { return boxIn(texts_, def_.name, name); }

const std::string& Window::textOf(const std::string& name) const { return boxIn(texts_, def_.name, name); }

void Window::typeText(const std::string& name, std::string text) { box(name) = std::move(text); }

Num Window::field(const std::string& name) const { return fieldValue(textOf(name)); }

void Window::writeText(const std::string& name, std::string text) {
    box(name) = std::move(text);
    app_.port().textChanged(*this, name);
}

void Window::writeField(const std::string& name, Num x) { writeText(name, textForm(x.value())); }

void Window::clearBoxes(int first, int last) {
    for (int n = first; n <= last; ++n) {
        const std::string name = "Text" + std::to_string(n);
        if (hasTextBox(name)) writeText(name, "");
    }
}

Surface::Keep Window::keep() const { return visible_ ? Surface::Keep::Text : Surface::Keep::PositionOnly; }

void Window::text(std::string_view s) {
    surface_.writeLine(s, keep());
    app_.port().surfaceChanged(*this);
}

void Window::amount(std::string_view label, Num x) {
    surface_.writeAmount(label, x.isSet() ? numberText(x.value()) : std::string(), keep());
    app_.port().surfaceChanged(*this);
}

void Window::amountBySign(std::string_view whenPositive, std::string_view whenNegative, Num x) {
    if (x > 0) amount(whenPositive, x);
    if (x < 0) amount(whenNegative, -x);
}

void Window::blank() { text(""); }

void Window::cont(std::string_view s) {
    surface_.write(s, keep());
    app_.port().surfaceChanged(*this);
}

void Window::clear() {
    surface_.clear();
    app_.port().surfaceChanged(*this);
}

void Window::msgbox(const std::string& text) { app_.port().messageBox(*this, text); }

void Window::open(const std::string& form) { app_.open(form); }

void Window::hide() { app_.hide(def_.name); }

void Window::hide(const std::string& form) { app_.hide(form); }

}  // namespace kelmora
