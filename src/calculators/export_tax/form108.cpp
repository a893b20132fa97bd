// Kelmora — the refund on goods a trading company exports, from the weighted
// unit cost of the stock available.  The boxes start out holding the term
// numbers of the formula line; they are ordinary contents and count as typed.
#include "core/window_registry.h"

namespace kelmora::form108 {

void compute(Window& w) {
    const Num openingValue = w.field("Text1"), boughtValue = w.field("Text2"), issuedValue = w.field("Text3"),
              openingQuantity = w.field("Text4"), boughtQuantity = w.field("Text5"),
              issuedQuantity = w.field("Text6"), refundRate = w.field("Text7"), exported = w.field("Text8");
    const Num value = boughtValue + openingValue - issuedValue;
    const Num quantity = boughtQuantity + openingQuantity - issuedQuantity;
    const Num refund = value / quantity * refundRate * exported;
    w.amount("应退税额=（1+2-3）/（4+5-6）*出口数量*退税率=", refund);
}

WindowDef define() {
    FormBuilder b("Form108");
    b.field("Text1", "期初结存金额", "1")
        .field("Text2", "本期收入金额", "2")
        .field("Text3", "本期非销售付出金额", "3")
        .field("Text4", "期初结存数量", "4")
        .field("Text5", "本期购进数量", "5")
        .field("Text6", "本期非销售付出数量", "6")
        .field("Text7", "出口退税率")
        .field("Text8", "出口数量");
    b.standardButtons(compute, "出口货物退税");
    return b.build();
}

KELMORA_WINDOW(Form108, define);

}  // namespace kelmora::form108
