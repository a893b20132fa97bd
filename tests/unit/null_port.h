// A port that lets the model run and records nothing; a test overrides the
// callbacks it watches.
#pragma once

#include <string>

#include "core/app.h"

namespace kelmora::testing {

struct NullPort : Port {
    void shown(Window&) override {}
    void hidden(const Window&) override {}
    void messageBox(const Window&, const std::string&) override {}
    void failure(const Window&, const ArithmeticFailure&) override {}
    void quit() override {}
};

}  // namespace kelmora::testing
