// Kelmora — production cost paid from the bank.
#include "calculators/cash/expenses.h"

namespace kelmora::form10 {

void compute(Window& w) {
    const expenses::Expense e = expenses::readExpense(w);
    expenses::paidFromBank(w, e, "生产成本（借）");
}

WindowDef define() {
    return expenses::calculator({.form = "Form10",
                                 .caption = "Form70",
                                 .explanation = "生产成本：包括直接材料费、直接人工、制造费用等",
                                 .text1Label = "生产成本",
                                 .text2Label = "应交税费-应交增值税（进）"},
                                compute);
}

KELMORA_WINDOW(Form10, define);

}  // namespace kelmora::form10
