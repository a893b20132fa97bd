// Kelmora — a branch remits its contract money and management fee to the head
// office: the branch's ledger first, then the head office's, both at the one
// remittance rate.
#include "core/window_registry.h"

namespace kelmora::form114 {

void compute(Window& w) {
    const Num contractMoney = w.field("Text1"), rate = w.field("Text2"), fee = w.field("Text3");
    const Num remittance = rate * contractMoney;
    const Num feeValue = rate * fee;
    w.text("分公司账务");
    w.text("汇交工程款");
    w.amount("应付账款-内部往来（借）", remittance);
    w.amount("银行存款-内部往来（贷）", remittance);
    w.blank();
    w.text("上交管理费用");
    w.amount("管理费用（借）", feeValue);
    w.amount("其他应付款-总公司（贷）", feeValue);
    w.blank();
    w.text("总公司账务");
    w.text("收到承包款");
    w.amount("银行存款-外币（借）", remittance);
    w.amount("应收账款-内部往来（贷）", remittance);
    w.blank();
    w.text("索取管理费用");
    w.amount("银行存款-外币（借）", feeValue);
    w.amount("其他应收款-内部往来（贷）", feeValue);
}

WindowDef define() {
    FormBuilder b("Form114");
    b.field("Text1", "汇交工程款").field("Text2", "汇交时汇率").field("Text3", "管理费");
    b.standardButtons(compute, "分公司承包汇款");
    return b.build();
}

KELMORA_WINDOW(Form114, define);

}  // namespace kelmora::form114
