// Kelmora — goods returned by the foreign buyer.  One button reverses the sale,
// its commission and its cost; the other books the insurance and return
// expenses, which are typed in yuan and need nothing else from the window.
#include "core/window_registry.h"

namespace kelmora::form92 {

void returnGoods(Window& w) {
    const Num price = w.field("Text1"), commissionRate = w.field("Text2"), spotRate = w.field("Text3"),
              cost = w.field("Text4");
    const Num sales = spotRate * price;
    const Num commission = spotRate * (price * commissionRate);
    const Num receivable = sales + commission;
    w.text("出口退回");
    w.amount("主营业务收入-自营出口销售收入（借）", sales);
    w.amount("主营业务收入-佣金比率（借）", commission);
    w.amount("应收账款-应收外汇账款（贷）", receivable);
    w.blank();
    w.text("冲销成本");
    w.amount("库存商品（借）", cost);
    w.amount("主营业务成本（贷）", cost);
}

void returnExpenses(Window& w) {
    const Num expenses = w.field("Text5");
    w.text("退货处理");
    w.amount("待处理财产损益（借）", expenses);
    w.amount("主营业务收入（贷）", expenses);
    w.blank();
    w.text("支付退回费用");
    w.amount("待处理财产损益（借）", expenses);
    w.amount("银行存款（贷）", expenses);
    w.blank();
    w.text("批准退回");
    w.amount("营业外支出（借）", expenses);
    w.amount("待处理财产损益（贷）", expenses);
}

WindowDef define() {
    FormBuilder b("Form92");
    b.field("Text1", "商品退回总价")
        .field("Text2", "佣金比率")
        .field("Text3", "退回即期汇率")
        .field("Text4", "成本")
        .field("Text5", "保险及退货支出");
    b.buttons({{"Command1", "出口退回"}, {"Command2", "取消"}});
    b.buttons({{"Command4", "保险及退货支出"}, {"Command3", "退出"}});
    b.on("Command1", returnGoods).on("Command4", returnExpenses);
    b.on("Command2", FormBuilder::cancel).on("Command3", FormBuilder::exit);
    return b.build();
}

KELMORA_WINDOW(Form92, define);

}  // namespace kelmora::form92
