// Kelmora — closing the income and expense accounts into 本年利润 at the year
// end, with the total and operating profit that result.  Its fourth button
// moves on to the carrying forward of the profit (Form141).
#include "core/window_registry.h"

namespace kelmora::form140 {

void compute(Window& w) {
    const Num mainRevenue = w.field("Text1"), otherIncome = w.field("Text2"), fairValue = w.field("Text3"),
              investment = w.field("Text4"), nonOperatingIncome = w.field("Text5"), mainCost = w.field("Text6"),
              otherCost = w.field("Text7"), businessTax = w.field("Text8"), selling = w.field("Text9"),
              administrative = w.field("Text10"), finance = w.field("Text11"), impairment = w.field("Text12"),
              nonOperatingExpense = w.field("Text13"), incomeTax = w.field("Text14");
    const Num income = otherIncome + mainRevenue + fairValue + investment + nonOperatingIncome;
    const Num expenses = otherCost + mainCost + businessTax + selling + administrative + finance + impairment +
                         nonOperatingExpense;
    const Num net = income - expenses - incomeTax;

    w.text("结转收入");
    w.amount("主营业务收入（借）", mainRevenue);
    w.amount("其他业务收入（借）", otherIncome);
    w.amount("公允价值变动损益（借）", fairValue);
    w.amount("投资收益（借）", investment);
    w.amount("营业外收入（借）", nonOperatingIncome);
    w.amount("本年利润（贷）", income);
    w.blank();

    w.text("结转支出");
    w.amount("本年利润（借）", expenses);
    w.amount("主营业务成本（贷）", mainCost);
    w.amount("其他业务成本（贷）", otherCost);
    w.amount("营业税金及附加（贷）", businessTax);
    w.amount("销售费用（贷）", selling);
    w.amount("管理费用（贷）", administrative);
    w.amount("财务费用（贷）", finance);
    w.amount("资产减值损失（贷）", impairment);
    w.amount("营业外支出（贷）", nonOperatingExpense);
    w.blank();

    w.text("结转所得税");
    w.amount("本年利润（借）", incomeTax);
    w.amount("所得税费用（贷）", incomeTax);
    w.blank();

    w.text("结转本年利润");
    if (net >= 0) {
        w.amount("本年利润（借）", net);
        w.amount("利润分配-未分配利润（贷）", net);
    } else {
        // A loss leaves 本年利润 with a debit balance: it is closed by a credit
        // to 本年利润 against a debit to 未分配利润, the loss shown as a positive
        // amount.  (Debiting 本年利润 here would book the loss as a profit.)
        w.amount("利润分配-未分配利润（借）", -net);
        w.amount("本年利润（贷）", -net);
    }
    w.blank();

    const Num totalProfit = net + incomeTax;
    w.amount("利润总额", totalProfit);
    const Num operatingProfit = totalProfit + nonOperatingExpense - nonOperatingIncome;
    w.amount("营业利润", operatingProfit);
}

// Hands over to the profit carried forward; this window keeps its inputs.
void carryForward(Window& w) {
    w.hide();
    w.open("Form141");
}

WindowDef define() {
    FormBuilder b("Form140");
    // Two columns right of the band: the gains, non-operating income and the
    // cost of main business at the left; expenses, income tax and revenue at
    // the right with the buttons under them.
    b.beginColumns();
    b.field("Text3", "公允价值变动损益（贷）")
        .field("Text4", "投资收益（贷）")
        .field("Text5", "营业外收入（贷）")
        .field("Text6", "主营业务成本（贷）");
    b.nextColumn();
    b.field("Text9", "销售费用（借）")
        .field("Text10", "管理费用（借）")
        .field("Text11", "财务费用（借）")
        .field("Text12", "资产减值损失（借）")
        .field("Text13", "营业外支出（借）")
        .field("Text14", "所得税费用（借）")
        .field("Text7", "其他业务成本（贷）")
        .field("Text8", "营业税金及附加（贷）")
        .field("Text1", "主营业务收入（贷）")
        .field("Text2", "其他业务收入（贷）");
    b.buttons({{.name = "Command1", .caption = "确定"}, {.name = "Command2", .caption = "取消"},
               {.name = "Command3", .caption = "退出"}});
    b.buttons({{.name = "Command4", .caption = "结转本年利润"}});
    b.endColumns();
    b.on("Command1", compute).on("Command2", FormBuilder::cancel).on("Command3", FormBuilder::exit);
    b.on("Command4", carryForward);
    return b.build();
}

KELMORA_WINDOW(Form140, define);

}  // namespace kelmora::form140
