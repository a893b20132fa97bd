// Kelmora — a patent transferred, with its impairment provision released.
#include "core/window_registry.h"

namespace kelmora::form138 {

void compute(Window& w) {
    const Num proceeds = w.field("Text1"), tax = w.field("Text2"), book = w.field("Text3"),
              provision = w.field("Text4");
    w.amount("银行存款（借）", proceeds);
    w.amount("无形资产减值准备（借）", provision);
    w.amount("无形资产-专利费（贷）", book);
    w.amount("营业外收入（贷）", provision + proceeds - tax - book);
    w.amount("应交税金（贷）", tax);
}

WindowDef define() {
    FormBuilder b("Form138");
    b.field("Text1", "转让专利收入").field("Text2", "应交税费").field("Text3", "专利账面余额").field("Text4", "计提减值准备");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form138, define);

}  // namespace kelmora::form138
