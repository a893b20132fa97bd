// Kelmora — foreign currency received at the bank's rates: the account is
// kept at the middle rate, the yuan leave at the selling rate, and at the
// month end the balance is brought to the month-end rate.
#include "core/window_registry.h"

namespace kelmora::form75 {

void compute(Window& w) {
    const Num received = w.field("Text1"), sellingRate = w.field("Text2"), middleRate = w.field("Text3"),
              monthEndRate = w.field("Text4");
    w.text("收入外币");
    const Num middle = middleRate * received;
    w.amount("银行存款-外币（借）", middle);
    const Num selling = received * sellingRate;
    const Num difference = selling - middle;
    w.amount("财务费用-汇兑损益（借）", difference);
    w.amount("银行存款-人民币（贷）", selling);
    w.blank();
    w.text("月末结转");
    const Num monthEnd = received * monthEndRate;
    const Num adjustment = monthEnd - middle;
    w.amountBySign("银行存款（借）", "财务费用（借）", adjustment);
    w.amountBySign("财务费用（贷）", "银行存款（贷）", adjustment);
}

WindowDef define() {
    FormBuilder b("Form75");
    b.field("Text1", "收入外币").field("Text2", "外币卖出价").field("Text3", "外币中间价").field("Text4", "月末汇率");
    b.standardButtons(compute, "收入外币");
    return b.build();
}

KELMORA_WINDOW(Form75, define);

}  // namespace kelmora::form75
