// Kelmora — manufacturing overheads paid from the bank.
#include "calculators/cash/expenses.h"

namespace kelmora::form11 {

void compute(Window& w) {
    const expenses::Expense e = expenses::readExpense(w);
    expenses::paidFromBank(w, e, "制造费用（借）");
}

WindowDef define() {
    return expenses::calculator({.form = "Form11",
                                 .caption = "Form11",
                                 .explanation = "制造费用：包括间接材料费、折旧费、低值易耗品等",
                                 .text1Label = "制造费用",
                                 .text2Label = "应交税费-应交增值税（进）"},
                                compute);
}

KELMORA_WINDOW(Form11, define);

}  // namespace kelmora::form11
