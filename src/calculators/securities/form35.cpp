// Kelmora — a long-term bond transferred before maturity.  The premium here
// is cost − face: positive for a bond bought above face.
#include "core/window_registry.h"

namespace kelmora::form35 {

// What is left of the premium leaves with the bond; the rest of the proceeds
// above face is the gain.  A zero remaining premium or gain prints no entry.
void transfer(Window& w, Num proceeds, Num faceTotal, Num remaining, Num gain) {
    if (remaining > 0 && gain < 0) {
        w.amount("银行存款（借）", proceeds);
        w.amount("投资收益（借）", -gain);
        w.amount("长期债券投资（面值）（贷）", faceTotal);
        w.amount("长期债券投资（溢折价）（贷）", remaining);
    } else if (remaining > 0 && gain > 0) {
        w.amount("银行存款（借）", proceeds);
        w.amount("投资收益（贷）", gain);
        w.amount("长期债券投资（面值）（贷）", faceTotal);
        w.amount("长期债券投资（溢折价）（贷）", remaining);
    } else if (remaining < 0 && gain > 0) {
        w.amount("银行存款（借）", proceeds);
        w.amount("长期债券投资（溢折价）（借）", -remaining);
        w.amount("投资收益（贷）", gain);
        w.amount("长期债券投资（面值）（贷）", faceTotal);
    } else if (remaining < 0 && gain < 0) {
        w.amount("银行存款（借）", proceeds);
        w.amount("长期债券投资（溢折价）（借）", -remaining);
        w.amount("投资收益（借）", -gain);
        w.amount("长期债券投资（面值）（贷）", faceTotal);
    }
}

void compute(Window& w) {
    const Num number = w.field("Text1"), unitFace = w.field("Text2"), unitPrice = w.field("Text3"),
              fees = w.field("Text4"), rate = w.field("Text5"), amortisationYears = w.field("Text6"),
              proceeds = w.field("Text7"), yearsHeld = w.field("Text8");
    w.text("购入债券");
    const Num purchase = unitPrice * number;
    const Num cost = purchase + fees;
    const Num faceTotal = number * unitFace;
    const Num premium = cost - faceTotal;
    w.amount("长期债权投资-面值(借)", faceTotal);
    if (premium > 0) w.amount("长期债权投资-溢折价（借）", premium);
    w.amount("银行存款（贷）", cost);
    if (premium < 0) w.amount("长期债权投资-溢折价（贷）", -premium);
    w.blank();

    // Unset when no amortisation period is given: the interest lines then
    // show their labels alone and nothing is amortised.
    Num coupon, yearly;
    if (amortisationYears > 0) {
        w.text("计提利息");
        coupon = faceTotal * rate;
        yearly = premium / amortisationYears;
        const Num income = coupon - yearly;
        w.amount("应收利息（借）", coupon);
        if (yearly < 0) w.amount("长期债权投资（借）", -yearly);
        if (yearly > 0) w.amount("长期债权投资（贷）", yearly);
        w.amount("投资收益（贷）", income);
    }

    // Receiving the coupon clears the interest receivable booked above; the
    // income was recognised when it was accrued.
    w.blank();
    w.text("收到利息");
    w.amount("银行存款（借）", coupon);
    w.amount("应收利息（贷）", coupon);
    w.blank();

    const Num remaining = premium - yearly * yearsHeld;
    const Num gain = (proceeds - faceTotal) - remaining;
    transfer(w, proceeds, faceTotal, remaining, gain);
}

WindowDef define() {
    FormBuilder b("Form35");
    b.beginFrame("Frame1", "债券价值").field("Text1", "债券数量").field("Text2", "债券面值").endFrame();
    b.field("Text3", "购入价格")
        .field("Text4", "相关税费")
        .field("Text5", "票面利率")
        .field("Text6", "转让年限")
        .field("Text7", "转让净收入")
        .field("Text8", "转让时间（年）");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form35, define);

}  // namespace kelmora::form35
