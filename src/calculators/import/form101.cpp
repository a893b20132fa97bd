// Kelmora — export of goods processed from imported materials.  Every foreign
// amount is converted at the one middle rate; the bank's fee is taken off in
// foreign currency before the net receipt is converted.
#include "core/window_registry.h"

namespace kelmora::form101 {

void compute(Window& w) {
    const Num cost = w.field("Text1"), freight = w.field("Text2"), expensesForeign = w.field("Text3"),
              rate = w.field("Text4"), feeForeign = w.field("Text5"), bankFeeForeign = w.field("Text6");
    const Num expenses = rate * expensesForeign;
    const Num feeIncome = rate * feeForeign;
    const Num netReceipt = rate * (feeForeign - bankFeeForeign);
    const Num bankFee = rate * bankFeeForeign;
    w.text("商品出库");
    w.amount("发出商品（借）", cost);
    w.amount("库存商品-来料加工出口商品（贷）", cost);
    w.blank();
    w.text("支付国内运费");
    w.amount("销售费用（借）", freight);
    w.amount("银行存款（贷）", freight);
    w.blank();
    w.text("支付国际费用");
    w.amount("主营业务收入（借）", expenses);
    w.amount("银行存款-外币（贷）", expenses);
    w.blank();
    w.text("收取加工费");
    // The receivable is debited and credited under two different names.
    w.amount("应收账款-外汇账款（借）", feeIncome);
    w.amount("主营业务收入-加工补偿出口销售（贷）", feeIncome);
    w.blank();
    w.text("结转销售成本");
    w.amount("主营业务成本-加工补偿出口销售（借）", cost);
    w.amount("发出商品（贷）", cost);
    w.blank();
    w.text("存入外币账户");
    w.amount("银行存款-外币（借）", netReceipt);
    w.amount("财务费用-手续费（借）", bankFee);
    w.amount("应收账款-应收外汇账款（贷）", feeIncome);
}

WindowDef define() {
    FormBuilder b("Form101");
    b.field("Text1", "生产成本")
        .field("Text2", "运费")
        .field("Text3", "支付国外费用")
        .field("Text4", "支付汇率中间价")
        .field("Text5", "加工费")
        .field("Text6", "手续费");
    b.standardButtons(compute, "进料加工出口");
    return b.build();
}

KELMORA_WINDOW(Form101, define);

}  // namespace kelmora::form101
