#include <stdexcept>

#include "core/app.h"
#include "shell/keyword_table.h"

namespace kelmora {

namespace {

struct FlatItem {
    int depth;
    const char* caption;
    MenuAction action;
    const char* argument;
};

// The menu bar in display order; depth 0 are the top-level menus.
const FlatItem kMenu[] = {
    {0, "货币/支出", MenuAction::Submenu, ""},
    {1, "工程长期待摊费用", MenuAction::Open, "Form55"},
    {1, "长期待摊费用", MenuAction::Open, "Form55"},
    {1, "生产成本", MenuAction::Submenu, ""},
    {2, "一次加权平均法", MenuAction::Open, "Form23"},
    {2, "个别计价法", MenuAction::Open, "Form22"},
    {2, "原材料支出", MenuAction::Open, "Form24"},
    {2, "先进先出法", MenuAction::Open, "Form22"},
    {1, "支出", MenuAction::Open, "Form9"},
    {1, "现金", MenuAction::Submenu, ""},
    {2, "现金盘盈", MenuAction::Open, "Form2"},
    {2, "现金盘亏", MenuAction::Open, "Form2"},
    {1, "外埠存款", MenuAction::Open, "Form3"},
    {1, "外埠采购", MenuAction::Open, "Form4"},
    {1, "信用证", MenuAction::Open, "Form5"},
    {1, "营业外收入计算", MenuAction::Open, "Form129"},
    {1, "营业外收入", MenuAction::Open, "Form140"},
    {1, "信用卡", MenuAction::Open, "Form5"},
    {0, "票据", MenuAction::Submenu, ""},
    {1, "申请汇票", MenuAction::Open, "Form4"},
    {1, "申请本票", MenuAction::Open, "Form4"},
    {1, "票据贴现", MenuAction::Open, "Form6"},
    {1, "票据销售", MenuAction::Open, "Form7"},
    {1, "应付票据", MenuAction::Open, "Form64"},
    {1, "票据存取贴现", MenuAction::Open, "Form65"},
    {0, "股票/债券", MenuAction::Submenu, ""},
    {1, "股票", MenuAction::Submenu, ""},
    {2, "发行股票", MenuAction::Open, "Form147"},
    {2, "回购股票", MenuAction::Open, "Form145"},
    {2, "股票投资成本", MenuAction::Open, "Form38"},
    {2, "组合投资", MenuAction::Open, "Form32"},
    {2, "持有股票", MenuAction::Open, "Form31"},
    {2, "长期股权投资", MenuAction::Open, "Form31"},
    {2, "出售股票", MenuAction::Open, "Form29"},
    {1, "债券", MenuAction::Submenu, ""},
    {2, "债券实际收益率", MenuAction::Open, "Form125"},
    {2, "债券损失", MenuAction::Open, "Form37"},
    {2, "摊销债券", MenuAction::Open, "Form36"},
    {2, "转让债券", MenuAction::Open, "Form35"},
    {2, "长期债权投资", MenuAction::Open, "Form34"},
    {2, "持有债券", MenuAction::Open, "Form30"},
    {2, "出售债券", MenuAction::Open, "Form29"},
    {2, "购买债券", MenuAction::Open, "Form28"},
    {0, "原材料", MenuAction::Submenu, ""},
    {1, "领用原材料", MenuAction::Open, "Form61"},
    {1, "销售原材料", MenuAction::Open, "Form59"},
    {1, "原材料盘亏", MenuAction::Open, "Form26"},
    {1, "原材料盘盈", MenuAction::Open, "Form26"},
    {1, "自产原材料", MenuAction::Open, "Form19"},
    {1, "购买原材料完整", MenuAction::Open, "Form19"},
    {1, "购买原材料", MenuAction::Open, "Form3"},
    {0, "账款/货物", MenuAction::Submenu, ""},
    {1, "货物", MenuAction::Submenu, ""},
    {2, "商品退换", MenuAction::Open, "Form87"},
    {2, "商品退还", MenuAction::Open, "Form86"},
    {2, "商品补价", MenuAction::Open, "Form85"},
    {2, "商品退货", MenuAction::Open, "Form84"},
    {2, "折让销售", MenuAction::Open, "Form89"},
    {2, "打折销售", MenuAction::Open, "Form88"},
    {2, "出租商品", MenuAction::Open, "Form134"},
    {2, "出租包装", MenuAction::Open, "Form133"},
    {2, "委托加工应税商品", MenuAction::Open, "Form123"},
    {2, "自产自用应税商品", MenuAction::Open, "Form122"},
    {2, "销售应税商品", MenuAction::Open, "Form121"},
    {2, "购买商品", MenuAction::Open, "Form62"},
    {2, "产品损坏", MenuAction::Open, "Form60"},
    {2, "代销商品", MenuAction::Open, "Form58"},
    {2, "退货", MenuAction::Open, "Form57"},
    {2, "打折购买", MenuAction::Open, "Form56"},
    {2, "产品损失", MenuAction::Open, "Form27"},
    {2, "存货盘亏", MenuAction::Open, "Form25"},
    {2, "存货盘盈", MenuAction::Open, "Form25"},
    {2, "包装", MenuAction::Open, "Form20"},
    {2, "加工", MenuAction::Open, "Form67"},
    {2, "销售商品", MenuAction::Open, "Form8"},
    {1, "账款", MenuAction::Submenu, ""},
    {2, "逾期贷款", MenuAction::Open, "Form65"},
    {2, "预收账款", MenuAction::Open, "Form63"},
    {2, "长期借款", MenuAction::Open, "Form132"},
    {2, "短期借款", MenuAction::Open, "Form131"},
    {2, "坏账准备", MenuAction::Open, "Form21"},
    {0, "固定资产", MenuAction::Submenu, ""},
    {1, "长期购买固定资产", MenuAction::Open, "Form137"},
    {1, "长期租赁固定资产", MenuAction::Open, "Form136"},
    {1, "改建固定资产", MenuAction::Open, "Form49"},
    {1, "维修固定资产", MenuAction::Open, "Form48"},
    {1, "固定资产报废", MenuAction::Open, "Form47"},
    {1, "出售固定资产", MenuAction::Open, "Form46"},
    {1, "租赁固定资产", MenuAction::Open, "Form45"},
    {1, "盘亏固定资产", MenuAction::Open, "Form44"},
    {1, "盘盈固定资产", MenuAction::Open, "Form44"},
    {1, "累计折旧计算", MenuAction::Open, "Form43"},
    {1, "出包工程", MenuAction::Open, "Form42"},
    {1, "自建固定资产", MenuAction::Open, "Form41"},
    {1, "购买固定资产安装", MenuAction::Open, "Form40"},
    {1, "购买固定资产不安装", MenuAction::Open, "Form39"},
    {1, "固定资产投资", MenuAction::Open, "Form33"},
    {1, "转移固定资产", MenuAction::Open, "Form33"},
    {1, "仓库毁损", MenuAction::Open, "Form139"},
    {0, "无形资产", MenuAction::Submenu, ""},
    {1, "转让无形资产", MenuAction::Open, "Form138"},
    {1, "无形资产报废", MenuAction::Open, "Form54"},
    {1, "出租无形资产", MenuAction::Open, "Form54"},
    {1, "出租摊销无形资产", MenuAction::Open, "Form54"},
    {1, "摊销无形资产", MenuAction::Open, "Form53"},
    {1, "出售无形资产", MenuAction::Open, "Form53"},
    {1, "申请无形资产", MenuAction::Open, "Form52"},
    {1, "开发无形资产", MenuAction::Open, "Form51"},
    {1, "外购无形资产", MenuAction::Open, "Form50"},
    {1, "投入无形资产", MenuAction::Open, "Form50"},
    {1, "转移产权", MenuAction::Open, "Form32"},
    {0, "财务报表/工资", MenuAction::Submenu, ""},
    {1, "资产负债表", MenuAction::Open, "Form120"},
    {1, "现金流量表", MenuAction::Open, "Form119"},
    {1, "利润表", MenuAction::Open, "Form119"},
    {1, "资产负债表简", MenuAction::Open, "Form119"},
    {1, "工资", MenuAction::Open, "Form130"},
    {0, "投资/公积", MenuAction::Submenu, ""},
    {1, "投资", MenuAction::Submenu, ""},
    {2, "增加投资", MenuAction::Open, "Form146"},
    {2, "撤回投资", MenuAction::Open, "Form145"},
    {2, "追加投资", MenuAction::Open, "Form144"},
    {2, "投资公司", MenuAction::Open, "Form143"},
    {2, "资金投资公司", MenuAction::Open, "Form142"},
    {2, "接受投资物", MenuAction::Open, "Form66"},
    {1, "公积", MenuAction::Submenu, ""},
    {2, "增加资本公积", MenuAction::Open, "Form148"},
    {2, "提取盈余公积", MenuAction::Open, "Form149"},
    {2, "盈余公积补亏", MenuAction::Open, "Form149"},
    {2, "盈余公积转增资本", MenuAction::Open, "Form149"},
    {2, "盈余公积发放股利", MenuAction::Open, "Form150"},
    {0, "税务/利润", MenuAction::Submenu, ""},
    {1, "税务", MenuAction::Submenu, ""},
    {2, "企业所得税", MenuAction::Open, "Form128"},
    {2, "个税", MenuAction::Open, "Form128"},
    {2, "税金及附加", MenuAction::Open, "Form127"},
    {2, "营业税", MenuAction::Open, "Form126"},
    {1, "利润", MenuAction::Submenu, ""},
    {2, "未分配利润", MenuAction::Open, "Form135"},
    {2, "本年利润", MenuAction::Open, "Form140"},
    {2, "净利润", MenuAction::Open, "Form140"},
    {2, "营业利润", MenuAction::Open, "Form140"},
    {2, "利润总额", MenuAction::Open, "Form140"},
    {2, "结转本年利润", MenuAction::Open, "Form141"},
    {0, "外贸", MenuAction::Submenu, ""},
    {1, "外汇", MenuAction::Submenu, ""},
    {2, "购买外汇", MenuAction::Open, "Form68"},
    {2, "信用证购买外汇", MenuAction::Open, "Form68"},
    {2, "外汇收入", MenuAction::Open, "Form69"},
    {2, "支付外汇", MenuAction::Open, "Form70"},
    {2, "短期外汇借款", MenuAction::Open, "Form71"},
    {2, "长期外汇借款", MenuAction::Open, "Form72"},
    {2, "收入外币", MenuAction::Open, "Form75"},
    {2, "支付外币", MenuAction::Open, "Form76"},
    {2, "L/C收款", MenuAction::Open, "Form93"},
    {2, "电汇", MenuAction::Open, "Form78"},
    {2, "异地结汇法", MenuAction::Open, "Form97"},
    {2, "信用证外汇", MenuAction::Nothing, ""},
    {2, "票据贴现外汇", MenuAction::Nothing, ""},
    {2, "收入外币投资", MenuAction::Open, "Form83"},
    {1, "进口", MenuAction::Submenu, ""},
    {2, "进口原材料", MenuAction::Open, "Form73"},
    {2, "信用证支付", MenuAction::Open, "Form77"},
    {2, "托收", MenuAction::Open, "Form79"},
    {2, "采购出口商品", MenuAction::Open, "Form81"},
    {2, "采购农副产品", MenuAction::Open, "Form82"},
    {2, "进料加工", MenuAction::Open, "Form100"},
    {2, "进料加工出口", MenuAction::Open, "Form101"},
    {2, "进口商品", MenuAction::Open, "Form102"},
    {2, "进口商品销售", MenuAction::Open, "Form103"},
    {2, "进口商品退回", MenuAction::Open, "Form104"},
    {2, "进口商品索赔", MenuAction::Open, "Form105"},
    {2, "进口商品易货", MenuAction::Open, "Form106"},
    {2, "代理业务进口", MenuAction::Open, "Form107"},
    {2, "购买专利", MenuAction::Submenu, ""},
    {3, "一次付清", MenuAction::Open, "Form116"},
    {3, "分次付清", MenuAction::Open, "Form117"},
    {3, "转让专利", MenuAction::Open, "Form118"},
    {1, "出口", MenuAction::Submenu, ""},
    {2, "出口退税", MenuAction::Open, "Form80"},
    {2, "支付明佣", MenuAction::Open, "Form91"},
    {2, "支付暗佣", MenuAction::Open, "Form91"},
    {2, "保险费用", MenuAction::Open, "Form90"},
    {2, "出口退回", MenuAction::Open, "Form92"},
    {2, "出口索赔", MenuAction::Open, "Form95"},
    {2, "出口理赔", MenuAction::Open, "Form96"},
    {2, "买断出口", MenuAction::Open, "Form98"},
    {2, "收取出口手续费", MenuAction::Open, "Form99"},
    {2, "分公司承包汇款", MenuAction::Open, "Form114"},
    {2, "总公司承包调拨", MenuAction::Open, "Form115"},
    {1, "出口税务", MenuAction::Submenu, ""},
    {2, "出口货物退税", MenuAction::Open, "Form108"},
    {2, "运险金退税", MenuAction::Open, "Form109"},
    {2, "自营出口退税", MenuAction::Open, "Form110"},
    {2, "委托出口消费税", MenuAction::Open, "Form111"},
    {2, "代理出口消费税", MenuAction::Open, "Form112"},
    {2, "不予免税或退税", MenuAction::Open, "Form113"},
    {0, "科目", MenuAction::Message, "请在栏目中输入会计科目"},
};

std::vector<MenuItem> buildTree() {
    std::vector<MenuItem> roots;
    std::vector<std::vector<MenuItem>*> levels{&roots};
    for (const auto& f : kMenu) {
        if (f.depth + 1 > static_cast<int>(levels.size())) throw std::logic_error("menu depth skips a level");
        levels.resize(f.depth + 1);
        levels.back()->push_back({f.caption, f.action, f.argument, {}});
        levels.push_back(&levels.back()->back().children);
    }
    return roots;
}

}  // namespace

const std::vector<MenuItem>& menuTree() {
    static const std::vector<MenuItem> tree = buildTree();
    return tree;
}

const MenuItem* findMenuItem(const std::vector<std::string>& path) {
    const std::vector<MenuItem>* level = &menuTree();
    const MenuItem* found = nullptr;
    for (const auto& caption : path) {
        found = nullptr;
        for (const auto& item : *level)
            if (item.caption == caption) {
                found = &item;
                break;
            }
        if (!found) return nullptr;
        level = &found->children;
    }
    return found;
}

void chooseMenuItem(App& app, const MenuItem& item) {
    switch (item.action) {
    case MenuAction::Open:
        app.hide("Form1");
        app.open(item.argument);
        break;
    case MenuAction::Message:
        app.window("Form1")->msgbox(item.argument);
        break;
    case MenuAction::Submenu:
    case MenuAction::Nothing:
        break;
    }
}

std::vector<MenuNode> menuNodes() {
    const auto convert = [](const auto& self, const std::vector<MenuItem>& items) -> std::vector<MenuNode> {
        std::vector<MenuNode> nodes;
        nodes.reserve(items.size());
        for (const MenuItem& item : items) {
            MenuNode n{item.caption, {}, self(self, item.children)};
            // The item lives in the static tree for the whole run.
            if (item.action != MenuAction::Submenu)
                n.action = [target = &item](Window& w) { chooseMenuItem(w.app(), *target); };
            n.inert = item.action == MenuAction::Nothing;
            nodes.push_back(std::move(n));
        }
        return nodes;
    };
    return convert(convert, menuTree());
}

}  // namespace kelmora
