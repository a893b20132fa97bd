// Kelmora — payroll: accruing the month's wage cost and paying out wages,
// bonus, social insurance, withheld income tax and housing fund.
#include "core/window_registry.h"

namespace kelmora::form130 {

void compute(Window& w) {
    const Num admin = w.field("Text1"), selling = w.field("Text2"), overhead = w.field("Text3"),
              production = w.field("Text4"), pension = w.field("Text5"), medical = w.field("Text6"),
              unemployment = w.field("Text7"), injury = w.field("Text8"), maternity = w.field("Text9"),
              wages = w.field("Text10"), bonus = w.field("Text11"), housing = w.field("Text12"),
              incomeTax = w.field("Text13"), ownPension = w.field("Text14"), ownMedical = w.field("Text15"),
              ownUnemployment = w.field("Text16"), ownHousing = w.field("Text17"), construction = w.field("Text18"),
              welfare = w.field("Text19");

    // The accrual is printed as typed: its debits carry only the cost split
    // across the expense accounts, so it need not balance.
    w.text("计提费用");
    w.amount("管理费用（借）", admin);
    w.amount("销售费用（借）", selling);
    w.amount("制造费用（借）", overhead);
    w.amount("生产成本（借）", production);
    w.amount("在建工程（借）", construction);
    w.amount("其他费用（应付福利费）（借）", welfare);
    w.amount("应付职工薪酬-养老（公司）（贷）", pension);
    w.amount("应付职工薪酬-医疗（公司）（贷）", medical);
    w.amount("应付职工薪酬-失业（公司）（贷）", unemployment);
    w.amount("应付职工薪酬-工伤（公司）（贷）", injury);
    w.amount("应付职工薪酬-生育（公司）（贷）", maternity);
    w.amount("应付职工薪酬-职工工资（公司）（贷）", wages);
    w.amount("应付职工薪酬-奖金（公司）（贷）", bonus);
    w.amount("应付职工薪酬-住房公积金（公司）（贷）", housing);
    w.blank();

    const Num netPay = wages - incomeTax - ownPension - ownMedical - ownUnemployment - ownHousing;
    w.text("发放工资");
    w.amount("应付职工薪酬-职工工资（借）", wages);
    w.amount("现金/银行存款（贷）", netPay);
    w.amount("应交税费-代扣个人所得税（贷）", incomeTax);
    w.amount("其他应付款-养老（个人）（贷）", ownPension);
    w.amount("其他应付款-医疗（个人）（贷）", ownMedical);
    w.amount("其他应付款-失业（个人）（贷）", ownUnemployment);
    w.amount("应付职工薪酬-住房公积金（个人）（贷）", ownHousing);
    w.blank();

    w.text("发放奖金");
    w.amount("应付职工薪酬-奖金（借）", bonus);
    w.amount("银行存款（贷）", bonus);
    w.blank();

    // The employer's five insurances and the employee's three; the housing
    // fund is paid over on its own.
    const Num socialInsurance =
        pension + medical + unemployment + injury + maternity + ownPension + ownMedical + ownUnemployment;
    w.text("缴纳社保");
    w.amount("应付职工薪酬-养老（公司）（借）", pension);
    w.amount("应付职工薪酬-医疗（公司）（借）", medical);
    w.amount("应付职工薪酬-失业（公司）（借）", unemployment);
    w.amount("应付职工薪酬-工伤（公司）（借）", injury);
    w.amount("应付职工薪酬-生育（公司）（借）", maternity);
    w.amount("其他应付款-养老（个人）（借）", ownPension);
    w.amount("其他应付款-医疗（个人）（借）", ownMedical);
    w.amount("其他应付款-失业（个人）（借）", ownUnemployment);
    w.amount("银行存款（贷）", socialInsurance);
    w.blank();

    w.text("缴纳个税");
    w.amount("应交税费-代扣代缴个人所得税（借）", incomeTax);
    w.amount("银行存款（贷）", incomeTax);
    w.blank();

    const Num housingFund = ownHousing + housing;
    w.text("缴纳住房公积金");
    w.amount("应付职工薪酬-住房公积金（个人）（借）", ownHousing);
    w.amount("应付职工薪酬-住房公积金（公司）（借）", housing);
    w.amount("银行存款（贷）", housingFund);
}

WindowDef define() {
    FormBuilder b("Form130");
    // Two columns: what the month costs the company at the left, what the
    // employee is paid and gives up at the right, with the buttons.
    b.beginColumns();
    b.beginFrame("Frame1", "费用成本类")
        .field("Text1", "管理费用")
        .field("Text2", "销售费用")
        .field("Text3", "制造费用")
        .field("Text4", "生产成本")
        .field("Text19", "其他费用（福利费）")
        .field("Text18", "在建工程")
        .endFrame();
    b.beginFrame("Frame2", "五险一金（公司）")
        .field("Text5", "养老保险（公司）")
        .field("Text6", "医疗保险（公司）")
        .field("Text7", "失业保险（公司）")
        .field("Text8", "工伤保险（公司）")
        .field("Text9", "生育保险（公司）")
        .field("Text12", "住房公积金（公司）")
        .endFrame();
    b.nextColumn();
    b.frameTop();  // level with the first boxes of the frame beside
    b.field("Text10", "职工工资").field("Text11", "奖金").field("Text13", "个人所得税");
    b.gap();
    b.beginFrame("Frame3", "五险一金（个人）")
        .field("Text14", "养老保险（个人）")
        .field("Text15", "医疗保险（个人）")
        .field("Text16", "失业保险（个人）")
        .field("Text17", "住房公积金（个人）")
        .endFrame();
    b.standardButtons(compute);
    b.endColumns();
    return b.build();
}

KELMORA_WINDOW(Form130, define);

}  // namespace kelmora::form130
