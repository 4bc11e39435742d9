#pragma once
// CNetChange: what one edit did to a net, so that it can be undone and redone exactly.
#include <cstddef>
#include <optional>
#include <unordered_set>
#include <variant>
#include <vector>

#include "model/records.h"

namespace novra {

class CNet;

// Everything the net holds under one object ID that a file saves or an edit changes: its view entry,
// its record, its initial token and its fire-stop mark.
struct CObjectImage {
    std::optional<VObject> view;
    std::variant<std::monostate, CPlace, CTransition, CUhzi, CKemmakix> record;
    std::optional<Token> token;
    bool fireStop = false;
};

// The objects and arcs one edit touched, each as it was before the edit and as the edit left it, and the
// ID counters before and after. Its size follows what the edit touched, not the size of the net.
class CNetChange {
  public:
    bool empty() const { return objects_.empty() && arcs_.empty() && counters_[0] == counters_[1]; }
    // About how much memory the change holds.
    size_t memoryBytes() const;
    // Puts the net back as it was before the edit, or as the edit left it. The net must be as the edit
    // left it (or as it was before, for redo): the history applies its changes in order.
    void undo(CNet& net) const;
    void redo(CNet& net) const;

  private:
    friend class CNet;
    struct ObjectEntry {
        int id;
        std::optional<CObjectImage> before, after;
    };
    struct ArcEntry {
        int id;
        std::optional<CArc> before, after;
    };
    struct Counters {
        int nextId = 0;
        int arcCounter = 0;
        bool operator==(const Counters&) const = default;
    };
    std::vector<ObjectEntry> objects_;
    std::vector<ArcEntry> arcs_;
    Counters counters_[2];  // before, after
    // While recording: the IDs already noted.
    std::unordered_set<int> touchedObjects_, touchedArcs_;
};

}  // namespace novra
