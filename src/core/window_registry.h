// Kelmora — the window descriptions of the program, registered by form name.
//
// Each window file describes its window and registers the description at
// start-up:
//
//     KELMORA_WINDOW(Form4, define);
//
// A window file includes this header and nothing of the application: it
// brings the Window its handlers work on.
#pragma once

#include <functional>
#include <string>

#include "core/window.h"

namespace kelmora {

// The program's windows are Form1 … Form150, every one of them registered.
constexpr int kFormCount = 150;

// 1 … 150 for "Form1" … "Form150"; 0 for any other name ("Form01", "form4").
int formNumber(const std::string& form);

using WindowFactory = std::function<WindowDef()>;

// Registers the description of a form.  A name that is no form, or one
// registered before, is refused with std::logic_error: two files claiming
// one window is a fault of the build, and at start-up it ends the program
// before anything is shown.
void registerWindow(const std::string& form, WindowFactory factory);

// The factory registered for a form, or nullptr.
const WindowFactory* registeredWindow(const std::string& form);

// Puts another description in place of a registered form's and returns the
// one it replaces: tests stand a deliberately faulty window in for a real one
// and put the real one back afterwards.
WindowFactory replaceWindow(const std::string& form, WindowFactory factory);

// Throws std::logic_error naming every form that has no description.  The
// application checks this once as it starts, so a window missing from the
// build fails loudly at once instead of when a user first asks for it.
void requireEveryWindow();

struct Registrar {
    Registrar(const char* form, WindowFactory factory) { registerWindow(form, std::move(factory)); }
};

}  // namespace kelmora

// Registers a window definition function under its form name.
#define KELMORA_WINDOW(form, definer) \
    static const ::kelmora::Registrar kelmoraRegistrar_##form{#form, definer}
