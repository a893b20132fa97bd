// Kelmora — a sale paid partly in advance: the advance, the delivery, and
// the balance collected (negative when the advance was more than the bill).
#include "core/window_registry.h"

namespace kelmora::form63 {

void compute(Window& w) {
    const Num price = w.field("Text1"), vat = w.field("Text2"), advance = w.field("Text3");
    w.text("收到预付款");
    w.amount("银行存款（借）", advance);
    w.amount("预收账款（贷）", advance);
    w.blank();
    w.text("发出货物");
    const Num total = vat + price;
    w.amount("预收账款（借）", total);
    w.amount("主营业务收入（贷）", price);
    w.amount("应交税费-应交增值税（销）（贷）", vat);
    const Num balance = total - advance;
    w.blank();
    w.text("收到余款");
    w.amount("银行存款（借）", balance);
    w.amount("预收账款（贷）", balance);
}

WindowDef define() {
    FormBuilder b("Form63");
    b.field("Text1", "售价").field("Text2", "增值税").field("Text3", "预收款");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form63, define);

}  // namespace kelmora::form63
