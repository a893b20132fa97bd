// Kelmora — pieces shared by the goods and accounts windows: members of
// control arrays, and the short-term loan entries that two loan windows print.
#pragma once

#include <string>

#include "core/app.h"

namespace kelmora::accounts {

// A labelled box whose label is a member of a control array (the label and
// the box stand on one row, as FormBuilder::field lays them out).
inline void arrayField(FormBuilder& b, const std::string& labelName, int index, const std::string& labelText,
                       const std::string& box) {
    b.place({labelName, index, ControlKind::Label, labelText,
             {b.x(), b.y() + 3, layout::kLabelWidth, 20}});
    b.field(box, {});
}

// The standard row of buttons where compute and cancel are one-member control
// arrays (Command1 index 0, Command2 index 1); the handlers are shared by name.
inline void arrayButtons(FormBuilder& b, Handler compute) {
    using namespace layout;
    b.skip(6);
    const int y = b.y();
    b.place({"Command1", 0, ControlKind::Button, "确定", {b.x(), y, kButtonWidth, kButtonHeight}});
    b.place({"Command2", 1, ControlKind::Button, "取消", {b.x() + kButtonWidth + 8, y, kButtonWidth, kButtonHeight}});
    b.place({"Command3", -1, ControlKind::Button, "退出",
             {b.x() + 2 * (kButtonWidth + 8), y, kButtonWidth, kButtonHeight}});
    b.skip(kButtonHeight + 8);
    b.on("Command1", std::move(compute)).on("Command2", FormBuilder::cancel).on("Command3", FormBuilder::exit);
}

// A short-term bank loan: borrowing, monthly accrual, quarterly payment of
// interest, repayment of the principal, and repayment with the interest of
// the whole term.  The term is counted in units of monthsPerUnit months; each
// amount is worked out where its entry is printed, so an overflow leaves the
// entries before it standing.
inline void shortTermLoan(Window& w, Num principal, Num rate, Num term, Num monthsPerUnit) {
    w.text("借入时");
    w.amount("银行存款（借）", principal);
    w.amount("短期借款（贷）", principal);
    w.blank();
    const Num monthly = rate * principal / 12;
    w.text("每月计提");
    w.amount("财务费用（借）", monthly);
    w.amount("应付利息（贷）", monthly);
    w.blank();
    const Num quarterly = monthly * 3;
    w.text("每季度支付利息");
    w.amount("应付利息（借）", quarterly);
    w.amount("银行存款（贷）", quarterly);
    w.blank();
    w.text("归还本金");
    w.amount("短期借款（借）", principal);
    w.amount("银行存款（贷）", principal);
    w.blank();
    // Multiplying by one month per unit is exact, so a term in months gives
    // monthly × months to the last digit.
    const Num termInterest = monthly * term * monthsPerUnit;
    const Num repayment = termInterest + principal;
    w.text("还本付息");
    w.amount("短期借款（借）", principal);
    w.amount("财务费用（借）", termInterest);
    w.amount("银行存款（贷）", repayment);
}

}  // namespace kelmora::accounts
