// Texts of the firing engine, the sources and the sinks. A catalogue list: see messages.h.
#ifndef NOVRA_MSG
#include "common/messages.h"
#else
NOVRA_MSG(kUndefinedInput, "関数への入力値が不定です", nullptr, "An input value of the function is undefined")
NOVRA_MSG(kFlagWithoutToken, "フラグが存在し、トークンがない：内部エラー", nullptr,
          "A flag is set but there is no token: internal error")
NOVRA_MSG(kSimulationEnded, "シミュレーションが終了しました。", nullptr, "The simulation has ended.")
NOVRA_MSG(kRunTooLong, "シミュレーションが長すぎるため一旦停止しました", nullptr,
          "The simulation ran too long and has been paused")
NOVRA_MSG(kUhziBadWord, "ウージの入力が不正です。", nullptr, "The uhzi's input is invalid.")
NOVRA_MSG(kUhziBadHoldValue, "ウージにセットされた値が不正：内部エラー", nullptr,
          "The value set on the uhzi is invalid: internal error")
NOVRA_MSG(kUhziBadAddp, "ウージのaddpがおかしい：内部エラー", nullptr, "The uhzi's addp is wrong: internal error")
NOVRA_MSG(kUhziBadColor, "ウージに未定義の色が設定されました、内部エラー", nullptr,
          "An undefined colour was set on the uhzi, internal error")
NOVRA_MSG(kKemmakixSameColor, "ケムマキに同じ色が投入されました、マーキングをやり直してください。",
          "ケムマキ様になんてことを！！",
          "The kemmakix received the same colour twice; please redo the marking.")
// The phases need the place references of a compile made since the last change of the net.
NOVRA_MSG(kNotCompiled, "ネットが変更されたかコンパイルされていません。コンパイルしてから実行してください",
          nullptr, "The net has changed or has not been compiled. Please compile it before running")

// The waveform (VCD) of a simulation.
NOVRA_MSG(kVcdCannotWrite, "波形ファイルに書き込めません", nullptr, "The waveform file cannot be written")

// The editor's simulation commands: status prompts and log lines.
NOVRA_MSG(kStatusSavingForCompile, "ファイルに保存しています...", nullptr, "Saving to the file...")
NOVRA_MSG(kStatusCompiling, "コンパイル中です", nullptr, "Compiling")
NOVRA_MSG(kStatusReadyToRun, "シミュレーションを実行してください", nullptr, "Please run the simulation")
NOVRA_MSG(kStatusCompileFailed, "コンパイルが失敗しました。もう一度エディットを行ってください", nullptr,
          "The compile failed. Please edit the net again")
NOVRA_MSG(kStatusSimulationError, "シミュレーション中にエラーが発生しました。もう一度エディットを行ってください",
          nullptr, "An error occurred during the simulation. Please edit the net again")
// Logged before the run starts, in the playful wording only.
NOVRA_MSG(kRunningPlayful, "シュミレーション中...", nullptr, "Simulating...")
NOVRA_MSG(kRunning, "シミュレーションを実行しています…", nullptr, "Running the simulation…")
NOVRA_MSG(kFireStop, "指定されたトランジションが発火可能です。シミュレーションを停止します", nullptr,
          "A marked transition can fire. The simulation stops")
NOVRA_MSG(kConfirmClearAll, "全て削除します。よろしいですか？", "全て削除してもよろしいか？",
          "Everything will be deleted. Are you sure?")
#endif
