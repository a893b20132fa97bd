// Kelmora — materials found short or over at a stock-taking.
// The gain field stands in the lower left, below the start of the printed lines.
#include "core/window_registry.h"

namespace kelmora::form26 {

void compute(Window& w) {
    const Num quantity = w.field("Text1"), unitCost = w.field("Text2"), vatRate = w.field("Text3"),
              insurer = w.field("Text4"), scrap = w.field("Text5"), person = w.field("Text6");
    const Num lossCost = unitCost * quantity - scrap;
    const Num vatOut = vatRate * lossCost;
    const Num lossTotal = lossCost + vatOut;
    const Num netLoss = lossTotal - insurer - person;
    w.text("批准前");
    w.amount("原材料-残料（借）", scrap);
    w.amount("原材料（贷）", scrap);
    w.blank();
    w.amount("待处理财产损溢（借）", lossTotal);
    w.amount("原材料（贷）", lossCost);
    w.amount("应交税费-应交增值税（进）（贷）", vatOut);
    w.blank();
    w.text("批准后");
    w.amount("营业外支出-盘亏（借）", netLoss);
    w.amount("其他应收款-保险公司（借）", insurer);
    w.amount("其他应收款-责任人（借）", person);
    w.amount("待处理财产损溢（贷）", lossTotal);
    // The gain is read only once the loss entries stand.
    const Num gain = w.field("Text7");
    if (gain > 0) {
        w.text("原材料盘盈");
        w.text("批准前");
        w.amount("原材料（借）", gain);
        w.amount("待处理财产损溢-待处理流动资产损溢（贷）", gain);
        w.blank();
        w.text("批准后");
        w.amount("待处理财产损溢-待处理流动资产损溢（借）", gain);
        w.amount("原材料（贷）", gain);
    }
}

WindowDef define() {
    FormBuilder b("Form26");
    b.heading("原材料盘亏");
    b.beginFrame("Frame1", "原材料")
        .field("Text1", "原材料盘亏数量")
        .field("Text2", "原材料成本")
        .field("Text5", "原材料残料")
        .endFrame();
    b.field("Text3", "增值税税率");
    b.beginFrame("Frame2", "其他应收款").field("Text4", "保险赔偿").field("Text6", "人员赔偿").endFrame();
    b.standardButtons(compute);
    b.lowerLeft();
    b.heading("原材料盘盈").field("Text7", "原材料盘盈");
    return b.build();
}

KELMORA_WINDOW(Form26, define);

}  // namespace kelmora::form26
