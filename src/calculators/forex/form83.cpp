// Kelmora — capital contributed in foreign currency: what the bank receives
// beyond the capital credited is a capital premium (negative when the
// capital credited is the larger).
#include "core/window_registry.h"

namespace kelmora::form83 {

void compute(Window& w) {
    const Num foreign = w.field("Text1"), rate = w.field("Text2"), capital = w.field("Text3");
    const Num received = rate * foreign;
    const Num premium = received - capital;
    w.text("收入外币投资");
    w.amount("银行存款-外币（借）", received);
    w.amount("实收资本（贷）", capital);
    w.amount("资本公积-资本溢价（贷）", premium);
}

WindowDef define() {
    FormBuilder b("Form83");
    b.field("Text1", "收入外币投资").field("Text2", "外币即期汇率").field("Text3", "资本入账价值");
    b.standardButtons(compute, "收入外币投资");
    return b.build();
}

KELMORA_WINDOW(Form83, define);

}  // namespace kelmora::form83
