// Kelmora — the pinyin of the keywords' characters, so that the main window's
// completion list finds a keyword by its pinyin (completeKeyword).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace kelmora {

// The readings of one character: toneless, lower case, separated by single
// spaces, most usual first ("xing hang heng"); ü is spelt both "v" and "u".
struct PinyinReading {
    char32_t codePoint;
    const char* readings;
};

// Every Chinese character of the keyword table and of the account names,
// sorted by code point (pinyin_readings.cpp, written by scripts/gen_pinyin.py).
extern const PinyinReading kPinyinReadings[];
extern const std::size_t kPinyinReadingCount;

// The readings of c; empty for a character the table does not list.
std::vector<std::string_view> pinyinOf(char32_t c);

}  // namespace kelmora
