// Kelmora — equipment bought on long-term deferred payment, paid off monthly.
#include "core/window_registry.h"

namespace kelmora::form137 {

void compute(Window& w) {
    const Num price = w.field("Text1"), vat = w.field("Text2"), downPayment = w.field("Text3"),
              remainder = w.field("Text4"), monthly = w.field("Text5"), years = w.field("Text6");
    w.text("购入设备");
    w.amount("固定资产（借）", price);
    w.amount("应交税费（借）", vat);
    w.amount("长期应付款（贷）", remainder);
    w.amount("银行存款（贷）", downPayment);
    w.blank();
    w.text("每月支付设备款");
    w.amount("长期应付款（借）", monthly);
    w.amount("银行存款（贷）", monthly);
    w.blank();
    // Whatever the equal monthly payments leave open; a negative figure means
    // they already overpay the remainder, and it is shown as such.
    const Num lastPayment = remainder - (years * 12 - 1) * monthly;
    w.text("最后一期付款");
    w.amount("长期应付款（借）", lastPayment);
    w.amount("银行存款（贷）", lastPayment);
}

WindowDef define() {
    FormBuilder b("Form137");
    b.field("Text1", "设备总额")
        .field("Text2", "增值税")
        .field("Text3", "首付")
        .field("Text4", "余付")
        .field("Text5", "每月付款")
        .field("Text6", "付款年数");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form137, define);

}  // namespace kelmora::form137
