// Registering window descriptions, and the check the application makes as it
// starts.  This program links the core alone, so no real window is
// registered here.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/app.h"
#include "null_port.h"

using namespace kelmora;

namespace {

using kelmora::testing::NullPort;

WindowFactory titled(const std::string& caption) {
    return [caption] { return FormBuilder("Form7", caption).build(); };
}

std::string refusal(const std::string& form) {
    try {
        registerWindow(form, titled("other"));
    } catch (const std::logic_error& e) {
        return e.what();
    }
    return "accepted";
}

TEST(Registry, FormNamesAreExact) {
    const struct {
        const char* name;
        int number;
    } cases[] = {{"Form1", 1}, {"Form4", 4},  {"Form150", 150}, {"Form0", 0},   {"Form01", 0},  {"Form151", 0},
                 {"form4", 0}, {"Form4x", 0}, {" Form4", 0},    {"Form4 ", 0},  {"Form", 0},    {"Form-4", 0},
                 {"Form+4", 0}, {"", 0}};
    for (const auto& c : cases) EXPECT_EQ(formNumber(c.name), c.number) << '"' << c.name << '"';
}

// One test, for the registry is shared by every test of this program.
TEST(Registry, SecondRegistrationIsRefusedAndTheAppWantsEveryWindow) {
    registerWindow("Form7", titled("first"));
    EXPECT_NE(refusal("Form7").find("Form7"), std::string::npos);
    EXPECT_EQ((*registeredWindow("Form7"))().caption, "first");  // the first one stands
    EXPECT_NE(refusal("Form151"), "accepted");
    EXPECT_NE(refusal("form8"), "accepted");
    EXPECT_EQ(registeredWindow("Form8"), nullptr);

    NullPort port;
    try {
        App app(port);
        ADD_FAILURE() << "the application started with windows missing";
    } catch (const std::logic_error& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find(" Form1 "), std::string::npos) << what;
        EXPECT_NE(what.find(" Form6 Form8 "), std::string::npos) << what;  // Form7 is there
        EXPECT_EQ(what.substr(what.size() - 8), " Form150") << what;
    }
}

}  // namespace
