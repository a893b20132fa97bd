// Kelmora — foreign currency received for goods sold and converted: the
// receivable stands at the rate of the sale, the bank credits the rate of
// the conversion, and the difference is the exchange gain or loss.
#include "core/window_registry.h"

namespace kelmora::form69 {

void compute(Window& w) {
    const Num received = w.field("Text1"), saleRate = w.field("Text2"), conversionRate = w.field("Text3");
    w.text("收到外汇");
    const Num booked = saleRate * received;
    w.amount("应收账款（借）", booked);
    w.amount("主营业务收入（贷）", booked);
    w.blank();
    w.text("兑换外汇");
    const Num converted = received * conversionRate;
    w.amount("银行存款（借）", converted);
    const Num difference = booked - converted;
    w.amountBySign("财务费用-汇兑损益（借）", "财务费用-汇兑损益（贷）", difference);
    w.amount("应收账款（贷）", booked);
}

WindowDef define() {
    FormBuilder b("Form69");
    b.field("Text1", "收到货款").field("Text2", "收货时汇率").field("Text3", "兑换时汇率");
    b.standardButtons(compute, "外汇收入");
    return b.build();
}

KELMORA_WINDOW(Form69, define);

}  // namespace kelmora::form69
