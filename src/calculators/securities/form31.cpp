// Kelmora — long-term equity investment: money put in directly, and shares
// bought with a dividend already declared.
#include "core/window_registry.h"

namespace kelmora::form31 {

void compute(Window& w) {
    const Num direct = w.field("Text1"), shares = w.field("Text2"), price = w.field("Text3"),
              dividend = w.field("Text4"), fees = w.field("Text5");
    if (direct > 0) {
        w.amount("长期股权投资（借）", direct);
        w.amount("银行存款（贷）", direct);
    }
    // The declared dividend is bought as a receivable, so it leaves the cost.
    const Num cost = (price - dividend) * shares + fees;
    const Num dividends = dividend * shares;
    const Num outlay = fees + price * shares;
    w.amount("长期股权投资（借）", cost);
    w.amount("应收股利（借）", dividends);
    w.amount("银行存款（贷）", outlay);
    w.blank();
    w.text("收到股利");
    w.amount("银行存款（借）", dividends);
    w.amount("应收股利（贷）", dividends);
}

WindowDef define() {
    FormBuilder b("Form31");
    b.heading("长期股权投资").field("Text1", "长期股权投资");
    b.heading("长期持有股权")
        .field("Text2", "股票数量")
        .field("Text3", "每股价格")
        .field("Text4", "每股股利")
        .field("Text5", "相关税费");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form31, define);

}  // namespace kelmora::form31
