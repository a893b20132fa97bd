// Kelmora — export proceeds collected through the bank: booked at the rate of
// the day the documents are lodged, received at the rate of the day they are
// credited; the difference is an exchange loss or gain.
#include "core/window_registry.h"

namespace kelmora::form79 {

void compute(Window& w) {
    const Num proceeds = w.field("Text1"), lodgingRate = w.field("Text2"), creditedRate = w.field("Text3");
    const Num booked = lodgingRate * proceeds;
    const Num received = proceeds * creditedRate;
    const Num difference = booked - received;
    w.text("办妥手续");
    w.amount("应收账款（借）", booked);
    w.amount("主营业务收入-自营出口销售收入（贷）", booked);
    w.blank();
    w.text("收到通知");
    w.amount("银行存款（借）", received);
    w.amountBySign("财务费用-汇兑损益（借）", "财务费用-汇兑损益（贷）", difference);
    w.amount("应收账款-应收外汇账款（贷）", booked);
}

WindowDef define() {
    FormBuilder b("Form79");
    b.field("Text1", "外汇收入金额").field("Text2", "即时人民币汇率").field("Text3", "到账人民币汇率");
    b.standardButtons(compute, "托收");
    return b.build();
}

KELMORA_WINDOW(Form79, define);

}  // namespace kelmora::form79
