// Kelmora — a bond whose issuer repays less than face and accrued interest;
// the shortfall is written off as a bad-debt loss.
#include "core/window_registry.h"

namespace kelmora::form37 {

void compute(Window& w) {
    const Num rate = w.field("Text1"), face = w.field("Text2"), term = w.field("Text3"),
              yearsAccrued = w.field("Text4"), repaid = w.field("Text5");
    w.text("购入债券");
    w.amount("长期债权投资（面值）（借）", face);
    w.amount("银行存款（贷）", face);
    w.blank();
    const Num yearly = face * rate;
    w.text("计提利息");
    w.amount("长期债券投资（借）", yearly);
    w.amount("投资收益（贷）", yearly);
    w.blank();
    // The heading shares its line with the first amount line.
    w.cont("收回债券");
    const Num accrued = (term - yearsAccrued) * (face * rate);
    const Num loss = (accrued + face) - repaid;
    w.amount("银行存款（借）", repaid);
    w.amount("营业外支出-坏账损失（借）", loss);
    w.amount("长期债券投资（面值）（贷）", face);
    w.amount("长期债券投资（利息）（贷）", accrued);
}

WindowDef define() {
    FormBuilder b("Form37");
    b.beginFrame("Frame1", "债券利息").field("Text1", "票面利率").field("Text2", "债券面值").endFrame();
    b.field("Text3", "发行年限").field("Text4", "已计年限").field("Text5", "归还价值");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form37, define);

}  // namespace kelmora::form37
