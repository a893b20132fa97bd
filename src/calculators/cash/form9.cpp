// Kelmora — the expense hub: one button per kind of expense, each with a line
// saying what the account covers.  It computes and prints nothing; a topic
// button opens its calculator beside the hub, which stays on screen.
#include "calculators/cash/expenses.h"

namespace kelmora::form9 {

struct Topic {
    const char* button;
    int index;  // >= 0: member of a control array
    const char* caption;
    const char* explanation;
    const char* opens;
};

WindowDef define() {
    static const Topic topics[] = {
        {"Command1", -1, "生产成本", "包括直接材料费、直接人工、制造费用等", "Form10"},
        {"Command2", -1, "制造费用", "包括间接材料费、折旧费、低值易耗品等", "Form11"},
        {"Command3", 0, "其他费用", "包括车间管理人员工资,辅料消耗,生产设备折旧费,设备维修费等", "Form12"},
        {"Command4", -1, "管理费用", "包括公司经费、劳动保险费、董事会会费等", "Form13"},
        {"Command5", -1, "财务费用", "包括利息支出、汇兑损失、手续费等", "Form14"},
        {"Command6", -1, "销售费用", "包括销售商品过程中发生的保险费、包装费、展览费和广告费、商品维修费、运费等", "Form15"},
        {"Command7", -1, "其他应付款", "应付租入固定资产和包装物的租金、暂付款项等", "Form16"},
        {"Command8", -1, "其他应收款", "收取保险公司赔款、职工垫款备用金租金、押金等", "Form17"},
        {"Command10", -1, "营业外支出", "企业罚款支出、捐赠支出、非常损失", "Form18"},
    };
    FormBuilder b("Form9");
    // Nothing is printed here, so the buttons take the left edge.
    b.printsNothing();
    int n = 0;
    for (const Topic& t : topics) {
        b.choice({.name = t.button, .caption = t.caption, .index = t.index}, "Label" + std::to_string(++n),
                 t.explanation);
        const std::string target = t.opens;
        b.on(t.button, [target](Window& w) { w.open(target); });
    }
    b.gap().buttons({{.name = "Command9", .caption = "退出"}});
    b.on("Command9", FormBuilder::exit);
    b.closeControl("Command9");
    return b.build();
}

KELMORA_WINDOW(Form9, define);

}  // namespace kelmora::form9
