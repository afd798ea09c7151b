#include "catalogue/catalogue.h"

#include "formulas/formulas.h"

#include <algorithm>
#include <map>

namespace kinri {
namespace {

using namespace caption_literals;
using F = CalcFamily;
using W = WindowId;
using K = InputKind;
namespace f = formulas;

constexpr std::array<FamilyInfo, kFamilyCount> kFamilies{{
    {F::Simple, "S", "単利の利息計算", "  単利の利息計算", "☆☆単利の利息計算☆☆", "SimpleCode"},
    {F::Compound, "F", "複利の利息計算", "  複利の利息計算", "☆☆複利の利息計算☆☆", "CompoundCode"},
    {F::Savings, "T", "積立金の利息計算", "  積立金の利息計算", "☆☆積立金の利息計算☆☆", "SavingsCode"},
    {F::Annuity, "N", "年金の計算", "  年金の計算", "☆☆年金の計算☆☆", "AnnuityCode"},
    {F::Installment, "K", "割賦返済の計算", "  割賦返済の計算", "☆☆割賦返済の計算☆☆", "InstallmentCode"},
}};

// The Menu button of ZOVAN3 clears only the families it hosts; the others clear all five.
constexpr std::array<CalcFamily, 5> kAllFamilies{F::Simple, F::Compound, F::Savings, F::Annuity,
                                                 F::Installment};
constexpr std::array<CalcFamily, 3> kTableFamilies{F::Simple, F::Compound, F::Installment};

// Label1 is set to 9 pt in ZOVAN2 and ZOVAN5, and their result labels are put back where the
// design has them; ZOVAN3 and ZOVAN4 leave both to their entries.
constexpr LabelLayout kFont9{.fontSize = 9.0};
constexpr LabelLayout kZovan2Result{.top = 2625, .fontSize = 9.0};
constexpr LabelLayout kZovan5Result{.top = 3135, .height = 945, .fontSize = 9.0};
constexpr std::array<WindowInfo, 4> kWindows{{
    {W::Zovan2, "ZOVAN2", 3, "Text6", "Label6", "Label4", kAllFamilies, kFont9, kZovan2Result},
    {W::Zovan3, "ZOVAN3", 3, "", "Label5", "Label6", kTableFamilies, {}, {}},
    {W::Zovan4, "ZOVAN4", 2, "Text3", "Label3", "Label6", kAllFamilies, {}, {}},
    {W::Zovan5, "ZOVAN5", 4, "Text5", "Label5", "Label6", kAllFamilies, kFont9, kZovan5Result},
}};

// Every calculation, family by family, each family in menu order. A row leaves out what is as
// usual: the label layouts of its window, and paper texts that only add "=" to a caption.
// clang-format off
constexpr std::array<CatalogueEntry, 37> kEntries{{
    // Simple interest
    {.item = "SP", .family = F::Simple, .code = 1, .window = W::Zovan2,
     .menuCaption = "単利の利息",
     .labels = {"元金"_caption, "利率"_caption, "期間"_caption},
     .kinds = {K::Amount, K::Rate, K::Periods},
     .resultCaption = "単利の|利息"_caption,
     .calc = {.single = f::SP}},
    {.item = "SA", .family = F::Simple, .code = 2, .window = W::Zovan3,
     .menuCaption = "単利の元利合計",
     .labels = {"元金"_caption, "利率"_caption, "期間"_caption},
     .kinds = {K::Amount, K::Rate, K::Periods},
     .columnHead = "期間"_caption,
     .resultCaption = "単利の|元利合計"_caption,
     .calc = {.table = {.boundInput = 2, .row = f::SA_row, .listGap = 5}},
     .result = LabelLayout{.top = 2503, .fontSize = 9}},
    {.item = "SR", .family = F::Simple, .code = 3, .window = W::Zovan2,
     .menuCaption = "単利の利率",
     .labels = {"元利合計"_caption, "元金"_caption, "期間"_caption},
     .kinds = {K::Amount, K::Amount, K::Periods},
     .resultCaption = "単利の|利率"_caption,
     .calc = {.decimals = 5, .single = f::SR}},
    {.item = "SA2", .family = F::Simple, .code = 4, .window = W::Zovan2,
     .menuCaption = "割引手取額",
     .labels = {"元金"_caption, "利率"_caption, "期間"_caption},
     .kinds = {K::Amount, K::Rate, K::Periods},
     .resultCaption = "割引手取額"_caption,
     .calc = {.single = f::SA2}},
    {.item = "SR2", .family = F::Simple, .code = 5, .window = W::Zovan2,
     .menuCaption = "割引率",
     .labels = {"元金"_caption, "割引手取額"_caption, "期間"_caption},
     .kinds = {K::Amount, K::Amount, K::Periods},
     .resultCaption = "割引率"_caption,
     .calc = {.decimals = 5, .single = f::SR2}},
    {.item = "SC", .family = F::Simple, .code = 6, .window = W::Zovan2,
     .menuCaption = "利息先払いの元金（期日支払額面）",
     .labels = {"手取額"_caption, "利率"_caption, "期間"_caption},
     .kinds = {K::Amount, K::Rate, K::Periods},
     .resultCaption = "利息/先払いの|元金|（期日/支払額面）"_caption,
     .calc = {.single = f::SC},
     .printResult = "利息/先払いの|元金|(期日/支払額面)="_caption},
    {.item = "SR3", .family = F::Simple, .code = 7, .window = W::Zovan5,
     .menuCaption = "定期預金の解約と預金担保借入の損益分岐点となる預金期間の預入日からの割合",
     .labels = {"定期預金の|約定利率"_caption, "預金担保/借入利率"_caption, "中途解約/利率"_caption, "約定期間"_caption},
     .kinds = {K::Rate, K::Rate, K::Rate, K::Periods},
     .resultCaption = "定期預金の|解約と|預金担保/借入の|損益/分岐点と|なる|預入日からの|割合"_caption,
     .calc = {.decimals = 5, .single = f::SR3},
     .result = LabelLayout{.top = 3135, .height = 945, .fontSize = 8.5}},
    // Compound interest
    {.item = "FA", .family = F::Compound, .code = 1, .window = W::Zovan3,
     .menuCaption = "複利の元利合計",
     .labels = {"元金"_caption, "利率"_caption, "期間"_caption},
     .kinds = {K::Amount, K::Rate, K::Periods},
     .columnHead = "期間"_caption,
     .resultCaption = "複利の|元利合計"_caption,
     .calc = {.table = {.boundInput = 2, .row = f::FA_row, .listGap = 5}},
     .label1 = LabelLayout{.fontSize = 9},
     .result = LabelLayout{.top = 2503, .fontSize = 9}},
    {.item = "FR", .family = F::Compound, .code = 2, .window = W::Zovan2,
     .menuCaption = "複利の利率",
     .labels = {"元利合計"_caption, "元金"_caption, "期間"_caption},
     .kinds = {K::Amount, K::Amount, K::Periods},
     .resultCaption = "複利の|利率"_caption,
     .calc = {.decimals = 5, .single = f::FR},
     .result = LabelLayout{.top = 2641, .fontSize = 9}},
    {.item = "FN", .family = F::Compound, .code = 3, .window = W::Zovan2,
     .menuCaption = "複利で必要とする期間数",
     .labels = {"元利合計"_caption, "元金"_caption, "期間利率"_caption},
     .kinds = {K::Amount, K::Amount, K::Rate},
     .resultCaption = "複利で|必要とする|期間数"_caption,
     .calc = {.decimals = 5, .single = f::FN}},
    {.item = "FC", .family = F::Compound, .code = 4, .window = W::Zovan2,
     .menuCaption = "複利の当初必要な元金",
     .labels = {"期待する|元利合計"_caption, "期間利率"_caption, "期間数"_caption},
     .kinds = {K::Amount, K::Rate, K::Periods},
     .resultCaption = "複利の|当初|必要な|元金"_caption,
     .calc = {.single = f::FC}},
    // Savings plans
    {.item = "TH", .family = F::Savings, .code = 1, .window = W::Zovan2,
     .menuCaption = "月掛定期積金の給付補填金",
     .labels = {"積立額"_caption, "積立月数"_caption, "月利率"_caption},
     .kinds = {K::Amount, K::Periods, K::Rate},
     .resultCaption = "月掛/定期積金の|給付/補填金"_caption,
     .calc = {.single = f::TH},
     .periodsPerYear = 12},
    {.item = "TT", .family = F::Savings, .code = 2, .window = W::Zovan2,
     .menuCaption = "月掛定期積金の1回分の積立額",
     .labels = {"満期手取金"_caption, "払込月数"_caption, "月利率"_caption},
     .kinds = {K::Amount, K::Periods, K::Rate},
     .resultCaption = "月掛/定期積金の|1回分の|積立額"_caption,
     .calc = {.single = f::TT},
     .periodsPerYear = 12},
    {.item = "TR", .family = F::Savings, .code = 3, .window = W::Zovan2,
     .menuCaption = "月掛定期積金の利率",
     .labels = {"満期手取金"_caption, "1回の|払込金"_caption, "払込回数"_caption},
     .kinds = {K::Amount, K::Amount, K::Payments},
     .resultCaption = "月掛/定期積金の|利率"_caption,
     .calc = {.decimals = 5, .single = f::TR},
     .periodsPerYear = 12},
    {.item = "TA", .family = F::Savings, .code = 4, .window = W::Zovan2,
     .menuCaption = "任意期間の中期の定期･定額の積立複利の元利合計（年金終価額）",
     .labels = {"1回の|積立額"_caption, "期間利率"_caption, "積立回数"_caption},
     .kinds = {K::Amount, K::Rate, K::Payments},
     .resultCaption = "任意期間の|中間の|定期･定額の|積立複利の|元利合計|(年金/終価額)"_caption,
     .calc = {.single = f::TA},
     .result = LabelLayout{.fontSize = 9}, // no Top: the label stays where the last entry put it
     .printResult = "任意期間の|中間の|定期・定額の|積立複利の|元利合計|(年金/終価額)="_caption},
    {.item = "TC", .family = F::Savings, .code = 5, .window = W::Zovan2,
     .menuCaption = "回数を定めた定期・定額の複利積立の元利合計",
     .labels = {"1回の|積立額"_caption, "期間利率"_caption, "積立回数"_caption},
     .kinds = {K::Amount, K::Rate, K::Payments},
     .resultCaption = "回数を|定めた|定期･定額の|複利積立の|元利合計"_caption,
     .calc = {.single = f::TC},
     .printResult = "回数を|定めた|定期・定額の|複利積立の|元利合計="_caption},
    {.item = "TC2", .family = F::Savings, .code = 6, .window = W::Zovan2,
     .menuCaption = "複利運用の目標達成のための１回分の定額積立所要額",
     .labels = {"計画終期/目標額"_caption, "期間利率"_caption, "期間数"_caption},
     .kinds = {K::Amount, K::Rate, K::Periods},
     .resultCaption = "複利運用の|目標達成の|ための|1回分の|定額積立/所要額"_caption,
     .calc = {.single = f::TC2}},
    {.item = "TN", .family = F::Savings, .code = 7, .window = W::Zovan2,
     .menuCaption = "複利運用の目標達成のための定額積立の所要期間",
     .labels = {"計画終期/目標額"_caption, "期間利率"_caption, "1回分の|積立額"_caption},
     .kinds = {K::Amount, K::Rate, K::Amount},
     .resultCaption = "複利運用の|目標達成の|ための|定額積立の|所要期間"_caption,
     .calc = {.single = f::TN}},
    {.item = "TA2", .family = F::Savings, .code = 8, .window = W::Zovan5,
     .menuCaption = "回数を定め定期に一定割合で貯蓄額を増額した場合の複利の元利合計",
     .labels = {"初回の|貯蓄額"_caption, "区間利率"_caption, "貯蓄回数"_caption, "貯蓄増加率"_caption},
     .kinds = {K::Amount, K::Rate, K::Payments, K::GrowthRate},
     .resultCaption = "回数を|定め|定期に|一定割合で|貯蓄額を|増額した|場合の|複利の|元利合計"_caption,
     .calc = {.single = f::TA2},
     .result = LabelLayout{.top = 3135, .height = 945, .fontSize = 8.5}},
    {.item = "TA3", .family = F::Savings, .code = 9, .window = W::Zovan5,
     .menuCaption = "回数を定め定期に一定割合で貯蓄額を増額して所定期間後に期待する複利の元利合計を得るための初回の貯蓄額",
     .labels = {"期待する|元利合計"_caption, "区間利率"_caption, "貯蓄増加率"_caption, "貯蓄回数"_caption},
     .kinds = {K::Amount, K::Rate, K::GrowthRate, K::Payments},
     .resultCaption = "回数を|定め|一定割合で|貯蓄額を|増額し|所定の|複利の|元利合計を|得る|ための|初回/貯蓄額"_caption,
     .calc = {.single = f::TA3},
     .result = LabelLayout{.top = 3105, .height = 975, .fontSize = 8}},
    // Annuities
    {.item = "NC", .family = F::Annuity, .code = 1, .window = W::Zovan2,
     .menuCaption = "所定期間定額の年金を受領する当初預託金",
     .labels = {"1回の|年金額"_caption, "期間配当率"_caption, "期間数"_caption},
     .kinds = {K::Amount, K::Rate, K::Periods},
     .resultCaption = "所定期間/定額の|年金を|受領する|当初/預託金"_caption,
     .calc = {.single = f::NC}},
    {.item = "NA", .family = F::Annuity, .code = 2, .window = W::Zovan2,
     .menuCaption = "1回の年金受領額",
     .labels = {"当初の|原資"_caption, "期間配当率"_caption, "期間数"_caption},
     .kinds = {K::Amount, K::Rate, K::Periods},
     .resultCaption = "1回の|年金/受領額"_caption,
     .calc = {.single = f::NA},
     .result = LabelLayout{.top = 2641, .fontSize = 9},
     .printResult = "1年の|年金/受領額="_caption},
    {.item = "NN", .family = F::Annuity, .code = 3, .window = W::Zovan2,
     .menuCaption = "年金受領可能期間数",
     .labels = {"1回の|年金額"_caption, "当初の|原資"_caption, "期間配当率"_caption},
     .kinds = {K::Amount, K::Amount, K::Rate},
     .resultCaption = "年金/受領/可能/期間数"_caption,
     .calc = {.single = f::NN}},
    {.item = "NC2", .family = F::Annuity, .code = 4, .window = W::Zovan5,
     .menuCaption = "インフレを加味した年金受領のために必要な当初原資",
     .labels = {"初年度の|年金額"_caption, "期間/インフレ率"_caption, "期間配当率"_caption, "期間数"_caption},
     .kinds = {K::Amount, K::GrowthRate, K::Rate, K::Periods},
     .resultCaption = "インフレを|加味した|年金受領の|ために|必要な|当初原資"_caption,
     .calc = {.single = f::NC2}},
    {.item = "NN2", .family = F::Annuity, .code = 5, .window = W::Zovan5,
     .menuCaption = "インフレを加味した年金受領可能期間数",
     .labels = {"原資の|預託/可能額"_caption, "初年度の|年金額"_caption, "期間/インフレ率"_caption, "期間配当率"_caption},
     .kinds = {K::Amount, K::Amount, K::GrowthRate, K::Rate},
     .resultCaption = "インフレを|加味した|年金/受領/可能/期間数"_caption,
     .calc = {.single = f::NN2}},
    // Instalment loans
    {.item = "KAA", .family = F::Installment, .code = 1, .window = W::Zovan3, .submenu = "KA",
     .menuCaption = "元金均等償還方式における各回次の元利合計返済額",
     .labels = {"当初借入額"_caption, "返済回数"_caption, "返済/間隔間の|利率"_caption},
     .kinds = {K::Amount, K::Payments, K::Rate},
     .columnHead = "回数"_caption,
     .resultCaption = "元金均等/償還/方式における|各回次の|元利合計/返済額"_caption,
     .calc = {.decimals = 5, .table = {.boundInput = 1, .row = f::KAA_row, .listGap = 6}},
     .result = LabelLayout{.top = 2310, .fontSize = 8}},
    {.item = "KAP", .family = F::Installment, .code = 2, .window = W::Zovan2, .submenu = "KA",
     .menuCaption = "元金均等償還方式の全期間の利息合計",
     .labels = {"当初借入額"_caption, "返済回数"_caption, "返済/間隔間の|利率"_caption},
     .kinds = {K::Amount, K::Payments, K::Rate},
     .resultCaption = "元金均等/償還/方式の|全期間の|利息合計"_caption,
     .calc = {.single = f::KAP}},
    {.item = "KA2C", .family = F::Installment, .code = 3, .window = W::Zovan2, .submenu = "KA2",
     .menuCaption = "元利均等償還方式における毎返済回次の均等返済額",
     .labels = {"当初借入額"_caption, "返済/間隔間の|利率"_caption, "返済回数"_caption},
     .kinds = {K::Amount, K::Rate, K::Payments},
     .resultCaption = "元利均等/償還/方式における|毎返済/回次の|均等/返済額"_caption,
     .calc = {.single = f::KA2C}},
    {.item = "KA2N", .family = F::Installment, .code = 4, .window = W::Zovan2, .submenu = "KA2",
     .menuCaption = "元利均等償還方式の返済回数",
     .labels = {"毎回均等の|返済額"_caption, "当初借入額"_caption, "返済/間隔間の|利率"_caption},
     .kinds = {K::Amount, K::Amount, K::Rate},
     .resultCaption = "元利均等/償還/方式の|返済回数"_caption,
     .calc = {.single = f::KA2N}},
    {.item = "KA2P", .family = F::Installment, .code = 5, .window = W::Zovan2, .submenu = "KA2",
     .menuCaption = "元利均等償還方式による借入可能額",
     .labels = {"毎回均等の|返済額"_caption, "返済/間隔間の|利率"_caption, "返済回数"_caption},
     .kinds = {K::Amount, K::Rate, K::Payments},
     .resultCaption = "元利均等/償還/方式による|借入/可能額"_caption,
     .calc = {.single = f::KA2P}},
    {.item = "KA2A", .family = F::Installment, .code = 6, .window = W::Zovan3, .submenu = "KA2",
     .menuCaption = "元利均等償還方式における中間時点の借入金元金残高",
     .labels = {"毎回均等の|返済額"_caption, "返済/間隔間の|利率"_caption, "残っている|返済回数"_caption},
     .kinds = {K::Amount, K::Rate, K::Payments},
     .columnHead = "回数"_caption,
     .resultCaption = "元利均等/償還/方式における|中間時点の|借入金/元金残高"_caption,
     .calc = {.table = {.descending = true, .boundInput = 2, .row = f::KA2A_row, .listGap = 6}},
     .result = LabelLayout{.top = 2310, .fontSize = 8}},
    {.item = "KA3A", .family = F::Installment, .code = 7, .window = W::Zovan2, .submenu = "KA3",
     .menuCaption = "アドオン方式の利息合計",
     .labels = {"当初借入額"_caption, "利率"_caption, "期間"_caption},
     .kinds = {K::Amount, K::Rate, K::Periods},
     .resultCaption = "アドオン方式の|利息合計"_caption,
     .calc = {.single = f::KA3A}},
    {.item = "KA3C", .family = F::Installment, .code = 8, .window = W::Zovan5, .submenu = "KA3",
     .menuCaption = "アドオン方式の毎回の元利合計返済額",
     .labels = {"当初借入額"_caption, "利率"_caption, "期間"_caption, "返済回数"_caption},
     .kinds = {K::Amount, K::Rate, K::Periods, K::Payments},
     .resultCaption = "アドオン方式の|毎回の|元利合計/返済額"_caption,
     .calc = {.single = f::KA3C}},
    {.item = "KA3R", .family = F::Installment, .code = 9, .window = W::Zovan4, .submenu = "KA3",
     .menuCaption = "アドオン方式による表示利率(月次返済の場合）",
     .labels = {"元利均等/償還/方式における|利率|(実質金利)"_caption, "返済月数"_caption},
     .kinds = {K::Rate, K::Payments},
     .resultCaption = "アドオン方式による|表示利率|(月次返済の|場合)"_caption,
     .calc = {.decimals = 5, .single = f::KA3R},
     .label1 = LabelLayout{.top = 320, .fontSize = 8.7},
     .result = LabelLayout{.fontSize = 8.7},
     .otherLabelsFont = 8.7,
     .periodsPerYear = 12,
     .printLabels = {"元利金等/償還/方式における|利率|(実質金利)="_caption, {}}},
    {.item = "KA4C", .family = F::Installment, .code = 10, .window = W::Zovan5, .submenu = "KA4",
     .menuCaption = "元利合計返済額逓増方式の第１回の返済額",
     .labels = {"当初借入額"_caption, "返済/間隔間の|利率"_caption, "返済回次毎の|返済額/増加率"_caption, "返済回数"_caption},
     .kinds = {K::Amount, K::Rate, K::GrowthRate, K::Payments},
     .resultCaption = "元利合計/返済額/逓増/方式の|第1回の|返済額"_caption,
     .calc = {.single = f::KA4C}},
    {.item = "KA4A", .family = F::Installment, .code = 11, .window = W::Zovan5, .submenu = "KA4",
     .menuCaption = "元利合計返済額逓増方式による借入可能額",
     .labels = {"第1回次の|返済額"_caption, "返済/間隔間の|利率"_caption, "返済回次毎の|返済額/増加率"_caption, "返済回数"_caption},
     .kinds = {K::Amount, K::Rate, K::GrowthRate, K::Payments},
     .resultCaption = "元利合計/返済額/逓増/方式による|借入/可能額"_caption,
     .calc = {.single = f::KA4A}},
    {.item = "KA4N", .family = F::Installment, .code = 12, .window = W::Zovan5, .submenu = "KA4",
     .menuCaption = "元利合計返済額逓増方式の返済期間(回数)",
     .labels = {"当初借入額"_caption, "返済/間隔間の|利率"_caption, "返済回次毎の|返済額/増加率"_caption, "第1回次の|返済額"_caption},
     .kinds = {K::Amount, K::Rate, K::GrowthRate, K::Amount},
     .resultCaption = "元利合計/返済額/逓増/方式の|返済期間|(回数)"_caption,
     .calc = {.single = f::KA4N}},
}};
// clang-format on

constexpr std::array<std::string_view, 23> kZovan2Tests{
    "SP", "SR",  "SA2", "SR2", "SC", "FR", "FN",  "FC",   "TH",   "TT",   "TR",  "TA",
    "TC", "TC2", "TN",  "NC",  "NA", "NN", "KAP", "KA2C", "KA2N", "KA2P", "KA3A"};
constexpr std::array<std::string_view, 4> kZovan3Tests{"SA", "FA", "KAA", "KA2A"};
constexpr std::array<std::string_view, 1> kZovan4Tests{"KA3R"};
constexpr std::array<std::string_view, 9> kZovan5Tests{"SR3",  "TA2",  "TA3",  "NN2", "KA3C",
                                                       "KA4C", "KA4A", "KA4N", "NC2"};

struct Submenu {
    std::string_view name;
    std::string_view caption;
};
constexpr std::array<Submenu, 4> kInstalmentSubmenus{{
    {"KA", "元金均等償還"},
    {"KA2", "元利均等割賦償還"},
    {"KA3", "アドオン方式"},
    {"KA4", "元利合計逓増方式"},
}};

// Between the two column heads of a table's heading on paper: two full-width spaces.
constexpr std::string_view kHeadingGap = "　　";

// A control a menu entry dresses: its object name and what it is for.
struct Dressed {
    std::string_view name;
    ControlRef ref;
};

Dressed inputCaption(int k) {
    static constexpr std::array<std::string_view, 5> kNames{"", "Label1", "Label2", "Label3", "Label4"};
    return {kNames.at(static_cast<std::size_t>(k)), {ControlRole::InputCaption, k}};
}

Dressed inputBox(int k) {
    static constexpr std::array<std::string_view, 5> kNames{"", "Text1", "Text2", "Text3", "Text4"};
    return {kNames.at(static_cast<std::size_t>(k)), {ControlRole::Input, k}};
}

void add(std::vector<DressStep>& steps, const Dressed& control, DressProperty property, double number = 0.0,
         Caption text = {}) {
    steps.push_back({control.name, control.ref, property, number, text});
}

void setLayout(std::vector<DressStep>& steps, const Dressed& control, const LabelLayout& layout) {
    if (layout.top >= 0) add(steps, control, DressProperty::Top, static_cast<double>(layout.top));
    if (layout.height >= 0) add(steps, control, DressProperty::Height, static_cast<double>(layout.height));
    if (layout.fontSize > 0) add(steps, control, DressProperty::FontSize, layout.fontSize);
}

} // namespace

const std::array<FamilyInfo, kFamilyCount>& families() {
    return kFamilies;
}

const FamilyInfo& familyInfo(CalcFamily family) {
    return kFamilies.at(static_cast<std::size_t>(family));
}

const WindowInfo& windowInfo(WindowId window) {
    return kWindows.at(static_cast<std::size_t>(window));
}

std::span<const WindowInfo> windows() {
    return kWindows;
}

std::span<const CatalogueEntry> catalogue() {
    return kEntries;
}

const CatalogueEntry* findEntry(std::string_view item) {
    const auto it = std::find_if(kEntries.begin(), kEntries.end(),
                                 [&](const CatalogueEntry& e) { return e.item == item; });
    return it == kEntries.end() ? nullptr : &*it;
}

std::string CatalogueEntry::printLabel(std::size_t k) const {
    return paperLabel(k).text;
}

std::string CatalogueEntry::printHeading() const {
    return paperHeading().text;
}

PaperText CatalogueEntry::paperLabel(std::size_t k) const {
    const Caption& paper = printLabels.at(k);
    if (!paper.empty()) return {std::string(paper.text), paper.breaks};
    // "=" ends the caption, so the caption's breaks stand as they are.
    const Caption& shown = labels.at(k);
    return {std::string(shown.text) + "=", shown.breaks};
}

PaperText CatalogueEntry::paperHeading() const {
    if (!printResult.empty()) return {std::string(printResult.text), printResult.breaks};
    if (!calc.isTable()) return {std::string(resultCaption.text) + "=", resultCaption.breaks};
    // A table's heading: the left column head, a gap, the right one. It may wrap after the gap,
    // where the right head begins, and then inside the right head as that one may.
    static const std::map<std::string_view, std::vector<BreakPoint>> kHeadingBreaks = [] {
        std::map<std::string_view, std::vector<BreakPoint>> all;
        for (const CatalogueEntry& e : kEntries) {
            if (!e.calc.isTable()) continue;
            const auto shift = static_cast<std::uint16_t>(e.columnHead.text.size() + kHeadingGap.size());
            std::vector<BreakPoint>& breaks = all[e.item];
            breaks.push_back({shift, BreakKind::Phrase});
            for (const BreakPoint& b : e.resultCaption.breaks)
                breaks.push_back({static_cast<std::uint16_t>(shift + b.offset), b.kind});
        }
        return all;
    }();
    const auto found = kHeadingBreaks.find(item);
    std::span<const BreakPoint> breaks;
    if (found != kHeadingBreaks.end()) breaks = found->second;
    return {std::string(columnHead.text).append(kHeadingGap).append(resultCaption.text), breaks};
}

std::span<const std::string_view> testOrder(WindowId window) {
    switch (window) {
    case W::Zovan2:
        return kZovan2Tests;
    case W::Zovan3:
        return kZovan3Tests;
    case W::Zovan4:
        return kZovan4Tests;
    case W::Zovan5:
        return kZovan5Tests;
    }
    return {};
}

std::span<const CatalogueEntry* const> testedEntries(WindowId window) {
    static const std::array<std::vector<const CatalogueEntry*>, 4> kResolved = [] {
        std::array<std::vector<const CatalogueEntry*>, 4> resolved;
        for (const WindowInfo& w : kWindows)
            for (std::string_view item : testOrder(w.id))
                resolved.at(static_cast<std::size_t>(w.id)).push_back(findEntry(item));
        return resolved;
    }();
    return kResolved.at(static_cast<std::size_t>(window));
}

std::vector<DressStep> dressSteps(const CatalogueEntry& entry) {
    const WindowInfo& win = windowInfo(entry.window);
    const int inputs = win.inputCount;
    const LabelLayout label1 = entry.label1.value_or(win.label1);
    const LabelLayout result = entry.result.value_or(win.result);
    std::vector<DressStep> steps;
    steps.reserve(24);

    // Input labels: Label1's font and position first, then the captions.
    if (label1.fontSize > 0) add(steps, inputCaption(1), DressProperty::FontSize, label1.fontSize);
    if (label1.top >= 0) add(steps, inputCaption(1), DressProperty::Top, static_cast<double>(label1.top));
    if (entry.otherLabelsFont > 0) {
        for (int k = 2; k <= inputs; ++k)
            add(steps, inputCaption(k), DressProperty::FontSize, entry.otherLabelsFont);
    }
    for (int k = 1; k <= inputs; ++k)
        add(steps, inputCaption(k), DressProperty::Caption, 0.0,
            entry.labels.at(static_cast<std::size_t>(k - 1)));

    for (int k = 1; k <= inputs; ++k)
        add(steps, inputBox(k), DressProperty::ClearText);

    // Result label(s); in ZOVAN3 the left column head takes the right one's font.
    const Dressed resultCaption{win.resultLabel, {ControlRole::ResultCaption}};
    if (entry.window == W::Zovan3) {
        const Dressed columnHead{"Label4", {ControlRole::ColumnHead}};
        add(steps, columnHead, DressProperty::Visible, 1.0);
        add(steps, resultCaption, DressProperty::Visible, 1.0);
        if (result.fontSize > 0) add(steps, columnHead, DressProperty::FontSize, result.fontSize);
        add(steps, columnHead, DressProperty::Caption, 0.0, entry.columnHead);
    }
    setLayout(steps, resultCaption, result);
    add(steps, resultCaption, DressProperty::Caption, 0.0, entry.resultCaption);

    if (entry.window == W::Zovan3) {
        add(steps, {"List1", {ControlRole::ResultList}}, DressProperty::ClearList);
    } else {
        add(steps, {win.resultBox, {ControlRole::ResultBox}}, DressProperty::ClearText);
    }
    return steps;
}

const std::vector<MenuNode>& menuTree() {
    static const std::vector<MenuNode> kTree = [] {
        std::vector<MenuNode> tree;
        for (const FamilyInfo& fam : kFamilies) {
            MenuNode title{fam.menuName, fam.menuCaption, MenuKind::Title, {}};
            auto calcNode = [](const CatalogueEntry& e) {
                return MenuNode{e.item, e.menuCaption, MenuKind::Calculation, {}};
            };
            if (fam.family == F::Installment) {
                for (const Submenu& sub : kInstalmentSubmenus) {
                    MenuNode subNode{sub.name, sub.caption, MenuKind::Title, {}};
                    for (const CatalogueEntry& e : kEntries)
                        if (e.family == fam.family && e.submenu == sub.name)
                            subNode.children.push_back(calcNode(e));
                    title.children.push_back(std::move(subNode));
                }
            } else {
                for (const CatalogueEntry& e : kEntries)
                    if (e.family == fam.family) title.children.push_back(calcNode(e));
            }
            tree.push_back(std::move(title));
        }
        tree.push_back(MenuNode{"HE",
                                "ヘルプ",
                                MenuKind::Title,
                                {{"HE01", "ヘルプ", MenuKind::Help, {}},
                                 {"SKIP", "-", MenuKind::Separator, {}},
                                 {"VER", "バージョン情報", MenuKind::Version, {}}}});
        return tree;
    }();
    return kTree;
}

} // namespace kinri
