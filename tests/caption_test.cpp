// The captions of the calculator windows and where each may wrap onto a new line.
#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kinri {
namespace {

using namespace caption_literals;

// A caption written out with its breaks: "|" between phrases, "/" inside a compound noun.
std::string marked(const Caption& c) {
    std::string out;
    std::size_t from = 0;
    for (const BreakPoint& b : c.breaks) {
        out.append(c.text.substr(from, b.offset - from));
        out += b.kind == BreakKind::Phrase ? '|' : '/';
        from = b.offset;
    }
    out.append(c.text.substr(from));
    return out;
}

TEST(Caption, MarksAreBreaksNotText) {
    constexpr Caption c = "返済/間隔間の|利率"_caption;
    EXPECT_EQ(c.text, "返済間隔間の利率");
    ASSERT_EQ(c.breaks.size(), 2u);
    EXPECT_EQ(c.breaks[0].offset, std::string("返済").size());
    EXPECT_EQ(c.breaks[0].kind, BreakKind::Word);
    EXPECT_EQ(c.breaks[1].offset, std::string("返済間隔間の").size());
    EXPECT_EQ(c.breaks[1].kind, BreakKind::Phrase);
    EXPECT_TRUE("元金"_caption.breaks.empty());
}

struct Captions {
    const char* item;
    std::vector<std::string> marked; // Label1 .. LabelN, the column head of a table, the result label
};

// Every caption as a reader takes it in: phrase by phrase (文節), and inside a long compound noun
// word by word. A label may wrap only at these marks.
const std::vector<Captions> kCaptions{
    {"SP", {"元金", "利率", "期間", "単利の|利息"}},
    {"SA", {"元金", "利率", "期間", "期間", "単利の|元利合計"}},
    {"SR", {"元利合計", "元金", "期間", "単利の|利率"}},
    {"SA2", {"元金", "利率", "期間", "割引手取額"}},
    {"SR2", {"元金", "割引手取額", "期間", "割引率"}},
    {"SC", {"手取額", "利率", "期間", "利息/先払いの|元金|（期日/支払額面）"}},
    {"SR3",
     {"定期預金の|約定利率", "預金担保/借入利率", "中途解約/利率", "約定期間",
      "定期預金の|解約と|預金担保/借入の|損益/分岐点と|なる|預入日からの|割合"}},
    {"FA", {"元金", "利率", "期間", "期間", "複利の|元利合計"}},
    {"FR", {"元利合計", "元金", "期間", "複利の|利率"}},
    {"FN", {"元利合計", "元金", "期間利率", "複利で|必要とする|期間数"}},
    {"FC", {"期待する|元利合計", "期間利率", "期間数", "複利の|当初|必要な|元金"}},
    {"TH", {"積立額", "積立月数", "月利率", "月掛/定期積金の|給付/補填金"}},
    {"TT", {"満期手取金", "払込月数", "月利率", "月掛/定期積金の|1回分の|積立額"}},
    {"TR", {"満期手取金", "1回の|払込金", "払込回数", "月掛/定期積金の|利率"}},
    {"TA",
     {"1回の|積立額", "期間利率", "積立回数",
      "任意期間の|中間の|定期･定額の|積立複利の|元利合計|(年金/終価額)"}},
    {"TC", {"1回の|積立額", "期間利率", "積立回数", "回数を|定めた|定期･定額の|複利積立の|元利合計"}},
    {"TC2",
     {"計画終期/目標額", "期間利率", "期間数", "複利運用の|目標達成の|ための|1回分の|定額積立/所要額"}},
    {"TN",
     {"計画終期/目標額", "期間利率", "1回分の|積立額", "複利運用の|目標達成の|ための|定額積立の|所要期間"}},
    {"TA2",
     {"初回の|貯蓄額", "区間利率", "貯蓄回数", "貯蓄増加率",
      "回数を|定め|定期に|一定割合で|貯蓄額を|増額した|場合の|複利の|元利合計"}},
    {"TA3",
     {"期待する|元利合計", "区間利率", "貯蓄増加率", "貯蓄回数",
      "回数を|定め|一定割合で|貯蓄額を|増額し|所定の|複利の|元利合計を|得る|ための|初回/貯蓄額"}},
    {"NC", {"1回の|年金額", "期間配当率", "期間数", "所定期間/定額の|年金を|受領する|当初/預託金"}},
    {"NA", {"当初の|原資", "期間配当率", "期間数", "1回の|年金/受領額"}},
    {"NN", {"1回の|年金額", "当初の|原資", "期間配当率", "年金/受領/可能/期間数"}},
    {"NC2",
     {"初年度の|年金額", "期間/インフレ率", "期間配当率", "期間数",
      "インフレを|加味した|年金受領の|ために|必要な|当初原資"}},
    {"NN2",
     {"原資の|預託/可能額", "初年度の|年金額", "期間/インフレ率", "期間配当率",
      "インフレを|加味した|年金/受領/可能/期間数"}},
    {"KAA",
     {"当初借入額", "返済回数", "返済/間隔間の|利率", "回数",
      "元金均等/償還/方式における|各回次の|元利合計/返済額"}},
    {"KAP", {"当初借入額", "返済回数", "返済/間隔間の|利率", "元金均等/償還/方式の|全期間の|利息合計"}},
    {"KA2C",
     {"当初借入額", "返済/間隔間の|利率", "返済回数",
      "元利均等/償還/方式における|毎返済/回次の|均等/返済額"}},
    {"KA2N", {"毎回均等の|返済額", "当初借入額", "返済/間隔間の|利率", "元利均等/償還/方式の|返済回数"}},
    {"KA2P", {"毎回均等の|返済額", "返済/間隔間の|利率", "返済回数", "元利均等/償還/方式による|借入/可能額"}},
    {"KA2A",
     {"毎回均等の|返済額", "返済/間隔間の|利率", "残っている|返済回数", "回数",
      "元利均等/償還/方式における|中間時点の|借入金/元金残高"}},
    {"KA3A", {"当初借入額", "利率", "期間", "アドオン方式の|利息合計"}},
    {"KA3C", {"当初借入額", "利率", "期間", "返済回数", "アドオン方式の|毎回の|元利合計/返済額"}},
    {"KA3R",
     {"元利均等/償還/方式における|利率|(実質金利)", "返済月数",
      "アドオン方式による|表示利率|(月次返済の|場合)"}},
    {"KA4C",
     {"当初借入額", "返済/間隔間の|利率", "返済回次毎の|返済額/増加率", "返済回数",
      "元利合計/返済額/逓増/方式の|第1回の|返済額"}},
    {"KA4A",
     {"第1回次の|返済額", "返済/間隔間の|利率", "返済回次毎の|返済額/増加率", "返済回数",
      "元利合計/返済額/逓増/方式による|借入/可能額"}},
    {"KA4N",
     {"当初借入額", "返済/間隔間の|利率", "返済回次毎の|返済額/増加率", "第1回次の|返済額",
      "元利合計/返済額/逓増/方式の|返済期間|(回数)"}},
};

TEST(Caption, EveryCaptionWrapsOnlyBetweenPhrasesOrWords) {
    ASSERT_EQ(kCaptions.size(), catalogue().size());
    for (const Captions& expected : kCaptions) {
        const CatalogueEntry* e = findEntry(expected.item);
        ASSERT_NE(e, nullptr) << expected.item;
        std::vector<std::string> got;
        for (const Caption& c : e->labels)
            if (!c.empty()) got.push_back(marked(c));
        if (!e->columnHead.empty()) got.push_back(marked(e->columnHead));
        got.push_back(marked(e->resultCaption));
        EXPECT_EQ(got, expected.marked) << expected.item;
    }
}

// Whatever the marks say, a line never begins with a particle or a closing bracket, never ends
// with an opening one, and never splits one of the words the captions are made of.
TEST(Caption, NoBreakSplitsAWordOrStrandsAParticle) {
    const std::vector<std::string> words{"利率", "借入",   "借入金", "元金",  "元利",     "合計",
                                         "返済", "期間",   "回数",   "預金",  "利息",     "償還",
                                         "方式", "年金",   "貯蓄",   "積立",  "インフレ", "アドオン",
                                         "回次", "増加率", "可能額", "所要額"};
    const std::vector<std::string> neverFirst{"の", "を", "に", "で", "と", ")", "）", "･", "・"};
    const std::vector<std::string> neverLast{"(", "（"};
    for (const CatalogueEntry& e : catalogue()) {
        std::vector<Caption> captions(e.labels.begin(), e.labels.end());
        captions.push_back(e.columnHead);
        captions.push_back(e.resultCaption);
        for (const Caption& c : captions) {
            std::size_t previous = 0;
            for (const BreakPoint& b : c.breaks) {
                const std::string_view before = c.text.substr(0, b.offset);
                const std::string_view after = c.text.substr(b.offset);
                EXPECT_GT(b.offset, previous) << e.item << " " << c.text;
                EXPECT_LT(b.offset, c.text.size()) << e.item << " " << c.text;
                previous = b.offset;
                for (const std::string& p : neverFirst)
                    EXPECT_FALSE(after.starts_with(p)) << e.item << " " << marked(c);
                for (const std::string& p : neverLast)
                    EXPECT_FALSE(before.ends_with(p)) << e.item << " " << marked(c);
                for (const std::string& w : words)
                    for (std::size_t at = c.text.find(w); at != std::string_view::npos;
                         at = c.text.find(w, at + 1))
                        EXPECT_FALSE(b.offset > at && b.offset < at + w.size()) << e.item << " " << marked(c);
            }
        }
    }
}

} // namespace
} // namespace kinri
