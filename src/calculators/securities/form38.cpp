// Kelmora — cost of a share investment carried by the equity method.
#include "core/window_registry.h"

namespace kelmora::form38 {

void compute(Window& w) {
    const Num paid = w.field("Text1"), share = w.field("Text2"), profit = w.field("Text3"),
              dividend = w.field("Text4");
    w.text("购买股票");
    w.amount("长期股权投资（借）", paid);
    w.amount("银行存款（贷）", paid);
    w.blank();
    w.text("收到收益");
    const Num income = profit * share;
    w.amount("长期股权投资（借）", income);
    w.amount("投资收益（贷）", income);
    w.blank();
    w.text("收到股利");
    // A dividend returns part of the investment: it lowers the carrying cost.
    const Num dividendShare = share * dividend;
    w.amount("应收股利（借）", dividendShare);
    w.amount("长期股权投资（贷）", dividendShare);
    w.blank();
    w.text("股票投资成本");
    const Num carryingCost = (paid + income) - dividendShare;
    w.amount("股票投资成本", carryingCost);
}

WindowDef define() {
    FormBuilder b("Form38");
    b.field("Text1", "实际支付股价").field("Text2", "股票份额").field("Text3", "经营获利").field("Text4", "发放股利");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form38, define);

}  // namespace kelmora::form38
