// Kelmora — proceeds received under a letter of credit, less the interest the
// bank deducts.  The interest is deducted in foreign currency in whole cents,
// so it is rounded before the net amount and both conversions use it.  It is
// rounded as the user rounds the figure the program shows, so that a check
// by hand gives the same cents.
#include "core/window_registry.h"

namespace kelmora::form93 {

void compute(Window& w) {
    const Num collected = w.field("Text1"), annualRate = w.field("Text2"), days = w.field("Text3"),
              rate = w.field("Text4");
    const Num foreignInterest = roundCents(annualRate * collected * days / 360);
    const Num netForeign = collected - foreignInterest;
    const Num bankReceipt = netForeign * rate;
    const Num interest = foreignInterest * rate;
    const Num revenue = bankReceipt + interest;
    w.text("L/C收款");
    w.amount("银行存款（借）", bankReceipt);
    w.amount("财务费用-利息支出（借）", interest);
    w.amount("主营业务收入-自营出口销售收入（贷）", revenue);
}

WindowDef define() {
    FormBuilder b("Form93");
    b.field("Text1", "收取汇金").field("Text2", "年利率").field("Text3", "计息时间").field("Text4", "收汇当日汇率");
    b.standardButtons(compute, "L/C 收款");
    return b.build();
}

KELMORA_WINDOW(Form93, define);

}  // namespace kelmora::form93
