// Kelmora — depreciation of a fixed asset by four methods side by side: each
// method whose fields are filled in prints its figures, in a fixed order.
#include "core/window_registry.h"

namespace kelmora::form43 {

// The depreciation years before the last two are summed one by one; a life
// this long would keep the window busy for good, so it is refused instead.
constexpr double kMostSummedYears = 1e6;

// Double-declining balance: the figure of year k alone.  Up to two years
// before the end of the life the rate 2 ÷ N falls on the remaining value; in
// the last two years (and any year beyond) what remains above the residual
// value is split evenly.
Num decliningBalance(Num life, Num cost, Num year, Num residual) {
    if (life - 2 >= year) return pow(1 - 2 / life, year - 1) * cost * 2 / life;
    if (life - 2 > kMostSummedYears)
        throw ArithmeticFailure(ArithmeticFailure::Kind::NoSolution, "预计使用寿命过长，无法计算。");
    Num accumulated = 0;
    for (Num i = 1; i <= life - 2; i = i + 1) accumulated = accumulated + cost * pow(1 - 2 / life, i - 1) * 2 / life;
    return (cost - accumulated - residual) / 2;
}

void compute(Window& w) {
    const Num r1 = w.field("Text1"), n1 = w.field("Text2"), c1 = w.field("Text3");
    if (r1 > 0 && n1 > 0 && c1 > 0) {
        const Num annual = (1 - r1) / n1 * c1;
        const Num monthly = annual / 12;
        w.amount("累计折旧", annual);
        w.amount("累计折旧（月）", monthly);
    }

    const Num n2 = w.field("Text4"), c2 = w.field("Text5"), k = w.field("Text6"), s2 = w.field("Text15");
    if (n2 > 0 && c2 > 0 && k > 0) w.amount("累计折旧", decliningBalance(n2, c2, k, s2));

    const Num c3 = w.field("Text7"), r3 = w.field("Text8"), work = w.field("Text9"), current = w.field("Text14");
    if (c3 > 0 && r3 > 0 && work > 0 && current > 0) {
        const Num unit = c3 * (1 - r3) / work;
        w.amount("累计折旧（当期）", unit * current);
    }

    const Num u = w.field("Text10"), n4 = w.field("Text11"), c4 = w.field("Text12"), s4 = w.field("Text13");
    if (u > 0 && n4 > 0 && c4 > 0 && s4 > 0) {
        const Num rate = (n4 - (u - 1)) / (n4 * (n4 + 1) / 2);
        w.amount("累计折旧（当期）", (c4 - s4) * rate);
        w.amount("年折旧率", rate);
    }
}

WindowDef define() {
    FormBuilder b("Form43");
    // The four methods stand as the four quarters of the control area; a
    // blank row keeps the lower two level.
    b.beginColumns();
    b.heading("双倍余额递减法");
    b.field("Text4", "预计使用寿命").field("Text5", "固定资产原价").field("Text6", "使用年数").field("Text15", "净残值");
    b.gap().heading("工作量法");
    b.field("Text7", "固定资产原价").field("Text8", "预计净残值率").field("Text9", "预计总工作量").field("Text14", "当期工作量");
    b.nextColumn();
    b.heading("年限平均法");
    b.field("Text1", "预计净残值率").field("Text2", "预计使用寿命").field("Text3", "固定资产原价").blankRow();
    b.gap().heading("年数总和法");
    b.field("Text10", "已使用年限").field("Text11", "预计使用年限").field("Text12", "固定资产原价").field("Text13", "净残值");
    b.gap().standardButtons(compute);
    b.endColumns();
    return b.build();
}

KELMORA_WINDOW(Form43, define);

}  // namespace kelmora::form43
