// Kelmora — cash invested for a share of the registered capital.
#include "core/window_registry.h"

namespace kelmora::form142 {

void compute(Window& w) {
    const Num registered = w.field("Text1"), invested = w.field("Text2"), share = w.field("Text3");
    const Num capital = share * registered;
    w.amount("银行存款（借）", invested);
    w.amount("实收资本（贷）", capital);
    w.amount("资本公积（贷）", invested - capital);
}

WindowDef define() {
    FormBuilder b("Form142");
    b.field("Text1", "注册资本").field("Text2", "投入资本").field("Text3", "投入占比");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form142, define);

}  // namespace kelmora::form142
