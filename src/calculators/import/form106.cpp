// Kelmora — goods imported by barter and sold at home.
#include "core/window_registry.h"

namespace kelmora::form106 {

void compute(Window& w) {
    const Num goods = w.field("Text1"), sellingRate = w.field("Text2"), duty = w.field("Text3"),
              importVat = w.field("Text4"), price = w.field("Text5"), outputVat = w.field("Text6");
    const Num goodsValue = sellingRate * goods;
    const Num goodsCost = goodsValue + duty;
    const Num saleReceipt = outputVat + price;
    const Num taxPayment = importVat + duty;
    w.text("购买物资");
    w.amount("在途物资（借）", goodsValue);
    w.amount("银行存款（贷）", goodsValue);
    w.blank();
    w.text("申报税款");
    w.amount("在途物资（借）", duty);
    w.amount("应交税费-应交进口关税（贷）", duty);
    w.blank();
    // Goods arriving: written as a continuation of the declaration, with no heading.
    w.amount("原材料（借）", goodsCost);
    w.amount("在途物资（贷）", goodsCost);
    w.blank();
    w.text("国内出售");
    w.amount("银行存款（借）", saleReceipt);
    w.amount("其他业务收入-易货贸易（贷）", price);
    w.amount("应交税费-应交增值税（销）（贷）", outputVat);
    w.blank();
    w.text("结转成本");
    w.amount("其他业务成本-易货贸易（借）", goodsCost);
    w.amount("原材料（贷）", goodsCost);
    w.blank();
    w.text("支付税费");
    w.amount("应交税费-应交增值税（进）（借）", importVat);
    w.amount("应交税费-应交进口关税（借）", duty);
    w.amount("银行存款（贷）", taxPayment);
}

WindowDef define() {
    FormBuilder b("Form106");
    b.field("Text1", "货款金额")
        .field("Text2", "卖出汇率")
        .field("Text3", "进口关税额")
        .field("Text4", "进口增值税额")
        .field("Text5", "国内货款金额")
        .field("Text6", "国内货款增值税");
    b.standardButtons(compute, "进口商品易货");
    return b.build();
}

KELMORA_WINDOW(Form106, define);

}  // namespace kelmora::form106
