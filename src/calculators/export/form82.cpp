// Kelmora — farm and sideline products bought for export, with freight whose
// deductible VAT share goes to input tax and the rest into the purchase cost.
#include "core/window_registry.h"

namespace kelmora::form82 {

void compute(Window& w) {
    const Num quantity = w.field("Text1"), unitPrice = w.field("Text2"), goodsVatRate = w.field("Text3"),
              freight = w.field("Text4"), freightVatRate = w.field("Text5");
    const Num goods = unitPrice * quantity;
    const Num cost = (Num(1) - freightVatRate) * freight + goods;
    const Num inputTax = goods * goodsVatRate + freightVatRate * freight;
    const Num payment = cost + inputTax;
    w.text("采购商品");
    w.amount("材料采购（借）", cost);
    w.amount("应交税费-应交增值税（进）（借）", inputTax);
    w.amount("银行存款（贷）", payment);
    w.blank();
    w.text("验收入库");
    w.amount("库存商品（借）", cost);
    w.amount("材料采购（贷）", cost);
}

WindowDef define() {
    FormBuilder b("Form82");
    b.field("Text1", "数量")
        .field("Text2", "不含税单价")
        .field("Text3", "货物增值税税率")
        .field("Text4", "发生运费")
        .field("Text5", "运费增值税税率");
    b.standardButtons(compute, "采购农副产品");
    return b.build();
}

KELMORA_WINDOW(Form82, define);

}  // namespace kelmora::form82
