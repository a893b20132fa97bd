// Kelmora — a fixed asset lost: written off, then charged as a non-operating loss.
#include "calculators/cash/expenses.h"

namespace kelmora::form18 {

// Text1 holds the asset's value as entered, Text2 the depreciation already
// charged; the loss is what is left of the value.
void compute(Window& w) {
    const Num value = w.field("Text1"), depreciation = w.field("Text2");
    w.text("批准前");
    const Num net = value - depreciation;
    w.amount("待处理财产损溢（借）", net);
    w.amount("累计折旧（借）", depreciation);
    w.amount("固定资产（贷）", value);
    w.blank();
    w.text("批准后");
    w.amount("营业外支出（借）", net);
    w.amount("待处理财产损溢（贷）", net);
}

WindowDef define() {
    return expenses::calculator({.form = "Form18",
                                 .caption = "Form18",
                                 .explanation = "营业外支出：企业罚款支出、捐赠支出、非常损失",
                                 .text1Label = "账面价值",
                                 .text2Label = "已提折旧"},
                                compute);
}

KELMORA_WINDOW(Form18, define);

}  // namespace kelmora::form18
