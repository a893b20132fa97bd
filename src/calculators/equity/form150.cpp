// Kelmora — a cash dividend declared partly out of the surplus reserve, then
// paid.
#include "core/window_registry.h"

namespace kelmora::form150 {

void compute(Window& w) {
    const Num dividend = w.field("Text1"), fromProfit = w.field("Text2"), fromReserve = w.field("Text3");
    // The two debits are printed as typed; their sum is not checked against
    // the dividend.
    w.text("发放现金股利");
    w.amount("利润分配（借）", fromProfit);
    w.amount("盈余公积（借）", fromReserve);
    w.amount("应付股利（贷）", dividend);
    w.blank();
    w.text("支付股利");
    w.amount("应付股利（借）", dividend);
    w.amount("银行存款（贷）", dividend);
}

WindowDef define() {
    FormBuilder b("Form150");
    b.field("Text1", "应付股利").field("Text2", "可调用股利").field("Text3", "盈余公积");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form150, define);

}  // namespace kelmora::form150
