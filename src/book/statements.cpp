#include "book/statements.h"

#include <algorithm>
#include <map>
#include <set>

#include "book/chart.h"

namespace kelmora::book {

namespace {

constexpr std::string_view kProfitCode = "4103";

// ---- what the ledger holds for a period ----

struct Leaf {
    std::string account;  // the full name as the vouchers name it
    std::string first;    // its first level
    Cents value = 0;
};

// The figures of every account placed by the chart, by code; the names it
// does not place on the side.
struct Figures {
    std::map<std::string_view, std::vector<Leaf>> byCode;
    std::set<std::string> unplaced;

    void add(const std::string& account, Cents value) {
        const std::string_view first = firstLevel(account);
        const ChartAccount* a = accountOf(first);
        if (!a) {
            if (value != 0) unplaced.insert(std::string(first));
            return;
        }
        auto& leaves = byCode[a->code];
        for (Leaf& l : leaves)
            if (l.account == account) {
                l.value = addCents(l.value, value);
                return;
            }
        leaves.push_back({account, std::string(first), value});
    }
};

// Balances (debit positive) at the end of day `last`: the openings and every
// voucher dated up to it.  An empty `last` is before every voucher.
Figures balancesAt(const Journal& j, std::string_view last) {
    Figures f;
    for (const Opening& o : j.openings()) f.add(o.account, o.debit);
    if (last.empty()) return f;
    for (const Voucher& v : j.vouchers()) {
        if (v.date > last) continue;
        for (const Line& l : v.lines) f.add(l.account, l.side == Side::Debit ? l.amount : -l.amount);
    }
    return f;
}

bool closesProfit(const Voucher& v) {
    for (const Line& l : v.lines) {
        const ChartAccount* a = accountOf(firstLevel(l.account));
        if (a && a->code == kProfitCode) return true;
    }
    return false;
}

// Net movements (credit positive) of the days from `first` to `last`,
// leaving out every voucher with a 本年利润 line.
Figures movementsIn(const Journal& j, std::string_view first, std::string_view last) {
    Figures f;
    for (const Voucher& v : j.vouchers()) {
        if (v.date < first || v.date > last || closesProfit(v)) continue;
        for (const Line& l : v.lines) f.add(l.account, l.side == Side::Credit ? l.amount : -l.amount);
    }
    return f;
}

// ---- items by formula ----

enum class Mode {
    Balance,     // the accounts' balances (movements)
    DebitPart,   // the debit balances of the accounts' sub-accounts
    CreditPart,  // the credit balances of the accounts' sub-accounts
    NetDebit,    // the accounts' balances together, where they stand on the debit
    NetCredit,   // … on the credit
    SubWith,     // the sub-accounts whose name holds one of the words
    SubWithout,  // the rest
};

struct Term {
    std::vector<std::string_view> codes;
    Mode mode = Mode::Balance;
    std::vector<std::string_view> words = {};
    std::vector<std::string_view> except = {};  // … and none of these
};

enum class Kind { Heading, Input, Total };

struct Rule {
    std::string_view label, name;
    int level;
    Kind kind;
    // +1: the figures as they are (balances debit positive, movements credit
    // positive); -1: the other way round.
    int sign;
    std::vector<Term> terms;
    std::vector<std::pair<std::string_view, int>> sum;  // a total: items by name, each added (1) or taken away (-1)
    std::string_view formula;
};

bool subHolds(const Leaf& l, const Term& t) {
    if (l.account.size() == l.first.size()) return false;
    const std::string_view sub = std::string_view(l.account).substr(l.first.size() + 1);
    for (std::string_view w : t.except)
        if (sub.find(w) != std::string_view::npos) return false;
    for (std::string_view w : t.words)
        if (sub.find(w) != std::string_view::npos) return true;
    return false;
}

// The figure of the terms and the accounts behind it, with the item's sign.
Cents evaluate(int sign, const std::vector<Term>& terms, const Figures& f, std::vector<Source>& sources) {
    Cents total = 0;
    const auto from = [&](const std::string& account, Cents value) {
        if (value == 0) return;
        value = sign < 0 ? -value : value;
        total = addCents(total, value);
        for (Source& src : sources)
            if (src.account == account) {
                src.amount = addCents(src.amount, value);
                return;
            }
        sources.push_back({account, value});
    };
    for (const Term& t : terms) {
        if (t.mode == Mode::NetDebit || t.mode == Mode::NetCredit) {
            Cents net = 0;
            for (std::string_view code : t.codes)
                if (const auto it = f.byCode.find(code); it != f.byCode.end())
                    for (const Leaf& l : it->second) net = addCents(net, l.value);
            if (t.mode == Mode::NetDebit ? net <= 0 : net >= 0) continue;
            for (std::string_view code : t.codes)
                if (const auto it = f.byCode.find(code); it != f.byCode.end())
                    for (const Leaf& l : it->second) from(l.first, l.value);
            continue;
        }
        for (std::string_view code : t.codes) {
            const auto it = f.byCode.find(code);
            if (it == f.byCode.end()) continue;
            for (const Leaf& l : it->second) {
                switch (t.mode) {
                case Mode::Balance: from(l.first, l.value); break;
                case Mode::DebitPart:
                    if (l.value > 0) from(l.account, l.value);
                    break;
                case Mode::CreditPart:
                    if (l.value < 0) from(l.account, l.value);
                    break;
                case Mode::SubWith:
                    if (subHolds(l, t)) from(l.account, l.value);
                    break;
                case Mode::SubWithout:
                    if (!subHolds(l, t)) from(l.first, l.value);
                    break;
                default: break;
                }
            }
        }
    }
    return total;
}

// Works out every item of the rules for the two sets of figures.
std::vector<StatementItem> itemsOf(const std::vector<Rule>& rules, const Figures& now, const Figures& other) {
    std::vector<StatementItem> items;
    std::map<std::string_view, std::size_t> at;
    for (const Rule& s : rules) {
        StatementItem i;
        i.label = std::string(s.label);
        i.name = std::string(s.name);
        i.level = s.level;
        i.heading = s.kind == Kind::Heading;
        i.total = s.kind == Kind::Total;
        i.formula = std::string(s.formula);
        if (s.kind == Kind::Input) {
            i.amount = evaluate(s.sign, s.terms, now, i.sources);
            i.other = evaluate(s.sign, s.terms, other, i.otherSources);
        } else if (s.kind == Kind::Total) {
            for (const auto& [name, sign] : s.sum) {
                const StatementItem& part = items.at(at.at(name));
                i.amount = addCents(i.amount, sign * part.amount);
                i.other = addCents(i.other, sign * part.other);
            }
        }
        at.emplace(s.name, items.size());
        items.push_back(std::move(i));
    }
    return items;
}

// 本年利润, 利润分配 and every 损益 account: 未分配利润, so that the balance
// sheet of a month not yet closed balances too.
const std::vector<std::string_view>& retainedCodes() {
    static const std::vector<std::string_view> codes = [] {
        std::vector<std::string_view> out{"4103", "4104"};
        for (const ChartAccount& a : chart())
            if (a.cls == AccountClass::ProfitLoss) out.push_back(a.code);
        return out;
    }();
    return codes;
}

using M = Mode;

// Accounts of banks and insurers, which the general-enterprise format has no
// line of its own for.
const std::vector<std::string_view> kOtherCurrentAssets{"1003", "1011", "1021", "1031", "1111", "1201", "1211",
                                                        "1212", "1301", "1302", "1303", "1304", "1311", "1321",
                                                        "1431", "1441", "1451", "1901"};
const std::vector<std::string_view> kOtherCurrentLiabilities{"2002", "2003", "2004", "2011", "2012", "2021", "2111",
                                                             "2251", "2261", "2311", "2312", "2313", "2314"};
const std::vector<std::string_view> kInventories{"1401", "1402", "1403", "1404", "1405", "1406", "1407", "1408",
                                                 "1411", "1421", "1471", "5001", "5101", "5201", "5403"};
const std::vector<std::string_view> kOtherNonCurrentAssets{"1461", "1541", "1611", "1623", "1821"};
const std::vector<std::string_view> kOtherNonCurrentLiabilities{"2601", "2602", "2611", "2621"};
const std::vector<std::string_view> kDerivatives{"3101", "3201", "3202"};
const std::vector<std::string_view> kClearing{"3001", "3002"};
const std::vector<std::string_view> kContracts{"5401", "5402"};

const std::vector<Rule>& balanceSheetRules() {
    static const std::vector<Rule> rules{
        {"流动资产：", "流动资产", 0, Kind::Heading, 1, {}, {}, ""},
        {"货币资金", "货币资金", 1, Kind::Input, 1, {{{"1001", "1002", "1012"}}}, {}, "库存现金 + 银行存款 + 其他货币资金"},
        {"交易性金融资产", "交易性金融资产", 1, Kind::Input, 1, {{{"1101"}}}, {}, "交易性金融资产"},
        {"衍生金融资产", "衍生金融资产", 1, Kind::Input, 1, {{kDerivatives, M::DebitPart}}, {},
         "衍生工具、套期工具、被套期项目的借方余额"},
        {"应收票据", "应收票据", 1, Kind::Input, 1, {{{"1121"}}}, {}, "应收票据"},
        {"应收账款", "应收账款", 1, Kind::Input, 1, {{{"1122", "2203"}, M::DebitPart}, {{"1231"}}}, {},
         "应收账款、预收账款明细科目的借方余额 − 坏账准备"},
        {"应收款项融资", "应收款项融资", 1, Kind::Input, 1, {}, {}, "（科目表中没有对应的科目）"},
        {"预付款项", "预付款项", 1, Kind::Input, 1, {{{"1123", "2202"}, M::DebitPart}}, {},
         "预付账款、应付账款明细科目的借方余额"},
        {"其他应收款", "其他应收款", 1, Kind::Input, 1, {{{"1221", "1131", "1132"}}}, {}, "其他应收款 + 应收股利 + 应收利息"},
        {"存货", "存货", 1, Kind::Input, 1, {{kInventories}}, {},
         "材料采购 + 在途物资 + 原材料 ± 材料成本差异 + 库存商品 + 发出商品 − 商品进销差价 + 委托加工物资 + 周转材料 + "
         "消耗性生物资产 − 存货跌价准备 + 生产成本 + 制造费用 + 劳务成本 + 机械作业"},
        {"合同资产", "合同资产", 1, Kind::Input, 1, {{kContracts, M::NetDebit}}, {}, "工程施工 − 工程结算，借方差额"},
        {"持有待售资产", "持有待售资产", 1, Kind::Input, 1, {}, {}, "（科目表中没有对应的科目）"},
        {"一年内到期的非流动资产", "一年内到期的非流动资产", 1, Kind::Input, 1, {}, {}, "（账簿不区分到期时间）"},
        {"其他流动资产", "其他流动资产", 1, Kind::Input, 1, {{kOtherCurrentAssets}, {kClearing, M::DebitPart}}, {},
         "待处理财产损溢 + 金融、保险企业专用的流动资产科目 + 清算资金往来、货币兑换的借方余额"},
        {"流动资产合计", "流动资产合计", 1, Kind::Total, 1, {},
         {{"货币资金", 1}, {"交易性金融资产", 1}, {"衍生金融资产", 1}, {"应收票据", 1}, {"应收账款", 1}, {"应收款项融资", 1},
          {"预付款项", 1}, {"其他应收款", 1}, {"存货", 1}, {"合同资产", 1}, {"持有待售资产", 1},
          {"一年内到期的非流动资产", 1}, {"其他流动资产", 1}},
         "以上各项之和"},
        {"非流动资产：", "非流动资产", 0, Kind::Heading, 1, {}, {}, ""},
        {"债权投资", "债权投资", 1, Kind::Input, 1, {{{"1501", "1502"}}}, {}, "持有至到期投资 − 持有至到期投资减值准备"},
        {"其他债权投资", "其他债权投资", 1, Kind::Input, 1, {{{"1503"}}}, {}, "可供出售金融资产"},
        {"长期应收款", "长期应收款", 1, Kind::Input, 1, {{{"1531", "1532"}}}, {}, "长期应收款 − 未实现融资收益"},
        {"长期股权投资", "长期股权投资", 1, Kind::Input, 1, {{{"1511", "1512"}}}, {}, "长期股权投资 − 长期股权投资减值准备"},
        {"其他权益工具投资", "其他权益工具投资", 1, Kind::Input, 1, {}, {}, "（科目表中没有对应的科目）"},
        {"其他非流动金融资产", "其他非流动金融资产", 1, Kind::Input, 1, {}, {}, "（科目表中没有对应的科目）"},
        {"投资性房地产", "投资性房地产", 1, Kind::Input, 1, {{{"1521"}}}, {}, "投资性房地产"},
        {"固定资产", "固定资产", 1, Kind::Input, 1, {{{"1601", "1602", "1603", "1606"}}}, {},
         "固定资产 − 累计折旧 − 固定资产减值准备 ± 固定资产清理"},
        {"在建工程", "在建工程", 1, Kind::Input, 1, {{{"1604", "1605"}}}, {}, "在建工程 + 工程物资"},
        {"生产性生物资产", "生产性生物资产", 1, Kind::Input, 1, {{{"1621", "1622"}}}, {}, "生产性生物资产 − 生产性生物资产累计折旧"},
        {"油气资产", "油气资产", 1, Kind::Input, 1, {{{"1631", "1632"}}}, {}, "油气资产 − 累计折耗"},
        {"使用权资产", "使用权资产", 1, Kind::Input, 1, {}, {}, "（科目表中没有对应的科目）"},
        {"无形资产", "无形资产", 1, Kind::Input, 1, {{{"1701", "1702", "1703"}}}, {}, "无形资产 − 累计摊销 − 无形资产减值准备"},
        {"开发支出", "开发支出", 1, Kind::Input, 1, {{{"5301"}}}, {}, "研发支出"},
        {"商誉", "商誉", 1, Kind::Input, 1, {{{"1711"}}}, {}, "商誉"},
        {"长期待摊费用", "长期待摊费用", 1, Kind::Input, 1, {{{"1801"}}}, {}, "长期待摊费用"},
        {"递延所得税资产", "递延所得税资产", 1, Kind::Input, 1, {{{"1811"}}}, {}, "递延所得税资产"},
        {"其他非流动资产", "其他非流动资产", 1, Kind::Input, 1, {{kOtherNonCurrentAssets}}, {},
         "融资租赁资产 + 存出资本保证金 + 未担保余值 + 公益性生物资产 + 独立账户资产"},
        {"非流动资产合计", "非流动资产合计", 1, Kind::Total, 1, {},
         {{"债权投资", 1}, {"其他债权投资", 1}, {"长期应收款", 1}, {"长期股权投资", 1}, {"其他权益工具投资", 1},
          {"其他非流动金融资产", 1}, {"投资性房地产", 1}, {"固定资产", 1}, {"在建工程", 1}, {"生产性生物资产", 1},
          {"油气资产", 1}, {"使用权资产", 1}, {"无形资产", 1}, {"开发支出", 1}, {"商誉", 1}, {"长期待摊费用", 1},
          {"递延所得税资产", 1}, {"其他非流动资产", 1}},
         "以上各项之和"},
        {"资产总计", "资产总计", 0, Kind::Total, 1, {}, {{"流动资产合计", 1}, {"非流动资产合计", 1}}, "流动资产合计 + 非流动资产合计"},
        {"流动负债：", "流动负债", 0, Kind::Heading, -1, {}, {}, ""},
        {"短期借款", "短期借款", 1, Kind::Input, -1, {{{"2001"}}}, {}, "短期借款"},
        {"交易性金融负债", "交易性金融负债", 1, Kind::Input, -1, {{{"2101"}}}, {}, "交易性金融负债"},
        {"衍生金融负债", "衍生金融负债", 1, Kind::Input, -1, {{kDerivatives, M::CreditPart}}, {},
         "衍生工具、套期工具、被套期项目的贷方余额"},
        {"应付票据", "应付票据", 1, Kind::Input, -1, {{{"2201"}}}, {}, "应付票据"},
        {"应付账款", "应付账款", 1, Kind::Input, -1, {{{"2202", "1123"}, M::CreditPart}}, {},
         "应付账款、预付账款明细科目的贷方余额"},
        {"预收款项", "预收款项", 1, Kind::Input, -1, {{{"2203", "1122"}, M::CreditPart}}, {},
         "预收账款、应收账款明细科目的贷方余额"},
        {"合同负债", "合同负债", 1, Kind::Input, -1, {{kContracts, M::NetCredit}}, {}, "工程结算 − 工程施工，贷方差额"},
        {"应付职工薪酬", "应付职工薪酬", 1, Kind::Input, -1, {{{"2211"}}}, {}, "应付职工薪酬"},
        {"应交税费", "应交税费", 1, Kind::Input, -1, {{{"2221"}}}, {}, "应交税费"},
        {"其他应付款", "其他应付款", 1, Kind::Input, -1, {{{"2241", "2231", "2232"}}}, {}, "其他应付款 + 应付利息 + 应付股利"},
        {"持有待售负债", "持有待售负债", 1, Kind::Input, -1, {}, {}, "（科目表中没有对应的科目）"},
        {"一年内到期的非流动负债", "一年内到期的非流动负债", 1, Kind::Input, -1, {}, {}, "（账簿不区分到期时间）"},
        {"其他流动负债", "其他流动负债", 1, Kind::Input, -1, {{kOtherCurrentLiabilities}, {kClearing, M::CreditPart}}, {},
         "金融、保险企业专用的流动负债科目 + 清算资金往来、货币兑换的贷方余额"},
        {"流动负债合计", "流动负债合计", 1, Kind::Total, -1, {},
         {{"短期借款", 1}, {"交易性金融负债", 1}, {"衍生金融负债", 1}, {"应付票据", 1}, {"应付账款", 1}, {"预收款项", 1},
          {"合同负债", 1}, {"应付职工薪酬", 1}, {"应交税费", 1}, {"其他应付款", 1}, {"持有待售负债", 1},
          {"一年内到期的非流动负债", 1}, {"其他流动负债", 1}},
         "以上各项之和"},
        {"非流动负债：", "非流动负债", 0, Kind::Heading, -1, {}, {}, ""},
        {"长期借款", "长期借款", 1, Kind::Input, -1, {{{"2501"}}}, {}, "长期借款"},
        {"应付债券", "应付债券", 1, Kind::Input, -1, {{{"2502"}}}, {}, "应付债券"},
        {"其中：优先股", "优先股", 2, Kind::Input, -1, {}, {}, "（账簿不区分）"},
        {"永续债", "永续债", 2, Kind::Input, -1, {}, {}, "（账簿不区分）"},
        {"租赁负债", "租赁负债", 1, Kind::Input, -1, {}, {}, "（科目表中没有对应的科目）"},
        {"长期应付款", "长期应付款", 1, Kind::Input, -1, {{{"2701", "2702", "2711"}}}, {},
         "长期应付款 − 未确认融资费用 + 专项应付款"},
        {"预计负债", "预计负债", 1, Kind::Input, -1, {{{"2801"}}}, {}, "预计负债"},
        {"递延收益", "递延收益", 1, Kind::Input, -1, {{{"2401"}}}, {}, "递延收益"},
        {"递延所得税负债", "递延所得税负债", 1, Kind::Input, -1, {{{"2901"}}}, {}, "递延所得税负债"},
        {"其他非流动负债", "其他非流动负债", 1, Kind::Input, -1, {{kOtherNonCurrentLiabilities}}, {},
         "未到期责任准备金 + 保险责任准备金 + 保户储金 + 独立账户负债"},
        {"非流动负债合计", "非流动负债合计", 1, Kind::Total, -1, {},
         {{"长期借款", 1}, {"应付债券", 1}, {"租赁负债", 1}, {"长期应付款", 1}, {"预计负债", 1}, {"递延收益", 1},
          {"递延所得税负债", 1}, {"其他非流动负债", 1}},
         "以上各项之和（优先股、永续债是应付债券的其中项，不另加）"},
        {"负债合计", "负债合计", 0, Kind::Total, -1, {}, {{"流动负债合计", 1}, {"非流动负债合计", 1}}, "流动负债合计 + 非流动负债合计"},
        {"所有者权益（或股东权益）：", "所有者权益", 0, Kind::Heading, -1, {}, {}, ""},
        {"实收资本（或股本）", "实收资本", 1, Kind::Input, -1, {{{"4001"}}}, {}, "实收资本"},
        {"其他权益工具", "其他权益工具", 1, Kind::Input, -1, {}, {}, "（科目表中没有对应的科目）"},
        {"其中：优先股", "优先股", 2, Kind::Input, -1, {}, {}, "（科目表中没有对应的科目）"},
        {"永续债", "永续债", 2, Kind::Input, -1, {}, {}, "（科目表中没有对应的科目）"},
        {"资本公积", "资本公积", 1, Kind::Input, -1, {{{"4002"}}}, {}, "资本公积"},
        {"减：库存股", "库存股", 1, Kind::Input, 1, {{{"4201"}}}, {}, "库存股（借方余额，从所有者权益中减去）"},
        {"其他综合收益", "其他综合收益", 1, Kind::Input, -1, {}, {}, "（科目表中没有对应的科目）"},
        {"专项储备", "专项储备", 1, Kind::Input, -1, {}, {}, "（科目表中没有对应的科目）"},
        {"盈余公积", "盈余公积", 1, Kind::Input, -1, {{{"4101", "4102"}}}, {}, "盈余公积 + 一般风险准备"},
        {"未分配利润", "未分配利润", 1, Kind::Input, -1, {{retainedCodes()}}, {},
         "本年利润 + 利润分配 + 尚未结转的各损益类科目（贷方余额为正）"},
        {"所有者权益（或股东权益）合计", "所有者权益合计", 1, Kind::Total, -1, {},
         {{"实收资本", 1}, {"其他权益工具", 1}, {"资本公积", 1}, {"库存股", -1}, {"其他综合收益", 1}, {"专项储备", 1},
          {"盈余公积", 1}, {"未分配利润", 1}},
         "实收资本 + 其他权益工具 + 资本公积 − 库存股 + 其他综合收益 + 专项储备 + 盈余公积 + 未分配利润"},
        {"负债和所有者权益（或股东权益）总计", "负债和所有者权益总计", 0, Kind::Total, -1, {},
         {{"负债合计", 1}, {"所有者权益合计", 1}}, "负债合计 + 所有者权益合计"},
    };
    return rules;
}

const std::vector<Rule>& incomeRules() {
    static const std::vector<std::string_view> kResearch{"研发", "研究"}, kInterest{"利息"}, kInterestIncome{"利息收入"},
        kAssociates{"联营", "合营"};
    static const std::vector<Rule> rules{
        {"一、营业收入", "营业收入", 0, Kind::Input, 1, {{{"6001", "6051", "6011", "6021", "6031", "6041"}}}, {},
         "主营业务收入 + 其他业务收入（+ 金融、保险企业的利息收入、手续费及佣金收入、保费收入、租赁收入），贷方减借方"},
        {"减：营业成本", "营业成本", 1, Kind::Input, -1,
         {{{"6401", "6402", "6411", "6421", "6501", "6502", "6511", "6521", "6531", "6541", "6542", "6201", "6202", "6203"}}},
         {},
         "主营业务成本 + 其他业务成本（+ 金融、保险企业的各项支出，− 摊回的各项），借方减贷方"},
        {"税金及附加", "税金及附加", 1, Kind::Input, -1, {{{"6403"}}}, {}, "税金及附加，借方减贷方"},
        {"销售费用", "销售费用", 1, Kind::Input, -1, {{{"6601"}}}, {}, "销售费用，借方减贷方"},
        {"管理费用", "管理费用", 1, Kind::Input, -1, {{{"6602"}, M::SubWithout, kResearch}, {{"6604"}}}, {},
         "管理费用（名称含“研发”“研究”的明细科目除外）+ 勘探费用，借方减贷方"},
        {"研发费用", "研发费用", 1, Kind::Input, -1, {{{"6602"}, M::SubWith, kResearch}}, {},
         "管理费用中名称含“研发”“研究”的明细科目，借方减贷方"},
        {"财务费用", "财务费用", 1, Kind::Input, -1, {{{"6603", "6061"}}}, {}, "财务费用 + 汇兑损益，借方减贷方"},
        {"其中：利息费用", "利息费用", 2, Kind::Input, -1,
         {{{"6603"}, M::SubWith, kInterest, kInterestIncome}}, {},
         "财务费用中名称含“利息”的明细科目（利息收入除外），借方减贷方"},
        {"利息收入", "利息收入", 2, Kind::Input, 1, {{{"6603"}, M::SubWith, kInterestIncome}}, {},
         "财务费用中名称含“利息收入”的明细科目，贷方减借方"},
        {"加：其他收益", "其他收益", 1, Kind::Input, 1, {{{"6117"}}}, {}, "其他收益，贷方减借方"},
        {"投资收益（损失以\"－\"号填列）", "投资收益", 1, Kind::Input, 1, {{{"6111"}}}, {}, "投资收益，贷方减借方"},
        {"其中：对联营企业和合营企业的投资收益", "对联营企业和合营企业的投资收益", 2, Kind::Input, 1,
         {{{"6111"}, M::SubWith, kAssociates}}, {}, "投资收益中名称含“联营”“合营”的明细科目，贷方减借方"},
        {"以摊余成本计量的金融资产终止确认收益（损失以\"－\"号填列）", "以摊余成本计量的金融资产终止确认收益", 2, Kind::Input, 1,
         {}, {}, "（账簿不区分）"},
        {"净敞口套期收益（损失以\"－\"号填列）", "净敞口套期收益", 1, Kind::Input, 1, {}, {}, "（科目表中没有对应的科目）"},
        {"公允价值变动收益（损失以\"－\"号填列）", "公允价值变动收益", 1, Kind::Input, 1, {{{"6101"}}}, {},
         "公允价值变动损益，贷方减借方"},
        {"信用减值损失（损失以\"－\"号填列）", "信用减值损失", 1, Kind::Input, 1, {{{"6702"}}}, {},
         "信用减值损失，贷方减借方（损失为负）"},
        {"资产减值损失（损失以\"－\"号填列）", "资产减值损失", 1, Kind::Input, 1, {{{"6701"}}}, {},
         "资产减值损失，贷方减借方（损失为负）"},
        {"资产处置收益（损失以\"－\"号填列）", "资产处置收益", 1, Kind::Input, 1, {{{"6115"}}}, {}, "资产处置损益，贷方减借方"},
        {"二、营业利润（亏损以\"－\"号填列）", "营业利润", 0, Kind::Total, 1, {},
         {{"营业收入", 1}, {"营业成本", -1}, {"税金及附加", -1}, {"销售费用", -1}, {"管理费用", -1}, {"研发费用", -1},
          {"财务费用", -1}, {"其他收益", 1}, {"投资收益", 1}, {"净敞口套期收益", 1}, {"公允价值变动收益", 1},
          {"信用减值损失", 1}, {"资产减值损失", 1}, {"资产处置收益", 1}},
         "营业收入 − 营业成本 − 税金及附加 − 销售费用 − 管理费用 − 研发费用 − 财务费用 + 其他收益 + 投资收益 + 净敞口套期收益 + "
         "公允价值变动收益 + 信用减值损失 + 资产减值损失 + 资产处置收益"},
        {"加：营业外收入", "营业外收入", 1, Kind::Input, 1, {{{"6301"}}}, {}, "营业外收入，贷方减借方"},
        {"减：营业外支出", "营业外支出", 1, Kind::Input, -1, {{{"6711"}}}, {}, "营业外支出，借方减贷方"},
        {"三、利润总额（亏损总额以\"－\"号填列）", "利润总额", 0, Kind::Total, 1, {},
         {{"营业利润", 1}, {"营业外收入", 1}, {"营业外支出", -1}}, "营业利润 + 营业外收入 − 营业外支出"},
        {"减：所得税费用", "所得税费用", 1, Kind::Input, -1, {{{"6801"}}}, {}, "所得税费用，借方减贷方"},
        {"四、净利润（净亏损以\"－\"号填列）", "净利润", 0, Kind::Total, 1, {}, {{"利润总额", 1}, {"所得税费用", -1}},
         "利润总额 − 所得税费用"},
        {"（一）持续经营净利润（净亏损以\"－\"号填列）", "持续经营净利润", 1, Kind::Total, 1, {}, {{"净利润", 1}},
         "净利润（账簿不区分终止经营）"},
        {"（二）终止经营净利润（净亏损以\"－\"号填列）", "终止经营净利润", 1, Kind::Input, 1, {}, {}, "（账簿不区分）"},
        {"五、其他综合收益的税后净额", "其他综合收益的税后净额", 0, Kind::Input, 1, {}, {}, "（科目表中没有对应的科目）"},
        {"六、综合收益总额", "综合收益总额", 0, Kind::Total, 1, {}, {{"净利润", 1}, {"其他综合收益的税后净额", 1}},
         "净利润 + 其他综合收益的税后净额"},
    };
    return rules;
}

std::string yearStart(std::string_view month) { return std::string(month.substr(0, 4)) + "-01-01"; }

// The last day before the year of month starts; empty before the year 2.
std::string beforeYear(std::string_view month) {
    const int year = std::stoi(std::string(month.substr(0, 4)));
    if (year <= 1) return {};
    std::string y = std::to_string(year - 1);
    while (y.size() < 4) y.insert(0, 1, '0');
    return y + "-12-31";
}

std::vector<std::string> unplacedOf(const Figures& a, const Figures& b) {
    std::set<std::string> all(a.unplaced);
    all.insert(b.unplaced.begin(), b.unplaced.end());
    return {all.begin(), all.end()};
}

}  // namespace

const StatementItem* FinancialStatement::item(std::string_view n) const {
    for (const StatementItem& i : items)
        if (i.name == n) return &i;
    return nullptr;
}

FinancialStatement balanceSheet(const Journal& j, std::string_view month) {
    FinancialStatement s;
    s.title = std::string(kBalanceSheet);
    s.month = std::string(month);
    s.column = "期末余额";
    s.otherColumn = "年初余额";
    const Figures end = balancesAt(j, lastDay(month)), start = balancesAt(j, beforeYear(month));
    s.items = itemsOf(balanceSheetRules(), end, start);
    s.unplaced = unplacedOf(end, start);
    return s;
}

FinancialStatement incomeStatement(const Journal& j, std::string_view month) {
    FinancialStatement s;
    s.title = std::string(kIncomeStatement);
    s.month = std::string(month);
    s.column = "本期金额";
    s.otherColumn = "本年累计金额";
    const std::string last = lastDay(month);
    const Figures m = movementsIn(j, std::string(month) + "-01", last), year = movementsIn(j, yearStart(month), last);
    s.items = itemsOf(incomeRules(), m, year);
    s.unplaced = unplacedOf(m, year);
    return s;
}

std::string statementCsv(const FinancialStatement& s) {
    std::string out(kCsvBom);
    csvRow(out, {s.title, s.month});
    csvRow(out, {"项目", s.column, s.otherColumn});
    for (const StatementItem& i : s.items) {
        const std::string label = std::string(static_cast<std::size_t>(i.level) * 2, ' ') + i.label;
        if (i.heading)
            csvRow(out, {label});
        else
            csvRow(out, {label, yuan(i.amount), yuan(i.other)});
    }
    return out;
}

// ---- 科目余额表 ----

bool BalanceTable::balanced() const {
    return total.openDebit == total.openCredit && total.debit == total.credit && total.yearDebit == total.yearCredit &&
           total.closeDebit == total.closeCredit;
}

BalanceTable balanceTable(const Journal& j, std::string_view month) {
    BalanceTable t;
    t.month = std::string(month);
    const std::string first = std::string(month) + "-01", last = lastDay(month), year = yearStart(month);
    struct Acc {
        Cents before = 0, debit = 0, credit = 0, yearDebit = 0, yearCredit = 0;
        std::size_t order = 0;
    };
    std::map<std::string, Acc> accounts;
    const auto acc = [&](std::string_view name) -> Acc& {
        auto [it, fresh] = accounts.try_emplace(std::string(name));
        if (fresh) it->second.order = accounts.size();
        return it->second;
    };
    for (const Voucher& v : j.vouchers()) {
        if (v.date > last) continue;
        for (const Line& l : v.lines) {
            Acc& a = acc(firstLevel(l.account));
            const bool debit = l.side == Side::Debit;
            if (v.date < first) a.before = addCents(a.before, debit ? l.amount : -l.amount);
            if (v.date >= first) (debit ? a.debit : a.credit) = addCents(debit ? a.debit : a.credit, l.amount);
            if (v.date >= year) (debit ? a.yearDebit : a.yearCredit) = addCents(debit ? a.yearDebit : a.yearCredit, l.amount);
        }
    }
    for (const Opening& o : j.openings()) {
        Acc& a = acc(o.account);
        a.before = addCents(a.before, o.debit);
    }
    std::vector<std::pair<std::string, Acc>> rows(accounts.begin(), accounts.end());
    // By code; the names the chart does not place last, in the order first met.
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        const std::string_view ca = codeOf(a.first), cb = codeOf(b.first);
        if (ca.empty() != cb.empty()) return cb.empty();
        if (ca != cb) return ca < cb;
        return a.second.order < b.second.order;
    });
    t.total.account = "合计";
    for (const auto& [name, a] : rows) {
        BalanceRow r;
        r.code = std::string(codeOf(name));
        r.account = name;
        r.openDebit = a.before > 0 ? a.before : 0;
        r.openCredit = a.before < 0 ? -a.before : 0;
        r.debit = a.debit;
        r.credit = a.credit;
        r.yearDebit = a.yearDebit;
        r.yearCredit = a.yearCredit;
        const Cents close = addCents(addCents(a.before, a.debit), -a.credit);
        r.closeDebit = close > 0 ? close : 0;
        r.closeCredit = close < 0 ? -close : 0;
        BalanceRow& s = t.total;
        s.openDebit = addCents(s.openDebit, r.openDebit);
        s.openCredit = addCents(s.openCredit, r.openCredit);
        s.debit = addCents(s.debit, r.debit);
        s.credit = addCents(s.credit, r.credit);
        s.yearDebit = addCents(s.yearDebit, r.yearDebit);
        s.yearCredit = addCents(s.yearCredit, r.yearCredit);
        s.closeDebit = addCents(s.closeDebit, r.closeDebit);
        s.closeCredit = addCents(s.closeCredit, r.closeCredit);
        t.rows.push_back(std::move(r));
    }
    return t;
}

