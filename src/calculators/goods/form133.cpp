// Kelmora — packaging lent out against a deposit; the rent is kept out of
// the deposit when the packaging comes back.
#include "core/window_registry.h"

namespace kelmora::form133 {

void compute(Window& w) {
    const Num cost = w.field("Text1"), deposit = w.field("Text2"), rent = w.field("Text3");
    w.text("出借其他");
    w.amount("其他业务成本（借）", cost);
    w.amount("周转材料-包装物（贷）", cost);
    w.blank();
    w.text("收取押金");
    w.amount("库存现金（借）", deposit);
    w.amount("其他应付款-押金（贷）", deposit);
    w.blank();
    w.text("收取租金，退还押金");
    w.amount("其他应付款-押金（借）", deposit);
    w.amount("其他业务收入（贷）", rent);
    const Num refund = deposit - rent;
    w.amount("库存现金（贷）", refund);
}

WindowDef define() {
    FormBuilder b("Form133");
    b.field("Text1", "实际成本").field("Text2", "押金").field("Text3", "租金");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form133, define);

}  // namespace kelmora::form133
