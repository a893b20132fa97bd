// Kelmora — entries that several bond windows print alike.
#pragma once

#include "core/window.h"

namespace kelmora::securities {

// A long-term bond bought for price plus fees: face value on one account, the
// difference to what was paid on the premium-or-discount account.  The
// premium here is face − paid: positive for a bond bought below face.
// Returns it for the amortisation that follows.
inline Num longTermBondPurchase(Window& w, Num face, Num price, Num fees) {
    w.text("购入债券");
    w.amount("长期债权投资（面值）（借）", face);
    const Num paid = fees + price;
    const Num premium = face - paid;
    if (premium < 0) w.amount("长期债权投资（溢折价）(借)", -premium);
    w.amount("银行存款（贷）", paid);
    if (premium >= 0) w.amount("长期债权投资（溢折价）(贷)", premium);
    return premium;
}

}  // namespace kelmora::securities
