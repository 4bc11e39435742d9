#pragma once
// Texts of the net files.
#include "common/messages.h"

namespace novra::msg {

inline constexpr MsgText kFileOpenFailed{"ファイルが開けませんでした。", " ファイルが！ファイルガァッ！！"};
inline constexpr MsgText kNotNovraFile{"NOVRAのファイルではありません。", "オレのファイルじゃねえ！!"};
inline constexpr MsgText kReadFailed{"NOVRAファイルの読み込みに失敗しました。", " : 読み込みに失敗した…"};
inline constexpr MsgText kUnsavableObject{"保存できないオブジェクト：内部エラー", nullptr};
inline constexpr MsgText kOpened{" 開きました。", nullptr};
inline constexpr MsgText kTransitionCountMismatch{"トランジション数が一致しません", nullptr};
inline constexpr MsgText kUhziCountMismatch{"ウージ数が一致しません", nullptr};
inline constexpr MsgText kKemmakixCountMismatch{"ケムマキ数が一致しません", nullptr};
inline constexpr MsgText kPlaceCountMismatch{"プレース数が一致しません", nullptr};

// Our own texts for faults the original format left unreported.
inline constexpr MsgText kBadRecord{"NOVRAファイルの %d 行目が読めません：", nullptr};  // followed by the line
inline constexpr MsgText kNotCp932{"Shift-JISで表せない文字が含まれているため保存できません。", nullptr};
inline constexpr MsgText kBadEncoding{"ファイルの文字コードがShift-JISではありません。", nullptr};
inline constexpr MsgText kSaveFailed{"ファイルに保存できませんでした：", nullptr};  // followed by the path
// A function text holding "]", or a word, expected word or arc name holding a line break, cannot be written
// as one record.
inline constexpr MsgText kUnsavableText{"オブジェクト %d の文字列に保存できない文字（] または改行）が含まれています。",
                                        nullptr};

}  // namespace novra::msg
