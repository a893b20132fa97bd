// Kelmora — assets invested in another company, and the transfer of the
// assets given up.
#include "core/window_registry.h"

namespace kelmora::form32 {

void compute(Window& w) {
    const Num capital = w.field("Text1"), equity = w.field("Text2"), patent = w.field("Text3"),
              bank = w.field("Text4"), investmentBook = w.field("Text5"), intangibleBook = w.field("Text6");
    w.text("出资");
    w.amount("长期股权投资（借）", equity);
    w.amount("无形资产（借）", patent);
    w.amount("银行存款（借）", bank);
    const Num surplus = (patent + equity + bank) - capital;
    w.amount("实收资本（贷）", capital);
    w.amount("资本公积（贷）", surplus);
    w.blank();

    w.text("转移资产");
    const Num given = patent + equity + bank;
    const Num agreed = patent + equity;
    const Num carried = intangibleBook + investmentBook;
    const Num difference = agreed - carried;
    w.amount("长期股权投资（借）", given);
    if (difference < 0) w.amount("营业外收入（借）", -difference);
    w.amount("长期股权投资（贷）", investmentBook);
    w.amount("无形资产（贷）", intangibleBook);
    if (difference >= 0) w.amount("营业外收入（贷）", difference);
    // The bank deposit is part of what the investment is debited with, so it
    // is credited whichever side the difference falls on; the entry balances
    // either way.
    w.amount("银行存款（贷）", bank);
}

WindowDef define() {
    FormBuilder b("Form32");
    b.field("Text1", "取得股权总额").field("Text2", "长期股权投资");
    b.beginFrame("Frame1", "营业外收入")
        .field("Text3", "专利技术")
        .field("Text4", "占用银行存款")
        .field("Text5", "投资账面余额")
        .field("Text6", "无形资产账面价值")
        .endFrame();
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form32, define);

}  // namespace kelmora::form32
