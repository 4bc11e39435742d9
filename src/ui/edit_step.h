#pragma once
// The kinds of step in the editor's undo history and the names the Edit menu gives them.
#include "common/messages.h"

namespace novra::ui {

enum class EditStep : int {
    None = 0,
    Move,
    Place,
    Arc,
    Token,
    Delete,
    Cut,
    Paste,
    PasteRepeat,
    Align,
    Function,
    Uhzi,
    Kemmakix,
    ClearAll,
};

inline const MsgText& stepName(EditStep step) {
    switch (step) {
        case EditStep::Move: return msg::kStepMove;
        case EditStep::Place: return msg::kStepPlace;
        case EditStep::Arc: return msg::kStepArc;
        case EditStep::Token: return msg::kStepToken;
        case EditStep::Delete: return msg::kStepDelete;
        case EditStep::Cut: return msg::kStepCut;
        case EditStep::Paste: return msg::kStepPaste;
        case EditStep::PasteRepeat: return msg::kStepPasteRepeat;
        case EditStep::Align: return msg::kStepAlign;
        case EditStep::Function: return msg::kStepFunction;
        case EditStep::Uhzi: return msg::kStepUhzi;
        case EditStep::Kemmakix: return msg::kStepKemmakix;
        case EditStep::ClearAll: return msg::kStepClearAll;
        case EditStep::None: break;
    }
    static constexpr MsgText none{"", nullptr};
    return none;
}

}  // namespace novra::ui
