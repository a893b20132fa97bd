// Kelmora — business tax: the month's income, the tax on it, and last
// month's tax paid over.
#include "core/window_registry.h"

namespace kelmora::form126 {

void compute(Window& w) {
    const Num income = w.field("Text1"), rate = w.field("Text2"), last = w.field("Text3");
    w.text("取得营业收入");
    w.amount("银行存款（借）", income);
    w.amount("主营业务收入（贷）", income);
    w.blank();
    w.text("计提营业税");
    const Num tax = rate * income;
    w.amount("营业税金及附加（借）", tax);
    w.amount("应交税费（贷）", tax);
    w.blank();
    w.text("上缴上月税金");
    w.amount("应交税费-应交营业税（借）", last);
    w.amount("银行存款（贷）", last);
}

WindowDef define() {
    FormBuilder b("Form126");
    b.field("Text1", "当月收入").field("Text2", "营业税率").field("Text3", "上月应交营业税");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form126, define);

}  // namespace kelmora::form126
