// Kelmora — the tax effect of freight, insurance and commission taken off the
// export price: the part of input tax that is not refunded is worked out on
// the whole price and again on the deduction.
#include "core/window_registry.h"

namespace kelmora::form109 {

void compute(Window& w) {
    const Num levyRate = w.field("Text1"), refundRate = w.field("Text2"), price = w.field("Text3"),
              deduction = w.field("Text4");
    const Num priceTax = (levyRate - refundRate) * price;
    const Num deductionTax = (levyRate - refundRate) * deduction;
    w.text("确认出口");
    w.amount("应收账款-应收出口退税（借）", price);
    w.amount("主营业务收入（贷）", price);
    w.blank();
    w.amount("主营业务成本-应收出口退税（借）", priceTax);
    w.amount("应交税费-应交增值税（进转出）（贷）", priceTax);
    w.blank();
    w.text("冲减运险金");
    w.amount("主营业务收入（借）", deduction);
    w.amount("银行存款（贷）", deduction);
    w.blank();
    w.amount("主营业务成本（借）", deductionTax);
    w.amount("应交税费-应交增值税（进转出）（贷）", deductionTax);
}

WindowDef define() {
    FormBuilder b("Form109");
    b.field("Text1", "出口征税率").field("Text2", "出口退税率").field("Text3", "总成交价").field("Text4", "运险佣金");
    b.standardButtons(compute, "运险金退税");
    return b.build();
}

KELMORA_WINDOW(Form109, define);

}  // namespace kelmora::form109
