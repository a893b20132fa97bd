// Kelmora — a warehouse destroyed: write-off, salvaged material, clearing
// fee, the insurer's compensation, and the net loss.
#include "core/window_registry.h"
#include "calculators/fixed_assets/fixed_assets.h"

namespace kelmora::form139 {

void compute(Window& w) {
    const Num salvage = w.field("Text1"), cost = w.field("Text2"), depreciation = w.field("Text3"),
              fee = w.field("Text4"), insurance = w.field("Text5");
    const Num bookValue = fixed_assets::toClearing(w, cost, depreciation);
    w.amount("原材料（借）", salvage);
    w.amount("固定资产清理（贷）", salvage);
    w.blank();
    w.amount("固定资产清理（借）", fee);
    w.amount("银行存款（贷）", fee);
    w.blank();
    w.amount("其他应收款（借）", insurance);
    w.amount("固定资产清理（贷）", insurance);
    w.blank();
    // The debit balance left on the clearing account; negative when salvage
    // and compensation exceed it.
    const Num netLoss = bookValue + fee - salvage - insurance;
    w.amount("营业外支出（借）", netLoss);
    w.amount("固定资产清理（贷）", netLoss);
}

WindowDef define() {
    FormBuilder b("Form139");
    b.field("Text1", "残料估值")
        .field("Text2", "账面原值")
        .field("Text3", "计提累计折旧")
        .field("Text4", "支付清理费")
        .field("Text5", "保险公司赔款");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form139, define);

}  // namespace kelmora::form139
