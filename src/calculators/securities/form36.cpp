// Kelmora — a long-term bond whose premium or discount is amortised over the
// months of this period out of the months it still runs.
#include "calculators/securities/securities.h"
#include "core/window_registry.h"

namespace kelmora::form36 {

void compute(Window& w) {
    const Num face = w.field("Text1"), price = w.field("Text2"), fees = w.field("Text3"), rate = w.field("Text4"),
              termMonths = w.field("Text5"), monthsNow = w.field("Text6");
    const Num premium = securities::longTermBondPurchase(w, face, price, fees);
    // Unset without a remaining term: the interest lines then show their
    // labels alone and neither amortisation line prints.
    Num coupon, amortisation, income;
    if (termMonths > 0) {
        coupon = rate * face;
        amortisation = premium * monthsNow / termMonths;
        income = amortisation + coupon;
    }
    w.blank();
    w.text("计提利息");
    w.amount("应收利息（借）", coupon);
    if (amortisation > 0) w.amount("长期债券投资（溢折价）（借）", amortisation);
    w.amount("投资收益（贷）", income);
    if (amortisation < 0) w.amount("长期债券投资（溢折价）（贷）", -amortisation);
    w.blank();
    w.text("收到利息");
    w.amount("银行存款（借）", coupon);
    w.amount("应收利息（贷）", coupon);
}

WindowDef define() {
    FormBuilder b("Form36");
    b.field("Text1", "债券面值");
    b.beginFrame("Frame1", "银行存款").field("Text2", "支付价款").field("Text3", "相关税费").endFrame();
    b.field("Text4", "票面利率").field("Text5", "存续期（月）").field("Text6", "摊销存续期（月）");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form36, define);

}  // namespace kelmora::form36
