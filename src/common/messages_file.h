// Texts of the net files. A catalogue list: see messages.h.
#ifndef NOVRA_MSG
#include "common/messages.h"
#else
NOVRA_MSG(kFileOpenFailed, "ファイルが開けませんでした。", " ファイルが！ファイルガァッ！！",
          "The file could not be opened.")
NOVRA_MSG(kNotNovraFile, "NOVRAのファイルではありません。", "オレのファイルじゃねえ！!",
          "This is not a NOVRA file.")
NOVRA_MSG(kReadFailed, "NOVRAファイルの読み込みに失敗しました。", " : 読み込みに失敗した…",
          "Reading the NOVRA file failed.")
NOVRA_MSG(kUnsavableObject, "保存できないオブジェクト：内部エラー", nullptr,
          "An object that cannot be saved: internal error")
NOVRA_MSG(kOpened, " 開きました。", nullptr, " opened.")
NOVRA_MSG(kTransitionCountMismatch, "トランジション数が一致しません", nullptr,
          "The number of transitions does not match")
NOVRA_MSG(kUhziCountMismatch, "ウージ数が一致しません", nullptr, "The number of uhzis does not match")
NOVRA_MSG(kKemmakixCountMismatch, "ケムマキ数が一致しません", nullptr,
          "The number of kemmakixes does not match")
NOVRA_MSG(kPlaceCountMismatch, "プレース数が一致しません", nullptr, "The number of places does not match")

// Our own texts for faults the original format left unreported.
NOVRA_MSG(kBadRecord, "NOVRAファイルの %d 行目が読めません：", nullptr,
          "Line %d of the NOVRA file cannot be read: ")  // followed by the line
NOVRA_MSG(kNotCp932, "Shift-JISで表せない文字が含まれているため保存できません。", nullptr,
          "The net cannot be saved: it holds characters that Shift-JIS cannot represent.")
NOVRA_MSG(kBadEncoding, "ファイルの文字コードがShift-JISではありません。", nullptr,
          "The file's character encoding is not Shift-JIS.")
NOVRA_MSG(kSaveFailed, "ファイルに保存できませんでした：", nullptr,
          "The file could not be saved: ")  // followed by the path
// A function text holding "]", or a word, expected word or arc name holding a line break, cannot be written
// as one record.
NOVRA_MSG(kUnsavableText, "オブジェクト %d の文字列に保存できない文字（] または改行）が含まれています。",
          nullptr, "A text of object %d holds a character that cannot be saved (] or a line break).")
// Pictures of the net (File > export as image, novra-cli export).
NOVRA_MSG(kPictureBadFormat, "画像の形式はファイル名の拡張子 .svg、.pdf、.png で指定してください: %s",
          nullptr, "Name the picture format by the file name's extension .svg, .pdf or .png: %s")
NOVRA_MSG(kPictureBadScale, "倍率は 0.1 から 10 までの数で指定してください", nullptr,
          "The scale must be a number from 0.1 to 10")
NOVRA_MSG(kPictureTooLarge, "画像が大きすぎて書き出せません: %s", nullptr,
          "The picture is too large to write: %s")
NOVRA_MSG(kPictureCannotWrite, "画像ファイルに書き込めません: %s", nullptr,
          "Cannot write the picture file: %s")
#endif
