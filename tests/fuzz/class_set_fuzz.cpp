// Any bytes as a class set file, and as the progress a face keeps: the
// readers either read it or say which line they cannot read, and never
// crash or hang.  A set they read is written out and read back the same,
// and gives every student number its exercises.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "practice/class_set.h"

namespace {
void check(bool ok) {
    if (!ok) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    using namespace kelmora::practice;
    try {
        const ClassSet s = readClassSet(text);
        check(!s.classCode.empty() && !s.items.empty());
        const ClassSet again = readClassSet(writeClassSet(s));
        check(again.classCode == s.classCode && again.title == s.title && again.places() == s.places());
        const auto a = assignments(s, "2023001");
        check(static_cast<int>(a.size()) == s.places());
        for (const Assignment& x : a) {
            const auto parts = seedParts(x.seed);
            check(parts && parts->student == "2023001" && parts->place == x.place);
        }
    } catch (const SetError& e) {
        check(e.line() >= 0 && !e.reason().empty());
    }
    if (const auto p = readProgress(text)) {
        const auto back = readProgress(writeProgress(*p));
        check(back && back->exercises.size() == p->exercises.size());
        for (std::size_t i = 0; i < p->exercises.size(); ++i) check(back->exercises[i].sheet == p->exercises[i].sheet);
    }
    return 0;
}
