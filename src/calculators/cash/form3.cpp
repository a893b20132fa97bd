// Kelmora — goods bought through an out-of-town deposit account.
#include "core/window_registry.h"

namespace kelmora::form3 {

void compute(Window& w) {
    const Num price = w.field("Text1"), vat = w.field("Text2"), freight = w.field("Text3"),
              remittance = w.field("Text4");
    const Num goodsCost = freight + price;
    const Num total = vat + price + freight;
    if (price > 0) {
        w.text("商品未验收");
        w.amount("在途物资（借）", goodsCost);
        w.amount("应交税费-应交增值税（借）", vat);
        w.amount("其他货币资金-外埠存款（贷）", total);
        w.blank();
        w.text("验收入库");
        w.amount("库存商品（借）", goodsCost);
        w.amount("在途物资（贷）", goodsCost);
        w.blank();
        w.text("收回款项");
        w.amount("银行存款（借）", total);
        w.amount("其他货币资金-外埠存款（贷）", total);
        w.blank();
    }
    if (remittance > 0) {
        w.text("汇款");
        w.amount("其他货币资金-外埠存款（借）", remittance);
        w.amount("银行存款（贷）", remittance);
    }
}

WindowDef define() {
    FormBuilder b("Form3");
    b.heading("购买原材料").field("Text1", "货款").field("Text2", "增值税").field("Text3", "运费");
    b.heading("外埠存款").field("Text4", "外埠存款");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form3, define);

}  // namespace kelmora::form3
