// Kelmora — the balance sheet window: a full balance sheet as a grid of
// boxes, its section totals and grand totals, and six ratios.
#include "core/window_registry.h"
#include "core/statement_grid.h"

namespace kelmora::form120 {

StatementGrid assetsSide() {
    StatementGrid g;
    g.heads = {{"Text204", "资产"}, {"Text199", "年初数"}, {"Text200", "年末数"}};
    g.rows = {
        sectionRow("Text166", "流动资产：", {"Text1", "Text34"}),
        inputRow("Text167", "货币资金", {"Text2", "Text35"}, "货币资金=库存现金+银行存款+其他货币资金"),
        inputRow("Text168", "交易性金融资产", {"Text3", "Text36"}, "交易性金融资产＝交易性金融资产"),
        inputRow("Text169", "应收票据", {"Text4", "Text37"}, "应收票据=应收票据-应收票据计提的坏账准备"),
        inputRow("Text170", "应收账款", {"Text5", "Text38"},
                 "应收账款= “应收账款”明细账借方余额+“预收账款”明细账借方余额-应收账款计提的坏账准备（期末为贷方余额在预收账款填列)"),
        inputRow("Text171", "预付账款", {"Text6", "Text39"},
                 "预付账款= “预付账款”明细账借方余额+“应付账款”明细账借方余额-预付账款计提的坏账准备（期末为贷方余额在应付账款填列）"),
        inputRow("Text172", "应收利息", {"Text7", "Text40"}, "应收利息=应收利息-应收利息计提的坏账准备"),
        inputRow("Text173", "应收股利", {"Text8", "Text41"}, "应收股利=应收股利-应收股利计提的坏账准备"),
        inputRow("Text174", "其他应收款", {"Text9", "Text42"}, "其他应收款=其他应收款-其他应收款计提的坏账准备"),
        inputRow("Text175", "存货", {"Text10", "Text43"},
                 "存货=各种材料＋库存商品＋在产品+半成品+包装物+低值易耗品＋委托加工物资＋委托代销商品＋生产成本－代销商品款-存货跌价准备"),
        inputRow("Text176", "一年内到期的非流动资产", {"Text11", "Text44"}, "一年内到期的非流动资产=一年内到期的非流动资产"),
        inputRow("Text177", "其他流动资产", {"Text12", "Text45"}, "其他流动资产=其他流动资产"),
        totalRow("Text178", "  流动资产合计", {"Text13", "Text46"}, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
                 "流动资产合计＝货币资金+交易性金融资产+应收票据+应收账款+预付款项+应收利息+应收股利+其他应收款+存货+一年内到期的非流动资产+其他流动资产"),
        sectionRow("Text179", "非流动资产：", {"Text14", "Text47"}),
        inputRow("Text180", "可出售金融资产", {"Text15", "Text48"}, "可供出售金额资产＝可供出售金额资产－可供出售金额资产减值准备"),
        inputRow("Text181", "持有至到期投资", {"Text16", "Text49"}, "持有至到期投资＝持有至到期投资－持有至到期投资资产减值准备"),
        inputRow("Text182", "长期应收款", {"Text17", "Text50"}, "长期应收款＝长期应收款－坏账准备"),
        inputRow("Text183", "长期股权投资", {"Text18", "Text51"}, "长期股权投资＝长期股权投资－长期股权投资减值准备"),
        inputRow("Text184", "投资性房地产", {"Text19", "Text52"}, "投资性房地产＝投资性房地产－投资性房地产累计折旧（摊销）－投资性房地产减值准备"),
        inputRow("Text185", "固定资产", {"Text20", "Text53"}, "固定资产＝固定地产－累计折旧－固定资产减值准备"),
        inputRow("Text186", "在建工程", {"Text21", "Text54"}, "在建工程＝在建工程－在建工程减值准备"),
        inputRow("Text187", "工程物资", {"Text22", "Text55"}, "工程物资＝工程物资"),
        inputRow("Text188", "固定资产清理", {"Text23", "Text56"}, "固定资产清理＝固定资产清理"),
        inputRow("Text189", "生产性生物资产", {"Text24", "Text57"}, "生产性生物资产＝生产性生物地产－生产性生物资产累计折旧－生产性生物资产减值准备"),
        inputRow("Text190", "油气资产", {"Text25", "Text58"}, "油气资产＝油气地产－累计折耗－油气资产减值准备"),
        inputRow("Text191", "无形资产", {"Text26", "Text59"}, "无形资产＝无形地产－累计摊销－无形资产减值准备"),
        inputRow("Text192", "开发支出", {"Text27", "Text60"}, "开发支出＝研发支出--资本化支出"),
        inputRow("Text193", "商誉", {"Text28", "Text61"}, "商誉＝商誉－商誉减值准备"),
        inputRow("Text194", "长期待摊费用", {"Text29", "Text62"}, "长期待摊费用＝长期待摊费用（减去将于一年内摊销的部分）"),
        inputRow("Text195", "递延所得税资产", {"Text30", "Text63"}, "递延所得税资产＝递延所得税资产"),
        inputRow("Text196", "其他非流动资产", {"Text31", "Text64"}, "其他非流动资产＝其他非流动资产"),
        totalRow("Text197", "  非流动资产合计", {"Text32", "Text65"}, {15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31},
                 "非流动资产合计＝可供出售金额资产+持有至到期投资+长期应收款+长期股权投资+投资性房地产+固定资产+在建工程+工程物资+固定资产清理+生产性生物资产+油气资产+无形资产+开发支出+商誉+长期待摊费用+递延所得税资产+其他非流动资产"),
        totalRow("Text198", "    资产合计", {"Text33", "Text66"}, {13, 32}, "资产总计＝流动资产合计+非流动资产合计"),
    };
    return g;
}

// Liabilities add up as their explanations say: the non-current liabilities
// are a total of their own rows, liabilities are current plus non-current,
// and treasury shares (减：库存股) reduce equity.
StatementGrid liabilitiesSide() {
    StatementGrid g;
    g.heads = {{"Text203", "负债及所有者权益"}, {"Text201", "年初数"}, {"Text202", "年末数"}};
    g.rows = {
        sectionRow("Text133", "流动负债：", {"Text67", "Text100"}),
        inputRow("Text134", "短期借款", {"Text68", "Text101"}, "短期借款＝短期借款"),
        inputRow("Text135", "交易性金融负债", {"Text69", "Text102"}, "交易性金融负债＝交易性金融负债"),
        inputRow("Text136", "应付票据", {"Text70", "Text103"}, "应付票据＝应付票据"),
        inputRow("Text137", "应付账款", {"Text71", "Text104"}, "应付账款＝应付账款+预付账款"),
        inputRow("Text138", "预收账款", {"Text72", "Text105"}, "预收款项＝预收账款+应收账款"),
        inputRow("Text139", "应付职工薪酬", {"Text73", "Text106"}, "应付职工薪酬＝应付职工薪酬"),
        inputRow("Text140", "应交税费", {"Text74", "Text107"}, "应交税费＝应交税费"),
        inputRow("Text141", "应付利息", {"Text75", "Text108"}, "应付利息＝应付利息"),
        inputRow("Text142", "应付股利", {"Text76", "Text109"}, "应付股利＝应付股利"),
        inputRow("Text143", "其他应付款", {"Text77", "Text110"}, "其他应付款＝其他应付款"),
        inputRow("Text144", "一年内到期的非流动负债", {"Text78", "Text111"}, "一年内到期的非流动负债＝一年内到期的非流动负债"),
        inputRow("Text145", "其他流动负债", {"Text79", "Text112"}, "其他流动负债＝其他流动负债"),
        totalRow("Text146", "  流动负债合计", {"Text80", "Text113"}, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13},
                 "流动负债合计＝短期借款+交易性金融负债+应付票据+应付账款+预收款项+应付职工薪酬+应交税费+应付利息+应付股利+其他应付款+一年内到期的非流动负债+其他流动负债"),
        sectionRow("Text147", "非流动负债：", {"Text81", "Text114"}),
        inputRow("Text148", "长期借款", {"Text82", "Text115"}, "长期借款＝长期借款"),
        inputRow("Text149", "应付债券", {"Text83", "Text116"}, "应付债券＝应付债券"),
        inputRow("Text150", "长期应付款", {"Text84", "Text117"}, "长期应付款＝长期应付款"),
        inputRow("Text151", "专项应付款", {"Text85", "Text118"}, "专项应付款＝专项应付款"),
        inputRow("Text152", "预计负债", {"Text86", "Text119"}, "预计负债＝预计负债"),
        inputRow("Text153", "递延所得税负债", {"Text87", "Text120"}, "递延所得税负债＝递延所得税负债"),
        inputRow("Text154", "其他非流动负债", {"Text88", "Text121"}, "其他非流动负债＝其他非流动负债"),
        totalRow("Text155", "  非流动负债合计", {"Text89", "Text122"}, {16, 17, 18, 19, 20, 21, 22},
                 "非流动负债合计＝长期借款+应付债券+长期应付款+专项应付款+预计负债+递延所得税负债+其他非流动负债"),
        totalRow("Text156", "    负债合计", {"Text90", "Text123"}, {14, 23}, "负债合计＝流动负债合计+非流动负债合计"),
        sectionRow("Text157", "所有者权益：", {"Text91", "Text124"}),
        inputRow("Text158", "实收资本（或股本）", {"Text92", "Text125"}, "实收资本（或股本）＝实收资本（或股本）"),
        inputRow("Text159", "资本公积", {"Text93", "Text126"}, "资本公积＝资本公积"),
        inputRow("Text160", "减：库存股", {"Text94", "Text127"}, ""),
        inputRow("Text161", "盈余公积", {"Text95", "Text128"}, "盈余公积＝盈余公积"),
        inputRow("Text162", "未分配利润", {"Text96", "Text129"}, "未分配利润＝利润分配+本年利润"),
        totalRow("Text163", "    所有者权益合计", {"Text97", "Text130"}, {26, 27, -28, 29, 30},
                 "所有者权益（股东权益合计）＝实收资本（或股本）+资本公积+盈余公积+未分配利润"),
        unusedRow("Text164", "", {"Text98", "Text131"}),
        totalRow("Text165", "负债及所有者权益合计", {"Text99", "Text132"}, {24, 31}, "负债和所有者权益＝负债合计+股东权益合计"),
    };
    return g;
}

