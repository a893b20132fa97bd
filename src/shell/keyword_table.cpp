#include "shell/keyword_table.h"

#include <set>

#include "core/app.h"

namespace kelmora {

const std::vector<KeywordRow>& keywordTable() {
    static const std::vector<KeywordRow> rows = {
    {"现金盘盈", KeywordAction::OpenWindow, "Form2"},  // 1
    {"现金盘亏", KeywordAction::OpenWindow, "Form2"},  // 2
    {"外埠存款", KeywordAction::OpenWindow, "Form3"},  // 3
    {"购买原材料", KeywordAction::OpenWindow, "Form3"},  // 4
    {"外埠采购", KeywordAction::OpenWindow, "Form4"},  // 5
    {"申请汇票", KeywordAction::OpenWindow, "Form4"},  // 6
    {"申请本票", KeywordAction::OpenWindow, "Form4"},  // 7
    {"信用证", KeywordAction::OpenWindow, "Form5"},  // 8
    {"信用卡", KeywordAction::OpenWindow, "Form5"},  // 9
    {"票据贴现", KeywordAction::OpenWindow, "Form6"},  // 10
    {"票据销售", KeywordAction::OpenWindow, "Form7"},  // 11
    {"销售商品", KeywordAction::OpenWindow, "Form8"},  // 12
    {"支出", KeywordAction::OpenWindow, "Form9"},  // 13
    {"生产成本", KeywordAction::OpenWindow, "Form10"},  // 14
    {"制造费用", KeywordAction::OpenWindow, "Form11"},  // 15
    {"其他费用", KeywordAction::OpenWindow, "Form12"},  // 16
    {"管理费用", KeywordAction::OpenWindow, "Form13"},  // 17
    {"办公柜", KeywordAction::OpenWindow, "Form13"},  // 18
    {"文具", KeywordAction::OpenWindow, "Form13"},  // 19
    {"招待费", KeywordAction::OpenWindow, "Form13"},  // 20
    {"财务费用", KeywordAction::OpenWindow, "Form14"},  // 21
    {"销售费用", KeywordAction::OpenWindow, "Form15"},  // 22
    {"其他应付款", KeywordAction::OpenWindow, "Form16"},  // 23
    {"其他应收款", KeywordAction::OpenWindow, "Form17"},  // 24
    {"营业外支出", KeywordAction::OpenWindow, "Form18"},  // 25
    {"购买原材料（完整）", KeywordAction::OpenWindow, "Form19"},  // 26
    {"自产原材料", KeywordAction::OpenWindow, "Form19"},  // 27
    {"包装", KeywordAction::OpenWindow, "Form20"},  // 28
    {"坏账准备", KeywordAction::OpenWindow, "Form21"},  // 29
    {"生产成本-先进先出法", KeywordAction::OpenWindow, "Form22"},  // 30
    {"生产成本-个别计价法", KeywordAction::OpenWindow, "Form22"},  // 31
    {"生产成本-一次加权平均法", KeywordAction::OpenWindow, "Form23"},  // 32
    {"生产成本-原材料支出", KeywordAction::OpenWindow, "Form24"},  // 33
    {"存货盘盈", KeywordAction::OpenWindow, "Form25"},  // 34
    {"存货盘亏", KeywordAction::OpenWindow, "Form25"},  // 35
    {"原材料盘盈", KeywordAction::OpenWindow, "Form26"},  // 36
    {"原材料盘亏", KeywordAction::OpenWindow, "Form26"},  // 37
    {"产品损失", KeywordAction::OpenWindow, "Form27"},  // 38
    {"购买债券", KeywordAction::OpenWindow, "Form28"},  // 39
    {"出售债券", KeywordAction::OpenWindow, "Form29"},  // 40
    {"出售股票", KeywordAction::OpenWindow, "Form29"},  // 41
    {"持有债券", KeywordAction::OpenWindow, "Form30"},  // 42
    {"长期股权投资", KeywordAction::OpenWindow, "Form31"},  // 43
    {"持有股票", KeywordAction::OpenWindow, "Form31"},  // 44
    {"组合投资", KeywordAction::OpenWindow, "Form32"},  // 45
    {"转移产权", KeywordAction::OpenWindow, "Form32"},  // 46
    {"转移固定资产", KeywordAction::OpenWindow, "Form33"},  // 47
    {"固定资产投资", KeywordAction::OpenWindow, "Form33"},  // 48
    {"长期债权投资", KeywordAction::OpenWindow, "Form34"},  // 49
    {"转让债券", KeywordAction::OpenWindow, "Form35"},  // 50
    {"摊销债券", KeywordAction::OpenWindow, "Form36"},  // 51
    {"债券损失", KeywordAction::OpenWindow, "Form37"},  // 52
    {"股票投资成本", KeywordAction::OpenWindow, "Form38"},  // 53
    {"购买固定资产（不安装）", KeywordAction::OpenWindow, "Form39"},  // 54
    {"购买固定资产（安装）", KeywordAction::OpenWindow, "Form40"},  // 55
    {"自建固定资产", KeywordAction::OpenWindow, "Form41"},  // 56
    {"出包工程", KeywordAction::OpenWindow, "Form42"},  // 57
    {"累计折旧计算", KeywordAction::OpenWindow, "Form43"},  // 58
    {"盘盈固定资产", KeywordAction::OpenWindow, "Form44"},  // 59
    {"盘亏固定资产", KeywordAction::OpenWindow, "Form44"},  // 60
    {"租赁固定资产", KeywordAction::OpenWindow, "Form45"},  // 61
    {"出售固定资产", KeywordAction::OpenWindow, "Form46"},  // 62
    {"固定资产报废", KeywordAction::OpenWindow, "Form47"},  // 63
    {"维修固定资产", KeywordAction::OpenWindow, "Form48"},  // 64
    {"改建固定资产", KeywordAction::OpenWindow, "Form49"},  // 65
    {"投入无形资产", KeywordAction::OpenWindow, "Form50"},  // 66
    {"外购无形资产", KeywordAction::OpenWindow, "Form50"},  // 67
    {"开发无形资产", KeywordAction::OpenWindow, "Form51"},  // 68
    {"申请无形资产", KeywordAction::OpenWindow, "Form52"},  // 69
    {"出售无形资产", KeywordAction::OpenWindow, "Form53"},  // 70
    {"摊销无形资产", KeywordAction::OpenWindow, "Form53"},  // 71
    {"出租摊销无形资产", KeywordAction::OpenWindow, "Form54"},  // 72
    {"出租无形资产", KeywordAction::OpenWindow, "Form54"},  // 73
    {"无形资产报废", KeywordAction::OpenWindow, "Form54"},  // 74
    {"长期待摊费用", KeywordAction::OpenWindow, "Form55"},  // 75
    {"工程长期待摊费用", KeywordAction::OpenWindow, "Form55"},  // 76
    {"打折购买", KeywordAction::OpenWindow, "Form56"},  // 77
    {"退货", KeywordAction::OpenWindow, "Form57"},  // 78
    {"代销商品", KeywordAction::OpenWindow, "Form58"},  // 79
    {"销售原材料", KeywordAction::OpenWindow, "Form59"},  // 80
    {"产品损坏", KeywordAction::OpenWindow, "Form60"},  // 81
    {"领用原材料", KeywordAction::OpenWindow, "Form61"},  // 82
    {"购买商品", KeywordAction::OpenWindow, "Form62"},  // 83
    {"预收账款", KeywordAction::OpenWindow, "Form63"},  // 84
    {"应付票据", KeywordAction::OpenWindow, "Form64"},  // 85
    {"票据贴现", KeywordAction::OpenWindow, "Form65"},  // 86
    {"票据存取贴现", KeywordAction::OpenWindow, "Form65"},  // 87
    {"逾期贷款", KeywordAction::OpenWindow, "Form65"},  // 88
    {"接受投资物", KeywordAction::OpenWindow, "Form66"},  // 89
    {"加工", KeywordAction::OpenWindow, "Form67"},  // 90
    {"购买外汇", KeywordAction::OpenWindow, "Form68"},  // 91
    {"信用证购买外汇", KeywordAction::OpenWindow, "Form68"},  // 92
    {"外汇收入", KeywordAction::OpenWindow, "Form69"},  // 93
    {"支付外汇", KeywordAction::OpenWindow, "Form70"},  // 94
    {"短期外汇借款", KeywordAction::OpenWindow, "Form71"},  // 95
    {"长期外汇借款", KeywordAction::OpenWindow, "Form72"},  // 96
    {"进口原材料", KeywordAction::OpenWindow, "Form73"},  // 97
    {"出口商品", KeywordAction::OpenWindow, "Form74"},  // 98
    {"收入外币", KeywordAction::OpenWindow, "Form75"},  // 99
    {"支付外币", KeywordAction::OpenWindow, "Form76"},  // 100
    {"信用证支付", KeywordAction::OpenWindow, "Form77"},  // 101
    {"电汇", KeywordAction::OpenWindow, "Form78"},  // 102
    {"托收", KeywordAction::OpenWindow, "Form79"},  // 103
    {"出口退税", KeywordAction::OpenWindow, "Form80"},  // 104
    {"采购出口商品", KeywordAction::OpenWindow, "Form81"},  // 105
    {"采购农副产品", KeywordAction::OpenWindow, "Form82"},  // 106
    {"收入外币投资", KeywordAction::OpenWindow, "Form83"},  // 107
    {"商品退货-外贸", KeywordAction::OpenWindow, "Form84"},  // 108
    {"商品补价-外贸", KeywordAction::OpenWindow, "Form85"},  // 109
    {"商品退还-外贸", KeywordAction::OpenWindow, "Form86"},  // 110
    {"商品退换-外贸", KeywordAction::OpenWindow, "Form87"},  // 111
    {"打折销售-外贸", KeywordAction::OpenWindow, "Form88"},  // 112
    {"折让销售-外贸", KeywordAction::OpenWindow, "Form89"},  // 113
    {"保险费用-外贸", KeywordAction::OpenWindow, "Form90"},  // 114
    {"支付明佣-外贸", KeywordAction::OpenWindow, "Form91"},  // 115
    {"支付暗佣-外贸", KeywordAction::OpenWindow, "Form91"},  // 116
    {"出口退回-外贸", KeywordAction::OpenWindow, "Form92"},  // 117
    {"L/C收款", KeywordAction::OpenWindow, "Form93"},  // 118
    {"票据贴现-外贸", KeywordAction::OpenWindow, "Form94"},  // 119
    {"出口索赔", KeywordAction::OpenWindow, "Form95"},  // 120
    {"出口理赔", KeywordAction::OpenWindow, "Form96"},  // 121
    {"异地结汇法", KeywordAction::OpenWindow, "Form97"},  // 122
    {"买断出口", KeywordAction::OpenWindow, "Form98"},  // 123
    {"收取出口手续费", KeywordAction::OpenWindow, "Form99"},  // 124
    {"进料加工", KeywordAction::OpenWindow, "Form100"},  // 125
    {"进料加工出口", KeywordAction::OpenWindow, "Form101"},  // 126
    {"进口商品", KeywordAction::OpenWindow, "Form102"},  // 127
    {"进口商品销售", KeywordAction::OpenWindow, "Form103"},  // 128
    {"进口商品退回", KeywordAction::OpenWindow, "Form104"},  // 129
    {"进口商品索赔", KeywordAction::OpenWindow, "Form105"},  // 130
    {"进口商品易货", KeywordAction::OpenWindow, "Form106"},  // 131
    {"代理业务进口", KeywordAction::OpenWindow, "Form107"},  // 132
    {"出口货物退税", KeywordAction::OpenWindow, "Form108"},  // 133
    {"运险金退税", KeywordAction::OpenWindow, "Form109"},  // 134
    {"自营出口退税", KeywordAction::OpenWindow, "Form110"},  // 135
    {"委托出口消费税", KeywordAction::OpenWindow, "Form111"},  // 136
    {"代理出口消费税", KeywordAction::OpenWindow, "Form112"},  // 137
    {"不予免税或退税", KeywordAction::OpenWindow, "Form113"},  // 138
    {"分公司承包汇款", KeywordAction::OpenWindow, "Form114"},  // 139
    {"总公司承包调拨", KeywordAction::OpenWindow, "Form115"},  // 140
    {"购买专利-一次付清", KeywordAction::OpenWindow, "Form116"},  // 141
    {"购买专利-分次付清", KeywordAction::OpenWindow, "Form117"},  // 142
    {"转让专利", KeywordAction::OpenWindow, "Form118"},  // 143
    {"资产负债表（简）", KeywordAction::OpenWindow, "Form119"},  // 144
    {"利润表", KeywordAction::OpenWindow, "Form119"},  // 145
    {"现金流量表", KeywordAction::OpenWindow, "Form119"},  // 146
    {"资产负债表", KeywordAction::OpenWindow, "Form120"},  // 147
    {"销售应税商品", KeywordAction::OpenWindow, "Form121"},  // 148
    {"自产自用应税商品", KeywordAction::OpenWindow, "Form122"},  // 149
    {"委托加工应税商品", KeywordAction::OpenWindow, "Form123"},  // 150
    {"进口应税商品", KeywordAction::OpenWindow, "Form124"},  // 151
    {"债券实际收益率", KeywordAction::OpenWindow, "Form125"},  // 152
    {"营业税", KeywordAction::OpenWindow, "Form126"},  // 153
    {"税金及附加", KeywordAction::OpenWindow, "Form127"},  // 154
    {"个税", KeywordAction::OpenWindow, "Form128"},  // 155
    {"企业所得税", KeywordAction::OpenWindow, "Form129"},  // 156
    {"工资", KeywordAction::OpenWindow, "Form130"},  // 157
    {"短期借款", KeywordAction::OpenWindow, "Form131"},  // 158
    {"长期借款", KeywordAction::OpenWindow, "Form132"},  // 159
    {"出租包装", KeywordAction::OpenWindow, "Form133"},  // 160
    {"出租商品", KeywordAction::OpenWindow, "Form134"},  // 161
    {"未分配利润", KeywordAction::OpenWindow, "Form135"},  // 162
    {"长期租赁固定资产", KeywordAction::OpenWindow, "Form136"},  // 163
    {"长期购买固定资产", KeywordAction::OpenWindow, "Form137"},  // 164
    {"转让无形资产", KeywordAction::OpenWindow, "Form138"},  // 165
    {"仓库毁损", KeywordAction::OpenWindow, "Form139"},  // 166
    {"营业外收入", KeywordAction::OpenWindow, "Form140"},  // 167
    {"本年利润", KeywordAction::OpenWindow, "Form140"},  // 168
    {"净利润", KeywordAction::OpenWindow, "Form140"},  // 169
    {"营业利润", KeywordAction::OpenWindow, "Form140"},  // 170
    {"利润总额", KeywordAction::OpenWindow, "Form140"},  // 171
    {"结转本年利润", KeywordAction::OpenWindow, "Form141"},  // 172
    {"资金投资公司", KeywordAction::OpenWindow, "Form142"},  // 173
    {"投资公司", KeywordAction::OpenWindow, "Form143"},  // 174
    {"追加投资", KeywordAction::OpenWindow, "Form144"},  // 175
    {"回购股票", KeywordAction::OpenWindow, "Form145"},  // 176
    {"撤回投资", KeywordAction::OpenWindow, "Form145"},  // 177
    {"增加投资", KeywordAction::OpenWindow, "Form146"},  // 178
    {"发行股票", KeywordAction::OpenWindow, "Form147"},  // 179
    {"增加资本公积", KeywordAction::OpenWindow, "Form148"},  // 180
    {"提取盈余公积", KeywordAction::OpenWindow, "Form149"},  // 181
    {"盈余公积补亏", KeywordAction::OpenWindow, "Form149"},  // 182
    {"盈余公积转增资本", KeywordAction::OpenWindow, "Form149"},  // 183
    {"盈余公积发放股利", KeywordAction::OpenWindow, "Form150"},  // 184
    {"短期投资", KeywordAction::FormulaLine, "短期投资=短期投资－短期投资跌价准备"},  // 185
    {"应收票据", KeywordAction::FormulaLine, "应收票据=应收票据"},  // 186
    {"应收账款", KeywordAction::FormulaLine, "应收账款=应收账款（借)+预收账款(借)－应计提“应收账款”的“坏账准备"},  // 187
    {"预付账款", KeywordAction::FormulaLine, "预付账款=应付账款(借)+预付账款(借)"},  // 188
    {"其他应收款", KeywordAction::FormulaLine, "其他应收款=其他应收款－应计提“其他应收款”的“坏账准备"},  // 189
    {"存货", KeywordAction::FormulaLine, "存货=各种材料+商品+在产品+半成品+包装物+低值易耗品+委托货销商品等"},  // 190
    {"待摊费用款", KeywordAction::FormulaLine, "待摊费用=待摊费用[除摊销期限1年以上（不含1年）的其他待摊费用]"},  // 191
    {"长期股权投资", KeywordAction::FormulaLine, "长期股权投资=长期股权投资"},  // 192
    {"长期债权投资", KeywordAction::FormulaLine, "长期债权投资=长期债权投资"},  // 193
    {"固定资产原价", KeywordAction::FormulaLine, "固定资产原价=固定资产[融资租入的固定资产，其原价也包括在内]"},  // 194
    {"累计折旧", KeywordAction::FormulaLine, "累计折旧=累计折旧[融资租入的固定资产，其已提折旧也包括在内]"},  // 195
    {"工程物资", KeywordAction::FormulaLine, "工程物资=工程物资"},  // 196
    {"固定资产清理", KeywordAction::FormulaLine, "固定资产清理=固定资产清理（借）"},  // 197
    {"无形资产", KeywordAction::FormulaLine, "无形资产=无形资产"},  // 198
    {"长期待摊费用", KeywordAction::FormulaLine, "长期待摊费用=“长期待摊费用”期末余额－“将于1年内（含1年）摊销的数额"},  // 199
    {"其他长期资产", KeywordAction::FormulaLine, "其他长期资产=“小企业除以上资产以外的其他长期资产"},  // 200
    {"短期借款", KeywordAction::FormulaLine, "短期借款=短期借款"},  // 201
    {"应付票据", KeywordAction::FormulaLine, "应付票据=应付票据"},  // 202
    {"应付账款", KeywordAction::FormulaLine, "应付账款=应付账款(贷)+预付账款(贷)"},  // 203
    {"应付工资", KeywordAction::FormulaLine, "应付工资=应付工资（贷）[“应付工资”科目期末为借方余额，以“-”号填列]"},  // 204
    {"应付福利费", KeywordAction::FormulaLine, "应付福利费=应付福利费"},  // 205
    {"应付利润", KeywordAction::FormulaLine, "应付利润=应付利润"},  // 206
    {"应交税金", KeywordAction::FormulaLine, "应交税金=应交税金（贷）[“应交税金”科目期末为借方余额，以“-”号填列]"},  // 207
    {"其他应交款", KeywordAction::FormulaLine, "其他应交款=其他应交款（贷）[“其他应交款”科目期末为借方余额，以“-”号填列]"},  // 208
    {"其他应付款", KeywordAction::FormulaLine, "其他应付款=其他应付款"},  // 209
    {"预提费用", KeywordAction::FormulaLine, "预提费用=预提费用（贷）[“预提费用”科目期末为借方余额，应合并在“待摊费用”项目内反映]"},  // 210
    {"其他流动负债", KeywordAction::FormulaLine, "其他流动负债=“小企业除以上流动负债以外的其他流动负债"},  // 211
    {"长期借款", KeywordAction::FormulaLine, "长期借款=长期借款"},  // 212
    {"长期应付款", KeywordAction::FormulaLine, "长期应付款=长期应付款"},  // 213
    {"预收账款", KeywordAction::FormulaLine, "预收账款=应收账款（贷)+预收账款(贷)"},  // 214
    {"资本公积", KeywordAction::FormulaLine, "资本公积=资本公积"},  // 215
    {"盈余公积", KeywordAction::FormulaLine, "盈余公积=盈余公积"},  // 216
    {"法定公益金", KeywordAction::FormulaLine, "法定公益金=“盈余公积”所属的“法定公益金”期末余额"},  // 217
    {"未分配利润", KeywordAction::FormulaLine, "未分配利润=本年利润+利润分配[未弥补的亏损，在本项目内以“-”号填列]"},  // 218
    {"实收资本", KeywordAction::FormulaLine, "实收资本=实收资本"},  // 219
    {"应付职工薪酬", KeywordAction::FormulaLine, "应付职工薪酬=应付工资+其他应交款（应付职工工资附加费等支付给个人款项）+其他应付款（职工教育经费）"},  // 220
    {"主营业务利润", KeywordAction::FormulaLine, "主营业务利润=主营业务收入-主营业务成本-主营业务税金及附加"},  // 221
    {"营业利润", KeywordAction::FormulaLine, "营业利润=主营业务利润+其他业务利润-管理费用-营业费用-财务费用"},  // 222
    {"利润总额", KeywordAction::FormulaLine, "利润总额=营业利润+投资净收益+营业外收支净额+补贴收入"},  // 223
    {"投资净收益", KeywordAction::FormulaLine, "投资净收益=投资收益-投资损失"},  // 224
    {"营业外收支净额", KeywordAction::FormulaLine, "营业外收支净额=营业外收入-营业外支出"},  // 225
    {"本年利润（贷）", KeywordAction::FormulaLine, "本年利润（贷）=主营业务收入+其他业务收入+投资收益+营业外收入"},  // 226
    {"本年利润（借）", KeywordAction::FormulaLine, "本年利润（借）=主营业务成本+主营业务税金及附加+其他业务支出+管理费用+财务费用+营业费用+营业外支出"},  // 227
    {"所得税（借）", KeywordAction::FormulaLine, "所得税（借）=应交税金-应交税金（贷）"},  // 228
    {"所得税（贷）", KeywordAction::FormulaLine, "所得税（贷）=本年利润（借）"},  // 229
    {"净利润", KeywordAction::FormulaLine, "本年利润（借）=利润分配（贷）"},  // 230
    {"盈余公积", KeywordAction::FormulaLine, "利润分配（借）=盈余公积（贷）（10%净利润）"},  // 231
    {"应付股利", KeywordAction::FormulaLine, "利润分配（借）=应付股利（贷）"},  // 232
    {"库存现金", KeywordAction::Explanation, "是核算企业现金（备用金）增减变动情况和结余的科目；按币种设置明细账，由出纳员记账，且必须设置库存现金日记账"},  // 233
    {"银行存款", KeywordAction::Explanation, "是核算企业银行存款账户增减变动情况和结余的科目；按不同银行账户设置明细账，由出纳员记账，且必须设置银行存款日记账"},  // 234
    {"其他货币资金", KeywordAction::Explanation, "是核算银行汇票存款、银行本票存款、信用卡存款、信用证等其他货币资金的科目"},  // 235
    {"交易性金融资产", KeywordAction::Explanation, "是核算企业对外进行的具有交易性（赚取差价）为目的股权、债券、基金等短期投资性科目"},  // 236
    {"应收票据", KeywordAction::Explanation, "是核算企业因销售商品，提供劳务，向客户收取的商业汇票（包括商业承兑汇票、银行承兑汇票）；按照票据总类设置明细账"},  // 237
    {"应收账款", KeywordAction::Explanation, "是核算因销售商品提供劳务而应收未收的款项，按债务人名称设置明细科目"},  // 238
    {"其他应收款", KeywordAction::Explanation, "是核算企业除了应收票据、应收账款以外的其他应收、暂付的款项，包括 预支差旅费、支付押金和应收租金等"},  // 239
    {"坏账准备", KeywordAction::Explanation, "是应收账款的备抵账户"},  // 240
    {"预付账款", KeywordAction::Explanation, "是核算企业因采购货物或接受劳务以及其他原因，按合同规定预付的款项，按供货方的名称或预付费用的种类设置明细科目"},  // 241
    {"在途物资", KeywordAction::Explanation, "核算企业购入材料物质，但尚未运达企业或未验收入库，按材料物资的品名、种类设置明细账"},  // 242
    {"原材料", KeywordAction::Explanation, "是核算企业库存材料物资的收、发、存情况的账户，按材料物资的品名、种类设置明细账"},  // 243
    {"库存商品", KeywordAction::Explanation, "是核算企业库存产成品或商品的收、发、存情况的账户，按产品或商品品种、规格设置明细账"},  // 244
    {"长期股权投资", KeywordAction::Explanation, "是核算企业对外进行的股权性质的投资，期限在一年以上"},  // 245
    {"固定资产", KeywordAction::Explanation, "是核算企业固定资产的增减、变化情况的账户”该账户反映的是原价，也就是原始价值"},  // 246
    {"累计折旧", KeywordAction::Explanation, "是核算企业固定资产的磨损（消耗）价值（会计上称之为折旧）是固定资产的备抵账户"},  // 247
    {"在建工程", KeywordAction::Explanation, "是核算企业自行建造或安装固定资产过程中的建造安装成本科目"},  // 248
    {"工程物资", KeywordAction::Explanation, "是核算企业购入用于工程项目建造或大型设备按装的专项工程物资科目"},  // 249
    {"固定资产清理", KeywordAction::Explanation, "是核算企业因出售、报废和毁损固定资产等原因，而发生清理费用或清理收益"},  // 250
    {"无形资产", KeywordAction::Explanation, "是核算企业专利技术、土地使用权、商标权、商誉等非货币性资产"},  // 251
    {"累计摊销", KeywordAction::Explanation, "是无形资产的备抵账户，是核算无形资产的摊销账户"},  // 252
    {"短期借款", KeywordAction::Explanation, "是核算企业向银行或其他金融机构借入偿还期限在一年之内的各种借款，该科目只核算本金不核算利息"},  // 253
    {"应付票据", KeywordAction::Explanation, "是核算企业因采购货物，接受劳务而向客户开出的商业汇票”按照票据总类设置明细科目"},  // 254
    {"应付账款", KeywordAction::Explanation, "是核算企业因采购货物，接受劳务而应付未付的款项按债权人名称、姓名设置明细科目"},  // 255
    {"预收账款", KeywordAction::Explanation, "是核算企业销售商品、产品或提供劳务，按合同约定向采购方预收的款项按采购商的名称设置明细科目"},  // 256
    {"其他应付款", KeywordAction::Explanation, "是核算企业除应付账款，应付票据以外其他应付暂收款项例如存入保证金(押金)、应付的租金等"},  // 257
    {"应付职工薪酬", KeywordAction::Explanation, "是核算企业支付给职工个人的属于工资总额内的各种工资、津贴以及为职工支付的养老保险等福利费用”分设若干明细科目"},  // 258
    {"应交税费", KeywordAction::Explanation, "是核算企业与税务部门之间，应交未交的各种税金按税种分设明细账，如应交增值税、应交营业税、应交个人所有税、应交企业所得税等"},  // 259
    {"应付股利", KeywordAction::Explanation, "是核算企业应付给股东的现金股利账户"},  // 260
    {"应付利息", KeywordAction::Explanation, "是核算应付利息的科目"},  // 261
    {"实收资本", KeywordAction::Explanation, "是核算企业的股东投入的资本金账户，按公司法规定，投入资本可以是货币、实物和无形资产等，企业不得自行随意增减，如需增减，须经工商部门批准"},  // 262
    {"资本公积", KeywordAction::Explanation, "核算企业因资本而产生的，包括资本溢、折价、资本汇兑差等，此科目可以转增资本金"},  // 263
    {"盈余公积", KeywordAction::Explanation, "是核算企业按照公司法规定，用净利润提取的留待企业今后发展的基金"},  // 264
    {"本年利润", KeywordAction::Explanation, "是核算企业当年度实现的净利润或净亏损（年末转入利润分配）"},  // 265
    {"利润分配", KeywordAction::Explanation, "是核算企业累计的净利润分配情况和剩余未分配利润的账户"},  // 266
    {"生产成本", KeywordAction::Explanation, "是核算企业生产过程中过程成本核算的科目，生产成本包括直接材料，直接人工和间接制造成本”按“基本生产成本”、“辅助生产成本”设置二级明细科目"},  // 267
    {"制造费用", KeywordAction::Explanation, "是核算生产车间发生的，发生时不能直接归属于某个产品对象的间接制造成本，是产品成本中的间接制造成本，月末该科目余额为零（转入生产成本）"},  // 268
    {"主营业务收入", KeywordAction::Explanation, "是核算企业主营业务而产生的收入，该收入占企业总收入的最大比重"},  // 269
    {"主营业务成本", KeywordAction::Explanation, "因主营业务收入增加而增加的销售成本，与主营业务收入是直接配比的科目”该科目来自于生产成本"},  // 270
    {"其他业务收入", KeywordAction::Explanation, "是核算企业因其他业务而产生的收入如 工业企业的出售原材料、对外出租和转让无形资产使用权等取得的收入"},  // 271
    {"其他业务成本", KeywordAction::Explanation, "是核算企业因其他业务收入而产生的销售成本、费用和税金等，与其他业务收入是直接配比科目"},  // 272
    {"营业外收入", KeywordAction::Explanation, "是核算企业非日常活动中产生的与生产经营无直接关系的各项利得包括处置非流动资产的利得，受赠利得和盘盈利得等"},  // 273
    {"营业外支出", KeywordAction::Explanation, "是核算企业非日常活动中产生的与生产经营无直接关系的各种损失包括捐赠支出、非常损失、罚款支出、处置非流动资产损失等"},  // 274
    {"营业税金及附加", KeywordAction::Explanation, "是核算企业因主营业务而产生的各种税金，包括营业税、消费税、城市维护建设税和教育费附加等费用类税金的科目（不含增值税）"},  // 275
    {"销售费用", KeywordAction::Explanation, "是核算企业为销售而发生或销售过程中发生的或单设销售机构或售后服务网点等所有费用”包括运输费、包装费、广告费、展览费和专设销售机构的销售人员工资等"},  // 276
    {"管理费用", KeywordAction::Explanation, "是核算企业行政机构为组织生产经营而发生的各种费用包括董事会费、公司经费等"},  // 277
    {"财务费用", KeywordAction::Explanation, "是核算企业为筹集生产经营所需资金而与银行或金融机构产生的借款费用”包括利息支出和手续费用等"},  // 278
    {"资产减值损失", KeywordAction::Explanation, "是核算企业资产发生跌价或减值产生的损失，包括坏账损失、存货跌价损失和固定资产减值损失等等"},  // 279
    {"所得税费用", KeywordAction::Explanation, "是核算企业所得税费用的科目"},  // 280
    };
    return rows;
}

std::vector<std::string> distinctKeywords() {
    std::vector<std::string> out;
    std::set<std::string> seen;
    for (const auto& r : keywordTable())
        if (seen.insert(r.keyword).second) out.emplace_back(r.keyword);
    return out;
}

void lookUpKeyword(App& app, const std::string& text) {
    Window* main = app.window("Form1");
    for (const auto& row : keywordTable()) {
        if (text != row.keyword) continue;
        switch (row.action) {
        case KeywordAction::OpenWindow:
            app.hide("Form1");
            app.open(row.argument);
            break;
        case KeywordAction::FormulaLine:
            main->text(row.argument);
            break;
        case KeywordAction::Explanation:
            main->msgbox(row.argument);
            break;
        }
    }
}

}  // namespace kelmora
