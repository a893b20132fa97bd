// Kelmora — an export on own account: purchase, customs declaration, cost of
// sales, the VAT and consumption-tax refunds and their receipt.  Refunds and
// the non-refundable VAT are all taken on the purchase price, not on the
// export sales.
#include "core/window_registry.h"

namespace kelmora::form110 {

void compute(Window& w) {
    const Num purchase = w.field("Text1"), vatRate = w.field("Text2"), sales = w.field("Text3"),
              refundRate = w.field("Text4"), consumptionRate = w.field("Text5");
    const Num inputVat = vatRate * purchase;
    const Num vatRefund = purchase * refundRate;
    const Num nonRefundable = purchase * (vatRate - refundRate);
    const Num consumptionRefund = purchase * consumptionRate;
    const Num payment = purchase + inputVat;
    const Num refunds = vatRefund + consumptionRefund;
    w.text("购入货物");
    w.amount("库存商品（借）", purchase);
    w.amount("应交税费-应交增值税（借）", inputVat);
    w.amount("银行存款（贷）", payment);
    w.blank();
    w.text("出口报关");
    w.amount("应收账款（借）", sales);
    w.amount("主营业务收入-自营出口销售收入（贷）", sales);
    w.blank();
    w.text("接转销售成本");
    w.amount("主营业务成本-自营出口销售成本（借）", purchase);
    w.amount("库存商品（贷）", purchase);
    w.blank();
    w.text("计算增值税退税款");
    w.amount("其他应收款（借）", vatRefund);
    w.amount("应交税费-应交增值税（出口退税）（贷）", vatRefund);
    w.blank();
    w.text("计算消费税税款");
    w.amount("其他应收款（借）", consumptionRefund);
    w.amount("主营业务成本-自营出口销售成本（贷）", consumptionRefund);
    w.blank();
    w.text("将不退税部分转让产品销售成本");
    w.amount("主营业务成本-自营出口销售成本（借）", nonRefundable);
    w.amount("应交税费-应交增值税（进项税额转出）（贷）", nonRefundable);
    w.blank();
    w.text("收到退税");
    w.amount("银行存款（借）", refunds);
    w.amount("其他应收款-应收出口退税（增值税）（贷）", vatRefund);
    w.amount("其他应收款-应收出口退税（消费税）（贷）", consumptionRefund);
}

WindowDef define() {
    FormBuilder b("Form110");
    b.field("Text1", "购进金额")
        .field("Text2", "购进增值税率")
        .field("Text3", "外销金额")
        .field("Text4", "退税率")
        .field("Text5", "消费税税率");
    b.standardButtons(compute, "自营出口退税");
    return b.build();
}

KELMORA_WINDOW(Form110, define);

}  // namespace kelmora::form110
