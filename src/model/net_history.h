#pragma once
// CNetHistory: the undo and redo history of one net, a list of recorded edits with a position in it.
#include <cstddef>
#include <deque>

#include "model/net_change.h"

namespace novra {

class CNet;

class CNetHistory {
  public:
    // The history keeps at most this many steps and about this much memory; the oldest steps go first.
    // The newest step always stays, however large, so that the last edit can be undone.
    struct Limits {
        size_t steps = 1000;
        size_t bytes = size_t(64) << 20;
    };

    CNetHistory() = default;
    explicit CNetHistory(Limits limits) : limits_(limits) {}

    // Adds an edit after the current position; the steps that could have been redone go. `action` is the
    // caller's name for what the user did (the editor shows it in the menu). An empty change adds nothing.
    void push(CNetChange change, int action);
    bool canUndo() const { return pos_ > 0; }
    bool canRedo() const { return pos_ < steps_.size(); }
    // What the next undo or redo would take back or do again; 0 when there is nothing.
    int undoAction() const { return canUndo() ? steps_[pos_ - 1].action : 0; }
    int redoAction() const { return canRedo() ? steps_[pos_].action : 0; }
    // The net must be as the history left it.
    void undo(CNet& net);
    void redo(CNet& net);
    // Starts again from the net as it stands, which counts as the saved one until told otherwise.
    void clear();

    // The net as it stands is the one in its file.
    void markSaved() { saved_ = static_cast<long>(pos_); }
    // The file holds something no step of the history leads back to.
    void forgetSaved() { saved_ = -1; }
    bool atSaved() const { return saved_ == static_cast<long>(pos_); }

    size_t steps() const { return steps_.size(); }
    size_t memoryBytes() const { return bytes_; }

  private:
    struct Step {
        CNetChange change;
        int action;
        size_t bytes;
    };
    void dropOldest();

    Limits limits_;
    std::deque<Step> steps_;
    size_t pos_ = 0;     // steps_[0, pos_) are done, the rest undone
    size_t bytes_ = 0;   // what the steps hold
    long saved_ = 0;     // the position of the saved net, -1 when no position has it
};

}  // namespace novra
