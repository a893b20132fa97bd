// Kelmora — an intangible asset bought, or contributed by an investor.
#include "core/window_registry.h"

namespace kelmora::form50 {

void compute(Window& w) {
    const Num bought = w.field("Text1"), boughtVat = w.field("Text2"), contributed = w.field("Text3"),
              contributedVat = w.field("Text4");
    // The two blocks run on without a blank line between them.
    if (bought > 0) {
        w.text("外购无形资产");
        const Num cost = boughtVat + bought;
        w.amount("无形资产（借）", cost);
        w.amount("银行存款（贷）", cost);
    }
    // A contribution in kind is the investor's capital, not a payment.
    if (contributed > 0) {
        w.text("投入无形资产");
        const Num cost = contributedVat + contributed;
        w.amount("无形资产（借）", cost);
        w.amount("实收资本（贷）", cost);
    }
}

WindowDef define() {
    FormBuilder b("Form50");
    b.heading("外购无形资产").field("Text1", "无形资产").field("Text2", "增值税");
    b.heading("投资者投入无形资产").field("Text3", "无形资产").field("Text4", "增值税");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form50, define);

}  // namespace kelmora::form50
