// Kelmora — processing with imported materials: the materials come in, are
// registered, sent to the processor, come back processed with the fee and its
// VAT paid, and go into stock as goods for export.
#include "core/window_registry.h"

namespace kelmora::form100 {

void compute(Window& w) {
    const Num sets = w.field("Text1"), materialForeign = w.field("Text2"), rate = w.field("Text3"),
              feePerSet = w.field("Text4"), vatRate = w.field("Text5");
    const Num materialValue = rate * materialForeign;
    const Num fee = feePerSet * sets;
    const Num feeVat = fee * vatRate;
    const Num feePayment = fee + feeVat;
    const Num finishedGoods = fee + materialValue;
    w.text("原材料入库");
    w.amount("在途物资-在途加工物资（借）", materialValue);
    w.amount("应付账款-应付外汇账款（贷）", materialValue);
    w.blank();
    w.text("登记凭证");
    w.amount("原材料-进料加工物资（借）", materialValue);
    w.amount("在途物资-在途材料加工物资（贷）", materialValue);
    w.blank();
    w.text("分拨加工");
    w.amount("委托加工物资（借）", materialValue);
    w.amount("原材料（贷）", materialValue);
    w.blank();
    w.text("加工完毕");
    w.amount("委托加工物资（借）", fee);
    w.amount("应交税费-应交增值税（进）（借）", feeVat);
    w.amount("银行存款（贷）", feePayment);
    w.blank();
    w.text("验收入库");
    w.amount("库存商品-来料加工出口商品（借）", finishedGoods);
    w.amount("委托加工物资（贷）", finishedGoods);
}

WindowDef define() {
    FormBuilder b("Form100");
    b.field("Text1", "原材料数量")
        .field("Text2", "原材料总成本")
        .field("Text3", "入库汇率")
        .field("Text4", "每套加工费")
        .field("Text5", "增值税税率");
    b.standardButtons(compute, "进料加工");
    return b.build();
}

KELMORA_WINDOW(Form100, define);

}  // namespace kelmora::form100
