// Kelmora — the practice window's own words.
#pragma once

#include <QString>

namespace kelmora::practice_words {

inline const QString kPractise = QStringLiteral("练习");
inline const QString kCheck = QStringLiteral("检查");
inline const QString kShowKey = QStringLiteral("显示答案");
inline const QString kNext = QStringLiteral("下一题");
inline const QString kSaveAnswers = QStringLiteral("保存答卷");

}  // namespace kelmora::practice_words
