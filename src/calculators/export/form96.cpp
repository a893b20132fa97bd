// Kelmora — settling a claim of the foreign buyer.  The loss is split by its
// cause; the transport department's share is recovered later and the buyer is
// paid later, each at the rate of its own day.  The shares are printed as
// typed, whether or not they add up to the whole claim.
#include "core/window_registry.h"

namespace kelmora::form96 {

void compute(Window& w) {
    const Num total = w.field("Text1"), acceptRate = w.field("Text2"), transport = w.field("Text3"),
              management = w.field("Text4"), own = w.field("Text5"), cost = w.field("Text6"),
              recoveryRate = w.field("Text7"), paymentRate = w.field("Text8");
    const Num claim = acceptRate * total;
    const Num transportShare = acceptRate * transport;
    const Num managementShare = acceptRate * management;
    const Num ownShare = acceptRate * own;
    const Num recovery = transport * recoveryRate;
    const Num recoveryDifference = transportShare - recovery;
    const Num paid = total * paymentRate;
    const Num paymentDifference = claim - paid;
    w.text("确认理赔时");
    w.text("确认理赔");
    w.amount("待处理财产损溢（借）", claim);
    w.amount("应付账款-出口理赔（贷）", claim);
    w.blank();
    w.amount("其他应收款-运输部门（借）", transportShare);
    w.amount("管理费用（借）", managementShare);
    w.amount("主营业务收入-自营出口销售收入（借）", ownShare);
    w.amount("待处理财产损溢", claim);
    w.blank();
    w.text("结转成本");
    w.amount("库存商品（借）", cost);
    w.amount("主营业务成本-自营出口销售成本（贷）", cost);
    w.blank();
    // Recovering less than the share booked is a loss, more is a gain.
    w.text("收到赔款");
    w.amount("银行存款（借）", recovery);
    w.amountBySign("财务费用-汇兑损益（借）", "财务费用-汇兑损益（贷）", recoveryDifference);
    w.amount("其他应收款-运输（贷）", transportShare);
    w.blank();
    // Paying the buyer settles the liability booked on acceptance.  Paying
    // less than it is a gain, more is a loss.
    w.text("支付赔款");
    w.amount("应付账款-出口理赔（借）", claim);
    w.amountBySign("财务费用-汇兑损益（贷）", "财务费用-汇兑损益（借）", paymentDifference);
    w.amount("银行存款（贷）", paid);
}

WindowDef define() {
    // Two columns of boxes, both right of the printed lines: the claim and its
    // shares on the right, the cost and the two later rates on the left,
    // starting beside the company's own share.
    FormBuilder b("Form96");
    b.beginColumns();
    b.blankRow().blankRow().blankRow().blankRow();
    b.field("Text6", "成本总额").field("Text7", "收到理赔时汇率").field("Text8", "支付理赔时汇率");
    b.nextColumn();
    b.field("Text1", "出口理赔总额")
        .field("Text2", "确认理赔时汇率")
        .field("Text3", "运输原因损失")
        .field("Text4", "管理原因损失")
        .field("Text5", "自身原因损失");
    b.standardButtons(compute, "出口理赔");
    b.endColumns();
    return b.build();
}

KELMORA_WINDOW(Form96, define);

}  // namespace kelmora::form96
