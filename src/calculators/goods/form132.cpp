// Kelmora — a short-term loan (term in quarters) and a long-term loan (term
// in years) side by side, each printed only when its principal is given.
#include "core/window_registry.h"
#include "calculators/goods/accounts.h"

namespace kelmora::form132 {

void compute(Window& w) {
    const Num shortPrincipal = w.field("Text1"), shortRate = w.field("Text2"), quarters = w.field("Text3"),
              longPrincipal = w.field("Text4"), longRate = w.field("Text5"), years = w.field("Text6");
    if (shortPrincipal > 0) accounts::shortTermLoan(w, shortPrincipal, shortRate, quarters, 3);
    if (longPrincipal > 0) {
        w.text("取得借款");
        w.amount("银行存款（借）", longPrincipal);
        w.amount("长期借款（贷）", longPrincipal);
        w.blank();
        w.text("年末计息");
        const Num yearly = longRate * longPrincipal;
        w.amount("财务费用-利息费（借）", yearly);
        w.amount("应付利息（贷）", yearly);
        w.blank();
        w.text("偿还利息");
        const Num paid = longRate * longPrincipal * years;
        w.amount("应付利息（借）", paid);
        w.amount("银行存款（贷）", paid);
        w.blank();
        w.text("最后一年还本付息");
        w.amount("长期借款", longPrincipal);
        w.amount("应付利息", yearly);
        const Num finalPayment = longPrincipal + yearly;
        w.amount("银行存款", finalPayment);
    }
}

WindowDef define() {
    FormBuilder b("Form132");
    // Two columns under the members of the heading array Label7: the
    // long-term loan at the left (index 1), the short-term loan at the right
    // (index 0).
    b.beginColumns();
    b.heading("Label7", "长期借款", 1);
    b.namedField("Text4", "Label4", "银行借款").namedField("Text5", "Label5", "年利率");
    b.namedField("Text6", "Label6", "期限（年）");
    b.nextColumn();
    b.heading("Label7", "短期长期借款", 0);
    b.namedField("Text1", "Label1", "银行借款").namedField("Text2", "Label2", "年利率");
    b.namedField("Text3", "Label3", "期限（季）");
    b.endColumns();
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form132, define);

}  // namespace kelmora::form132
