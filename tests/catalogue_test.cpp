#include "catalogue/catalogue.h"
#include "compute/app_state.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace kinri {
namespace {

TEST(Catalogue, CodesNumberEachFamilyInMenuOrderFromOne) {
    std::map<CalcFamily, int> next;
    std::set<std::string_view> items;
    for (const CatalogueEntry& e : catalogue()) {
        EXPECT_EQ(e.code, ++next[e.family]) << e.item;
        EXPECT_TRUE(items.insert(e.item).second) << "duplicate " << e.item;
    }
    EXPECT_EQ(catalogue().size(), 37u);
    EXPECT_EQ(next[CalcFamily::Simple], 7);
    EXPECT_EQ(next[CalcFamily::Compound], 4);
    EXPECT_EQ(next[CalcFamily::Savings], 9);
    EXPECT_EQ(next[CalcFamily::Annuity], 5);
    EXPECT_EQ(next[CalcFamily::Installment], 12);
}

// Each window hosts its share of the calculations (23, 4, 1 and 9), tests exactly those, and has
// a caption for each of its input boxes; tables are the table window's. On paper every input line
// and single result line is labelled "...=", and a paper text is written out only where it differs.
TEST(Catalogue, EachWindowTestsExactlyTheCalculationsItHosts) {
    std::map<WindowId, std::set<std::string_view>> hosted;
    for (const CatalogueEntry& e : catalogue()) {
        hosted[e.window].insert(e.item);
        EXPECT_EQ(e.calc.isTable(), e.window == WindowId::Zovan3) << e.item;
        const auto inputs = static_cast<std::size_t>(windowInfo(e.window).inputCount);
        for (std::size_t k = 0; k < 4; ++k) {
            EXPECT_EQ(e.labels.at(k).empty(), k >= inputs) << e.item << " label " << k + 1;
            EXPECT_TRUE(k >= inputs || e.printLabel(k).ends_with("=")) << e.item;
            EXPECT_NE(e.printLabels.at(k).text, std::string(e.labels.at(k)) + "=") << e.item;
        }
        EXPECT_EQ(e.printHeading().ends_with("="), !e.calc.isTable()) << e.item;
        EXPECT_NE(e.printResult.text, std::string(e.resultCaption) + "=") << e.item;
    }
    const std::map<WindowId, std::size_t> counts{
        {WindowId::Zovan2, 23}, {WindowId::Zovan3, 4}, {WindowId::Zovan4, 1}, {WindowId::Zovan5, 9}};
    for (const WindowInfo& w : windows()) {
        EXPECT_EQ(hosted[w.id].size(), counts.at(w.id)) << w.name;
        const auto order = testOrder(w.id);
        EXPECT_EQ(std::set<std::string_view>(order.begin(), order.end()), hosted[w.id]) << w.name;
    }
}

TEST(Catalogue, FamilyCaptionsBeginWithTwoSpaces) {
    for (const FamilyInfo& f : families()) {
        EXPECT_TRUE(f.windowCaption.starts_with("  ")) << f.menuName;
        EXPECT_EQ(f.windowCaption.substr(2), f.menuCaption);
        EXPECT_TRUE(f.printHeader.starts_with("☆☆") && f.printHeader.ends_with("☆☆"));
    }
}

TEST(Menu, SixTitlesInstalmentHasFourSubmenusHelpHasThreeEntries) {
    const auto& tree = menuTree();
    ASSERT_EQ(tree.size(), 6u);
    std::vector<std::string_view> titles;
    for (const auto& t : tree)
        titles.push_back(t.name);
    EXPECT_EQ(titles, (std::vector<std::string_view>{"S", "F", "T", "N", "K", "HE"}));
    const MenuNode& k = tree[4];
    ASSERT_EQ(k.children.size(), 4u);
    std::vector<std::size_t> sizes;
    for (const auto& sub : k.children)
        sizes.push_back(sub.children.size());
    EXPECT_EQ(sizes, (std::vector<std::size_t>{2, 4, 3, 3}));
    EXPECT_EQ(k.children[1].caption, "元利均等割賦償還");
    EXPECT_EQ(k.children[2].children[2].caption, "アドオン方式による表示利率(月次返済の場合）");
    const MenuNode& he = tree[5];
    ASSERT_EQ(he.children.size(), 3u);
    EXPECT_EQ(he.children[0].kind, MenuKind::Help);
    EXPECT_EQ(he.children[1].kind, MenuKind::Separator);
    EXPECT_EQ(he.children[2].kind, MenuKind::Version);
    EXPECT_EQ(he.children[2].caption, "バージョン情報");
    EXPECT_EQ(tree[2].children[5].caption, "複利運用の目標達成のための１回分の定額積立所要額");
}

// What choosing an entry sets, as "Control.Property=value" in the order it is set.
std::string describe(const std::vector<DressStep>& steps) {
    std::string out;
    for (const DressStep& s : steps) {
        if (!out.empty()) out += ' ';
        out += s.control;
        switch (s.property) {
        case DressProperty::FontSize:
            out += ".FontSize=" + std::to_string(s.number).substr(0, 3);
            break;
        case DressProperty::Top:
            out += ".Top=" + std::to_string(static_cast<int>(s.number));
            break;
        case DressProperty::Height:
            out += ".Height=" + std::to_string(static_cast<int>(s.number));
            break;
        case DressProperty::Visible:
            out += ".Visible";
            break;
        case DressProperty::Caption:
            out += ".Caption=" + std::string(s.text);
            break;
        case DressProperty::ClearText:
            out += ".Empty";
            break;
        case DressProperty::ClearList:
            out += ".Clear";
            break;
        }
    }
    return out;
}

struct DressCase {
    const char* item;
    const char* steps;
};

class Dressing : public ::testing::TestWithParam<DressCase> {};

TEST_P(Dressing, SetsExactlyWhatTheEntrySets) {
    EXPECT_EQ(describe(dressSteps(*findEntry(GetParam().item))), GetParam().steps);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, Dressing,
    ::testing::Values(
        DressCase{"SP", "Label1.FontSize=9.0 Label1.Caption=元金 Label2.Caption=利率 Label3.Caption=期間 "
                        "Text1.Empty Text2.Empty Text3.Empty Label6.Top=2625 Label6.FontSize=9.0 "
                        "Label6.Caption=単利の利息 Text6.Empty"},
        // sets only the font of its result label, so it stays where TC left it
        DressCase{"TA",
                  "Label1.FontSize=9.0 Label1.Caption=1回の積立額 Label2.Caption=期間利率 "
                  "Label3.Caption=積立回数 Text1.Empty Text2.Empty Text3.Empty Label6.FontSize=9.0 "
                  "Label6.Caption=任意期間の中間の定期･定額の積立複利の元利合計(年金終価額) Text6.Empty"},
        DressCase{"FR", "Label1.FontSize=9.0 Label1.Caption=元利合計 Label2.Caption=元金 Label3.Caption=期間 "
                        "Text1.Empty Text2.Empty Text3.Empty Label6.Top=2641 Label6.FontSize=9.0 "
                        "Label6.Caption=複利の利率 Text6.Empty"},
        DressCase{"SA", "Label1.Caption=元金 Label2.Caption=利率 Label3.Caption=期間 Text1.Empty Text2.Empty "
                        "Text3.Empty Label4.Visible Label5.Visible Label4.FontSize=9.0 Label4.Caption=期間 "
                        "Label5.Top=2503 Label5.FontSize=9.0 Label5.Caption=単利の元利合計 List1.Clear"},
        DressCase{
            "FA",
            "Label1.FontSize=9.0 Label1.Caption=元金 Label2.Caption=利率 Label3.Caption=期間 Text1.Empty "
            "Text2.Empty Text3.Empty Label4.Visible Label5.Visible Label4.FontSize=9.0 Label4.Caption=期間 "
            "Label5.Top=2503 Label5.FontSize=9.0 Label5.Caption=複利の元利合計 List1.Clear"},
        DressCase{
            "KA2A",
            "Label1.Caption=毎回均等の返済額 Label2.Caption=返済間隔間の利率 "
            "Label3.Caption=残っている返済回数 Text1.Empty Text2.Empty Text3.Empty Label4.Visible "
            "Label5.Visible Label4.FontSize=8.0 Label4.Caption=回数 Label5.Top=2310 Label5.FontSize=8.0 "
            "Label5.Caption=元利均等償還方式における中間時点の借入金元金残高 List1.Clear"},
        DressCase{"KA3R", "Label1.FontSize=8.7 Label1.Top=320 Label2.FontSize=8.7 "
                          "Label1.Caption=元利均等償還方式における利率(実質金利) Label2.Caption=返済月数 "
                          "Text1.Empty Text2.Empty Label3.FontSize=8.7 "
                          "Label3.Caption=アドオン方式による表示利率(月次返済の場合) Text3.Empty"},
        DressCase{"TA3",
                  "Label1.FontSize=9.0 Label1.Caption=期待する元利合計 Label2.Caption=区間利率 "
                  "Label3.Caption=貯蓄増加率 Label4.Caption=貯蓄回数 Text1.Empty Text2.Empty Text3.Empty "
                  "Text4.Empty Label5.Top=3105 Label5.Height=975 Label5.FontSize=8.0 "
                  "Label5.Caption="
                  "回数を定め一定割合で貯蓄額を増額し所定の複利の元利合計を得るための初回貯蓄額 Text5.Empty"},
        DressCase{
            "SR3",
            "Label1.FontSize=9.0 Label1.Caption=定期預金の約定利率 Label2.Caption=預金担保借入利率 "
            "Label3.Caption=中途解約利率 Label4.Caption=約定期間 Text1.Empty Text2.Empty Text3.Empty "
            "Text4.Empty Label5.Top=3135 Label5.Height=945 Label5.FontSize=8.5 "
            "Label5.Caption=定期預金の解約と預金担保借入の損益分岐点となる預入日からの割合 Text5.Empty"}),
    [](const auto& info) { return std::string(info.param.item); });

TEST(AppState, MenuReturnClearsTheHostedFamiliesAndPrinting) {
    AppState s;
    s.reset();
    s.select(*findEntry("KA4N"));
    s.setPrintAfterCalc(true);
    EXPECT_EQ(s.code(CalcFamily::Installment), 12);
    EXPECT_TRUE(s.printAfterCalc());
    s.returnToMenu(windowInfo(WindowId::Zovan5));
    for (const FamilyInfo& f : families())
        EXPECT_EQ(s.code(f.family), 0);
    EXPECT_FALSE(s.printAfterCalc());

    // ZOVAN3 clears the three families it hosts.
    s.select(*findEntry("KAA"));
    s.returnToMenu(windowInfo(WindowId::Zovan3));
    EXPECT_EQ(s.code(CalcFamily::Installment), 0);
}

} // namespace
} // namespace kinri
