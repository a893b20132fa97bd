// Kelmora — administrative expenses, paid and closed into the year's profit.
#include "calculators/cash/expenses.h"

namespace kelmora::form13 {

void compute(Window& w) {
    const expenses::Expense e = expenses::readExpense(w);
    expenses::paidFromBank(w, e, "管理费用（借）");
    expenses::closedToProfit(w, e, "结转管理费用", "管理费用（贷）");
}

WindowDef define() {
    return expenses::calculator({.form = "Form13",
                                 .caption = "Form13",
                                 .explanation = "管理费用：包括公司经费、劳动保险费、董事会会费等",
                                 .text1Label = "管理费用",
                                 .text2Label = "应交税费-应交增值税（进）"},
                                compute);
}

KELMORA_WINDOW(Form13, define);

}  // namespace kelmora::form13
