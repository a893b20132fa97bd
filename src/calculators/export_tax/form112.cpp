// Kelmora — consumption tax on exports handled as agent: received, passed on to
// the producer, and taken back from the producer when the goods are shut out.
#include "core/window_registry.h"

namespace kelmora::form112 {

void compute(Window& w) {
    const Num tax = w.field("Text1");
    w.text("收到消费税");
    w.amount("银行存款（借）", tax);
    w.amount("应付账款（贷）", tax);
    w.blank();
    w.text("退还生产企业");
    w.amount("应付账款（借）", tax);
    w.amount("银行存款（贷）", tax);
    w.blank();
    w.text("发生退关");
    w.amount("应收账款（借）", tax);
    w.amount("银行存款（贷）", tax);
    w.blank();
    w.text("收到企业返还款");
    w.amount("银行存款（借）", tax);
    w.amount("应收账款（贷）", tax);
}

WindowDef define() {
    FormBuilder b("Form112");
    b.field("Text1", "收到消费税");
    b.standardButtons(compute, "代理出口消费税");
    return b.build();
}

KELMORA_WINDOW(Form112, define);

}  // namespace kelmora::form112
