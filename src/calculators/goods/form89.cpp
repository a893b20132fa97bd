// Kelmora — purchase on which the seller grants an allowance before the goods
// are taken into stock.
#include "core/window_registry.h"

namespace kelmora::form89 {

void compute(Window& w) {
    const Num price = w.field("Text1"), vat = w.field("Text2"), allowance = w.field("Text3"),
              allowanceVat = w.field("Text4");

    w.text("支付货款");
    w.amount("在途物资（借）", price);
    w.amount("应交税费-应交增值税（进）（借）", vat);
    const Num paid = vat + price;
    w.amount("银行存款（贷）", paid);
    w.blank();

    w.text("销售折让");
    const Num refund = allowanceVat + allowance;
    w.amount("银行存款（借）", refund);
    w.amount("在途物资（贷）", allowance);
    w.amount("应交税费-应交增值税（贷）", allowanceVat);
    w.blank();

    w.text("验收入库");
    const Num net = price - allowance;
    w.amount("库存商品（借）", net);
    w.amount("在途物资（贷）", net);
}

WindowDef define() {
    FormBuilder b("Form89");
    b.field("Text1", "货款").field("Text2", "增值税").field("Text3", "折让款").field("Text4", "折让增值税");
    b.standardButtons(compute, "折让销售");
    return b.build();
}

KELMORA_WINDOW(Form89, define);

}  // namespace kelmora::form89
