// Kelmora — ocean insurance paid on an export, charged against export sales.
#include "core/window_registry.h"

namespace kelmora::form90 {

void compute(Window& w) {
    const Num premiumForeign = w.field("Text1"), rate = w.field("Text2");
    const Num premium = rate * premiumForeign;
    w.text("发生保险费用");
    w.amount("主营业务收入-自营出口销售收入（借）", premium);
    w.amount("银行存款（贷）", premium);
}

WindowDef define() {
    FormBuilder b("Form90");
    b.field("Text1", "保险费用").field("Text2", "保险汇率");
    b.standardButtons(compute, "保险费用");
    return b.build();
}

KELMORA_WINDOW(Form90, define);

}  // namespace kelmora::form90
