// Kelmora — a fixed asset scrapped: write-off, clearing fee, scrap sold,
// compensation received, and the net loss.
#include "core/window_registry.h"
#include "calculators/fixed_assets/fixed_assets.h"

namespace kelmora::form47 {

void compute(Window& w) {
    const Num cost = w.field("Text1"), depreciation = w.field("Text2"), fee = w.field("Text3"),
              scrap = w.field("Text4"), party = w.field("Text5"), insurer = w.field("Text6");
    w.text("固定资产清理");
    const Num bookValue = fixed_assets::toClearing(w, cost, depreciation);
    w.text("支付清理费用");
    w.amount("固定资产清理（借）", fee);
    w.amount("库存现金（贷）", fee);
    w.blank();
    w.text("出售残料收入");
    w.amount("库存现金（借）", scrap);
    w.amount("固定资产清理（贷）", scrap);
    w.blank();
    w.text("收到赔款");
    w.amount("银行存款（借）", party);
    w.amount("其他应收款（借）", insurer);
    const Num compensation = insurer + party;
    w.amount("固定资产清理（贷）", compensation);
    w.blank();
    const Num netLoss = bookValue + fee - scrap - compensation;
    w.text("结转清理净损失");
    w.amount("营业外支出（借）", netLoss);
    w.amount("固定资产清理（贷）", netLoss);
}

WindowDef define() {
    FormBuilder b("Form47");
    b.beginFrame("Frame1", "固定资产清理").field("Text1", "固定资产原价").field("Text2", "已提折旧").endFrame();
    b.field("Text3", "固定资产清理费").field("Text4", "出售残料");
    b.beginFrame("Frame2", "赔偿").field("Text5", "过错方赔偿").field("Text6", "保险公司赔偿").endFrame();
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form47, define);

}  // namespace kelmora::form47
