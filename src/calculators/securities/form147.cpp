// Kelmora — shares issued through an underwriter, whose commission is taken
// out of the proceeds and out of the share premium.
#include "core/window_registry.h"

namespace kelmora::form147 {

void compute(Window& w) {
    const Num number = w.field("Text1"), par = w.field("Text2"), issuePrice = w.field("Text3"),
              commission = w.field("Text4");
    const Num gross = issuePrice * number;
    const Num net = gross * (1 - commission);
    const Num premium = number * (issuePrice - par) - gross * commission;
    const Num shareCapital = number * par;
    w.text("发行股票");
    w.amount("银行存款（借）", net);
    w.amount("股本（贷）", shareCapital);
    w.amount("资本公积-股本溢价（贷）", premium);
}

WindowDef define() {
    FormBuilder b("Form147");
    b.field("Text1", "股票数量").field("Text2", "股票面值").field("Text3", "发行面值").field("Text4", "佣金比例");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form147, define);

}  // namespace kelmora::form147
