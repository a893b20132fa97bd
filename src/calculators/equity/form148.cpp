// Kelmora — the holder's part of an increase in an investee's capital reserve.
#include "core/window_registry.h"

namespace kelmora::form148 {

void compute(Window& w) {
    const Num increase = w.field("Text1"), share = w.field("Text2");
    const Num amount = share * increase;
    w.text("增加资本公积");
    w.amount("长期股权投资（借）", amount);
    w.amount("资本公积", amount);
}

WindowDef define() {
    FormBuilder b("Form148");
    b.field("Text1", "增加资本公积").field("Text2", "股份比例");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form148, define);

}  // namespace kelmora::form148
