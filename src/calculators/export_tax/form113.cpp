// Kelmora — consumption tax on exports that get no exemption or refund: accrued
// and paid like a domestic sale's.
#include "core/window_registry.h"

namespace kelmora::form113 {

void compute(Window& w) {
    const Num tax = w.field("Text1");
    w.text("计提消费税");
    w.amount("主营业务税金及附加（借）", tax);
    w.amount("应交税费-应交消费税（贷）", tax);
    w.blank();
    w.text("缴纳消费税");
    w.amount("应交税费-应交消费税（借）", tax);
    w.amount("银行存款（贷）", tax);
}

WindowDef define() {
    FormBuilder b("Form113");
    b.field("Text1", "收到消费税");
    b.standardButtons(compute, "不予免税或退税");
    return b.build();
}

KELMORA_WINDOW(Form113, define);

}  // namespace kelmora::form113
