#include "core/window_names.h"

#include <utility>

namespace kelmora {

namespace {
// A function-local static: the shell's registrar may run before anything
// here is initialised.
WindowWords& source() {
    static WindowWords s;
    return s;
}
}  // namespace

WindowWords setWindowWords(WindowWords s) { return std::exchange(source(), std::move(s)); }

std::vector<std::string> windowWords(const std::string& form) {
    if (!source()) return {};
    std::vector<std::string> words = source()(form);
    if (words.size() > 3) words.resize(3);
    return words;
}

std::string displayName(const WindowDef& def) {
    const std::vector<std::string> words = windowWords(def.name);
    if (words.empty()) return def.caption;
    std::string name;
    for (const std::string& w : words) {
        if (!name.empty()) name += " · ";
        name += w;
    }
    return name + "（" + def.caption + "）";
}

std::string fileStem(const WindowDef& def) {
    const std::vector<std::string> words = windowWords(def.name);
    const std::string& stem = words.empty() ? def.caption : words.front();
    std::string out;
    for (const char c : stem) {
        const unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
        case '/': out += "／"; break;
        case '\\': out += "＼"; break;
        case ':': out += "："; break;
        case '*': out += "＊"; break;
        case '?': out += "？"; break;
        case '"': out += "＂"; break;
        case '<': out += "＜"; break;
        case '>': out += "＞"; break;
        case '|': out += "｜"; break;
        default:
            if (u < 0x20 || u == 0x7F)
                out += ' ';
            else
                out += c;
        }
    }
    return out;
}

}  // namespace kelmora
