// Kelmora — a new investor paying in more than the capital it obtains.
#include "core/window_registry.h"

namespace kelmora::form146 {

void compute(Window& w) {
    const Num existing = w.field("Text1"), added = w.field("Text2"), share = w.field("Text3");
    const Num capital = share * existing;
    w.text("资本溢价");
    w.amount("银行存款（借）", added);
    w.amount("实收资本（贷）", capital);
    w.amount("资本公积-资本溢价（贷）", added - capital);
}

WindowDef define() {
    FormBuilder b("Form146");
    b.field("Text1", "现有投资").field("Text2", "追加投资").field("Text3", "占有股份");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form146, define);

}  // namespace kelmora::form146
