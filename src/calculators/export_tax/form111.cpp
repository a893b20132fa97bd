// Kelmora — consumption tax on goods a producer exports through an agent: the
// tax paid and refunded through the agent, and the tax paid again when goods
// come back.
#include "core/window_registry.h"

namespace kelmora::form111 {

void compute(Window& w) {
    const Num paid = w.field("Text1"), later = w.field("Text2");
    w.text("计算消费税");
    w.amount("应收账款（借）", paid);
    w.amount("应交税费-应经消费税（贷）", paid);
    w.blank();
    w.text("实际交税");
    w.amount("应交税费-已经消费税（借）", paid);
    w.amount("银行存款（贷）", paid);
    w.blank();
    w.text("退消费税");
    w.amount("银行存款（借）", paid);
    w.amount("应付账款（贷）", paid);
    w.blank();
    w.text("返还企业消费税");
    w.amount("应付账款（借）", paid);
    w.amount("银行存款（贷）", paid);
    w.blank();
    w.text("补交消费税");
    w.amount("应收账款（借）", later);
    w.amount("银行存款（贷）", later);
    w.blank();
    w.text("收到企业消费税");
    w.amount("银行存款（借）", later);
    w.amount("应收账款-已经消费税（贷）", later);
    w.blank();
}

WindowDef define() {
    FormBuilder b("Form111");
    b.field("Text1", "缴纳消费税").field("Text2", "补交消费税");
    b.standardButtons(compute, "委托出口消费税");
    return b.build();
}

KELMORA_WINDOW(Form111, define);

}  // namespace kelmora::form111
