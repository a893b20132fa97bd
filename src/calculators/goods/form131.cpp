// Kelmora — short-term bank loan with interest accrued monthly and paid
// quarterly; the term is in months.
#include "core/window_registry.h"
#include "calculators/goods/accounts.h"

namespace kelmora::form131 {

void compute(Window& w) {
    const Num principal = w.field("Text1"), rate = w.field("Text2"), months = w.field("Text3");
    accounts::shortTermLoan(w, principal, rate, months, 1);
}

WindowDef define() {
    FormBuilder b("Form131");
    b.field("Text1", "银行借款").field("Text2", "年利率").field("Text3", "期限（月）");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form131, define);

}  // namespace kelmora::form131
