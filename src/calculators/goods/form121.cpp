// Kelmora — sale of goods that bear consumption tax besides VAT.
#include "core/window_registry.h"

namespace kelmora::form121 {

void compute(Window& w) {
    const Num price = w.field("Text1"), vat = w.field("Text2"), rate = w.field("Text3");
    w.text("销售应税产品");
    const Num received = vat + price;
    w.amount("银行存款（借）", received);
    w.amount("主营业务收入（贷）", price);
    w.amount("应交税费-应交增值税（销）", vat);
    w.blank();
    w.text("计算消费税");
    const Num tax = price * rate;
    w.amount("税金及附加（借）", tax);
    w.amount("应交税费-应交消费税（贷）", tax);
}

WindowDef define() {
    FormBuilder b("Form121");
    b.field("Text1", "价款").field("Text2", "增值税").field("Text3", "消费税率");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form121, define);

}  // namespace kelmora::form121
