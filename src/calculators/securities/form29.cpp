// Kelmora — short-term shares and bonds bought and sold again.
#include "core/window_registry.h"

namespace kelmora::form29 {

struct Trade {
    const char* buyHeading;
    const char* investment;  // the short-term investment account, debit and credit
    const char* receivable;  // dividend or interest bought with the security
    const char* sellHeading;
    const char* sold;
    const char* gainAccount;
};

// One security bought and sold: the income declared before the purchase is a
// receivable, not part of the cost.  The gain stays on the credit line whatever
// its sign.  No blank line closes the block, so a second block follows directly.
void trade(Window& w, const Trade& t, Num price, Num income, Num buyFees, Num salePrice, Num saleFees) {
    const Num cost = (price - income) + buyFees;
    const Num outlay = buyFees + price;
    const Num proceeds = salePrice - saleFees;
    const Num gain = proceeds - cost;
    w.text(t.buyHeading);
    w.amount(t.investment, cost);
    w.amount(t.receivable, income);
    w.amount("银行存款（贷）", outlay);
    w.blank();
    w.text(t.sellHeading);
    w.amount("银行存款（借）", proceeds);
    w.amount(t.sold, cost);
    w.amount(t.gainAccount, gain);
}

void compute(Window& w) {
    const Num bondPrice = w.field("Text1"), interest = w.field("Text2"), bondBuyFees = w.field("Text3"),
              bondSalePrice = w.field("Text4"), bondSaleFees = w.field("Text5"), sharePrice = w.field("Text6"),
              dividend = w.field("Text7"), shareBuyFees = w.field("Text8"), shareSalePrice = w.field("Text9"),
              shareSaleFees = w.field("Text10");
    if (sharePrice > 0)
        trade(w,
              {"购买股票", "短期投资-股票投资（借）", "应收股利（借）", "出售股票", "短期投资-股票投资（贷）",
               "投资收益-股票投资收益（贷）"},
              sharePrice, dividend, shareBuyFees, shareSalePrice, shareSaleFees);
    if (bondPrice > 0)
        trade(w,
              {"购买债券", "短期投资-债券投资（借）", "应收利息（借）", "出售债券", "短期投资-债券投资（贷）",
               "投资收益-债券投资收益（贷）"},
              bondPrice, interest, bondBuyFees, bondSalePrice, bondSaleFees);
}

WindowDef define() {
    FormBuilder b("Form29");
    b.beginColumns();
    b.heading("出售股票")
        .field("Text6", "股票买价")
        .field("Text7", "发放股利")
        .field("Text8", "购买税费")
        .field("Text9", "股票售价")
        .field("Text10", "出售税费");
    b.nextColumn();
    b.heading("出售债券")
        .field("Text1", "债券买价/账面余额")
        .field("Text2", "发放债利")
        .field("Text3", "购买税费")
        .field("Text4", "债券售价")
        .field("Text5", "出售税费");
    b.endColumns();
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form29, define);

}  // namespace kelmora::form29
