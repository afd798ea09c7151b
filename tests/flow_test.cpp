// The compute flow as a window sees it: tables with their exact spacing, print jobs, the input
// message, the error trap after partial work, and the row limit.
#include "compute/flow.h"
#include "compute/record.h"
#include "support/gtest_helpers.h"

#include <gtest/gtest.h>

namespace kinri {
namespace {

using enum CalcErrorReason;
using test::sp;

struct TableCase {
    const char* name;
    const char* item;
    std::vector<std::string> inputs;
    std::vector<std::string> list;
};

class TableRows : public ::testing::TestWithParam<TableCase> {};

TEST_P(TableRows, ListsEveryRowWithItsExactSpacing) {
    const TableCase& c = GetParam();
    const Outcome out = runCalculation(c.item, c.inputs, false);
    EXPECT_EQ(out.message, Message::None);
    EXPECT_TRUE(out.listEmptied);
    EXPECT_FALSE(out.resultText.has_value());
    EXPECT_EQ(out.listLines, c.list);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, TableRows,
    ::testing::Values(TableCase{"SA",
                                "SA",
                                {"1000", "0.1", "3"},
                                {sp(4) + "1" + sp(5) + "1100.000", sp(4) + "2" + sp(5) + "1200.000",
                                 sp(4) + "3" + sp(5) + "1300.000"}},
                      TableCase{"SA_no_rows", "SA", {"1000", "0.1", "0"}, {}},
                      TableCase{"SA_rows_never_convert_unused_inputs", "SA", {"abc", "xyz", "0.5"}, {}},
                      TableCase{"FA",
                                "FA",
                                {"1000", "0.05", "3"},
                                {sp(4) + "1" + sp(5) + "1050.000", sp(4) + "2" + sp(5) + "1102.500",
                                 sp(4) + "3" + sp(5) + "1157.625"}},
                      TableCase{"FA_fractional_bound",
                                "FA",
                                {"1000", "0.05", "3.7"},
                                {sp(4) + "1" + sp(5) + "1050.000", sp(4) + "2" + sp(5) + "1102.500",
                                 sp(4) + "3" + sp(5) + "1157.625"}},
                      TableCase{"FA_negative_bound", "FA", {"1000", "0.05", "-2"}, {}},
                      TableCase{"FA_zero_principal",
                                "FA",
                                {"0", "0.05", "2"},
                                {sp(4) + "1" + sp(5) + "0", sp(4) + "2" + sp(5) + "0"}},
                      TableCase{"FA_rate_minus_one", "FA", {"1000", "-1", "1"}, {sp(4) + "1" + sp(5) + "0"}},
                      TableCase{"KAA_fractional_count",
                                "KAA",
                                {"1200000", "2.5", "0.005"},
                                {sp(4) + "1" + sp(6) + "486000.00000", sp(4) + "2" + sp(6) + "483600.00000"}},
                      TableCase{"KAA_zero_count", "KAA", {"1200000", "0", "0.005"}, {}},
                      TableCase{"KA2A",
                                "KA2A",
                                {"88848.79", "0.01", "3"},
                                {sp(4) + "3" + sp(6) + "261302.977", sp(4) + "2" + sp(6) + "175067.217",
                                 sp(4) + "1" + sp(6) + "87969.099"}},
                      TableCase{"KA2A_half_count", "KA2A", {"88848.79", "0.01", "0.5"}, {}},
                      TableCase{
                          "KA2A_fractional_count",
                          "KA2A",
                          {"88848.79", "0.01", "2.5"},
                          {sp(4) + "2.5" + sp(6) + "218292.356", sp(4) + "1.5" + sp(6) + "131626.490"}}),
    [](const auto& info) { return test::caseName(info.index, info.param.name); });

TEST(Tables, IndentShrinksAtTenAndHundredAndStaysFromThousand) {
    const Outcome out = runCalculation("FA", {"1", "0", "1200"}, false);
    ASSERT_EQ(out.listLines.size(), 1200u);
    EXPECT_EQ(out.listLines[8], sp(4) + "9" + sp(5) + "1.000");
    EXPECT_EQ(out.listLines[9], sp(3) + "10" + sp(5) + "1.000");
    EXPECT_EQ(out.listLines[99], sp(2) + "100" + sp(5) + "1.000");
    EXPECT_EQ(out.listLines[999], sp(2) + "1000" + sp(5) + "1.000");
    EXPECT_EQ(out.listLines[1199], sp(2) + "1200" + sp(5) + "1.000");
}

TEST(Tables, TenThousandRowsPrintAndTheNextRowIsAnError) {
    const Outcome ok = runCalculation("FA", {"1", "0", "10000"}, true);
    EXPECT_EQ(ok.message, Message::None);
    EXPECT_EQ(ok.listLines.size(), 10000u);
    EXPECT_EQ(ok.printJob.size(), 12u + 3u + 10000u);
    EXPECT_EQ(ok.printJob.back().text, sp(2) + "10000" + sp(5) + "1.000");

    const Outcome over = runCalculation("FA", {"1", "0", "10001"}, true);
    EXPECT_EQ(over.message, Message::CalculationError);
    EXPECT_EQ(over.error, RowLimit);
    ASSERT_EQ(over.listLines.size(), 10001u);
    EXPECT_EQ(over.listLines.back(), sp(2) + "10001" + sp(5) + "1.000");
    EXPECT_TRUE(over.printJob.empty());

    // Descending from beyond the limit fails on its first row, which is still listed.
    const Outcome down = runCalculation("KA2A", {"1", "0.01", "20000"}, true);
    EXPECT_EQ(down.error, RowLimit);
    EXPECT_EQ(down.listLines.size(), 1u);
    EXPECT_TRUE(down.printJob.empty());
}

TEST(Tables, RowsBeforeAFailingRowStayListed) {
    // 1e300 × 10^k overflows from row 9 on.
    const Outcome out = runCalculation("FA", {"1e300", "9", "20"}, false);
    EXPECT_EQ(out.message, Message::CalculationError);
    EXPECT_EQ(out.error, Overflow);
    EXPECT_EQ(out.listLines.size(), 8u);
}

TEST(Tables, UnconvertibleBoundIsAnErrorBeforeAnyRow) {
    const Outcome out = runCalculation("FA", {"1000", "0.05", "三"}, false);
    EXPECT_EQ(out.error, NotANumber);
    EXPECT_TRUE(out.listLines.empty());
    EXPECT_TRUE(out.listEmptied);
}

struct PrintCase {
    const char* item;
    std::vector<std::string> inputs;
    std::vector<std::string> afterHeader; // lines after the eight blanks
};

class PrintLines : public ::testing::TestWithParam<PrintCase> {};

// Eight blank lines, then the lines of the case; every text line at column 34, blank lines at 0.
// The values, where a line may never break, are the inputs as typed and the result; breaks lie
// inside the caption, between two characters.
TEST_P(PrintLines, PrintsInputsAsTypedAndTheResultBoxText) {
    const PrintCase& c = GetParam();
    const Outcome out = runCalculation(c.item, c.inputs, true);
    ASSERT_EQ(out.message, Message::None);
    std::vector<std::string> texts, values;
    for (const PrintLine& line : out.printJob) {
        texts.push_back(line.text);
        EXPECT_EQ(line.column, line.text.empty() ? 0 : kPrintColumn) << line.text;
        if (line.valueStart != PrintLine::kNoValue) values.push_back(line.text.substr(line.valueStart));
        for (const BreakPoint& b : line.breaks)
            EXPECT_TRUE(b.offset > 0 && b.offset < std::min(line.valueStart, line.text.size()) &&
                        (line.text[b.offset] & 0xC0) != 0x80)
                << line.text << " at " << b.offset;
    }
    std::vector<std::string> expected(8, "");
    expected.insert(expected.end(), c.afterHeader.begin(), c.afterHeader.end());
    EXPECT_EQ(texts, expected);
    std::vector<std::string> typed = c.inputs;
    if (out.resultText) typed.push_back(*out.resultText);
    EXPECT_EQ(values, typed);

    // The calculation is the one value of the click: its printout is the job, its conditions the
    // header and input lines, its outcome what the window shows.
    ASSERT_TRUE(out.calculation.has_value());
    const Calculation& calc = *out.calculation;
    EXPECT_EQ(calc.entry, findEntry(c.item));
    EXPECT_EQ(calc.inputs, c.inputs);
    EXPECT_EQ(calc.resultText, out.resultText);
    EXPECT_EQ(texts.size(), calc.printout.size());
    std::vector<std::string> conditions;
    for (const PrintLine& line : calc.conditions)
        conditions.push_back(line.text);
    EXPECT_EQ(conditions[0], texts[kHeaderLine]);
    EXPECT_EQ(
        std::vector(conditions.begin() + 1, conditions.end()),
        std::vector(texts.begin() + kHeaderLine + 2, texts.begin() + kHeaderLine + 2 + c.inputs.size()));
    EXPECT_EQ(calc.title, "金利計算 – " + std::string(familyInfo(calc.entry->family).menuCaption));
}

INSTANTIATE_TEST_SUITE_P(
    PrintJob, PrintLines,
    ::testing::Values(
        // labels on paper differ from the window's in SC, TA, TC, NA and KA3R
        PrintCase{"SC",
                  {"900000", "0.05", "2"},
                  {"☆☆単利の利息計算☆☆", "", "手取額=900000", "利率=0.05", "期間=2", "",
                   "利息先払いの元金(期日支払額面)=1000000.000"}},
        PrintCase{"TA",
                  {"10000", "0.01", "12"},
                  {"☆☆積立金の利息計算☆☆", "", "1回の積立額=10000", "期間利率=0.01", "積立回数=12", "",
                   "任意期間の中間の定期・定額の積立複利の元利合計(年金終価額)=126825.030"}},
        PrintCase{"TC",
                  {"10000", "0.01", "12"},
                  {"☆☆積立金の利息計算☆☆", "", "1回の積立額=10000", "期間利率=0.01", "積立回数=12", "",
                   "回数を定めた定期・定額の複利積立の元利合計=128093.280"}},
        PrintCase{"NA",
                  {"1000000", "0.05", "10"},
                  {"☆☆年金の計算☆☆", "", "当初の原資=1000000", "期間配当率=0.05", "期間数=10", "",
                   "1年の年金受領額=129504.575"}},
        PrintCase{"KA3R",
                  {"0.01", "12"},
                  {"☆☆割賦返済の計算☆☆", "", "元利金等償還方式における利率(実質金利)=0.01", "返済月数=12", "",
                   "アドオン方式による表示利率(月次返済の場合)=0.00552"}},
        PrintCase{"NC",
                  {"100000", "0.05", "10"},
                  {"☆☆年金の計算☆☆", "", "1回の年金額=100000", "期間配当率=0.05", "期間数=10", "",
                   "所定期間定額の年金を受領する当初預託金=772173.493"}},
        PrintCase{"NC",
                  {"100000", "+0.050", "0"},
                  {"☆☆年金の計算☆☆", "", "1回の年金額=100000", "期間配当率=+0.050", "期間数=0", "",
                   "所定期間定額の年金を受領する当初預託金=0"}},
        PrintCase{"TA3",
                  {"142830.9320748815", "0.01", "0.02", " 1.2e1"},
                  {"☆☆積立金の利息計算☆☆", "", "期待する元利合計=142830.9320748815", "区間利率=0.01",
                   "貯蓄増加率=0.02", "貯蓄回数= 1.2e1", "",
                   "回数を定め一定割合で貯蓄額を増額し所定の複利の元利合計を得るための初回貯蓄額=10000.000"}},
        PrintCase{"FA",
                  {"1000", "0.05", "3"},
                  {"☆☆複利の利息計算☆☆", "", "元金=1000", "利率=0.05", "期間=3", "", "期間　　複利の元利合計",
                   "     1     1050.000", "     2     1102.500", "     3     1157.625"}},
        PrintCase{
            "SA",
            {"1000", "0.1", "0"},
            {"☆☆単利の利息計算☆☆", "", "元金=1000", "利率=0.1", "期間=0", "", "期間　　単利の元利合計"}},
        PrintCase{"KAA",
                  {"1200000", "12", "0.005"},
                  {"☆☆割賦返済の計算☆☆", "", "当初借入額=1200000", "返済回数=12", "返済間隔間の利率=0.005",
                   "", "回数　　元金均等償還方式における各回次の元利合計返済額", "     1     106000.00000",
                   "     2     105500.00000", "     3     105000.00000", "     4     104500.00000",
                   "     5     104000.00000", "     6     103500.00000", "     7     103000.00000",
                   "     8     102500.00000", "     9     102000.00000", "   10     101500.00000",
                   "   11     101000.00000", "   12     100500.00000"}},
        // Fractional remaining counts: each row printed once, in the order listed.
        PrintCase{"KA2A",
                  {"88848.79", "0.01", "2.5"},
                  {"☆☆割賦返済の計算☆☆", "", "毎回均等の返済額=88848.79", "返済間隔間の利率=0.01",
                   "残っている返済回数=2.5", "", "回数　　元利均等償還方式における中間時点の借入金元金残高",
                   "     2.5     218292.356", "     1.5     131626.490"}},
        PrintCase{"KA2A",
                  {"88848.79", "0.01", "0.5"},
                  {"☆☆割賦返済の計算☆☆", "", "毎回均等の返済額=88848.79", "返済間隔間の利率=0.01",
                   "残っている返済回数=0.5", "",
                   "回数　　元利均等償還方式における中間時点の借入金元金残高"}}),
    [](const auto& info) { return test::caseName(info.index, info.param.item); });

// Printing off, the calculation still carries the printout that printing on sends; a click that
// fails produces none.
TEST(PrintJob, NothingIsPrintedWithPrintingOffOrAfterAFailure) {
    const Outcome off = runCalculation("SP", {"1", "2", "3"}, false);
    EXPECT_TRUE(off.printJob.empty());
    ASSERT_TRUE(off.calculation.has_value());
    EXPECT_EQ(test::jobTexts(off.calculation->printout),
              test::jobTexts(runCalculation("SP", {"1", "2", "3"}, true).printJob));
    for (const Outcome& failed :
         {runCalculation("SC", {"900000", "0.5", "2"}, true), runCalculation("SP", {"1", "", "3"}, true),
          runCalculation("FA", {"1", "0", "10001"}, true)}) {
        EXPECT_TRUE(failed.printJob.empty());
        EXPECT_FALSE(failed.calculation.has_value());
    }
}

struct InputCheckCase {
    const char* item;
    std::vector<std::string> inputs;
};

class InputCheck : public ::testing::TestWithParam<InputCheckCase> {};

TEST_P(InputCheck, AnEmptyUsedBoxStopsTheClickBeforeAnything) {
    const Outcome out = runCalculation(GetParam().item, GetParam().inputs, true);
    EXPECT_EQ(out.message, Message::InputRequired);
    EXPECT_FALSE(out.resultText.has_value());
    EXPECT_TRUE(out.listLines.empty());
    EXPECT_TRUE(out.printJob.empty());
}

INSTANTIATE_TEST_SUITE_P(Flow, InputCheck,
                         ::testing::Values(InputCheckCase{"SP", {"", "0.05", "3"}},
                                           InputCheckCase{"SP", {"1000", "0.05", ""}},
                                           InputCheckCase{"FA", {"1000", "", "3"}},
                                           InputCheckCase{"KA3R", {"0.01", ""}},
                                           InputCheckCase{"KA4N", {"1", "2", "3", ""}},
                                           InputCheckCase{"KA4N", {"1", "2", "3"}}), // a missing box is empty
                         [](const auto& info) { return test::caseName(info.index, info.param.item); });

TEST(Flow, ABoxOfSpacesIsNotEmptyButNotANumber) {
    EXPECT_EQ(runCalculation("SP", {" ", "0.05", "3"}, false).error, NotANumber);
}

TEST(Flow, StoresInputsAndResultAndReadsOnlyTheSelection) {
    AppState state;
    state.reset();
    const std::vector<std::string> boxes{"1000", "0.05", "3"};

    // Nothing selected: the click does nothing (but ZOVAN3 still empties its list).
    Outcome none = computeClick(state, WindowId::Zovan3, boxes);
    EXPECT_TRUE(none.listEmptied);
    EXPECT_EQ(none.message, Message::None);
    EXPECT_TRUE(none.listLines.empty());
    EXPECT_EQ(state.calculations, 0u);

    // SA chosen, back to the menu, then FA: the compound table runs, not the simple one.
    state.select(*findEntry("SA"));
    state.returnToMenu(windowInfo(WindowId::Zovan3));
    state.select(*findEntry("FA"));
    EXPECT_EQ(state.code(CalcFamily::Simple), 0);
    EXPECT_EQ(state.code(CalcFamily::Compound), 1);
    const Outcome fa = computeClick(state, WindowId::Zovan3, boxes);
    ASSERT_EQ(fa.listLines.size(), 3u);
    EXPECT_EQ(fa.listLines[2], sp(4) + "3" + sp(5) + "1157.625");
    EXPECT_EQ(state.inputs[0], "1000");
    EXPECT_EQ(state.inputs[2], "3");
    EXPECT_DOUBLE_EQ(state.result, 1157.625);
    ASSERT_TRUE(fa.calculation.has_value());
    EXPECT_DOUBLE_EQ(fa.calculation->result, 1157.625);
    EXPECT_EQ(fa.calculation->number, 1u);

    // An empty box stores nothing and computes nothing; each click that computes counts once.
    const std::vector<std::string> partial{"2000", "", "3"};
    EXPECT_EQ(computeClick(state, WindowId::Zovan3, partial).message, Message::InputRequired);
    EXPECT_EQ(state.inputs[0], "1000");
    EXPECT_EQ(state.calculations, 1u);
    EXPECT_EQ(computeClick(state, WindowId::Zovan3, boxes).calculation->number, 2u);
    EXPECT_EQ(state.calculations, 2u);
}

TEST(Flow, UnknownItemDoesNothing) {
    const Outcome out = runCalculation("XX", {"1", "2", "3"}, true);
    EXPECT_EQ(out.message, Message::None);
    EXPECT_FALSE(out.resultText.has_value());
}

// The record keeps the newest calculations within both bounds and counts what it let go.
TEST(Record, KeepsTheNewestWithinItsBounds) {
    const Calculation sp = *runCalculation("SP", {"1000000", "0.05", "3"}, true).calculation;
    CalculationRecord one;
    one.append(sp);
    const std::size_t size = one.bytes();
    struct Case {
        std::size_t maxEntries, maxBytes, appended, kept;
    } const cases[] = {
        {3, 100 * size, 5, 3}, {1000, 2 * size, 5, 2}, {1000, size - 1, 2, 1}, {1000, 5 * size, 5, 5}};
    for (const Case& c : cases) {
        CalculationRecord record(c.maxEntries, c.maxBytes);
        for (std::size_t i = 0; i < c.appended; ++i) {
            Calculation numbered = sp;
            numbered.number = i;
            record.append(std::move(numbered));
        }
        ASSERT_EQ(record.entries().size(), c.kept) << c.maxEntries << " " << c.maxBytes;
        EXPECT_EQ(record.dropped(), c.appended - c.kept);
        EXPECT_EQ(record.entries().back().calculation->number, c.appended - 1); // the newest stays
    }
    // A long table takes its rows twice (as listed and as printed), and is counted so.
    const Calculation table = *runCalculation("FA", {"1", "0.01", "5000"}, false).calculation;
    EXPECT_GT(CalculationRecord::sizeOf(table), 5000 * 2 * sizeof(std::string));

    const std::string text = recordText({one.entries().front().calculation.get()});
    const std::string copied = printText(sp.printout);
    EXPECT_TRUE(text.starts_with("☆☆単利の利息計算☆☆　20")) << text;
    EXPECT_EQ(text.substr(text.find('\n')), copied.substr(copied.find('\n'))) << text;
}

} // namespace
} // namespace kinri
