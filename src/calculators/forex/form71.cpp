// Kelmora — a short-term bank loan in foreign currency: drawn, spent, and
// repaid with simple interest, the exchange difference between the loan day
// and the repayment day closing the entry.
#include "core/window_registry.h"

namespace kelmora::form71 {

void compute(Window& w) {
    const Num principal = w.field("Text1"), months = w.field("Text2"), annualRate = w.field("Text3"),
              loanRate = w.field("Text4"), repaymentRate = w.field("Text5");
    w.text("借款日处理");
    const Num loan = loanRate * principal;
    w.amount("银行存款-美元（借）", loan);
    w.amount("短期借款-美元（贷）", loan);
    w.blank();
    w.amount("固定资产/库存商品/原材料（借）", loan);
    w.amount("银行存款（贷）", loan);
    w.blank();
    // The heading names the usual term; the figures use the term typed.
    w.text("三个月后还款");
    w.amount("短期借款（借）", loan);
    // Interest is booked at the loan-day rate and paid, with the principal, at
    // the repayment-day rate.
    const Num interest = months * principal * annualRate * loanRate / 12;
    w.amount("财务费用-利息支出（借）", interest);
    const Num repayment = months * principal * annualRate * repaymentRate / 12 + repaymentRate * principal;
    const Num difference = (repayment - loan) - interest;
    w.amountBySign("财务费用-汇兑损益（借）", "财务费用-汇兑损益（贷）", difference);
    w.amount("银行存款（贷）", repayment);
}

WindowDef define() {
    FormBuilder b("Form71");
    b.field("Text1", "外汇银行借款")
        .field("Text2", "借款时间-月")
        .field("Text3", "借款年利率")
        .field("Text4", "借款日汇率")
        .field("Text5", "汇兑日汇率");
    b.standardButtons(compute, "短期外汇借款");
    return b.build();
}

KELMORA_WINDOW(Form71, define);

}  // namespace kelmora::form71
