// Kelmora — a claim against the foreign supplier: the compensation booked and
// received at the day's rate, the sale reversed for the buyer, and the duty
// and VAT reclaimed.
// The receipt fields stand in the lower left, below the start of the printed lines.
#include "core/window_registry.h"

namespace kelmora::form105 {

void compute(Window& w) {
    const Num claimed = w.field("Text1"), claimRate = w.field("Text2"), price = w.field("Text3"),
              outputVat = w.field("Text4"), dutyReclaimed = w.field("Text5"), compensation = w.field("Text6"),
              compensationRate = w.field("Text7"), dutyRefunded = w.field("Text8"), vatRefunded = w.field("Text9");
    w.text("确认赔偿");
    const Num claim = claimRate * claimed;
    const Num buyerRefund = outputVat + price;
    const Num received = compensationRate * compensation;
    const Num booked = compensation * claimRate;
    const Num difference = received - booked;
    const Num taxRefund = dutyRefunded + vatRefunded;
    w.amount("应收账款（借）", claim);
    w.amount("主营业务收入（贷）", claim);
    w.blank();
    w.text("退回处理（红字）");
    w.amount("主营业务收入（借）", price);
    w.amount("应交税费-已经进口增值税（销）（借）", outputVat);
    w.amount("应付账款（贷）", buyerRefund);
    w.blank();
    w.text("申请退税");
    w.amount("应交税费-应交进口关税（借）", dutyReclaimed);
    w.amount("主营业务成本（贷）", dutyReclaimed);
    w.blank();
    w.text("收到赔款");
    w.amount("银行存款-外币（借）", received);
    w.amountBySign("财务费用-汇兑损益（贷）", "财务费用-汇兑损益（借）", difference);
    w.amount("应收账款-应收外汇账款（贷）", booked);
    w.blank();
    w.text("收到退税");
    w.amount("银行存款（借）", taxRefund);
    w.amount("应交税费-应交进口关税（贷）", dutyRefunded);
    w.amount("应交税费-应交增值税（进转出）（贷）", vatRefunded);
}

WindowDef define() {
    FormBuilder b("Form105");
    b.field("Text1", "退款金额")
        .field("Text2", "退款汇率")
        .field("Text3", "应退货款")
        .field("Text4", "货款增值税额")
        .field("Text5", "退还进口关税");
    b.standardButtons(compute, "进口商品索赔");
    b.lowerLeft();
    b.field("Text6", "收到赔款").field("Text7", "赔款汇率").field("Text8", "收到退还关税").field("Text9", "收到退还增值税");
    return b.build();
}

KELMORA_WINDOW(Form105, define);

}  // namespace kelmora::form105
