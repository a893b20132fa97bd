// Kelmora — an intangible asset amortised month by month, then sold.
#include "core/window_registry.h"

namespace kelmora::form53 {

void compute(Window& w) {
    const Num value = w.field("Text1"), years = w.field("Text2"), price = w.field("Text3"), fee = w.field("Text4"),
              tax = w.field("Text5"), months = w.field("Text6");
    // Without a positive period nothing has been amortised: monthly stays
    // unset and counts as 0 in the sale below.
    Num monthly;
    if (years > 0) {
        monthly = value / years / 12;
        w.text("摊销无形资产");
        w.amount("制造费用-技术转让费", monthly);
        w.amount("累计摊销", monthly);
    }
    w.blank();
    const Num amortised = monthly * months;
    w.amount("已摊销额", amortised);
    const Num book = value - amortised;
    w.amount("账面价值", book);
    const Num gain = price - book - tax - fee;
    w.amount("转让收益", gain);
    w.blank();
    w.amount("银行存款（借）", price - fee);
    w.amount("累计摊销（借）", amortised);
    // A loss stands among the debits, a gain among the credits; a sale at
    // exactly book value needs neither line.
    if (gain < 0) w.amount("营业外收入（借）", -gain);
    w.amount("无形资产（贷）", value);
    w.amount("应交税费（贷）", tax);
    if (gain > 0) w.amount("营业外收入（贷）", gain);
}

WindowDef define() {
    FormBuilder b("Form53");
    b.field("Text1", "无形资产价值")
        .field("Text2", "专利年限")
        .field("Text3", "转让价格")
        .field("Text4", "转让费用")
        .field("Text5", "税金")
        .field("Text6", "使用时间（月）");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form53, define);

}  // namespace kelmora::form53
