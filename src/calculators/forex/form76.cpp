// Kelmora — paying foreign currency at the bank's rates: the payable leaves
// at the middle rate it was booked at, the bank pays at the spot rate.  The
// entry is the one of a payment for goods bought.
#include "calculators/forex/currency.h"
#include "core/window_registry.h"

namespace kelmora::form76 {

void compute(Window& w) {
    const Num paid = w.field("Text1"), spotRate = w.field("Text2"), middleRate = w.field("Text3");
    currency::payForeign(w, paid, spotRate, middleRate);
}

WindowDef define() {
    FormBuilder b("Form76");
    b.field("Text1", "支付外币").field("Text2", "外币即期汇率").field("Text3", "外币中间价");
    b.standardButtons(compute, "支付外币");
    return b.build();
}

KELMORA_WINDOW(Form76, define);

}  // namespace kelmora::form76