// Assets, then liabilities and equity: the order their totals are written.
const std::vector<StatementGrid>& grids() {
    static const std::vector<StatementGrid> all{assetsSide(), liabilitiesSide()};
    return all;
}

void compute(Window& w) { computeTotals(w, grids()); }

void clearSheet(Window& w) {
    clearNumberBoxes(w, grids());
    w.clear();
}

void analyse(Window& w) {
    const StatementValues v = computeTotals(w, grids());
    const Num current0 = v["Text13"], current1 = v["Text46"], inventory0 = v["Text10"], inventory1 = v["Text43"],
              assets0 = v["Text33"], assets1 = v["Text66"];
    const Num currentLiab0 = v["Text80"], currentLiab1 = v["Text113"], liabilities0 = v["Text90"],
              liabilities1 = v["Text123"];

    // Each item's value is unset while its guard fails; a blank line between
    // items.
    w.amount("年初流动比率", currentLiab0 > 0 ? current0 / currentLiab0 : Num());
    w.blank();

    w.amount("年末流动比率", currentLiab1 > 0 ? current1 / currentLiab1 : Num());
    w.blank();

    w.amount("年初速动比率", currentLiab0 > 0 ? (current0 - inventory0) / currentLiab0 : Num());
    w.blank();

    w.amount("年末速动比率", currentLiab1 > 0 ? (current1 - inventory1) / currentLiab1 : Num());
    w.blank();

    // Debt ratio: the share of the assets financed by liabilities.
    w.amount("年初资产负债率", assets0 > 0 ? liabilities0 / assets0 : Num());
    w.blank();

    w.amount("年末资产负债率", assets1 > 0 ? liabilities1 / assets1 : Num());
}

WindowDef define() {
    FormBuilder b("Form120");
    const StatementGrid &assets = grids()[0], &liabilities = grids()[1];
    // Assets and liabilities side by side right of the band; the buttons at
    // the lower left, under the band where the analysis is printed.
    b.title("Label1", "资产负债表汇总");
    b.beginColumns();
    addGrid(b, assets);
    b.nextColumn();
    addGrid(b, liabilities);
    b.endColumns();
    b.lowerLeft();
    b.buttons({{.name = "Command1", .caption = "确定"}, {.name = "Command2", .caption = "清空"}});
    b.buttons({{.name = "Command3", .caption = "分析"}, {.name = "Command4", .caption = "退出"}});
    b.on("Command1", compute);
    b.on("Command2", clearSheet);
    b.on("Command3", analyse);
    b.on("Command4", FormBuilder::exit);
    b.closeControl("Command4");
    return b.build();
}

KELMORA_WINDOW(Form120, define);

}  // namespace kelmora::form120
