// The undo and redo history: recorded edits in order, capped by count and by memory.
#include "model/net_history.h"

#include <utility>

#include "model/net.h"

namespace novra {

void CNetHistory::push(CNetChange change, int action) {
    if (change.empty()) return;
    while (steps_.size() > pos_) {
        bytes_ -= steps_.back().bytes;
        steps_.pop_back();
    }
    // The saved net lay among the steps just dropped: nothing leads back to it now.
    if (saved_ > static_cast<long>(pos_)) saved_ = -1;
    const size_t bytes = change.memoryBytes();
    steps_.push_back({std::move(change), action, bytes});
    bytes_ += bytes;
    ++pos_;
    while (steps_.size() > 1 && (steps_.size() > limits_.steps || bytes_ > limits_.bytes)) dropOldest();
}

void CNetHistory::dropOldest() {
    bytes_ -= steps_.front().bytes;
    steps_.pop_front();
    --pos_;
    // A saved net before the oldest step can no longer be reached.
    if (saved_ >= 0) --saved_;
}

void CNetHistory::undo(CNet& net) {
    if (!canUndo()) return;
    --pos_;
    steps_[pos_].change.undo(net);
}

void CNetHistory::redo(CNet& net) {
    if (!canRedo()) return;
    steps_[pos_].change.redo(net);
    ++pos_;
}

void CNetHistory::clear() {
    steps_.clear();
    pos_ = 0;
    bytes_ = 0;
    saved_ = 0;
}

}  // namespace novra
