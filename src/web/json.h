// Kelmora — a few helpers for writing JSON: the web face hands the model's
// windows, events and rows to the page as JSON text.
#pragma once

#include <string>
#include <string_view>

namespace kelmora::json {

// s as a JSON string, quotes included.  UTF-8 passes through unchanged;
// quotes, backslashes and control characters are escaped.
inline void quote(std::string& out, std::string_view s) {
    static const char hex[] = "0123456789abcdef";
    out += '"';
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

inline std::string quoted(std::string_view s) {
    std::string out;
    quote(out, s);
    return out;
}

}  // namespace kelmora::json
