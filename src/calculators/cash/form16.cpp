// Kelmora — other payables: charged, then paid.
#include "calculators/cash/expenses.h"

namespace kelmora::form16 {

void compute(Window& w) {
    const expenses::Expense e = expenses::readExpense(w);
    w.text("计提付款");
    w.amount("各种费用（借）", e.total);
    w.amount("其他应付款（贷）", e.amount);
    w.amount("应交增值税（进）（贷）", e.vat);
    w.blank();
    w.text("支付款项");
    w.amount("其他应付款（借）", e.amount);
    w.amount("应交增值税（进）（借）", e.vat);
    w.amount("各种费用（贷）", e.total);
}

WindowDef define() {
    return expenses::calculator({.form = "Form16",
                                 .caption = "Form16",
                                 .explanation = "其他应付款：应付租入固定资产和包装物的租金、暂付款项等",
                                 .text1Label = "其他应付款",
                                 .text2Label = "应交税费-应交增值税（进）"},
                                compute);
}

KELMORA_WINDOW(Form16, define);

}  // namespace kelmora::form16
