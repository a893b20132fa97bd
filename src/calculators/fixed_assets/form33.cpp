// Kelmora — a fixed asset handed to another company as an investment at its
// appraised value.
#include "core/window_registry.h"
#include "calculators/fixed_assets/fixed_assets.h"

namespace kelmora::form33 {

void compute(Window& w) {
    const Num cost = w.field("Text1"), depreciation = w.field("Text2"), appraised = w.field("Text3"),
              taxes = w.field("Text4");
    w.text("固定资产转入清理");
    const Num bookValue = fixed_assets::toClearing(w, cost, depreciation);
    w.text("办理转移权");
    const Num investment = taxes + appraised;
    // Book value less appraisal: an appraisal above book value shows as a
    // negative loss on the same debit line.
    const Num difference = bookValue + taxes - investment;
    w.amount("长期股权投资（借）", investment);
    w.amount("营业外支出（借）", difference);
    w.amount("银行存款（贷）", taxes);
    w.amount("固定资产清理（贷）", bookValue);
}

WindowDef define() {
    FormBuilder b("Form33");
    b.field("Text1", "固定资产账面原价")
        .field("Text2", "已提折旧")
        .field("Text3", "固定资产评估价值")
        .field("Text4", "相关税费");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form33, define);

}  // namespace kelmora::form33
