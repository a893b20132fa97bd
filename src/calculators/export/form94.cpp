// Kelmora — an export bill discounted at the bank.  The discount is worked out
// in the foreign currency and converted at the day's rate together with the
// proceeds, so interest and proceeds add up to the converted face value.
#include "core/window_registry.h"

namespace kelmora::form94 {

void compute(Window& w) {
    const Num face = w.field("Text1"), rate = w.field("Text2"), days = w.field("Text3"),
              dayRate = w.field("Text4");
    const Num discount = rate * face * days / 360;
    const Num net = face - discount;
    const Num proceeds = net * dayRate;
    const Num interest = discount * dayRate;
    const Num faceValue = face * dayRate;
    w.text("票据贴现");
    w.amount("银行存款-外币（借）", proceeds);
    w.amount("财务费用-利息支出（借）", interest);
    w.amount("应收票据（贷）", faceValue);
}

WindowDef define() {
    FormBuilder b("Form94");
    b.field("Text1", "付款金额").field("Text2", "年利率").field("Text3", "计息时间").field("Text4", "收汇当日汇率");
    b.standardButtons(compute, "票据贴现");
    return b.build();
}

KELMORA_WINDOW(Form94, define);

}  // namespace kelmora::form94
