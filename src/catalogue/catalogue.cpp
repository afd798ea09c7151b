#include "catalogue/catalogue.h"

#include "formulas/formulas.h"

#include <algorithm>

namespace kinri {
namespace {

using F = CalcFamily;
using W = WindowId;
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

const std::array<WindowInfo, 4> kWindows{{
    {W::Zovan2, "ZOVAN2", 3, "Text6", "Label6", "Label4", kAllFamilies},
    {W::Zovan3, "ZOVAN3", 3, "", "Label5", "Label6", kTableFamilies},
    {W::Zovan4, "ZOVAN4", 2, "Text3", "Label3", "Label6", kAllFamilies},
    {W::Zovan5, "ZOVAN5", 4, "Text5", "Label5", "Label6", kAllFamilies},
}};

// Layouts the entries set. Label1 is set to 9 pt in ZOVAN2, ZOVAN5 and for FA; the result label
// of ZOVAN2 and ZOVAN5 is put back where the design has it unless the entry says otherwise.
constexpr LabelLayout kLabel1Font9{-1, -1, 9.0};
constexpr LabelLayout kUnset{};
constexpr LabelLayout kZ2Result{2625, -1, 9.0};
constexpr LabelLayout kZ2ResultLow{2641, -1, 9.0};
constexpr LabelLayout kZ5Result{3135, 945, 9.0};
constexpr LabelLayout kZ5ResultSmall{3135, 945, 8.5};
constexpr LabelLayout kZ3Head9{2503, -1, 9.0};
constexpr LabelLayout kZ3Head8{2310, -1, 8.0};

Calculation single(SingleFormula fn, int decimals = 3) {
    return Calculation{decimals, fn, {}};
}
Calculation table(RowFormula row, int boundInput, bool descending, int listGap, int decimals) {
    return Calculation{decimals, nullptr, TableShape{descending, boundInput, row, listGap, 5}};
}

CatalogueEntry z2(std::string_view item, CalcFamily family, std::int16_t code, std::string_view submenu,
                  std::string_view menuCaption, std::array<std::string_view, 4> labels,
                  std::string_view resultCaption, std::array<std::string_view, 4> printLabels,
                  std::string_view printResult, Calculation calc, LabelLayout result = kZ2Result) {
    return CatalogueEntry{item,   family,        code,        W::Zovan2,    submenu, menuCaption,
                          labels, resultCaption, "",          kLabel1Font9, 0.0,     result,
                          0.0,    printLabels,   printResult, calc};
}

CatalogueEntry z5(std::string_view item, CalcFamily family, std::int16_t code, std::string_view submenu,
                  std::string_view menuCaption, std::array<std::string_view, 4> labels,
                  std::string_view resultCaption, std::array<std::string_view, 4> printLabels,
                  std::string_view printResult, Calculation calc, LabelLayout result = kZ5Result) {
    return CatalogueEntry{item,   family,        code,        W::Zovan5,    submenu, menuCaption,
                          labels, resultCaption, "",          kLabel1Font9, 0.0,     result,
                          0.0,    printLabels,   printResult, calc};
}

CatalogueEntry z3(std::string_view item, CalcFamily family, std::int16_t code, std::string_view submenu,
                  std::string_view menuCaption, std::array<std::string_view, 4> labels,
                  std::string_view columnHead, std::string_view resultCaption, LabelLayout label1,
                  LabelLayout head, std::array<std::string_view, 4> printLabels, std::string_view heading,
                  Calculation calc) {
    return CatalogueEntry{item,          family,        code,       W::Zovan3, submenu, menuCaption,
                          labels,        resultCaption, columnHead, label1,    0.0,     head,
                          head.fontSize, printLabels,   heading,    calc};
}

const std::vector<CatalogueEntry>& entries() {
    static const std::vector<CatalogueEntry> kEntries = [] {
        std::vector<CatalogueEntry> e;
        e.reserve(37);
        // Simple interest
        e.push_back(z2("SP", F::Simple, 1, "", "単利の利息", {"元金", "利率", "期間"}, "単利の利息",
                       {"元金=", "利率=", "期間="}, "単利の利息=", single(f::SP)));
        e.push_back(z3("SA", F::Simple, 2, "", "単利の元利合計", {"元金", "利率", "期間"}, "期間",
                       "単利の元利合計", kUnset, kZ3Head9, {"元金=", "利率=", "期間="},
                       "期間　　単利の元利合計", table(f::SA_row, 2, false, 5, 3)));
        e.push_back(z2("SR", F::Simple, 3, "", "単利の利率", {"元利合計", "元金", "期間"}, "単利の利率",
                       {"元利合計=", "元金=", "期間="}, "単利の利率=", single(f::SR, 5)));
        e.push_back(z2("SA2", F::Simple, 4, "", "割引手取額", {"元金", "利率", "期間"}, "割引手取額",
                       {"元金=", "利率=", "期間="}, "割引手取額=", single(f::SA2)));
        e.push_back(z2("SR2", F::Simple, 5, "", "割引率", {"元金", "割引手取額", "期間"}, "割引率",
                       {"元金=", "割引手取額=", "期間="}, "割引率=", single(f::SR2, 5)));
        e.push_back(z2("SC", F::Simple, 6, "", "利息先払いの元金（期日支払額面）", {"手取額", "利率", "期間"},
                       "利息先払いの元金（期日支払額面）", {"手取額=", "利率=", "期間="},
                       "利息先払いの元金(期日支払額面)=", single(f::SC)));
        e.push_back(z5("SR3", F::Simple, 7, "",
                       "定期預金の解約と預金担保借入の損益分岐点となる預金期間の預入日からの割合",
                       {"定期預金の約定利率", "預金担保借入利率", "中途解約利率", "約定期間"},
                       "定期預金の解約と預金担保借入の損益分岐点となる預入日からの割合",
                       {"定期預金の約定利率=", "預金担保借入利率=", "中途解約利率=", "約定期間="},
                       "定期預金の解約と預金担保借入の損益分岐点となる預入日からの割合=", single(f::SR3, 5),
                       kZ5ResultSmall));
        // Compound interest
        e.push_back(z3("FA", F::Compound, 1, "", "複利の元利合計", {"元金", "利率", "期間"}, "期間",
                       "複利の元利合計", kLabel1Font9, kZ3Head9, {"元金=", "利率=", "期間="},
                       "期間　　複利の元利合計", table(f::FA_row, 2, false, 5, 3)));
        e.push_back(z2("FR", F::Compound, 2, "", "複利の利率", {"元利合計", "元金", "期間"}, "複利の利率",
                       {"元利合計=", "元金=", "期間="}, "複利の利率=", single(f::FR, 5), kZ2ResultLow));
        e.push_back(z2("FN", F::Compound, 3, "", "複利で必要とする期間数", {"元利合計", "元金", "期間利率"},
                       "複利で必要とする期間数", {"元利合計=", "元金=", "期間利率="},
                       "複利で必要とする期間数=", single(f::FN, 5)));
        e.push_back(z2("FC", F::Compound, 4, "", "複利の当初必要な元金",
                       {"期待する元利合計", "期間利率", "期間数"}, "複利の当初必要な元金",
                       {"期待する元利合計=", "期間利率=", "期間数="},
                       "複利の当初必要な元金=", single(f::FC)));
        // Savings plans
        e.push_back(z2("TH", F::Savings, 1, "", "月掛定期積金の給付補填金", {"積立額", "積立月数", "月利率"},
                       "月掛定期積金の給付補填金", {"積立額=", "積立月数=", "月利率="},
                       "月掛定期積金の給付補填金=", single(f::TH)));
        e.push_back(z2("TT", F::Savings, 2, "", "月掛定期積金の1回分の積立額",
                       {"満期手取金", "払込月数", "月利率"}, "月掛定期積金の1回分の積立額",
                       {"満期手取金=", "払込月数=", "月利率="},
                       "月掛定期積金の1回分の積立額=", single(f::TT)));
        e.push_back(z2("TR", F::Savings, 3, "", "月掛定期積金の利率",
                       {"満期手取金", "1回の払込金", "払込回数"}, "月掛定期積金の利率",
                       {"満期手取金=", "1回の払込金=", "払込回数="},
                       "月掛定期積金の利率=", single(f::TR, 5)));
        e.push_back(z2("TA", F::Savings, 4, "", "任意期間の中期の定期･定額の積立複利の元利合計（年金終価額）",
                       {"1回の積立額", "期間利率", "積立回数"},
                       "任意期間の中間の定期･定額の積立複利の元利合計(年金終価額)",
                       {"1回の積立額=", "期間利率=", "積立回数="},
                       "任意期間の中間の定期・定額の積立複利の元利合計(年金終価額)=", single(f::TA),
                       LabelLayout{-1, -1, 9.0}));
        e.push_back(z2("TC", F::Savings, 5, "", "回数を定めた定期・定額の複利積立の元利合計",
                       {"1回の積立額", "期間利率", "積立回数"}, "回数を定めた定期･定額の複利積立の元利合計",
                       {"1回の積立額=", "期間利率=", "積立回数="},
                       "回数を定めた定期・定額の複利積立の元利合計=", single(f::TC)));
        e.push_back(z2("TC2", F::Savings, 6, "", "複利運用の目標達成のための１回分の定額積立所要額",
                       {"計画終期目標額", "期間利率", "期間数"},
                       "複利運用の目標達成のための1回分の定額積立所要額",
                       {"計画終期目標額=", "期間利率=", "期間数="},
                       "複利運用の目標達成のための1回分の定額積立所要額=", single(f::TC2)));
        e.push_back(z2("TN", F::Savings, 7, "", "複利運用の目標達成のための定額積立の所要期間",
                       {"計画終期目標額", "期間利率", "1回分の積立額"},
                       "複利運用の目標達成のための定額積立の所要期間",
                       {"計画終期目標額=", "期間利率=", "1回分の積立額="},
                       "複利運用の目標達成のための定額積立の所要期間=", single(f::TN)));
        e.push_back(z5("TA2", F::Savings, 8, "",
                       "回数を定め定期に一定割合で貯蓄額を増額した場合の複利の元利合計",
                       {"初回の貯蓄額", "区間利率", "貯蓄回数", "貯蓄増加率"},
                       "回数を定め定期に一定割合で貯蓄額を増額した場合の複利の元利合計",
                       {"初回の貯蓄額=", "区間利率=", "貯蓄回数=", "貯蓄増加率="},
                       "回数を定め定期に一定割合で貯蓄額を増額した場合の複利の元利合計=", single(f::TA2),
                       kZ5ResultSmall));
        e.push_back(z5("TA3", F::Savings, 9, "",
                       "回数を定め定期に一定割合で貯蓄額を増額して所定期間後に期待する複利の元利合計を得るた"
                       "めの初回の貯蓄額",
                       {"期待する元利合計", "区間利率", "貯蓄増加率", "貯蓄回数"},
                       "回数を定め一定割合で貯蓄額を増額し所定の複利の元利合計を得るための初回貯蓄額",
                       {"期待する元利合計=", "区間利率=", "貯蓄増加率=", "貯蓄回数="},
                       "回数を定め一定割合で貯蓄額を増額し所定の複利の元利合計を得るための初回貯蓄額=",
                       single(f::TA3), LabelLayout{3105, 975, 8.0}));
        // Annuities
        e.push_back(z2("NC", F::Annuity, 1, "", "所定期間定額の年金を受領する当初預託金",
                       {"1回の年金額", "期間配当率", "期間数"}, "所定期間定額の年金を受領する当初預託金",
                       {"1回の年金額=", "期間配当率=", "期間数="},
                       "所定期間定額の年金を受領する当初預託金=", single(f::NC)));
        e.push_back(z2("NA", F::Annuity, 2, "", "1回の年金受領額", {"当初の原資", "期間配当率", "期間数"},
                       "1回の年金受領額", {"当初の原資=", "期間配当率=", "期間数="},
                       "1年の年金受領額=", single(f::NA), kZ2ResultLow));
        e.push_back(z2("NN", F::Annuity, 3, "", "年金受領可能期間数",
                       {"1回の年金額", "当初の原資", "期間配当率"}, "年金受領可能期間数",
                       {"1回の年金額=", "当初の原資=", "期間配当率="}, "年金受領可能期間数=", single(f::NN)));
        e.push_back(z5("NC2", F::Annuity, 4, "", "インフレを加味した年金受領のために必要な当初原資",
                       {"初年度の年金額", "期間インフレ率", "期間配当率", "期間数"},
                       "インフレを加味した年金受領のために必要な当初原資",
                       {"初年度の年金額=", "期間インフレ率=", "期間配当率=", "期間数="},
                       "インフレを加味した年金受領のために必要な当初原資=", single(f::NC2)));
        e.push_back(z5("NN2", F::Annuity, 5, "", "インフレを加味した年金受領可能期間数",
                       {"原資の預託可能額", "初年度の年金額", "期間インフレ率", "期間配当率"},
                       "インフレを加味した年金受領可能期間数",
                       {"原資の預託可能額=", "初年度の年金額=", "期間インフレ率=", "期間配当率="},
                       "インフレを加味した年金受領可能期間数=", single(f::NN2)));
        // Instalment loans
        e.push_back(z3("KAA", F::Installment, 1, "KA", "元金均等償還方式における各回次の元利合計返済額",
                       {"当初借入額", "返済回数", "返済間隔間の利率"}, "回数",
                       "元金均等償還方式における各回次の元利合計返済額", kUnset, kZ3Head8,
                       {"当初借入額=", "返済回数=", "返済間隔間の利率="},
                       "回数　　元金均等償還方式における各回次の元利合計返済額",
                       table(f::KAA_row, 1, false, 6, 5)));
        e.push_back(z2("KAP", F::Installment, 2, "KA", "元金均等償還方式の全期間の利息合計",
                       {"当初借入額", "返済回数", "返済間隔間の利率"}, "元金均等償還方式の全期間の利息合計",
                       {"当初借入額=", "返済回数=", "返済間隔間の利率="},
                       "元金均等償還方式の全期間の利息合計=", single(f::KAP)));
        e.push_back(z2("KA2C", F::Installment, 3, "KA2", "元利均等償還方式における毎返済回次の均等返済額",
                       {"当初借入額", "返済間隔間の利率", "返済回数"},
                       "元利均等償還方式における毎返済回次の均等返済額",
                       {"当初借入額=", "返済間隔間の利率=", "返済回数="},
                       "元利均等償還方式における毎返済回次の均等返済額=", single(f::KA2C)));
        e.push_back(z2("KA2N", F::Installment, 4, "KA2", "元利均等償還方式の返済回数",
                       {"毎回均等の返済額", "当初借入額", "返済間隔間の利率"}, "元利均等償還方式の返済回数",
                       {"毎回均等の返済額=", "当初借入額=", "返済間隔間の利率="},
                       "元利均等償還方式の返済回数=", single(f::KA2N)));
        e.push_back(z2("KA2P", F::Installment, 5, "KA2", "元利均等償還方式による借入可能額",
                       {"毎回均等の返済額", "返済間隔間の利率", "返済回数"},
                       "元利均等償還方式による借入可能額",
                       {"毎回均等の返済額=", "返済間隔間の利率=", "返済回数="},
                       "元利均等償還方式による借入可能額=", single(f::KA2P)));
        e.push_back(z3("KA2A", F::Installment, 6, "KA2", "元利均等償還方式における中間時点の借入金元金残高",
                       {"毎回均等の返済額", "返済間隔間の利率", "残っている返済回数"}, "回数",
                       "元利均等償還方式における中間時点の借入金元金残高", kUnset, kZ3Head8,
                       {"毎回均等の返済額=", "返済間隔間の利率=", "残っている返済回数="},
                       "回数　　元利均等償還方式における中間時点の借入金元金残高",
                       table(f::KA2A_row, 2, true, 6, 3)));
        e.push_back(z2("KA3A", F::Installment, 7, "KA3", "アドオン方式の利息合計",
                       {"当初借入額", "利率", "期間"}, "アドオン方式の利息合計",
                       {"当初借入額=", "利率=", "期間="}, "アドオン方式の利息合計=", single(f::KA3A)));
        e.push_back(z5("KA3C", F::Installment, 8, "KA3", "アドオン方式の毎回の元利合計返済額",
                       {"当初借入額", "利率", "期間", "返済回数"}, "アドオン方式の毎回の元利合計返済額",
                       {"当初借入額=", "利率=", "期間=", "返済回数="},
                       "アドオン方式の毎回の元利合計返済額=", single(f::KA3C)));
        e.push_back(CatalogueEntry{"KA3R",
                                   F::Installment,
                                   9,
                                   W::Zovan4,
                                   "KA3",
                                   "アドオン方式による表示利率(月次返済の場合）",
                                   {"元利均等償還方式における利率(実質金利)", "返済月数"},
                                   "アドオン方式による表示利率(月次返済の場合)",
                                   "",
                                   LabelLayout{320, -1, 8.7},
                                   8.7,
                                   LabelLayout{-1, -1, 8.7},
                                   0.0,
                                   {"元利金等償還方式における利率(実質金利)=", "返済月数="},
                                   "アドオン方式による表示利率(月次返済の場合)=",
                                   single(f::KA3R, 5)});
        e.push_back(z5("KA4C", F::Installment, 10, "KA4", "元利合計返済額逓増方式の第１回の返済額",
                       {"当初借入額", "返済間隔間の利率", "返済回次毎の返済額増加率", "返済回数"},
                       "元利合計返済額逓増方式の第1回の返済額",
                       {"当初借入額=", "返済間隔間の利率=", "返済回次毎の返済額増加率=", "返済回数="},
                       "元利合計返済額逓増方式の第1回の返済額=", single(f::KA4C)));
        e.push_back(z5("KA4A", F::Installment, 11, "KA4", "元利合計返済額逓増方式による借入可能額",
                       {"第1回次の返済額", "返済間隔間の利率", "返済回次毎の返済額増加率", "返済回数"},
                       "元利合計返済額逓増方式による借入可能額",
                       {"第1回次の返済額=", "返済間隔間の利率=", "返済回次毎の返済額増加率=", "返済回数="},
                       "元利合計返済額逓増方式による借入可能額=", single(f::KA4A)));
        e.push_back(z5("KA4N", F::Installment, 12, "KA4", "元利合計返済額逓増方式の返済期間(回数)",
                       {"当初借入額", "返済間隔間の利率", "返済回次毎の返済額増加率", "第1回次の返済額"},
                       "元利合計返済額逓増方式の返済期間(回数)",
                       {"当初借入額=", "返済間隔間の利率=", "返済回次毎の返済額増加率=", "第1回次の返済額="},
                       "元利合計返済額逓増方式の返済期間(回数)=", single(f::KA4N)));
        return e;
    }();
    return kEntries;
}

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

std::string_view labelName(int k) {
    static constexpr std::array<std::string_view, 7> kNames{"",       "Label1", "Label2", "Label3",
                                                            "Label4", "Label5", "Label6"};
    return kNames.at(static_cast<std::size_t>(k));
}

std::string_view textName(int k) {
    static constexpr std::array<std::string_view, 7> kNames{"",      "Text1", "Text2", "Text3",
                                                            "Text4", "Text5", "Text6"};
    return kNames.at(static_cast<std::size_t>(k));
}

void setLayout(std::vector<DressStep>& steps, std::string_view control, const LabelLayout& layout) {
    if (layout.top >= 0) steps.push_back({control, DressProperty::Top, static_cast<double>(layout.top)});
    if (layout.height >= 0)
        steps.push_back({control, DressProperty::Height, static_cast<double>(layout.height)});
    if (layout.fontSize > 0) steps.push_back({control, DressProperty::FontSize, layout.fontSize});
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
    return entries();
}

const CatalogueEntry* findEntry(std::string_view item) {
    const auto& all = entries();
    const auto it =
        std::find_if(all.begin(), all.end(), [&](const CatalogueEntry& e) { return e.item == item; });
    return it == all.end() ? nullptr : &*it;
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
    std::vector<DressStep> steps;
    steps.reserve(24);

    // Input labels: Label1's font and position first, then the captions.
    if (entry.label1.fontSize > 0)
        steps.push_back({"Label1", DressProperty::FontSize, entry.label1.fontSize});
    if (entry.label1.top >= 0)
        steps.push_back({"Label1", DressProperty::Top, static_cast<double>(entry.label1.top)});
    if (entry.otherInputLabelsFont > 0) {
        for (int k = 2; k <= inputs; ++k)
            steps.push_back({labelName(k), DressProperty::FontSize, entry.otherInputLabelsFont});
    }
    for (int k = 1; k <= inputs; ++k)
        steps.push_back(
            {labelName(k), DressProperty::Caption, 0.0, entry.labels.at(static_cast<std::size_t>(k - 1))});

    for (int k = 1; k <= inputs; ++k)
        steps.push_back({textName(k), DressProperty::ClearText});

    // Result label(s).
    if (entry.window == W::Zovan3) {
        steps.push_back({"Label4", DressProperty::Visible, 1.0});
        steps.push_back({"Label5", DressProperty::Visible, 1.0});
        if (entry.columnFont > 0) steps.push_back({"Label4", DressProperty::FontSize, entry.columnFont});
        steps.push_back({"Label4", DressProperty::Caption, 0.0, entry.columnHead});
    }
    setLayout(steps, win.resultLabel, entry.result);
    steps.push_back({win.resultLabel, DressProperty::Caption, 0.0, entry.resultCaption});

    if (entry.window == W::Zovan3) {
        steps.push_back({"List1", DressProperty::ClearList});
    } else {
        steps.push_back({win.resultBox, DressProperty::ClearText});
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
                    for (const CatalogueEntry& e : entries())
                        if (e.family == fam.family && e.submenu == sub.name)
                            subNode.children.push_back(calcNode(e));
                    title.children.push_back(std::move(subNode));
                }
            } else {
                for (const CatalogueEntry& e : entries())
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
