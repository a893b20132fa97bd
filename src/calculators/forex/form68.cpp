// Kelmora — buying foreign currency with yuan, outright or as the deposit of
// a letter of credit, with the bank's fee after each.
#include "core/window_registry.h"

namespace kelmora::form68 {

// The fee is typed in yuan and carries no side of its own.
void fee(Window& w, Num amount) {
    w.text("支付手续费");
    w.amount("财务费用", amount);
    w.amount("银行存款", amount);
}

void compute(Window& w) {
    const Num foreign = w.field("Text1"), rate = w.field("Text2"), charge = w.field("Text3");
    w.text("购买外汇");
    const Num yuan = rate * foreign;
    w.amount("银行存款（借）", yuan);
    w.amount("银行存款（贷）", yuan);
    w.blank();
    fee(w, charge);
    w.blank();
    w.text("若信用证支付");
    w.amount("其他货币资金-信用证保证金（借）", yuan);
    w.amount("银行存款（贷）", yuan);
    w.blank();
    fee(w, charge);
}

WindowDef define() {
    FormBuilder b("Form68");
    b.field("Text1", "购买外汇金额").field("Text2", "人民币汇率").field("Text3", "手续费");
    b.standardButtons(compute, "购买外汇");
    return b.build();
}

KELMORA_WINDOW(Form68, define);

}  // namespace kelmora::form68
