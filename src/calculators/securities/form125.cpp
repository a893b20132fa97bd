// Kelmora — the yield of a bond: the internal rate of return of the price
// paid and five years of income.
#include <array>
#include <string>

#include "core/window_registry.h"
#include "core/finance.h"

namespace kelmora::form125 {

void compute(Window& w) {
    // Year 0 (the price, negative) in Text7 through year 5 in Text12.
    std::array<Num, 6> flows;
    for (int k = 0; k < 6; ++k) flows[k] = w.field("Text" + std::to_string(7 + k));
    const Num rate = internalRateOfReturn(flows, 0.1);
    w.amount("债券内部收益率=", rate);
}

// Empties the six inputs; the heading boxes and the printed rate stay.
void clearInputs(Window& w) { w.clearBoxes(7, 12); }

WindowDef define() {
    FormBuilder b("Form125");
    b.label("注：最后一年收入=债券面值+利息");
    b.grid({{gridHead("Text13", "年份"),
             gridHead("Text1", "价款-为负值"),
             gridHead("Text2", "1"),
             gridHead("Text3", "2"),
             gridHead("Text4", "3"),
             gridHead("Text5", "4"),
             gridHead("Text6", "5")},
            {gridHead("Text14", "债券收入"),
             {"Text7", ""},
             {"Text8", ""},
             {"Text9", ""},
             {"Text10", ""},
             {"Text11", ""},
             {"Text12", ""}}});
    b.buttons({{"Command1", "债券实际收益率"}, {"Command2", "取消"}, {"Command4", "清除"}, {"Command3", "退出"}});
    b.on("Command1", compute).on("Command2", FormBuilder::cancel).on("Command4", clearInputs);
    b.on("Command3", FormBuilder::exit);
    return b.build();
}

KELMORA_WINDOW(Form125, define);

}  // namespace kelmora::form125
