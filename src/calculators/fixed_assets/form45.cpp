// Kelmora — a fixed asset leased in under a finance lease and bought at the
// end of the term.
#include "core/window_registry.h"

namespace kelmora::form45 {

void compute(Window& w) {
    const Num totalRent = w.field("Text1"), yearlyRent = w.field("Text2"), endPayment = w.field("Text3"),
              taxes = w.field("Text4"), installation = w.field("Text5");
    w.text("安装税费");
    const Num fees = installation + taxes;
    w.amount("固定资产-融资租入固定资产（借）", fees);
    w.amount("银行存款（贷）", fees);
    w.blank();
    const Num leaseValue = endPayment + totalRent;
    w.amount("固定资产-融资租入固定资产（借）", leaseValue);
    w.amount("长期应付款-租赁费（贷）", leaseValue);
    w.blank();
    w.text("每年支付租赁费");
    w.amount("长期应付款-租赁费（借）", yearlyRent);
    w.amount("银行存款（贷）", yearlyRent);
    w.blank();
    w.text("租赁期满");
    w.amount("长期应付款-租赁费（借）", endPayment);
    w.amount("银行存款（贷）", endPayment);
    w.blank();
    const Num assetValue = fees + leaseValue;
    w.text("购入固定资产");
    w.amount("固定资产-生产用固定资产（借）", assetValue);
    w.amount("固定资产-融资租入固定资产（贷）", assetValue);
}

WindowDef define() {
    FormBuilder b("Form45");
    b.field("Text1", "租金总额").field("Text2", "每年支付").field("Text3", "到期支付").field("Text4", "租赁税费").field("Text5", "安装费");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form45, define);

}  // namespace kelmora::form45
