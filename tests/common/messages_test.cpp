#include "common/messages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

using namespace novra;

TEST(Messages, NmodePicksThePlayfulVariantWhereOneExists) {
    setNmode(0);
    EXPECT_EQ(text(msg::kNotNovraFile), "NOVRAのファイルではありません。");
    EXPECT_EQ(format(msg::kEvalSyntax, 3), "3番目の式が間違っています。");
    setNmode(1);
    EXPECT_EQ(text(msg::kNotNovraFile), "オレのファイルじゃねえ！!");
    EXPECT_EQ(format(msg::kEvalUnknownInput, 2), "あんたさぁ、2番目の式間違ってるよ…。");
    // No playful variant: the standard text stays.
    EXPECT_EQ(text(msg::kSimulationEnded), "シミュレーションが終了しました。");
    // A playful text without a number ignores the argument.
    EXPECT_EQ(format(msg::kEvalTooManyInputs, 99),
              "すいません、入力プレースは2桁まででカンベンしてもらえんですかm(_ _)m");
    setNmode(0);
    EXPECT_EQ(format(msg::kEvalBufferOver, 4, 100), "4番目の式がバッファサイズ（100）をオーバーしました。");
}

// Every text of the catalogue in English: present, and usable wherever the Japanese one is, so the same
// arguments fill the same places and "prompt\ntip" pairs split the same way.
TEST(Messages, EveryEntryHasAnEnglishWordingOfTheSameShape) {
    std::set<std::string> names;
    for (const CatalogueEntry& e : catalogue()) {
        SCOPED_TRACE(e.name);
        EXPECT_TRUE(names.insert(e.name).second) << "listed twice";
        ASSERT_NE(e.text->standard, nullptr);
        ASSERT_NE(e.text->english, nullptr);
        EXPECT_NE(std::string_view(e.text->english), "");
        EXPECT_TRUE(wording::sameShape(e.text->standard, e.text->english)) << e.text->english;
        // Menu accelerators survive: a Japanese "(&F)" becomes an "&" in the English item.
        EXPECT_EQ(std::string_view(e.text->standard).find('&') == std::string_view::npos,
                  std::string_view(e.text->english).find('&') == std::string_view::npos);
    }
    EXPECT_GE(names.size(), 370u);
    EXPECT_TRUE(names.count("kMenuFile") && names.count("kEvalSyntax") &&
                names.count("kCosimCheckDidNotRun"));
}

// The shape check itself: each row a translation that would print a wrong message, or one that is fine.
TEST(Messages, ShapeCheckFindsMisplacedPlaceholders) {
    using wording::sameShape;
    EXPECT_TRUE(sameShape("トランジション %d の変数名「%s」", "In transition %d the name \"%s\""));
    EXPECT_FALSE(
        sameShape("トランジション %d の変数名「%s」", "The name \"%s\" of transition %d"));  // swapped
    EXPECT_FALSE(sameShape("%d 個", "%s items"));                                            // type
    EXPECT_FALSE(sameShape("%ld ビット", "%d bits"));                                        // length
    EXPECT_FALSE(sameShape("x:%d", "x"));                                                    // lost
    EXPECT_FALSE(sameShape("元に戻す：%1(&U)", "&Undo"));                                    // Qt arg
    EXPECT_FALSE(sameShape("%1 と %2", "%2 and %1"));
    EXPECT_TRUE(sameShape("100%% %5.2f", "100%% %5.2f"));
    EXPECT_FALSE(sameShape("開く\n開く", "Open"));        // a prompt without its tip
    EXPECT_FALSE(sameShape(" 開きました。", "opened."));  // appended to a path: the blank goes
    EXPECT_TRUE(sameShape("!#%-@*+/><[]{}:? は使用できません", "!#%-@*+/><[]{}:? cannot be used"));
}

TEST(Messages, LanguagePicksTheWordingWhateverTheNmode) {
    ASSERT_EQ(language(), Language::Japanese);  // the default
    setLanguage(Language::English);
    EXPECT_EQ(text(msg::kNotNovraFile), "This is not a NOVRA file.");
    EXPECT_EQ(format(msg::kEvalBufferOver, 4, 100), "Expression 4 is longer than the buffer size (100).");
    setNmode(1);  // the playful wording is Japanese only
    EXPECT_EQ(text(msg::kKemmakixSameColor),
              "The kemmakix received the same colour twice; please redo the marking.");
    // Texts that go into files ask for their language.
    EXPECT_EQ(text(msg::kVerilogFailedMarker, Language::Japanese), "Verilog-HDLへの出力が失敗しました");
    EXPECT_EQ(text(msg::kKemmakixSameColor, Language::Japanese), "ケムマキ様になんてことを！！");
    // A text made outside the catalogue has no English wording: the Japanese one stands in.
    constexpr MsgText local{"ローカル", nullptr, nullptr};
    EXPECT_EQ(text(local), "ローカル");
    setNmode(0);
    setLanguage(Language::Japanese);
    EXPECT_EQ(text(msg::kNotNovraFile), "NOVRAのファイルではありません。");

    EXPECT_EQ(languageFromCode("en"), Language::English);
    EXPECT_EQ(languageFromCode("ja"), Language::Japanese);
    for (const char* bad : {"", "EN", "english", "ja "})
        EXPECT_EQ(languageFromCode(bad), std::nullopt) << bad;
    EXPECT_STREQ(languageCode(Language::English), "en");
}

// A shown text is found again in either language, so a window can swap it for the other wording.
TEST(Messages, ShownTextsAreFoundInTheCatalogue) {
    EXPECT_EQ(findInCatalogue("ﾚﾃﾞｨ")->text, &msg::kIdle);
    EXPECT_EQ(findInCatalogue("Ready")->text, &msg::kIdle);
    EXPECT_EQ(findInCatalogue("オレのファイルじゃねえ！!")->text, &msg::kNotNovraFile);
    EXPECT_EQ(findInCatalogue("x:12"), nullptr);
}
