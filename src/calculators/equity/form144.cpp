// Kelmora — additional cash investment, and capital and surplus reserves
// turned into paid-in capital.
#include "core/window_registry.h"

namespace kelmora::form144 {

void compute(Window& w) {
    const Num cash = w.field("Text1"), surplusReserve = w.field("Text2"), capitalReserve = w.field("Text3");
    if (cash > 0) {
        w.text("收到投资");
        w.amount("银行存款（借）", cash);
        w.amount("实收资本（贷）", cash);
    }
    w.blank();
    // Each reserve block books the box of the same name: the capital-reserve
    // block prints first, although its box stands last on the window.
    if (capitalReserve > 0) {
        w.text("资本公积");
        w.amount("资本公积（借）", capitalReserve);
        w.amount("实收资本（贷）", capitalReserve);
    }
    w.blank();
    if (surplusReserve > 0) {
        w.text("盈余公积");
        w.amount("盈余公积（借）", surplusReserve);
        w.amount("实收资本（贷）", surplusReserve);
    }
}

WindowDef define() {
    FormBuilder b("Form144");
    b.heading("追加投资").field("Text1", "资金投资");
    b.heading("投资转盈余公积").field("Text2", "盈余公积");
    b.heading("投资转资本公积").field("Text3", "资本公积");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form144, define);

}  // namespace kelmora::form144
