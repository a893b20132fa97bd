// Kelmora — materials sold as other business.
#include "core/window_registry.h"

namespace kelmora::form59 {

void compute(Window& w) {
    const Num revenue = w.field("Text1"), vat = w.field("Text2"), cost = w.field("Text3");
    w.text("确认收入");
    w.amount("应收账款（借）", vat + revenue);
    w.amount("其他业务收入（贷）", revenue);
    w.amount("应交税费-应交增值税（销）（贷）", vat);
    w.blank();
    w.text("结转原材料成本");
    w.amount("其他业务成本（借）", cost);
    w.amount("原材料（贷）", cost);
}

WindowDef define() {
    FormBuilder b("Form59");
    b.field("Text1", "其他业务总额").field("Text2", "应交增值税（销）").field("Text3", "成本总额");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form59, define);

}  // namespace kelmora::form59
