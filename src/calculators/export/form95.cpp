// Kelmora — a claim the company makes against a foreign party: booked at the
// rate of the day it is accepted, received at the rate of the day the money
// arrives.
#include "core/window_registry.h"

namespace kelmora::form95 {

void compute(Window& w) {
    const Num claim = w.field("Text1"), acceptRate = w.field("Text2"), receiveRate = w.field("Text3");
    const Num booked = acceptRate * claim;
    const Num received = claim * receiveRate;
    const Num difference = booked - received;
    w.text("确认索赔");
    w.amount("应收账款-出口索赔（借）", booked);
    w.amount("营业外收入-出口索赔（贷）", booked);
    w.blank();
    w.text("收到索赔时");
    w.amount("银行存款-外币（借）", received);
    // Less received than booked is a loss; more is a gain, credited by its size.
    w.amountBySign("财务费用-汇兑损益（借）", "财务费用-汇兑损益（贷）", difference);
    w.amount("应收账款-出口索赔款（贷）", booked);
}

WindowDef define() {
    FormBuilder b("Form95");
    b.field("Text1", "索赔金额").field("Text2", "确认时汇率").field("Text3", "收款时汇率");
    b.standardButtons(compute, "出口索赔");
    return b.build();
}

KELMORA_WINDOW(Form95, define);

}  // namespace kelmora::form95
