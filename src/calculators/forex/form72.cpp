// Kelmora — a long-term bank loan in foreign currency: drawn, then year by
// year for up to five years the interest on the compounding foreign balance
// and the revaluation of the loan at the year-end rate, then the repayment
// of principal and compound interest.
#include "core/app.h"

namespace kelmora::form72 {

// One year end: the interest accrued, then the revaluation difference, a
// gain (negative) or a loss (positive) against the loan.
void yearEnd(Window& w, const char* heading, Num interest, Num difference) {
    w.text(heading);
    w.amount("财务费用-利息支出（借）", interest);
    w.amount("长期借款（贷）", interest);
    w.blank();
    if (difference < 0) {
        w.amount("长期借款（借）", -difference);
        w.amount("财务费用-汇兑损益（贷）", -difference);
    }
    if (difference > 0) {
        w.amount("财务费用-汇兑损益（借）", difference);
        w.amount("长期借款（贷）", difference);
    }
}

void compute(Window& w) {
    const Num principal = w.field("Text1"), rate = w.field("Text2"), years = w.field("Text3"),
              r0 = w.field("Text4"), r1 = w.field("Text5"), r2 = w.field("Text6"), r3 = w.field("Text7"),
              r4 = w.field("Text8"), r5 = w.field("Text9"), saleRate = w.field("Text16");

    const Num loan = principal * r0;
    w.text("借款时");
    w.amount("银行存款（借）", loan);
    w.amount("长期借款（贷）", loan);
    w.blank();

    // Each year's interest is on the foreign balance with the interest of the
    // years before, valued at that year's end rate.
    const Num f1 = rate * principal;
    const Num i1 = rate * principal * r1;
    const Num b1 = loan + i1;
    const Num l1 = principal + f1;
    const Num v1 = l1 * r1;
    const Num d1 = v1 - b1;
    yearEnd(w, "第一年年末", i1, d1);
    w.blank();

    // Year 2 is measured against the revalued year 1; years 3 to 5 against
    // the booked amount of the year before.
    Num b2, l2, b3, l3, b4, l4;
    if (years > 1) {
        const Num f2 = l1 * rate;
        const Num i2 = f2 * r2;
        b2 = v1 + i2;
        l2 = l1 + f2;
        const Num v2 = l2 * r2;
        const Num d2 = v2 - b2;
        yearEnd(w, "第二年年末", i2, d2);
    }
    w.blank();
    if (years > 2) {
        const Num f3 = l2 * rate;
        const Num i3 = f3 * r3;
        b3 = b2 + i3;
        l3 = l2 + f3;
        const Num v3 = l3 * r3;
        const Num d3 = v3 - b3;
        yearEnd(w, "第三年年末", i3, d3);
    }
    w.blank();
    if (years > 3) {
        const Num f4 = l3 * rate;
        const Num i4 = f4 * r4;
        b4 = b3 + i4;
        l4 = l3 + f4;
        const Num v4 = l4 * r4;
        const Num d4 = v4 - b4;
        yearEnd(w, "第四年年末", i4, d4);
    }
    w.blank();
    if (years > 4) {
        const Num f5 = l4 * rate;
        const Num i5 = f5 * r5;
        const Num b5 = b4 + i5;
        const Num v5 = (l4 + f5) * r5;
        const Num d5 = v5 - b5;
        yearEnd(w, "第五年年末", i5, d5);
    }
    w.blank();

    // The whole term compounds, fractional years and years past the fifth
    // included.  A negative base with a fractional term has no power: that
    // stops the click here, after the year blocks.
    const Num compound = pow(rate + 1, years) * principal;
    const Num carrying = compound * saleRate;
    const Num payment = compound * r1;
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
    b.grid({{{"Text10", "借款汇率"}, {"Text4", ""}, {"Text13", "第3年汇率"}, {"Text7", ""}},
            {{"Text11", "第1年汇率"}, {"Text5", ""}, {"Text14", "第4年汇率"}, {"Text8", ""}},
            {{"Text12", "第2年汇率"}, {"Text6", ""}, {"Text15", "第5年汇率"}, {"Text9", ""}}});
    b.standardButtons(compute, "长期外汇借款");
    return b.build();
}

KELMORA_WINDOW(Form72, define);

}  // namespace kelmora::form72