std::string balanceTableCsv(const BalanceTable& t) {
    std::string out(kCsvBom);
    csvRow(out, {"科目余额表", t.month});
    csvRow(out, {"科目编码", "科目名称", "期初借方", "期初贷方", "本期借方", "本期贷方", "本年累计借方", "本年累计贷方", "期末借方",
                 "期末贷方"});
    const auto row = [&](const BalanceRow& r) {
        csvRow(out, {r.code, r.account, yuan(r.openDebit), yuan(r.openCredit), yuan(r.debit), yuan(r.credit),
                     yuan(r.yearDebit), yuan(r.yearCredit), yuan(r.closeDebit), yuan(r.closeCredit)});
    };
    for (const BalanceRow& r : t.rows) row(r);
    row(t.total);
    return out;
}

// ---- the statement windows' boxes ----

namespace {

// A pair of boxes (the year's start, the month's end) and the accounts that
// go into them.  Every account goes into exactly one pair, so that the
// window's own totals are the balance sheet's.
struct BoxPair {
    std::string_view start, end;
    int sign;
    std::vector<Term> terms;
};

void fill(BoxFigures& out, const std::vector<BoxPair>& boxes, const Journal& j, std::string_view month) {
    const Figures end = balancesAt(j, lastDay(month)), start = balancesAt(j, beforeYear(month));
    for (const BoxPair& b : boxes) {
        std::vector<Source> ignored;
        out.boxes.emplace_back(std::string(b.start), yuan(evaluate(b.sign, b.terms, start, ignored)));
        out.boxes.emplace_back(std::string(b.end), yuan(evaluate(b.sign, b.terms, end, ignored)));
    }
}

std::vector<std::string_view> joined(std::initializer_list<std::vector<std::string_view>> lists) {
    std::vector<std::string_view> out;
    for (const auto& l : lists) out.insert(out.end(), l.begin(), l.end());
    return out;
}

}  // namespace

