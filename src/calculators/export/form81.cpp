// Kelmora — goods bought at home for export.  The freight is paid with its
// VAT included: the deductible share goes to input tax, the rest into the
// purchase cost.  Goods received without an invoice are booked at an estimate
// at month end and reversed in red ink the next month.
#include "core/window_registry.h"

namespace kelmora::form81 {

void compute(Window& w) {
    const Num quantity = w.field("Text1"), unitPrice = w.field("Text2"), goodsVatRate = w.field("Text3"),
              freight = w.field("Text4"), freightVatRate = w.field("Text5"), estimate = w.field("Text6");
    const Num goods = unitPrice * quantity;
    const Num cost = (Num(1) - freightVatRate) * freight + goods;
    const Num inputTax = goods * goodsVatRate + freightVatRate * freight;
    const Num payment = cost + inputTax;
    w.text("采购出口商品");
    w.amount("材料采购（借）", cost);
    w.amount("应交税费（借）", inputTax);
    w.amount("银行存款（贷）", payment);
    w.blank();
    w.text("商品入库");
    w.amount("库存商品-库存出口商品（借）", cost);
    w.amount("材料采购（贷）", cost);
    w.blank();
    w.text("月末暂估入账");
    w.amount("库存商品-库存出口商品（借）", estimate);
    w.amount("应付账款-暂估应付账款（贷）", estimate);
    w.blank();
    // The red-ink reversal repeats the accrual; the heading says it is red.
    w.text("下月红字冲回时");
    w.amount("库存商品-库存出口商品（借）", estimate);
    w.amount("应付账款-暂估应付账款（贷）", estimate);
}

WindowDef define() {
    FormBuilder b("Form81");
    b.field("Text1", "数量")
        .field("Text2", "不含税单价")
        .field("Text3", "货物增值税税率")
        .field("Text4", "发生运费")
        .field("Text5", "运费增值税税率")
        .field("Text6", "月末预估入账");
    b.standardButtons(compute, "采购出口商品");
    return b.build();
}

KELMORA_WINDOW(Form81, define);

}  // namespace kelmora::form81
