// Kelmora — selling expenses, paid and closed into the year's profit.
#include "calculators/cash/expenses.h"

namespace kelmora::form15 {

void compute(Window& w) {
    const expenses::Expense e = expenses::readExpense(w);
    expenses::paidFromBank(w, e, "销售费用（借）");
    expenses::closedToProfit(w, e, "结转销售费用", "销售费用（贷）");
}

WindowDef define() {
    return expenses::calculator({.form = "Form15",
                                 .caption = "Form15",
                                 .explanation = "销售费用：包括销售商品过程中发生的保险费、包装费、展览费和广告费、商品维修费、运费等",
                                 .text1Label = "销售费用",
                                 .text2Label = "应交税费-应交增值税（进）"},
                                compute);
}

KELMORA_WINDOW(Form15, define);

}  // namespace kelmora::form15
