// Kelmora — an export handled as agent for a domestic principal: the goods held
// for the principal, the documents presented, the costs paid abroad on the
// principal's behalf, the proceeds, and the settlement less our agency fee.
// Exchange differences fall to the principal, not to our own finance costs.
// The rate and contract fields stand in the lower left, below the start of
// the printed lines; the settlement-list rate is for reference only and is
// never read.
#include "core/window_registry.h"

namespace kelmora::form99 {

void compute(Window& w) {
    const Num quantity = w.field("Text1"), unitPrice = w.field("Text2"), presentationRate = w.field("Text3"),
              feeShare = w.field("Text4"), freightForeign = w.field("Text5"), insuranceForeign = w.field("Text6"),
              commissionForeign = w.field("Text7"), onBehalfRate = w.field("Text8"),
              receiptRate = w.field("Text9"), contract = w.field("Text11");
    const Num goods = unitPrice * quantity;
    const Num presented = presentationRate * contract;
    const Num freight = onBehalfRate * freightForeign;
    const Num insurance = onBehalfRate * insuranceForeign;
    const Num commission = onBehalfRate * commissionForeign;
    const Num expenses = freight + insurance + commission;
    const Num proceeds = contract * receiptRate;
    const Num settled = contract * onBehalfRate;
    const Num difference = settled - proceeds;
    const Num duePrincipal = (settled - expenses) - difference;
    const Num agencyFee = settled * feeShare;
    const Num netPayment = duePrincipal - agencyFee;
    w.text("收到货物");
    w.amount("受托代销商品（借）", goods);
    w.amount("代销商品款（贷）", goods);
    w.blank();
    w.text("办理交单");
    w.amount("应收账款-应收外汇账款（借）", presented);
    w.amount("应付账款-代理出口销售收入（贷）", presented);
    w.blank();
    w.amount("代销商品款（借）", goods);
    w.amount("受托代销商品（贷）", goods);
    w.blank();
    w.text("代付境外费用");
    w.amount("主营业务收入-运输费（借）", freight);
    w.amount("主营业务收入-保险费（借）", insurance);
    w.amount("主营业务收入-佣金（借）", commission);
    w.amount("银行存款-外币（贷）", expenses);
    w.blank();
    w.text("出口收汇");
    w.amount("银行存款-外币（借）", proceeds);
    w.amountBySign("应付账款-汇兑损益（借）", "应付账款-汇兑损益（贷）", difference);
    w.amount("应收账款-应收外汇账款（贷）", settled);
    w.blank();
    w.text("结算清单");
    w.amount("应付账款（借）", duePrincipal);
    w.amount("其他业务收入-手续费收入（贷）", agencyFee);
    w.amount("银行存款（贷）", netPayment);
}

WindowDef define() {
    FormBuilder b("Form99");
    b.field("Text1", "商品数量")
        .field("Text2", "单价")
        .field("Text3", "交单汇率")
        .field("Text4", "手续费比例")
        .field("Text5", "运费")
        .field("Text6", "保险费")
        .field("Text7", "佣金");
    b.standardButtons(compute, "收取出口手续费");
    b.lowerLeft();
    b.field("Text8", "代付汇率").field("Text9", "收汇汇率").field("Text10", "结算清单汇率").field("Text11", "合同金额");
    return b.build();
}

KELMORA_WINDOW(Form99, define);

}  // namespace kelmora::form99
