// Kelmora — taxable goods used by the company itself: for its own
// construction (consumption tax only) or given to the staff (sold at the
// selling price, VAT and consumption tax due).
#include "core/window_registry.h"

namespace kelmora::form122 {

void compute(Window& w) {
    const Num cost = w.field("Text1"), tax = w.field("Text2"), staffCost = w.field("Text3"),
              price = w.field("Text4"), vatRate = w.field("Text5"), taxRate = w.field("Text6");
    w.text("工程领用");
    if (cost > 0) {
        const Num total = cost + tax;
        w.amount("在建工程（借）", total);
        w.amount("库存商品（贷）", cost);
        w.amount("应交税费-应交消费税（贷）", tax);
    }
    w.blank();
    if (staffCost > 0) {
        const Num vat = vatRate * price;
        const Num consumptionTax = price * taxRate;
        const Num benefit = price + vat;
        w.text("员工补贴领用");
        w.amount("应付职工薪酬-职工福利费（借）", benefit);
        w.amount("税金及附加（借）", consumptionTax);
        w.amount("主营业务收入（贷）", price);
        w.amount("应交税费-应交增值税（销）（贷）", vat);
        w.amount("应交税费-应交消费税（贷）", consumptionTax);
        w.blank();
        w.amount("主营业务成本（借）", staffCost);
        w.amount("库存商品（贷）", staffCost);
    }
}

WindowDef define() {
    FormBuilder b("Form122");
    b.heading("无增值税").field("Text1", "产品成本").field("Text2", "消费税");
    b.heading("有增值税")
        .field("Text3", "产品成本")
        .field("Text4", "售价")
        .field("Text5", "增值税税率")
        .field("Text6", "消费税税率");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form122, define);

}  // namespace kelmora::form122