BoxFigures form120Figures(const Journal& j, std::string_view month) {
    BoxFigures out{"Form120", {}};
    const std::vector<std::string_view> derivativesAndClearing = joined({kDerivatives, kClearing});
    const std::vector<BoxPair> boxes{
        {"Text2", "Text35", 1, {{{"1001", "1002", "1012"}}}},
        {"Text3", "Text36", 1, {{{"1101"}}}},
        {"Text4", "Text37", 1, {{{"1121"}}}},
        {"Text5", "Text38", 1, {{{"1122", "2203"}, M::DebitPart}, {{"1231"}}}},
        {"Text6", "Text39", 1, {{{"1123", "2202"}, M::DebitPart}}},
        {"Text7", "Text40", 1, {{{"1132"}}}},
        {"Text8", "Text41", 1, {{{"1131"}}}},
        {"Text9", "Text42", 1, {{{"1221"}}}},
        {"Text10", "Text43", 1, {{kInventories}, {kContracts, M::NetDebit}}},
        {"Text12", "Text45", 1, {{kOtherCurrentAssets}, {derivativesAndClearing, M::DebitPart}}},
        {"Text15", "Text48", 1, {{{"1503"}}}},
        {"Text16", "Text49", 1, {{{"1501", "1502"}}}},
        {"Text17", "Text50", 1, {{{"1531", "1532"}}}},
        {"Text18", "Text51", 1, {{{"1511", "1512"}}}},
        {"Text19", "Text52", 1, {{{"1521"}}}},
        {"Text20", "Text53", 1, {{{"1601", "1602", "1603"}}}},
        {"Text21", "Text54", 1, {{{"1604"}}}},
        {"Text22", "Text55", 1, {{{"1605"}}}},
        {"Text23", "Text56", 1, {{{"1606"}}}},
        {"Text24", "Text57", 1, {{{"1621", "1622"}}}},
        {"Text25", "Text58", 1, {{{"1631", "1632"}}}},
        {"Text26", "Text59", 1, {{{"1701", "1702", "1703"}}}},
        {"Text27", "Text60", 1, {{{"5301"}}}},
        {"Text28", "Text61", 1, {{{"1711"}}}},
        {"Text29", "Text62", 1, {{{"1801"}}}},
        {"Text30", "Text63", 1, {{{"1811"}}}},
        {"Text31", "Text64", 1, {{kOtherNonCurrentAssets}}},
        {"Text68", "Text101", -1, {{{"2001"}}}},
        {"Text69", "Text102", -1, {{{"2101"}}}},
        {"Text70", "Text103", -1, {{{"2201"}}}},
        {"Text71", "Text104", -1, {{{"2202", "1123"}, M::CreditPart}}},
        {"Text72", "Text105", -1, {{{"2203", "1122"}, M::CreditPart}, {kContracts, M::NetCredit}}},
        {"Text73", "Text106", -1, {{{"2211"}}}},
        {"Text74", "Text107", -1, {{{"2221"}}}},
        {"Text75", "Text108", -1, {{{"2231"}}}},
        {"Text76", "Text109", -1, {{{"2232"}}}},
        {"Text77", "Text110", -1, {{{"2241"}}}},
        {"Text79", "Text112", -1, {{kOtherCurrentLiabilities}, {derivativesAndClearing, M::CreditPart}}},
        {"Text82", "Text115", -1, {{{"2501"}}}},
        {"Text83", "Text116", -1, {{{"2502"}}}},
        {"Text84", "Text117", -1, {{{"2701", "2702"}}}},
        {"Text85", "Text118", -1, {{{"2711"}}}},
        {"Text86", "Text119", -1, {{{"2801"}}}},
        {"Text87", "Text120", -1, {{{"2901"}}}},
        {"Text88", "Text121", -1, {{joined({{"2401"}, kOtherNonCurrentLiabilities})}}},
        {"Text92", "Text125", -1, {{{"4001"}}}},
        {"Text93", "Text126", -1, {{{"4002"}}}},
        {"Text94", "Text127", 1, {{{"4201"}}}},
        {"Text95", "Text128", -1, {{{"4101", "4102"}}}},
        {"Text96", "Text129", -1, {{retainedCodes()}}},
    };
    fill(out, boxes, j, month);
    return out;
}

