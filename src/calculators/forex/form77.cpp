// Kelmora — payment under a letter of credit: the foreign amount placed with
// the bank at the spot rate, and the bank's fee.
#include "core/window_registry.h"

namespace kelmora::form77 {

void compute(Window& w) {
    const Num foreign = w.field("Text1"), rate = w.field("Text2"), fee = w.field("Text3");
    const Num yuan = rate * foreign;
    w.text("信用证支付");
    w.amount("其他货币资金-信用证存款（借）", yuan);
    w.amount("银行存款（贷）", yuan);
    w.blank();
    // The fee stands as an entry of its own, without a heading.
    w.amount("财务费用（借）", fee);
    w.amount("银行存款（贷）", fee);
}

WindowDef define() {
    FormBuilder b("Form77");
    b.field("Text1", "支付信用证外币").field("Text2", "外币即期汇率").field("Text3", "手续费");
    b.standardButtons(compute, "信用证支付");
    return b.build();
}

KELMORA_WINDOW(Form77, define);

}  // namespace kelmora::form77
