// The built-in help has a page for every calculation, reached from the contents in menu order,
// and each page's worked example shows exactly what the program computes for those inputs.
#include "catalogue/catalogue.h"
#include "compute/flow.h"
#include "schedule/plan.h"
#include "schedule/schedule.h"
#include "support/worked_examples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

namespace kinri {
namespace {

std::string readPage(std::string_view name) {
    std::ifstream in(std::string(KINRI_HELP_DIR) + "/" + std::string(name), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> allMatches(const std::string& text, const std::regex& re) {
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        out.push_back((*it)[1].str());
    return out;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(HelpPages, ContentsLinksEveryCalculationInMenuOrderByItsMenuCaption) {
    const std::string index = readPage("index.html");
    ASSERT_FALSE(index.empty());
    const std::regex link(R"re(<a href="([A-Z0-9]+)\.html">([^<]*)</a>)re");
    std::vector<std::pair<std::string, std::string>> links;
    for (auto it = std::sregex_iterator(index.begin(), index.end(), link); it != std::sregex_iterator(); ++it)
        links.emplace_back((*it)[1].str(), (*it)[2].str());
    std::vector<std::pair<std::string, std::string>> expected;
    for (const CatalogueEntry& e : catalogue())
        expected.emplace_back(std::string(e.item), std::string(e.menuCaption));
    EXPECT_EQ(links, expected);
    EXPECT_NE(index.find("href=\"usage.html\""), std::string::npos);
}

// Everything the keyboard can do is told on the usage page.
TEST(HelpPages, UsagePageListsEveryKey) {
    const std::string usage = readPage("usage.html");
    ASSERT_FALSE(usage.empty());
    EXPECT_NE(usage.find("<title>使い方</title>"), std::string::npos);
    for (const char* key : {"Tab", "Shift+Tab", "Space", "Enter", "Alt", "F1", "F10", "Ctrl+C", "Ctrl+A",
                            "Ctrl+Shift+C", "Esc", "計算条件と結果をコピー", "すべてコピー"})
        EXPECT_NE(usage.find(key), std::string::npos) << key;
}

class CalculationPage : public ::testing::TestWithParam<const CatalogueEntry*> {};

TEST_P(CalculationPage, WorkedExampleMatchesTheCore) {
    const CatalogueEntry& e = *GetParam();
    const std::string page = readPage(std::string(e.item) + ".html");
    ASSERT_FALSE(page.empty()) << e.item << ".html is missing";
    EXPECT_NE(page.find("<h1>" + std::string(e.menuCaption) + "</h1>"), std::string::npos) << e.item;
    // The help window adds the help's name to a page's title itself.
    EXPECT_NE(page.find("<title>" + std::string(e.menuCaption) + "</title>"), std::string::npos) << e.item;
    EXPECT_NE(page.find("href=\"index.html\""), std::string::npos) << e.item;

    const auto inputs = allMatches(page, std::regex(R"re(<td class="input">([^<]*)</td>)re"));
    ASSERT_EQ(static_cast<int>(inputs.size()), windowInfo(e.window).inputCount) << e.item;
    // The tests' and benchmarks' table of worked examples is the help's.
    const auto example = std::find_if(examples::kExamples.begin(), examples::kExamples.end(),
                                      [&](const examples::Example& x) { return x.item == e.item; });
    ASSERT_NE(example, examples::kExamples.end()) << e.item;
    for (std::size_t k = 0; k < inputs.size(); ++k)
        EXPECT_EQ(inputs[k], example->inputs.at(k)) << e.item;

    const Outcome out = runCalculation(e.item, inputs, false);
    ASSERT_EQ(out.message, Message::None) << e.item;
    if (e.calc.isTable()) {
        const auto rows = allMatches(page, std::regex(R"re(<pre class="rows">([^<]*)</pre>)re"));
        ASSERT_EQ(rows.size(), 1u) << e.item;
        EXPECT_EQ(splitLines(rows.front()), out.listLines) << e.item;
    } else {
        const auto results = allMatches(page, std::regex(R"re(<td class="result">([^<]*)</td>)re"));
        ASSERT_EQ(results.size(), 1u) << e.item;
        ASSERT_TRUE(out.resultText.has_value());
        EXPECT_EQ(results.front(), *out.resultText) << e.item;
    }
}

std::vector<const CatalogueEntry*> allEntries() {
    std::vector<const CatalogueEntry*> out;
    for (const CatalogueEntry& e : catalogue())
        out.push_back(&e);
    return out;
}

INSTANTIATE_TEST_SUITE_P(HelpPages, CalculationPage, ::testing::ValuesIn(allEntries()),
                         [](const auto& info) { return std::string(info.param->item); });

// The plan page's worked example (35,000,000 yen, 1.5 %, 35 years, 1,000,000 prepaid after five
// years) reads as the plan computes it, figure by figure, in both roundings.
TEST(HelpPages, PlanExampleIsWhatThePlanComputes) {
    const std::string page = readPage("plan.html");
    ASSERT_FALSE(page.empty());
    // 107,164円, or in thousandths 107,164.554円
    const auto shown = [](plan::Yen units, int decimals) {
        const plan::Yen unit = decimals == 0 ? 1 : 1000;
        std::string digits = std::to_string(units / unit);
        for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
            digits.insert(static_cast<std::size_t>(at), 1, ',');
        return digits + (decimals == 0 ? "" : shownUnits(units % unit + unit, 3).substr(1)) + "円";
    };
    for (const plan::Rounding rounding : {plan::Rounding::Yen, plan::Rounding::Program}) {
        plan::Plan p;
        p.loan = plan::Loan{35'000'000, *plan::Rate::percent("1.5"), 35, 12, plan::Method::Level, 2027, 1};
        p.rounding = rounding;
        const plan::Result none = plan::run(p);
        std::vector<plan::Yen> figures{none.firstPayment, none.rows[59].balance, none.totalInterest};
        if (rounding == plan::Rounding::Yen)
            figures.insert(figures.end(),
                           {none.rows[0].interest, none.rows[0].principal, none.rows[0].balance});
        for (const plan::Prepay type : {plan::Prepay::ShortenTerm, plan::Prepay::LowerPayment}) {
            p.prepayments = {{60, 1'000'000, type, 0}};
            const plan::Result r = plan::run(p);
            figures.insert(figures.end(),
                           {r.rows[59].balance, r.rows[60].interest, r.rows[60].payment,
                            r.rows.back().payment, r.totalInterest, none.totalInterest - r.totalInterest});
        }
        for (const plan::Yen y : figures)
            EXPECT_NE(page.find(shown(y, none.decimals)), std::string::npos) << shown(y, none.decimals);
    }

    // The other events on the same loan, in whole yen: a rate change, the five-year rule with its
    // unpaid interest, a bonus part.
    plan::Plan p;
    p.loan = plan::Loan{35'000'000, *plan::Rate::percent("1.5"), 35, 12, plan::Method::Level, 2027, 1};
    p.rateChanges = {{61, *plan::Rate::percent("2.5"), false}};
    const plan::Result rate = plan::run(p);
    p.rateChanges = {{62, *plan::Rate::percent("5"), true}};
    const plan::Result rule = plan::run(p);
    p.rateChanges.clear();
    p.bonus = plan::Bonus{5'000'000, {6, 12}};
    const plan::Result bonus = plan::run(p);
    for (const plan::Yen y :
         {rate.rows[60].interest, rate.rows[60].payment, rate.lastPayment, rate.totalInterest,
          rule.rows[61].unpaid, rule.rows[119].unpaid, rule.rows[120].payment, rule.rows[120].unpaid,
          rule.rows[180].payment, rule.lastPayment, rule.totalInterest, bonus.firstPayment,
          bonus.rows[0].interest, bonus.rows[5].payment, bonus.totalInterest})
        EXPECT_NE(page.find(shown(y, 0)), std::string::npos) << shown(y, 0);
}

} // namespace
} // namespace kinri
