// Kelmora — paying foreign currency for goods bought.
#include "calculators/forex/currency.h"
#include "core/window_registry.h"

namespace kelmora::form70 {

void compute(Window& w) {
    const Num paid = w.field("Text1"), paymentRate = w.field("Text2"), bookedRate = w.field("Text3");
    currency::payForeign(w, paid, paymentRate, bookedRate);
}

WindowDef define() {
    FormBuilder b("Form70");
    b.field("Text1", "支付货款").field("Text2", "支付时汇率").field("Text3", "兑换时汇率");
    b.standardButtons(compute, "支付外汇");
    return b.build();
}

KELMORA_WINDOW(Form70, define);

}  // namespace kelmora::form70
