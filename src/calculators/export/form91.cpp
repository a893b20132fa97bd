// Kelmora — commission granted to the foreign buyer, disclosed on the invoice
// or undisclosed; the button pressed chooses which.  Both reverse the booked
// commission in red ink and work out the same figures at the payment rate.
#include "core/window_registry.h"

namespace kelmora::form91 {

struct Commission {
    Num booked;          // commission at the rate the sale was booked
    Num atPaymentRate;   // commission at the payment rate
    Num netReceipt;      // what the buyer remits
    Num receivable;      // the receivable as booked
    Num difference;      // booked receivable less what it fetched at the payment rate
};

Commission work(Window& w) {
    const Num dollars = w.field("Text1"), bookedRate = w.field("Text2"), share = w.field("Text3"),
              paymentRate = w.field("Text4");
    Commission c;
    c.booked = bookedRate * dollars * share;
    const Num receivableAtPayment = paymentRate * dollars;
    c.atPaymentRate = receivableAtPayment * share;
    c.netReceipt = receivableAtPayment - c.atPaymentRate;
    c.receivable = bookedRate * dollars;
    c.difference = c.receivable - c.netReceipt - c.atPaymentRate;
    return c;
}

void settle(Window& w, const Commission& c) {
    w.text("最终处理");
    w.amount("销售费用（借）", c.atPaymentRate);
    w.amount("应付账款-佣金（贷）", c.atPaymentRate);
}

void disclosed(Window& w) {
    const Commission c = work(w);
    w.text("确认明佣（红字）");
    w.amount("应收账款-应收外汇款（借）", c.booked);
    w.amount("主营业务收入（贷）", c.booked);
    w.blank();
    w.text("支付明佣");
    w.amount("银行存款（借）", c.netReceipt);
    w.amount("财务费用-汇兑差额（借）", c.difference);
    w.amount("应付账款-佣金（借）", c.atPaymentRate);
    w.amount("应收账款-应收外汇账款", c.receivable);
    w.blank();
    settle(w, c);
}

void undisclosed(Window& w) {
    const Commission c = work(w);
    w.text("确认暗佣（红字）");
    w.amount("应收账款-应收外汇款（借）", c.booked);
    w.amount("主营业务收入（贷）", c.booked);
    w.blank();
    w.text("支付暗佣");
    w.amount("应付账款-佣金（借）", c.atPaymentRate);
    w.amount("银行存款（贷）", c.atPaymentRate);
    w.blank();
    settle(w, c);
}

WindowDef define() {
    FormBuilder b("Form91");
    b.field("Text1", "应收美元").field("Text2", "佣金汇率").field("Text3", "佣金比率").field("Text4", "支付时美金汇率");
    b.buttons({{"Command1", "支付明佣"}, {"Command2", "取消"}});
    b.buttons({{"Command4", "支付暗佣"}, {"Command3", "退出"}});
    b.on("Command1", disclosed).on("Command2", FormBuilder::cancel);
    b.on("Command4", undisclosed).on("Command3", FormBuilder::exit);
    return b.build();
}

KELMORA_WINDOW(Form91, define);

}  // namespace kelmora::form91
