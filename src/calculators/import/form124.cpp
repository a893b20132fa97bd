// Kelmora — duty and taxes on imported taxable goods: the entry with the
// amounts as assessed, then the consumption tax and VAT worked out from the
// rates for comparison.
#include "core/window_registry.h"

namespace kelmora::form124 {

void compute(Window& w) {
    const Num customsValue = w.field("Text1"), duty = w.field("Text2"), consumptionRate = w.field("Text3"),
              vatRate = w.field("Text4"), assessedConsumption = w.field("Text5"), assessedVat = w.field("Text6");
    const Num goodsCost = duty + customsValue + assessedConsumption;
    const Num payment = goodsCost + assessedVat;
    w.amount("库存商品（借）", goodsCost);
    w.amount("应交税费-应交增值税（进）（借）", assessedVat);
    w.amount("银行存款（贷）", payment);
    w.blank();
    // Worked out only after the entry: a consumption-tax rate of 1 leaves the
    // base without a divisor, and the entry stands regardless.
    const Num consumptionTax = consumptionRate * ((duty + customsValue) / (1 - consumptionRate));
    const Num vat = ((duty + customsValue) + consumptionTax) * vatRate;
    w.amount("应交消费税税额", consumptionTax);
    w.amount("应交增值税税额", vat);
}

WindowDef define() {
    // The title bar reads Form95, not this window's own name.
    FormBuilder b("Form124", "Form95");
    b.field("Text1", "关税完税价")
        .field("Text2", "关税")
        .field("Text3", "消费税税率")
        .field("Text4", "增值税税率")
        .field("Text5", "消费税税额")
        .field("Text6", "增值税税额");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form124, define);

}  // namespace kelmora::form124
