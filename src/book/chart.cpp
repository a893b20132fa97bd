#include "book/chart.h"

#include <algorithm>
#include <unordered_map>

namespace kelmora::book {

std::string_view classWord(AccountClass c) {
    switch (c) {
    case AccountClass::Asset: return "资产";
    case AccountClass::Liability: return "负债";
    case AccountClass::Common: return "共同";
    case AccountClass::Equity: return "所有者权益";
    case AccountClass::Cost: return "成本";
    case AccountClass::ProfitLoss: return "损益";
    }
    return {};
}

// The first-level accounts of the general-enterprise chart, with the names
// in force now (6403 税金及附加, formerly 营业税金及附加) and the accounts
// added since the chart was first issued (6115 资产处置损益, 6117 其他收益,
// 6702 信用减值损失).  Accounts of banks and insurers are part of the chart
// and kept.  Contra accounts (坏账准备, 累计折旧, …) stand on the side
// opposite their class; 共同 accounts, whose balance may stand on either
// side, are given 借.
const std::vector<ChartAccount>& chart() {
    static const std::vector<ChartAccount> accounts{
        {"1001", "库存现金", AccountClass::Asset, Side::Debit},
        {"1002", "银行存款", AccountClass::Asset, Side::Debit},
        {"1003", "存放中央银行款项", AccountClass::Asset, Side::Debit},
        {"1011", "存放同业", AccountClass::Asset, Side::Debit},
        {"1012", "其他货币资金", AccountClass::Asset, Side::Debit},
        {"1021", "结算备付金", AccountClass::Asset, Side::Debit},
        {"1031", "存出保证金", AccountClass::Asset, Side::Debit},
        {"1101", "交易性金融资产", AccountClass::Asset, Side::Debit},
        {"1111", "买入返售金融资产", AccountClass::Asset, Side::Debit},
        {"1121", "应收票据", AccountClass::Asset, Side::Debit},
        {"1122", "应收账款", AccountClass::Asset, Side::Debit},
        {"1123", "预付账款", AccountClass::Asset, Side::Debit},
        {"1131", "应收股利", AccountClass::Asset, Side::Debit},
        {"1132", "应收利息", AccountClass::Asset, Side::Debit},
        {"1201", "应收代位追偿款", AccountClass::Asset, Side::Debit},
        {"1211", "应收分保账款", AccountClass::Asset, Side::Debit},
        {"1212", "应收分保合同准备金", AccountClass::Asset, Side::Debit},
        {"1221", "其他应收款", AccountClass::Asset, Side::Debit},
        {"1231", "坏账准备", AccountClass::Asset, Side::Credit},
        {"1301", "贴现资产", AccountClass::Asset, Side::Debit},
        {"1302", "拆出资金", AccountClass::Asset, Side::Debit},
        {"1303", "贷款", AccountClass::Asset, Side::Debit},
        {"1304", "贷款损失准备", AccountClass::Asset, Side::Credit},
        {"1311", "代理兑付证券", AccountClass::Asset, Side::Debit},
        {"1321", "代理业务资产", AccountClass::Asset, Side::Debit},
        {"1401", "材料采购", AccountClass::Asset, Side::Debit},
        {"1402", "在途物资", AccountClass::Asset, Side::Debit},
        {"1403", "原材料", AccountClass::Asset, Side::Debit},
        {"1404", "材料成本差异", AccountClass::Asset, Side::Debit},
        {"1405", "库存商品", AccountClass::Asset, Side::Debit},
        {"1406", "发出商品", AccountClass::Asset, Side::Debit},
        {"1407", "商品进销差价", AccountClass::Asset, Side::Credit},
        {"1408", "委托加工物资", AccountClass::Asset, Side::Debit},
        {"1411", "周转材料", AccountClass::Asset, Side::Debit},
        {"1421", "消耗性生物资产", AccountClass::Asset, Side::Debit},
        {"1431", "贵金属", AccountClass::Asset, Side::Debit},
        {"1441", "抵债资产", AccountClass::Asset, Side::Debit},
        {"1451", "损余物资", AccountClass::Asset, Side::Debit},
        {"1461", "融资租赁资产", AccountClass::Asset, Side::Debit},
        {"1471", "存货跌价准备", AccountClass::Asset, Side::Credit},
        {"1501", "持有至到期投资", AccountClass::Asset, Side::Debit},
        {"1502", "持有至到期投资减值准备", AccountClass::Asset, Side::Credit},
        {"1503", "可供出售金融资产", AccountClass::Asset, Side::Debit},
        {"1511", "长期股权投资", AccountClass::Asset, Side::Debit},
        {"1512", "长期股权投资减值准备", AccountClass::Asset, Side::Credit},
        {"1521", "投资性房地产", AccountClass::Asset, Side::Debit},
        {"1531", "长期应收款", AccountClass::Asset, Side::Debit},
        {"1532", "未实现融资收益", AccountClass::Asset, Side::Credit},
        {"1541", "存出资本保证金", AccountClass::Asset, Side::Debit},
        {"1601", "固定资产", AccountClass::Asset, Side::Debit},
        {"1602", "累计折旧", AccountClass::Asset, Side::Credit},
        {"1603", "固定资产减值准备", AccountClass::Asset, Side::Credit},
        {"1604", "在建工程", AccountClass::Asset, Side::Debit},
        {"1605", "工程物资", AccountClass::Asset, Side::Debit},
        {"1606", "固定资产清理", AccountClass::Asset, Side::Debit},
        {"1611", "未担保余值", AccountClass::Asset, Side::Debit},
        {"1621", "生产性生物资产", AccountClass::Asset, Side::Debit},
        {"1622", "生产性生物资产累计折旧", AccountClass::Asset, Side::Credit},
        {"1623", "公益性生物资产", AccountClass::Asset, Side::Debit},
        {"1631", "油气资产", AccountClass::Asset, Side::Debit},
        {"1632", "累计折耗", AccountClass::Asset, Side::Credit},
        {"1701", "无形资产", AccountClass::Asset, Side::Debit},
        {"1702", "累计摊销", AccountClass::Asset, Side::Credit},
        {"1703", "无形资产减值准备", AccountClass::Asset, Side::Credit},
        {"1711", "商誉", AccountClass::Asset, Side::Debit},
        {"1801", "长期待摊费用", AccountClass::Asset, Side::Debit},
        {"1811", "递延所得税资产", AccountClass::Asset, Side::Debit},
        {"1821", "独立账户资产", AccountClass::Asset, Side::Debit},
        {"1901", "待处理财产损溢", AccountClass::Asset, Side::Debit},
        {"2001", "短期借款", AccountClass::Liability, Side::Credit},
        {"2002", "存入保证金", AccountClass::Liability, Side::Credit},
        {"2003", "拆入资金", AccountClass::Liability, Side::Credit},
        {"2004", "向中央银行借款", AccountClass::Liability, Side::Credit},
        {"2011", "吸收存款", AccountClass::Liability, Side::Credit},
        {"2012", "同业存放", AccountClass::Liability, Side::Credit},
        {"2021", "贴现负债", AccountClass::Liability, Side::Credit},
        {"2101", "交易性金融负债", AccountClass::Liability, Side::Credit},
        {"2111", "卖出回购金融资产款", AccountClass::Liability, Side::Credit},
        {"2201", "应付票据", AccountClass::Liability, Side::Credit},
        {"2202", "应付账款", AccountClass::Liability, Side::Credit},
        {"2203", "预收账款", AccountClass::Liability, Side::Credit},
        {"2211", "应付职工薪酬", AccountClass::Liability, Side::Credit},
        {"2221", "应交税费", AccountClass::Liability, Side::Credit},
        {"2231", "应付利息", AccountClass::Liability, Side::Credit},
        {"2232", "应付股利", AccountClass::Liability, Side::Credit},
        {"2241", "其他应付款", AccountClass::Liability, Side::Credit},
        {"2251", "应付保单红利", AccountClass::Liability, Side::Credit},
        {"2261", "应付分保账款", AccountClass::Liability, Side::Credit},
        {"2311", "代理买卖证券款", AccountClass::Liability, Side::Credit},
        {"2312", "代理承销证券款", AccountClass::Liability, Side::Credit},
        {"2313", "代理兑付证券款", AccountClass::Liability, Side::Credit},
        {"2314", "代理业务负债", AccountClass::Liability, Side::Credit},
        {"2401", "递延收益", AccountClass::Liability, Side::Credit},
        {"2501", "长期借款", AccountClass::Liability, Side::Credit},
        {"2502", "应付债券", AccountClass::Liability, Side::Credit},
        {"2601", "未到期责任准备金", AccountClass::Liability, Side::Credit},
        {"2602", "保险责任准备金", AccountClass::Liability, Side::Credit},
        {"2611", "保户储金", AccountClass::Liability, Side::Credit},
        {"2621", "独立账户负债", AccountClass::Liability, Side::Credit},
        {"2701", "长期应付款", AccountClass::Liability, Side::Credit},
        {"2702", "未确认融资费用", AccountClass::Liability, Side::Debit},
        {"2711", "专项应付款", AccountClass::Liability, Side::Credit},
        {"2801", "预计负债", AccountClass::Liability, Side::Credit},
        {"2901", "递延所得税负债", AccountClass::Liability, Side::Credit},
        {"3001", "清算资金往来", AccountClass::Common, Side::Debit},
        {"3002", "货币兑换", AccountClass::Common, Side::Debit},
        {"3101", "衍生工具", AccountClass::Common, Side::Debit},
        {"3201", "套期工具", AccountClass::Common, Side::Debit},
        {"3202", "被套期项目", AccountClass::Common, Side::Debit},
        {"4001", "实收资本", AccountClass::Equity, Side::Credit},
        {"4002", "资本公积", AccountClass::Equity, Side::Credit},
        {"4101", "盈余公积", AccountClass::Equity, Side::Credit},
        {"4102", "一般风险准备", AccountClass::Equity, Side::Credit},
        {"4103", "本年利润", AccountClass::Equity, Side::Credit},
        {"4104", "利润分配", AccountClass::Equity, Side::Credit},
        {"4201", "库存股", AccountClass::Equity, Side::Debit},
        {"5001", "生产成本", AccountClass::Cost, Side::Debit},
        {"5101", "制造费用", AccountClass::Cost, Side::Debit},
        {"5201", "劳务成本", AccountClass::Cost, Side::Debit},
        {"5301", "研发支出", AccountClass::Cost, Side::Debit},
        {"5401", "工程施工", AccountClass::Cost, Side::Debit},
        {"5402", "工程结算", AccountClass::Cost, Side::Credit},
        {"5403", "机械作业", AccountClass::Cost, Side::Debit},
        {"6001", "主营业务收入", AccountClass::ProfitLoss, Side::Credit},
        {"6011", "利息收入", AccountClass::ProfitLoss, Side::Credit},
        {"6021", "手续费及佣金收入", AccountClass::ProfitLoss, Side::Credit},
        {"6031", "保费收入", AccountClass::ProfitLoss, Side::Credit},
        {"6041", "租赁收入", AccountClass::ProfitLoss, Side::Credit},
        {"6051", "其他业务收入", AccountClass::ProfitLoss, Side::Credit},
        {"6061", "汇兑损益", AccountClass::ProfitLoss, Side::Credit},
        {"6101", "公允价值变动损益", AccountClass::ProfitLoss, Side::Credit},
        {"6111", "投资收益", AccountClass::ProfitLoss, Side::Credit},
        {"6115", "资产处置损益", AccountClass::ProfitLoss, Side::Credit},
        {"6117", "其他收益", AccountClass::ProfitLoss, Side::Credit},
        {"6201", "摊回保险责任准备金", AccountClass::ProfitLoss, Side::Credit},
        {"6202", "摊回赔付支出", AccountClass::ProfitLoss, Side::Credit},
        {"6203", "摊回分保费用", AccountClass::ProfitLoss, Side::Credit},
        {"6301", "营业外收入", AccountClass::ProfitLoss, Side::Credit},
        {"6401", "主营业务成本", AccountClass::ProfitLoss, Side::Debit},
        {"6402", "其他业务成本", AccountClass::ProfitLoss, Side::Debit},
        {"6403", "税金及附加", AccountClass::ProfitLoss, Side::Debit},
        {"6411", "利息支出", AccountClass::ProfitLoss, Side::Debit},
        {"6421", "手续费及佣金支出", AccountClass::ProfitLoss, Side::Debit},
        {"6501", "提取未到期责任准备金", AccountClass::ProfitLoss, Side::Debit},
        {"6502", "提取保险责任准备金", AccountClass::ProfitLoss, Side::Debit},
        {"6511", "赔付支出", AccountClass::ProfitLoss, Side::Debit},
        {"6521", "保单红利支出", AccountClass::ProfitLoss, Side::Debit},
        {"6531", "退保金", AccountClass::ProfitLoss, Side::Debit},
        {"6541", "分出保费", AccountClass::ProfitLoss, Side::Debit},
        {"6542", "分保费用", AccountClass::ProfitLoss, Side::Debit},
        {"6601", "销售费用", AccountClass::ProfitLoss, Side::Debit},
        {"6602", "管理费用", AccountClass::ProfitLoss, Side::Debit},
        {"6603", "财务费用", AccountClass::ProfitLoss, Side::Debit},
        {"6604", "勘探费用", AccountClass::ProfitLoss, Side::Debit},
        {"6701", "资产减值损失", AccountClass::ProfitLoss, Side::Debit},
        {"6702", "信用减值损失", AccountClass::ProfitLoss, Side::Debit},
        {"6711", "营业外支出", AccountClass::ProfitLoss, Side::Debit},
        {"6801", "所得税费用", AccountClass::ProfitLoss, Side::Debit},
        {"6901", "以前年度损益调整", AccountClass::ProfitLoss, Side::Debit},
    };
    return accounts;
}

const ChartAccount* chartByCode(std::string_view code) {
    const auto& c = chart();
    const auto it = std::lower_bound(c.begin(), c.end(), code, [](const ChartAccount& a, std::string_view k) { return a.code < k; });
    return it != c.end() && it->code == code ? &*it : nullptr;
}

const ChartAccount* chartByName(std::string_view name) {
    for (const ChartAccount& a : chart())
        if (a.name == name) return &a;
    return nullptr;
}

// The other names the windows print, found by sweeping every window and
// reading every scenario's transcripts.
const std::vector<OtherName>& otherNames() {
    static const std::vector<OtherName> names{
        {"主营业务税金及附加", "税金及附加", "旧名称"},
        {"营业税金及附加", "税金及附加", "旧名称（2016 年起称税金及附加）"},
        {"应交税金", "应交税费", ""},
        {"应交税费 ", "应交税费", "科目名与“-”之间多一个空格"},
        {"应交增值税（进）", "应交税费", "应交税费的明细科目，印出时没有一级科目"},
        {"其他业务支出", "其他业务成本", ""},
        {"待处理财产损益", "待处理财产损溢", "“损溢”的另一写法"},
        {"累积摊销", "累计摊销", "“累计”的另一写法"},
        {"股本", "实收资本", "股份有限公司的实收资本"},
        {"应付利润", "应付股利", "非股份制企业的旧名称"},
        {"短期投资", "交易性金融资产", "旧名称：为近期出售而持有的投资"},
        {"长期债权投资", "持有至到期投资", "旧名称：窗口中为持有至到期的债券"},
        {"长期债权投资（面值）", "持有至到期投资", "旧名称，括号内为明细"},
        {"长期债权投资（溢折价）", "持有至到期投资", "旧名称，括号内为明细"},
        {"长期债券投资", "持有至到期投资", "旧名称：窗口中为持有至到期的债券"},
        {"长期债券投资（面值）", "持有至到期投资", "旧名称，括号内为明细"},
        {"长期债券投资（溢折价）", "持有至到期投资", "旧名称，括号内为明细"},
        {"长期债券投资（利息）", "持有至到期投资", "旧名称，括号内为明细（到期一次付息的应计利息）"},
        {"受托代销商品", "代理业务资产", "收取手续费方式受托代销的商品"},
        {"代销商品款", "代理业务负债", "受托代销商品的对应负债"},
        {"出租商品", "周转材料", "出租并分期摊销的商品，同出租的周转材料"},
        {"未完引进技术", "无形资产", "分期付款引进、尚未完成的专利技术，最后转入无形资产"},
        {"未分配利润总", "利润分配", "利润分配-未分配利润的合计"},
        {"收回债券银行存款", "银行存款", "窗口把摘要“收回债券”与科目印在同一行"},
        {"其他费用", "制造费用", "窗口说明：车间管理人员工资、辅料消耗、生产设备折旧费、设备维修费等"},
    };
    return names;
}

const std::vector<UnplacedName>& unplacedNames() {
    static const std::vector<UnplacedName> names{
        {"主营业务成本/其他业务成本", "列出几个可选的科目（主营业务成本、其他业务成本），不是一个科目"},
        {"主营业务收入/其他业务收入", "列出几个可选的科目（主营业务收入、其他业务收入），不是一个科目"},
        {"固定资产/库存商品/原材料", "列出几个可选的科目（固定资产、库存商品、原材料），不是一个科目"},
        {"库存商品/原材料", "列出几个可选的科目（库存商品、原材料），不是一个科目"},
        {"库存现金/银行存款", "列出几个可选的科目（库存现金、银行存款），不是一个科目"},
        {"应付账款/银行存款", "列出几个可选的科目（应付账款、银行存款），不是一个科目"},
        {"应收票据/银行存款", "列出几个可选的科目（应收票据、银行存款），不是一个科目"},
        {"应收账款/银行存款", "列出几个可选的科目（应收账款、银行存款），不是一个科目"},
        {"现金/银行存款", "列出几个可选的科目（现金、银行存款），不是一个科目"},
        {"银行存款/库存现金", "列出几个可选的科目（银行存款、库存现金），不是一个科目"},
        {"银行存款/应付票据", "列出几个可选的科目（银行存款、应付票据），不是一个科目"},
        {"银行存款/应收票据", "列出几个可选的科目（银行存款、应收票据），不是一个科目"},
        {"材料费用", "可能是购入的材料（资产类），也可能是耗用材料的成本或费用（成本类、损益类）"},
        {"各种费用", "泛指各种费用：可能是管理费用、销售费用（损益类），也可能是制造费用（成本类）"},
        {"其他费用（应付福利费）", "计提的福利费按受益对象记入生产成本、制造费用（成本类）或管理费用等（损益类）"},
        {"增值税费用", "转出的进项税额记入所用于的项目：在建工程（资产类）、管理费用（损益类）等"},
        {"内部往来", "按余额方向可能是其他应收款（资产类）或其他应付款（负债类）"},
    };
    return names;
}

const ChartAccount* accountOf(std::string_view name) {
    static const std::unordered_map<std::string_view, const ChartAccount*> byName = [] {
        std::unordered_map<std::string_view, const ChartAccount*> m;
        for (const ChartAccount& a : chart()) m.emplace(a.name, &a);
        for (const OtherName& o : otherNames()) m.emplace(o.name, chartByName(o.chartName));
        return m;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

Placement place(std::string_view name) {
    Placement p;
    if ((p.account = chartByName(name))) {
        p.known = true;
        return p;
    }
    for (const OtherName& o : otherNames()) {
        if (o.name != name) continue;
        p.account = chartByName(o.chartName);
        p.known = p.other = true;
        return p;
    }
    for (const UnplacedName& u : unplacedNames()) {
        if (u.name != name) continue;
        p.known = true;
        p.reason = std::string(u.reason);
        return p;
    }
    p.reason = "科目表中没有这个一级科目，也没有它的其他名称";
    return p;
}

std::string_view codeOf(std::string_view account) {
    const ChartAccount* a = accountOf(firstLevel(account));
    return a ? a->code : std::string_view();
}

}  // namespace kelmora::book
