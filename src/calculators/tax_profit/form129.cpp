// Kelmora — non-operating income received, with the tax payable on it.
#include "core/window_registry.h"

namespace kelmora::form129 {

void compute(Window& w) {
    const Num income = w.field("Text1"), tax = w.field("Text2");
    w.amount("银行存款（借）", tax + income);
    w.amount("应交税费（贷）", tax);
    w.amount("营业外收入（贷）", income);
}

WindowDef define() {
    FormBuilder b("Form129");
    const char* note = "营业外收入：企业转让固定资产、处置无形资产、确认的政府补助利得";
    b.label("Label1", note);
    b.field("Text1", "营业外收入").field("Text2", "应交税费");
    b.standardButtons(compute);
    return b.build();
}

KELMORA_WINDOW(Form129, define);

}  // namespace kelmora::form129
