// Kelmora — the statement window: income statement, cash-flow statement and
// short balance sheet as grids of boxes, their totals and a ratio analysis.

#include "core/window_registry.h"
#include "core/statement_grid.h"

namespace kelmora::form119 {

StatementGrid incomeStatement() {
    StatementGrid g;
    g.heads = {{"Text42", "项目"}, {"Text40", "上年"}, {"Text41", "本期"}};
    g.rows = {
        inputRow("Text27", "主营业务收入", {"Text1", "Text14"}),
        inputRow("Text28", "主营业务成本", {"Text2", "Text15"}),
        inputRow("Text29", "营业税金及附加", {"Text3", "Text16"}),
        totalRow("Text30", "主营业务利润", {"Text4", "Text17"}, {1, -2, -3}),
        inputRow("Text31", "其他业务利润", {"Text5", "Text18"}),
        inputRow("Text32", "销售费用", {"Text6", "Text19"}),
        inputRow("Text33", "管理费用", {"Text7", "Text20"}),
        inputRow("Text34", "财务费用", {"Text8", "Text21"}),
        totalRow("Text35", "营业利润", {"Text9", "Text22"}, {5, 4, -6, -7, -8}),
        inputRow("Text36", "投资收益", {"Text10", "Text23"}),
        totalRow("Text37", "利润总额", {"Text11", "Text24"}, {10, 9}),
        inputRow("Text38", "所得税", {"Text12", "Text25"}),
        totalRow("Text39", "净利润", {"Text13", "Text26"}, {11, -12}),
    };
    return g;
}

StatementGrid assetsSide() {
    StatementGrid g;
    g.heads = {{"Text114", "项目"}, {"Text109", "期初"}, {"Text110", "期末"}};
    g.rows = {
        inputRow("Text98", "货币资金", {"Text43", "Text54"}, "货币资金=库存现金+银行存款+其他货币资金"),
        inputRow("Text99", "交易性金融资产", {"Text44", "Text55"}, "交易性金融资产＝交易性金融资产"),
        inputRow("Text100", "应收款项", {"Text45", "Text56"}, "应收款项=应收票据+应收账款+预付账款+应收利息+应收股利+其他应收款"),
        inputRow("Text101", "存货", {"Text46", "Text57"},
                 "存货=各种材料＋库存商品＋在产品+半成品+包装物+低值易耗品＋委托加工物资＋委托代销商品＋生产成本－代销商品款-存货跌价准备"),
        totalRow("Text102", "流动资产合计", {"Text47", "Text58"}, {2, 1, 3, 4}, "流动资产合计=货币资金+交易性金融资产+应收款项+存货"),
        inputRow("Text103", "长期投资", {"Text48", "Text59"}, "长期投资=长期股权投资+长期债权投资+投资性房地产"),
        inputRow("Text104", "固定资产净值", {"Text49", "Text60"}, "固定资产＝固定资产－累计折旧－固定资产减值准备+在建工程+工程物资-固定资产清理"),
        inputRow("Text105", "无形资产", {"Text50", "Text61"}, "无形资产＝无形资产－累计摊销－无形资产减值准备"),
        inputRow("Text106", "其他资产", {"Text51", "Text62"}, "其他资产＝开发支出+商誉+递延所得税资产+其他非流动资产+长期待摊费用"),
        totalRow("Text107", "长期资产合计", {"Text52", "Text63"}, {9, 8, 7, 6}, "长期资产合计＝长期投资+固定资产净值+无形资产+其他资产"),
        totalRow("Text108", "总计", {"Text53", "Text64"}, {5, 10}),
    };
    return g;
}

StatementGrid liabilitiesSide() {
    StatementGrid g;
    g.heads = {{"Text113", "项目"}, {"Text111", "期初"}, {"Text112", "期末"}};
    g.rows = {
        inputRow("Text87", "流动负债", {"Text65", "Text76"},
                 "流动负债合计＝短期借款+交易性金融负债+应付票据+应付账款+预收款项+应付职工薪酬+应交税费+应付利息+应付股利+其他应付款+一年内到期的非流动负债+其他流动负债"),
        inputRow("Text88", "长期负债", {"Text66", "Text77"}, "长期负债=长期债权+长期应付款+应付债券"),
        totalRow("Text89", "负债合计", {"Text67", "Text78"}, {1, 2}, "负债合计＝流动负债+长期负债"),
        unusedRow("Text90", "", {"Text68", "Text79"}),
        unusedRow("Text91", "", {"Text69", "Text80"}),
        inputRow("Text92", "资本公积", {"Text70", "Text81"}, "资本公积＝资本公积"),
        inputRow("Text93", "实收资本", {"Text71", "Text82"}, "实收资本（或股本）＝实收资本（或股本）"),
        inputRow("Text94", "盈余公积", {"Text72", "Text83"}, "盈余公积＝盈余公积"),
        inputRow("Text95", "未分配利润", {"Text73", "Text84"}, "未分配利润＝利润分配+本年利润"),
        totalRow("Text96", "所有者权益合计", {"Text74", "Text85"}, {9, 8, 7, 6}, "所有者权益合计＝资本公积+实收资本+盈余公积+未分配利润"),
        totalRow("Text97", "总计", {"Text75", "Text86"}, {10, 3}),
    };
    return g;
}

StatementGrid cashFlowStatement() {
    StatementGrid g;
    g.heads = {{"Text165", "项目"}, {"Text163", "上年"}, {"Text164", "本期"}};
    g.rows = {
        sectionRow("Text147", "一、经营活动产生的现金流量", {"Text115", "Text131"}),
        inputRow("Text148", "销售现金", {"Text116", "Text132"}),
        inputRow("Text149", "收到其他现金", {"Text117", "Text133"}),
        inputRow("Text150", "支付现金", {"Text118", "Text134"}),
        inputRow("Text151", "支付工薪", {"Text119", "Text135"}),
        inputRow("Text152", "支付税费", {"Text120", "Text136"}),
        inputRow("Text153", "支付其他现金", {"Text121", "Text137"}),
        totalRow("Text154", "经营活动产生的现金流量净额", {"Text122", "Text138"}, {3, 2, -4, -5, -6, -7}),
        sectionRow("Text155", "二、投资活动产生的现金流量", {"Text123", "Text139"}),
        inputRow("Text156", "收回长期现金", {"Text124", "Text140"}),
        inputRow("Text157", "取得投资现金", {"Text125", "Text141"}),
        inputRow("Text158", "处置资产回收现金", {"Text126", "Text142"}),
        inputRow("Text159", "投资支付现金", {"Text127", "Text143"}),
        inputRow("Text160", "构建非流动资产支付现金", {"Text128", "Text144"}),
        totalRow("Text161", "投资活动产生的现金流量净额", {"Text129", "Text145"}, {11, 10, 12, -13, -14}),
        sectionRow("Text162", "三、筹资活动产生的现金流量", {"Text130", "Text146"}),
        inputRow("Text172", "吸收投资、借款取得现金", {"Text166", "Text169"}),
        inputRow("Text173", "偿还债务、股利支付现金", {"Text167", "Text170"}),
        totalRow("Text174", "筹资活动产生的现金流量净额", {"Text168", "Text171"}, {17, -18}),
        freeRow("Text176", "四、汇率变动的影响", {"Text180", "Text178"}),
        freeRow("Text175", "五、现金及等价物的净增加额", {"Text179", "Text177"}),
    };
    return g;
}

// The grids in the order their totals are written: income statement, short
// balance sheet (assets, then liabilities and equity), cash flow.
const std::vector<StatementGrid>& grids() {
    static const std::vector<StatementGrid> all = [] {
        std::vector<StatementGrid> g{incomeStatement(), assetsSide(), liabilitiesSide(), cashFlowStatement()};
        for (StatementGrid& grid : g) grid.rowNumbers = true;
        return g;
    }();
    return all;
}

void compute(Window& w) { computeTotals(w, grids()); }

void clearBoxes(Window& w) { clearNumberBoxes(w, grids()); }

// One analysis item: the label with its value (the label alone when the
// value was not computed), the comment, and a blank line unless it is the
// last item.
void item(Window& w, std::string_view label, Num value, std::string_view comment, bool last = false) {
    w.amount(label, value);
    w.text(comment);
    if (!last) w.blank();
}

// Turnover in days of a 360-day year: 360 divided by the turnover ratio of
// the flow over the average of the opening and closing balances.  Without a
// turnover (no revenue, no cost of sales) there are no days to show; the item
// stays empty and the analysis goes on, so a balance sheet can be analysed on
// its own.
Num turnoverDays(Num flow, Num opening, Num closing) {
    Num days;
    if (opening + closing > 0) {
        const Num turnover = flow / ((opening + closing) / 2);
        if (turnover != 0) days = 360 / turnover;
    }
    return days;
}

void analyse(Window& w) {
    const StatementValues v = computeTotals(w, grids());
    // Current period of the income and cash-flow statements; opening (0) and
    // closing (1) figures of the short balance sheet.
    const Num revenue = v["Text14"], cost = v["Text15"], mainProfit = v["Text17"], selling = v["Text19"],
              admin = v["Text20"], finance = v["Text21"], totalProfit = v["Text24"], tax = v["Text25"],
              netProfit = v["Text26"], operatingCash = v["Text138"];
    const Num assets0 = v["Text53"], assets1 = v["Text64"], current0 = v["Text47"], current1 = v["Text58"],
              inventory0 = v["Text46"], inventory1 = v["Text57"], receivables0 = v["Text45"],
              receivables1 = v["Text56"], cash1 = v["Text54"];
    const Num currentLiab1 = v["Text76"], longLiab1 = v["Text77"], liabilities1 = v["Text78"], equity0 = v["Text74"],
              equity1 = v["Text85"];

    // Each item's value is unset while its guard fails.
    item(w, "净资产收益率", equity0 + equity1 > 0 ? netProfit / ((equity0 + equity1) / 2) : Num(),
         "净资产收益率在15%-30%较好");

    item(w, "总资产报酬率", assets0 + assets1 > 0 ? (totalProfit + finance) / ((assets0 + assets1) / 2) : Num(),
         "该指标越高，表明企业投入产出的水平越好");

    item(w, "资本保值增值率", equity0 > 0 ? equity1 / equity0 : Num(),
         "该指标越高，表明企业的资本保全状况越好");

    item(w, "主营业务利润率", revenue > 0 ? mainProfit / revenue : Num(),
         "该指标越高，说明企业产品或商品定价科学");

    item(w, "成本费用利润率", cost + selling + admin + finance > 0 ? totalProfit / (cost + selling + admin + finance) : Num(),
         "该项指标越高，利润就越大");

    item(w, "总资产周转率", turnoverDays(revenue, assets0, assets1), "该项指标越高，说明企业销售能力越强");
    item(w, "流动资产周转率", turnoverDays(revenue, current0, current1), "流动资产周转的快，可以节约资金");
    item(w, "存货周转率", turnoverDays(cost, inventory0, inventory1), "存货周转率越高，表明企业存货资产变现能力越强");
    item(w, "应收账款周转率", turnoverDays(revenue, receivables0, receivables1), "应收账款周转率越高，说明其收回越快");

    item(w, "资产负债率", liabilities1 + equity1 > 0 ? liabilities1 / (liabilities1 + equity1) : Num(),
         "资产负债率的适宜水平是40%～60%。");

    item(w, "流动比率", currentLiab1 > 0 ? current1 / currentLiab1 : Num(),
         "一般认为流动比率应在2：1以上");

    item(w, "速动比率", currentLiab1 > 0 ? (current1 - inventory1) / currentLiab1 : Num(),
         "国际上公认的标准比率为1,我国目前较好的比率在0.9左右");

    item(w, "现金比率", currentLiab1 > 0 ? cash1 / currentLiab1 : Num(),
         "现金比率一般认为20%以上为好。");

    item(w, "产权比率", equity1 > 0 ? liabilities1 / equity1 : Num(),
         "产权比率越低，说明企业偿还长期债务的能力越强");

    item(w, "权益乘数", equity1 > 0 ? (liabilities1 + equity1) / equity1 : Num(),
         "该比率越小，企业的负债程度越低");

    // Long-term liabilities as a share of long-term capital.
    item(w, "长期资本负债率", longLiab1 + equity1 > 0 ? longLiab1 / (longLiab1 + equity1) : Num(),
         "长期负债率高说明企业的长期偿债能力越弱");

    item(w, "利息保障倍数", finance > 0 ? (finance + netProfit + tax) / finance : Num(),
         "利息保障倍数越大，说明企业支付利息费用的能力越强");

    item(w, "现金流量与负债比率", liabilities1 > 0 ? operatingCash / liabilities1 : Num(),
         "该指标越高，表明企业的短期偿债能力越好");

    item(w, "营业净利率", revenue > 0 ? netProfit / revenue : Num(),
         "比率越高，说明企业的获利能力越强");

    item(w, "权益净利率", equity1 > 0 ? netProfit / equity1 : Num(),
         "比率越高，所有者权益所获报酬的水平越好");

    item(w, "现金流量比率", currentLiab1 > 0 ? operatingCash / currentLiab1 : Num(),
         "比率越高，说明企业的财务弹性越好", true);
}

WindowDef define() {
    FormBuilder b("Form119");
    const auto& g = grids();
    const StatementGrid &income = g[0], &assets = g[1], &liabilities = g[2], &cash = g[3];
    // The analysis is printed in the band at the left; the income statement
    // stands above the short balance sheet (its two sides side by side), the
    // three sharing one caption width so that their columns line up; the
    // cash-flow statement at the right with the buttons below.
    constexpr int kLeftGrids = 1;
    b.beginColumns();
    b.title("Label1", "利润表");
    addGrid(b, income, kLeftGrids);
    b.gap().title("Label2", "资产负债表（简）");
    b.beginColumns();
    addGrid(b, assets, kLeftGrids);
    b.nextColumn();
    addGrid(b, liabilities, kLeftGrids);
    b.endColumns();
    b.nextColumn();
    b.title("Label3", "现金流量表");
    addGrid(b, cash);
    b.buttons({{.name = "Command5", .caption = "取消"}});
    b.buttons({{.name = "Command1", .caption = "确定"}, {.name = "Command2", .caption = "清空"}});
    b.buttons({{.name = "Command3", .caption = "分析"}, {.name = "Command4", .caption = "退出"}});
    b.endColumns();
    b.on("Command1", compute);
    b.on("Command2", clearBoxes);
    b.on("Command3", analyse);
    b.on("Command4", FormBuilder::exit);
    b.on("Command5", FormBuilder::cancel);
    b.closeControl("Command4");
    return b.build();
}

KELMORA_WINDOW(Form119, define);

}  // namespace kelmora::form119
