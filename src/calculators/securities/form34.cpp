// Kelmora — a long-term bond investment: purchase, yearly interest with the
// straight-line amortisation of the premium or discount, and the principal.
#include "calculators/securities/securities.h"
#include "core/window_registry.h"

namespace kelmora::form34 {

void compute(Window& w) {
    const Num face = w.field("Text1"), price = w.field("Text2"), fees = w.field("Text3"), rate = w.field("Text4"),
              term = w.field("Text5");
    const Num premium = securities::longTermBondPurchase(w, face, price, fees);
    if (term > 0) {
        const Num coupon = rate * face;
        const Num yearly = premium / term;
        const Num income = coupon + yearly;
        w.blank();
        w.text("每年计提利息");
        w.amount("应收利息（借）", coupon);
        if (yearly > 0) w.amount("长期债权投资（溢折价）（借）", yearly);
        w.amount("投资收益（贷）", income);
        if (yearly < 0) w.amount("长期债权投资（溢折价）（贷）", -yearly);
        w.blank();
        w.text("每年收到利息");
        w.amount("银行存款（借）", coupon);
        w.amount("应收利息（贷）", coupon);
    }
    w.blank();
    w.text("收回本金");
    w.amount("银行存款（借）", face);
    w.amount("长期债权投资（面值）", face);
}

WindowDef define() {
    FormBuilder b("Form34");
    b.field("Text1", "债券面值")
        .field("Text2", "支付价款")
        .field("Text3", "相关税费")
        .field("Text4", "票面利率")
        .field("Text5", "发行年限");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form34, define);

}  // namespace kelmora::form34
