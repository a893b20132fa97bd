// Kelmora — a fixed asset taken on a long finance lease, depreciated monthly
// over the term.
#include "core/window_registry.h"

namespace kelmora::form136 {

void compute(Window& w) {
    const Num total = w.field("Text1"), term = w.field("Text2"), residual = w.field("Text3");
    w.text("租赁开始");
    w.amount("固定资产（借）", total);
    w.amount("长期应付款（贷）", total);
    w.blank();
    // The term divides here; with no term the click stops under this heading.
    w.text("支付租金");
    const Num rent = total / term;
    w.amount("长期应付款（借）", rent);
    w.amount("银行存款（贷）", rent);
    w.blank();
    w.text("每月计提折旧");
    const Num monthly = (total - residual) / (term * 12);
    w.amount("制造费用（借）", monthly);
    w.amount("累计折旧（贷）", monthly);
    w.blank();
    w.text("租赁期满");
    w.amount("固定资产（借）", total);
    w.amount("固定资产（贷）", total);
}

WindowDef define() {
    FormBuilder b("Form136");
    b.field("Text1", "付款总额").field("Text2", "租期").field("Text3", "净残值");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form136, define);

}  // namespace kelmora::form136
