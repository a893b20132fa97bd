// Kelmora — export proceeds settled through another place: the amount
// received, the fee (in foreign currency, at the receipt rate) and the balance
// collected later at its own rate.
#include "core/window_registry.h"

namespace kelmora::form97 {

void compute(Window& w) {
    const Num foreign = w.field("Text1"), receiptRate = w.field("Text2"), feeForeign = w.field("Text3"),
              balanceForeign = w.field("Text4"), balanceRate = w.field("Text5");
    const Num received = receiptRate * foreign;
    const Num fee = receiptRate * feeForeign;
    const Num balance = balanceRate * balanceForeign;
    w.text("收到外币");
    w.amount("银行存款-外币（借）", received);
    w.amount("应收账款-外汇账款（贷）", received);
    w.blank();
    w.text("支付手续费");
    w.amount("应付账款（借）", fee);
    w.amount("其他业务收入（贷）", fee);
    w.blank();
    w.text("收取余汇");
    w.amount("应付账款（借）", balance);
    w.amount("应收账款-应收外汇账款（贷）", balance);
}

WindowDef define() {
    FormBuilder b("Form97");
    b.field("Text1", "收到外汇")
        .field("Text2", "收汇中间价")
        .field("Text3", "手续费")
        .field("Text4", "收取余汇")
        .field("Text5", "余汇中间价");
    b.standardButtons(compute, "异地结汇法");
    return b.build();
}

KELMORA_WINDOW(Form97, define);

}  // namespace kelmora::form97
