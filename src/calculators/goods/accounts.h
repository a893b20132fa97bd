// Kelmora — the short-term loan entries that two loan windows print.
#pragma once

#include <string>

#include "core/window.h"

namespace kelmora::accounts {

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
