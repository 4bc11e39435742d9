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

// Pictures of the net (File > export as image, novra-cli export).
inline constexpr MsgText kPictureBadFormat{"画像の形式はファイル名の拡張子 .svg、.pdf、.png で指定してください: %s", nullptr};  // en: "Name the picture format by the file name's extension .svg, .pdf or .png: %s"
inline constexpr MsgText kPictureBadScale{"倍率は 0.1 から 10 までの数で指定してください", nullptr};  // en: "The scale must be a number from 0.1 to 10"
inline constexpr MsgText kPictureTooLarge{"画像が大きすぎて書き出せません: %s", nullptr};  // en: "The picture is too large to write: %s"
inline constexpr MsgText kPictureCannotWrite{"画像ファイルに書き込めません: %s", nullptr};  // en: "Cannot write the picture file: %s"

}  // namespace novra::msg
