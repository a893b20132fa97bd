// Kelmora — a deposit paid abroad by telegraphic transfer; the bank's fee
// comes out of the amount booked as prepaid.
#include "core/window_registry.h"

namespace kelmora::form78 {

void compute(Window& w) {
    const Num deposit = w.field("Text1"), rate = w.field("Text2"), fee = w.field("Text3");
    const Num payment = rate * deposit;
    const Num prepaid = payment - fee;
    w.text("预付订金");
    w.amount("预付账款（借）", prepaid);
    w.amount("财务费用-汇兑损益（借）", fee);
    w.amount("银行存款（贷）", payment);
}

WindowDef define() {
    FormBuilder b("Form78");
    b.field("Text1", "预付订金").field("Text2", "人民币汇率").field("Text3", "手续费");
    b.standardButtons(compute, "预付订金");
    return b.build();
}

KELMORA_WINDOW(Form78, define);

}  // namespace kelmora::form78
