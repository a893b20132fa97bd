// Kelmora — a fixed asset sold: write-off, proceeds, output VAT, and the
// balance of the clearing account closed out.
#include "core/window_registry.h"
#include "calculators/fixed_assets/fixed_assets.h"

namespace kelmora::form46 {

void compute(Window& w) {
    const Num cost = w.field("Text1"), price = w.field("Text2"), depreciation = w.field("Text3"),
              rate = w.field("Text4");
    w.text("注销固定资产价值");
    const Num bookValue = fixed_assets::toClearing(w, cost, depreciation);
    w.text("取得转让收入");
    w.amount("银行存款（借）", price);
    w.amount("固定资产清理（贷）", price);
    w.blank();
    // The price includes the VAT; a rate of -1 leaves nothing to divide by
    // and stops the click under this heading.
    w.text("计算增值税");
    const Num vat = rate * (price / (rate + 1));
    w.amount("固定资产清理（借）", vat);
    w.amount("应交税费-应交增值税（销）（贷）", vat);
    w.blank();
    const Num result = price - bookValue - vat;
    // A net gain is credited to 营业外支出 as well, offsetting it.
    w.text("结转清理净支出");
    w.amountBySign("固定资产清理（借）", "营业外支出（借）", result);
    w.amountBySign("营业外支出（贷）", "固定资产清理（贷）", result);
}

WindowDef define() {
    FormBuilder b("Form46");
    b.field("Text1", "固定资产原价").field("Text2", "转让价").field("Text3", "计提折旧").field("Text4", "增值税税率");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form46, define);

}  // namespace kelmora::form46
