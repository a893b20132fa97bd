// Kelmora — amounts in words as cheques and vouchers write them (人民币大写).
#pragma once

#include <string>

#include "book/money.h"

namespace kelmora::book {

// 人民币大写 of an amount in cents: 117 yuan → 壹佰壹拾柒元整, 0.05 →
// 伍分, 10.5 → 壹拾元伍角.  A run of zeros inside the figure is one 零, and
// a zero 角 before a 分 is written (壹元零伍分); a whole amount ends in 整,
// one with 角 or 分 does not.
// A negative amount (a red reversal) starts with 负; 0 is 零元整.
std::string amountInWords(Cents c);

}  // namespace kelmora::book
