// Kelmora — a patent licensed out for a fee, its book value amortised monthly.
// Without a positive number of years nothing is divided: the amounts stay
// unset and their lines show the account alone.
#include "core/window_registry.h"

namespace kelmora::form118 {

void compute(Window& w) {
    const Num fee = w.field("Text1"), years = w.field("Text2"), buyingRate = w.field("Text3"),
              bookValue = w.field("Text4");
    Num feePerPeriod, monthly;
    if (years > 0) {
        feePerPeriod = fee / years * buyingRate;
        monthly = bookValue / years / 12;
    }
    w.text("每次收取费用");
    w.amount("银行存款（借）", feePerPeriod);
    w.amount("其他业务收入（贷）", feePerPeriod);
    w.blank();
    w.text("每月摊销");
    w.amount("其他业务成本-无形资产摊销（借）", monthly);
    w.amount("累积摊销（贷）", monthly);
}

WindowDef define() {
    FormBuilder b("Form118");
    b.field("Text1", "技术费").field("Text2", "使用年限").field("Text3", "外币买入价").field("Text4", "账面价值");
    b.standardButtons(compute, "转让专利");
    return b.build();
}

KELMORA_WINDOW(Form118, define);

}  // namespace kelmora::form118
