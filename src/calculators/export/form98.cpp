// Kelmora — goods bought outright and exported: purchase, stocking, shipment,
// the sale with its commission, and the proceeds at the bank's buying rate.
// The bank's fields stand in the lower left, below the start of the printed lines.
#include "core/window_registry.h"

namespace kelmora::form98 {

void compute(Window& w) {
    const Num cost = w.field("Text1"), vatRate = w.field("Text2"), netSales = w.field("Text3"),
              saleRate = w.field("Text4"), feeForeign = w.field("Text5"), buyingRate = w.field("Text6"),
              commissionForeign = w.field("Text7");
    const Num inputVat = vatRate * cost;
    const Num purchasePayment = cost + inputVat;
    const Num receivable = saleRate * netSales;
    const Num commission = commissionForeign * saleRate;
    const Num grossSales = receivable + commission;
    const Num proceeds = buyingRate * netSales;
    const Num bankFee = buyingRate * feeForeign;
    const Num difference = receivable - bankFee - proceeds;
    w.text("购入商品");
    w.amount("材料采购（借）", cost);
    w.amount("应交税费-应交增值税（借）", inputVat);
    w.amount("银行存款（贷）", purchasePayment);
    w.blank();
    w.text("验收入库");
    w.amount("库存商品（借）", cost);
    w.amount("材料采购（贷）", cost);
    w.blank();
    w.text("结算商品");
    w.amount("发出商品（借）", cost);
    w.amount("库存商品-出口（贷）", cost);
    w.blank();
    w.text("确认收入");
    w.amount("应收账款（借）", receivable);
    w.amount("主营业务收入（借）", commission);
    w.amount("主营业务收入-自营出口（贷）", grossSales);
    w.blank();
    w.text("收到外汇");
    w.amount("银行存款-外币（借）", proceeds);
    w.amount("财务费用-手续费（借）", bankFee);
    w.amountBySign("财务费用-汇兑损益（借）", "财务费用-汇兑损益（贷）", difference);
    w.amount("应收账款-应收外汇账款（贷）", receivable);
}

WindowDef define() {
    FormBuilder b("Form98");
    b.field("Text1", "商品总成本").field("Text2", "增值税税率").field("Text3", "销售净额").field("Text4", "销售时汇率");
    b.standardButtons(compute, "买断出口");
    b.lowerLeft();
    b.field("Text5", "手续费").field("Text6", "买入汇率").field("Text7", "佣金金额");
    return b.build();
}

KELMORA_WINDOW(Form98, define);

}  // namespace kelmora::form98
