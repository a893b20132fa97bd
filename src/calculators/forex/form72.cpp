// Kelmora — a long-term bank loan in foreign currency: drawn, then year by
// year for up to five years the interest on the compounding foreign balance
// and the revaluation of the loan at the year-end rate, then the repayment
// of principal and compound interest.
#include "core/window_registry.h"

namespace kelmora::form72 {

// One year end: the interest accrued, then the revaluation difference, a
// loss (positive) or a gain (negative) against the loan.
void yearEnd(Window& w, const char* heading, Num interest, Num difference) {
    w.text(heading);
    w.amount("财务费用-利息支出（借）", interest);
    w.amount("长期借款（贷）", interest);
    w.blank();
    w.amountBySign("财务费用-汇兑损益（借）", "长期借款（借）", difference);
    w.amountBySign("长期借款（贷）", "财务费用-汇兑损益（贷）", difference);
}

void compute(Window& w) {
    const Num principal = w.field("Text1"), rate = w.field("Text2"), years = w.field("Text3"),
              r0 = w.field("Text4");
    const Num yearEndRates[] = {w.field("Text5"), w.field("Text6"), w.field("Text7"), w.field("Text8"),
                                w.field("Text9")};
    const Num saleRate = w.field("Text16");
    static const char* const kHeadings[] = {"第一年年末", "第二年年末", "第三年年末", "第四年年末", "第五年年末"};

    const Num loan = principal * r0;
    w.text("借款时");
    w.amount("银行存款（借）", loan);
    w.amount("长期借款（贷）", loan);
    w.blank();

    // The foreign balance compounds yearly.  Each year's interest is on the
    // balance with the interest of the years before, valued at that year's
    // end rate; the loan is then revalued at that rate against last year's
    // revalued amount plus the year's interest, so that each difference is
    // booked once.  Year 1 is always booked; a later year only within the
    // term, its blank line printed either way.
    Num balance = principal;  // in foreign currency
    Num value = loan;         // in yuan, as last revalued
    for (int year = 1; year <= 5; ++year) {
        if (year == 1 || years > year - 1) {
            const Num endRate = yearEndRates[year - 1];
            const Num foreignInterest = balance * rate;
            const Num interest = foreignInterest * endRate;
            const Num booked = value + interest;
            balance = balance + foreignInterest;
            value = balance * endRate;
            yearEnd(w, kHeadings[year - 1], interest, value - booked);
        }
        w.blank();
    }

    // The whole term compounds, fractional years and years past the fifth
    // included.  A negative base with a fractional term has no power: that
    // stops the click here, after the year blocks.
    const Num compound = pow(rate + 1, years) * principal;
    const Num carrying = compound * saleRate;
    // Paid at the first year-end rate whatever the term.
    const Num payment = compound * yearEndRates[0];
    const Num difference = payment - carrying;
    w.text("最后一年还本付息");
    w.amount("长期借款（借）", carrying);
    w.amountBySign("财务费用-汇兑损益（借）", "财务费用-汇兑损益（贷）", difference);
    w.amount("银行存款", payment);
}

WindowDef define() {
    FormBuilder b("Form72");
    b.field("Text1", "长期外汇借款").field("Text2", "年利率").field("Text3", "借款时间-年").field("Text16", "出售时汇率");
    // The rate table: each value box follows a box naming its rate.  The
    // naming boxes are the user's to edit and are never read.
    b.gap();
    b.grid({{gridHead("Text10", "借款汇率"), {"Text4", ""}, gridHead("Text13", "第3年汇率"), {"Text7", ""}},
            {gridHead("Text11", "第1年汇率"), {"Text5", ""}, gridHead("Text14", "第4年汇率"), {"Text8", ""}},
            {gridHead("Text12", "第2年汇率"), {"Text6", ""}, gridHead("Text15", "第5年汇率"), {"Text9", ""}}});
    b.standardButtons(compute, "长期外汇借款");
    return b.build();
}

KELMORA_WINDOW(Form72, define);

}  // namespace kelmora::form72
