#include "book/words.h"

namespace kelmora::book {

namespace {
constexpr const char* kDigits[] = {"零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"};
constexpr const char* kPlaces[] = {"", "拾", "佰", "仟"};

// 万 and 亿 close the groups of four digits: 万, 亿, 万 (万亿), 亿 (亿亿).
const char* groupWord(int group) { return group % 2 == 1 ? "万" : group > 0 ? "亿" : ""; }
}  // namespace

std::string amountInWords(Cents c) {
    const bool negative = c < 0;
    const unsigned long long m = negative ? 0ULL - static_cast<unsigned long long>(c) : static_cast<unsigned long long>(c);
    const unsigned long long whole = m / 100;
    const int jiao = static_cast<int>(m / 10 % 10), fen = static_cast<int>(m % 10);
    std::string out = negative ? "负" : "";
    if (m == 0) return "零元整";

    // The yuan, digit by digit from the highest: a run of zeros between two
    // digits is written as one 零; zeros at the end are not written.
    const std::string digits = std::to_string(whole);
    bool zero = false, groupHasDigit = false;
    for (std::size_t i = 0; whole > 0 && i < digits.size(); ++i) {
        const int p = static_cast<int>(digits.size() - 1 - i);  // the digit's place, 0 for yuan
        const int d = digits[i] - '0';
        if (d == 0) {
            zero = true;
        } else {
            if (zero) out += "零";
            zero = false;
            groupHasDigit = true;
            out += kDigits[d];
            out += kPlaces[p % 4];
        }
        if (p % 4 == 0) {
            if (groupHasDigit) out += groupWord(p / 4);
            groupHasDigit = false;
        }
    }
    if (whole > 0) out += "元";
    if (jiao == 0 && fen == 0) return out + "整";
    // No 角 between the yuan and the 分 is written 零 (壹元零伍分); a zero in
    // the yuan place before a 角 is not (壹拾元伍角), which the rules allow.
    if (jiao > 0) {
        out += kDigits[jiao];
        out += "角";
    }
    if (fen > 0) {
        if (jiao == 0 && whole > 0) out += "零";
        out += kDigits[fen];
        out += "分";
    }
    return out;
}

}  // namespace kelmora::book
