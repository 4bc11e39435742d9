#include "common/messages.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(format(msg::kEvalTooManyInputs, 99), "すいません、入力プレースは2桁まででカンベンしてもらえんですかm(_ _)m");
    setNmode(0);
    EXPECT_EQ(format(msg::kEvalBufferOver, 4, 100), "4番目の式がバッファサイズ（100）をオーバーしました。");
}
