// Kelmora — imported goods sent back to the foreign supplier: the freight we
// advance, the reversal of cost and sale, the refund of price and freight at
// the day's rate, and the refund of duty and VAT.
// The refund fields stand in the lower left, below the start of the printed lines.
#include "core/window_registry.h"

namespace kelmora::form104 {

void compute(Window& w) {
    const Num freight = w.field("Text1"), sellingRate = w.field("Text2"), cost = w.field("Text3"),
              duty = w.field("Text4"), price = w.field("Text5"), outputVat = w.field("Text6"),
              refund = w.field("Text7"), refundRate = w.field("Text8"), vatRefunded = w.field("Text9");
    w.text("代垫运费");
    const Num advancedFreight = sellingRate * freight;
    const Num costReversal = duty + cost;
    const Num customerRefund = outputVat + price;
    const Num refundReceived = refundRate * refund;
    const Num refundBooked = refund * sellingRate;
    const Num difference = refundReceived - refundBooked;
    const Num taxRefund = duty + vatRefunded;
    w.amount("应收账款（借）", advancedFreight);
    w.amount("银行存款（贷）", advancedFreight);
    w.blank();
    w.text("申请退税");
    w.amount("应收账款（借）", cost);
    w.amount("应交税费-应交进口关税（借）", duty);
    w.amount("主营业务成本-自营进口销售成本（贷）", costReversal);
    w.blank();
    w.text("退回账务（红字专用票）");
    w.amount("主营业务收入（借）", price);
    w.amount("应交税费-应交增值税（销）（借）", outputVat);
    w.amount("应付账款（贷）", customerRefund);
    w.blank();
    w.text("收到退货款");
    w.amount("银行存款-外币（借）", refundReceived);
    w.amountBySign("财务费用-汇兑损益（贷）", "财务费用-汇兑损益（借）", difference);
    w.amount("应收账款（贷）", refundBooked);
    w.blank();
    w.text("退还货款");
    w.amount("应付账款（借）", customerRefund);
    w.amount("银行存款（贷）", customerRefund);
    w.blank();
    w.text("收到退税");
    w.amount("银行存款（借）", taxRefund);
    w.amount("应交税费-应交进口关税（贷）", duty);
    w.amount("应交税费-应交增值税（进）（贷）", vatRefunded);
}

WindowDef define() {
    FormBuilder b("Form104");
    b.field("Text1", "垫付运费")
        .field("Text2", "汇率卖出价")
        .field("Text3", "成本-不含税")
        .field("Text4", "进口关税")
        .field("Text5", "货款");
    b.standardButtons(compute, "进口商品退回");
    b.lowerLeft();
    b.field("Text6", "货款增值税").field("Text7", "退货款及运费").field("Text8", "退货汇率").field("Text9", "退还增值税");
    return b.build();
}

KELMORA_WINDOW(Form104, define);

}  // namespace kelmora::form104
