// Kelmora — individual income tax withheld from wages, and enterprise
// income tax on the profit less interest income.
#include "core/window_registry.h"

namespace kelmora::form128 {

void compute(Window& w) {
    const Num wages = w.field("Text1"), withheld = w.field("Text2"), profit = w.field("Text3"),
              interest = w.field("Text4"), rate = w.field("Text5");
    if (withheld > 0) {
        w.text("计提并发放工资");
        w.amount("应付职工薪酬（借）", wages);
        w.amount("应交税费-应交个税（贷）", withheld);
        w.amount("银行存款（贷）", wages - withheld);
    }
    if (rate > 0) {
        const Num tax = (profit - interest) * rate;
        w.text("计提时");
        w.amount("所得税费用（借）", tax);
        w.amount("应交税费-应交所得税（贷）", tax);
        w.blank();
        w.text("上交时");
        w.amount("应交税费-应交所得税（借）", tax);
        w.amount("银行存款（贷）", tax);
    }
}

WindowDef define() {
    FormBuilder b("Form128");
    b.heading("个人所得税").field("Text1", "应付工资").field("Text2", "个税");
    b.heading("企业所得税").field("Text3", "利润总额").field("Text4", "利息收入").field("Text5", "所得税税率");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form128, define);

}  // namespace kelmora::form128
