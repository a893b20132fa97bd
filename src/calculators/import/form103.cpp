// Kelmora — imported goods bought and sold at home: the price paid, duty
// declared, goods into stock, duty and import VAT paid, the sale and its cost.
#include "core/window_registry.h"

namespace kelmora::form103 {

void compute(Window& w) {
    const Num priceForeign = w.field("Text1"), rate = w.field("Text2"), dutyRate = w.field("Text3"),
              vatRate = w.field("Text4"), salesPrice = w.field("Text5"), outputVat = w.field("Text6");
    const Num price = rate * priceForeign;
    const Num duty = price * dutyRate;
    const Num importVat = (price + duty) * vatRate;
    const Num goodsCost = price + duty;
    const Num taxPayment = duty + importVat;
    const Num receipt = outputVat + salesPrice;
    w.text("支付货款");
    w.amount("在途物资（借）", price);
    w.amount("银行存款（贷）", price);
    w.blank();
    w.text("申报关税");
    w.amount("在途物资（借）", duty);
    w.amount("应交税费（贷）", duty);
    w.blank();
    w.text("商品入库");
    w.amount("库存商品（借）", goodsCost);
    w.amount("在途物资（贷）", goodsCost);
    w.blank();
    w.text("支付税款");
    w.amount("应交税费-应交进口关税（借）", duty);
    w.amount("应交税费-应交增值税（进）（借）", importVat);
    w.amount("银行存款（贷）", taxPayment);
    w.blank();
    w.text("收到货款");
    w.amount("银行存款/应收票据（借）", receipt);
    w.amount("主营业务收入-自营出口（贷）", salesPrice);
    w.amount("应交税费-应交增值税（销）（贷）", outputVat);
    w.blank();
    w.text("结转成本");
    w.amount("主营业务成本（借）", goodsCost);
    w.amount("库存商品（贷）", goodsCost);
}

WindowDef define() {
    FormBuilder b("Form103");
    b.field("Text1", "货款")
        .field("Text2", "进口汇率")
        .field("Text3", "进口关税率")
        .field("Text4", "应纳增值税率")
        .field("Text5", "货款额")
        .field("Text6", "增值税额");
    b.standardButtons(compute, "进口商品销售");
    return b.build();
}

KELMORA_WINDOW(Form103, define);

}  // namespace kelmora::form103
