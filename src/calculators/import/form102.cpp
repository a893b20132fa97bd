// Kelmora — goods imported on the company's own account: price and freight
// paid, duty and consumption tax levied, the supplier's commission received,
// the cost carried to stock and the taxes paid with the import VAT.
#include "core/window_registry.h"

namespace kelmora::form102 {

void compute(Window& w) {
    const Num priceForeign = w.field("Text1"), priceRate = w.field("Text2"), freightForeign = w.field("Text3"),
              freightRate = w.field("Text4"), dutyRate = w.field("Text5"), consumptionRate = w.field("Text6"),
              vatRate = w.field("Text7"), commissionForeign = w.field("Text8"), commissionRate = w.field("Text9");
    const Num price = priceRate * priceForeign;
    const Num freight = freightRate * freightForeign;
    w.text("支付货款");
    w.amount("在途物资（借）", price);
    w.amount("银行存款（贷）", price);
    w.blank();
    w.text("支付运险");
    w.amount("在途物资-运险费（借）", freight);
    w.amount("银行存款-外币（贷）", freight);
    w.blank();
    // The taxes are worked out only now: with a consumption-tax rate of 1 the
    // base has no divisor, and the payments above are already booked.
    const Num dutiable = price + freight;
    const Num duty = dutiable * dutyRate;
    const Num taxableBase = (dutiable + duty) / (1 - consumptionRate);
    const Num consumptionTax = taxableBase * consumptionRate;
    const Num importVat = taxableBase * vatRate;
    const Num importTaxes = duty + consumptionTax;
    const Num commission = commissionForeign * commissionRate;
    const Num goodsCost = (price + freight) + importTaxes - commission;
    const Num taxPayment = (duty + consumptionTax) + importVat;
    w.text("缴纳进口税");
    w.amount("在途物资（借）", importTaxes);
    w.amount("应交税费-应交进口关税（贷）", duty);
    w.amount("应交税费-应交消费税（贷）", consumptionTax);
    w.blank();
    w.text("收到佣金");
    w.amount("银行存款（借）", commission);
    w.amount("在途物资（贷）", commission);
    w.blank();
    w.text("结转成本");
    w.amount("库存商品-库存进口商品（借）", goodsCost);
    w.amount("在途物资（贷）", goodsCost);
    w.blank();
    w.text("支付税额");
    w.amount("应交税费-应交进口关税（借）", duty);
    w.amount("应交税费-应交消费税（借）", consumptionTax);
    w.amount("应交税费-应交增值税（进）（借）", importVat);
    w.amount("银行存款（贷）", taxPayment);
}

WindowDef define() {
    FormBuilder b("Form102");
    b.field("Text1", "货款")
        .field("Text2", "付货款时汇率")
        .field("Text3", "支付运险")
        .field("Text4", "付运险时汇率")
        .field("Text5", "关税税率")
        .field("Text6", "消费税税率")
        .field("Text7", "增值税税率");
    b.standardButtons(compute, "进口商品");
    // The commission stands in the lower left, below the printed lines.
    b.lowerLeft().field("Text8", "收到佣金").field("Text9", "收佣金时汇率");
    return b.build();
}

KELMORA_WINDOW(Form102, define);

}  // namespace kelmora::form102
