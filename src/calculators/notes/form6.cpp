// Kelmora — an interest-bearing note discounted at the bank.
#include "calculators/notes/notes.h"
#include "core/window_registry.h"

namespace kelmora::form6 {

void compute(Window& w) {
    const Num face = w.field("Text1"), term = w.field("Text2"), couponRate = w.field("Text3"),
              discountRate = w.field("Text4"), held = w.field("Text5");
    const Num discountDays = term - held;
    const Num maturity = notes::maturityValue(face, couponRate, term);
    const Num discount = notes::bankDiscount(maturity, discountRate, discountDays);
    const Num proceeds = maturity - discount;
    const Num difference = proceeds - face;
    // The difference lands on one side of finance costs or the other; either
    // way it is printed as a positive amount.
    if (difference >= 0) {
        w.text("票据贴现");
        w.amount("银行存款（借）", proceeds);
        w.amount("财务费用（贷）", difference);
        w.amount("应收票据（贷）", face);
    } else {
        w.text("票据贴现");
        w.amount("银行存款（借）", proceeds);
        w.amount("财务费用（借）", face - proceeds);
        w.amount("应收票据（贷）", face);
    }
    w.blank();
    w.text("若银行无力支付票据");
    w.amount("应收账款（借）", proceeds);
    w.amount("银行存款（贷）", proceeds);
    w.blank();
    w.text("若付款人无力支付利息");
    w.amount("应收账款（借）", proceeds);
    w.amount("短期借款（贷）", proceeds);
}

WindowDef define() {
    FormBuilder b("Form6");
    b.field("Text1", "票面价值").field("Text3", "票面利率（年）").field("Text4", "年贴现率");
    b.beginFrame("Frame1", "贴现时间").field("Text2", "贴现期限（天）").field("Text5", "未贴现时间").endFrame();
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form6, define);

}  // namespace kelmora::form6
