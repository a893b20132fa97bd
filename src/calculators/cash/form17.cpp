// Kelmora — other receivables: advanced, then collected.
#include "calculators/cash/expenses.h"

namespace kelmora::form17 {

void compute(Window& w) {
    const expenses::Expense e = expenses::readExpense(w);
    w.text("垫付款项");
    w.amount("其他应收款（借）", e.amount);
    w.amount("应交税费-应交增值税（借）", e.vat);
    w.amount("银行存款（贷）", e.total);
    w.blank();
    w.text("收回款项");
    w.amount("银行存款（借）", e.total);
    w.amount("其他应收款（贷）", e.amount);
    w.amount("应交税费-应交增值税（贷）", e.vat);
}

WindowDef define() {
    return expenses::calculator({.form = "Form17",
                                 .caption = "Form17",
                                 .explanation = "其他应收款：收取保险公司赔款、职工垫款备用金租金、押金等",
                                 .text1Label = "其他应收款",
                                 .text2Label = "应交税费-应交增值税（销）"},
                                compute);
}

KELMORA_WINDOW(Form17, define);

}  // namespace kelmora::form17
