// Kelmora — financial expenses, paid and closed into the year's profit.
#include "calculators/cash/expenses.h"

namespace kelmora::form14 {

void compute(Window& w) {
    const expenses::Expense e = expenses::readExpense(w);
    expenses::paidFromBank(w, e, "财务费用（借）");
    expenses::closedToProfit(w, e, "结转财务费用", "财务费用（贷）");
}

WindowDef define() {
    return expenses::calculator({.form = "Form14",
                                 .caption = "Form14",
                                 .explanation = "财务费用：包括利息支出、汇兑损失、手续费等",
                                 .text1Label = "财务费用",
                                 .text2Label = "应交税费-应交增值税（进）"},
                                compute);
}

KELMORA_WINDOW(Form14, define);

}  // namespace kelmora::form14
