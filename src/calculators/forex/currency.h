// Kelmora — what the foreign-currency payment windows share.
//
// A foreign amount is valued in yuan as rate × amount.  Every product is
// formed where its first line needs it, so a product that overflows leaves
// the lines before it on the surface.
#pragma once

#include "core/window.h"

namespace kelmora::currency {

// Paying off a payable booked in foreign currency: the payable leaves at the
// rate it was booked at, the bank pays at the day's rate, and the difference
// is the exchange gain or loss, printed on the debit line whatever its sign.
inline void payForeign(Window& w, Num foreign, Num paymentRate, Num bookedRate) {
    w.text("支付外汇");
    const Num booked = bookedRate * foreign;
    w.amount("应付账款-应付外汇账款（借）", booked);
    const Num paid = foreign * paymentRate;
    const Num difference = paid - booked;
    w.amount("财务费用-汇兑损益（借）", difference);
    w.amount("银行存款（贷）", paid);
}

}  // namespace kelmora::currency