BoxFigures form119Figures(const Journal& j, std::string_view month) {
    BoxFigures out{"Form119", {}};
    // The income statement's 本期 column: the month's figures.  Its 其他业务
    // 利润 stays 0: other business revenue and cost are in 营业收入 and 营业成本.
    const FinancialStatement income = incomeStatement(j, month);
    const auto a = [&](std::string_view name) { return income.item(name)->amount; };
    Cents investment = 0;  // every gain and loss below the expenses, to 利润总额
    for (std::string_view n : {"其他收益", "投资收益", "净敞口套期收益", "公允价值变动收益", "信用减值损失", "资产减值损失", "资产处置收益",
                               "营业外收入"})
        investment = addCents(investment, a(n));
    investment = addCents(investment, -a("营业外支出"));
    const std::pair<std::string_view, Cents> incomeBoxes[] = {
        {"Text14", a("营业收入")},     {"Text15", a("营业成本")},
        {"Text16", a("税金及附加")},   {"Text18", 0},
        {"Text19", a("销售费用")},     {"Text20", addCents(a("管理费用"), a("研发费用"))},
        {"Text21", a("财务费用")},     {"Text23", investment},
        {"Text25", a("所得税费用")},
    };
    for (const auto& [box, c] : incomeBoxes) out.boxes.emplace_back(std::string(box), yuan(c));
    // The short balance sheet.
    const std::vector<BoxPair> boxes{
        {"Text43", "Text54", 1, {{{"1001", "1002", "1012"}}}},
        {"Text44", "Text55", 1, {{{"1101"}}}},
        {"Text45", "Text56", 1, {{{"1121", "1131", "1132", "1221", "1231"}}, {{"1122", "2203", "1123", "2202"}, M::DebitPart}}},
        {"Text46", "Text57", 1,
         {{kInventories}, {kContracts, M::NetDebit}, {kOtherCurrentAssets}, {joined({kDerivatives, kClearing}), M::DebitPart}}},
        {"Text48", "Text59", 1, {{{"1501", "1502", "1503", "1511", "1512", "1521", "1531", "1532"}}}},
        {"Text49", "Text60", 1, {{{"1601", "1602", "1603", "1604", "1605", "1606", "1621", "1622", "1631", "1632"}}}},
        {"Text50", "Text61", 1, {{{"1701", "1702", "1703"}}}},
        {"Text51", "Text62", 1, {{joined({{"5301", "1711", "1801", "1811"}, kOtherNonCurrentAssets})}}},
        {"Text65", "Text76", -1,
         {{joined({{"2001", "2101", "2201", "2211", "2221", "2231", "2232", "2241"}, kOtherCurrentLiabilities})},
          {{"2202", "1123", "2203", "1122"}, M::CreditPart},
          {kContracts, M::NetCredit},
          {joined({kDerivatives, kClearing}), M::CreditPart}}},
        {"Text66", "Text77", -1,
         {{joined({{"2501", "2502", "2701", "2702", "2711", "2801", "2901", "2401"}, kOtherNonCurrentLiabilities})}}},
        {"Text70", "Text81", -1, {{{"4002", "4201"}}}},
        {"Text71", "Text82", -1, {{{"4001"}}}},
        {"Text72", "Text83", -1, {{{"4101", "4102"}}}},
        {"Text73", "Text84", -1, {{retainedCodes()}}},
    };
    fill(out, boxes, j, month);
    return out;
}

}  // namespace kelmora::book
