// Kelmora — other workshop expenses paid from the bank.
#include "calculators/cash/expenses.h"

namespace kelmora::form12 {

void compute(Window& w) {
    const expenses::Expense e = expenses::readExpense(w);
    expenses::paidFromBank(w, e, "其他费用（借）");
}

WindowDef define() {
    return expenses::calculator({.form = "Form12",
                                 .caption = "Form12",
                                 .explanation = "其他费用：包括车间管理人员工资,辅料消耗,生产设备折旧费,设备维修费等",
                                 .text1Label = "其他费用",
                                 .text2Label = "应交税费-应交增值税（进）"},
                                compute);
}

KELMORA_WINDOW(Form12, define);

}  // namespace kelmora::form12
