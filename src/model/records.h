#pragma once
// The records of a net: view data, tokens, arcs and the per-kind node records.
#include <algorithm>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/inline_vector.h"
#include "trafunc/function.h"

namespace novra {

enum ObjectKind : int { kPlace = 1, kTransition = 2, kUhzi = 3, kKemmakix = 4 };
// The kind's name as the object list, pictures, skins and edit scripts spell it; "" for no kind.
constexpr const char* kindName(int kind) {
    constexpr const char* names[] = {"", "place", "transition", "uhzi", "kemmakix"};
    return kind >= kPlace && kind <= kKemmakix ? names[kind] : "";
}

inline constexpr int kBlack = 5;
inline constexpr int kWhite = 6;
inline constexpr int kNoColor = 0;
inline constexpr int kUndefinedValue = 2;  // 不定

inline bool isValidKind(int kind) {
    return kind >= kPlace && kind <= kKemmakix;
}

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// View data of a node.
struct VObject {
    int kind = 0;
    int x = 0;
    int y = 0;
    bool operator==(const VObject&) const = default;
};

// A token of the initial marking.
struct Token {
    int color = kBlack;
    int value = 0;
    bool operator==(const Token&) const = default;
};

struct CArc {
    std::vector<Point> bendPoints;  // source to destination; empty when the arc is straight
    int fromId = 0;
    int toId = 0;
    std::string varName;  // transition variable the arc is bound to; empty when unbound
};

// Event tables filled from an event file: an int key to an int.
using EventTable = std::map<int, int>;

// A place; its token fields are the simulation marking.
struct CPlace {
    bool hasToken = false;
    int color = kBlack;
    int value = kUndefinedValue;
    int lastColor = kBlack;
    EventTable events;

    void put(int c, int v) {
        hasToken = true;
        color = c;
        lastColor = c;
        value = v;
    }
    void take() {
        hasToken = false;
        color = lastColor;
    }
    void resetForCompile() {
        hasToken = false;
        lastColor = kWhite;
    }
};

// Working data of the Verilog generator for one transition.
struct TransitionGenData {
    bool registerReduced = false;  // marked "R省略" by the view after a generation
};

// Arc ID -> slot of one side of a transition, ascending arc ID. A transition has a handful of arcs, so
// they are kept in one block rather than a tree of nodes each of which compile would have to visit.
class CArcSlots {
  public:
    struct value_type {
        int first;   // arc ID
        int second;  // slot
        friend bool operator==(const value_type&, const value_type&) = default;
    };
    using const_iterator = const value_type*;

    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }
    size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const value_type* data() const { return entries_.data(); }
    const_iterator find(int arcId) const {
        auto it = std::lower_bound(entries_.begin(), entries_.end(), arcId,
                                   [](const value_type& e, int id) { return e.first < id; });
        return it != entries_.end() && it->first == arcId ? it : entries_.end();
    }
    int at(int arcId) const {
        auto it = find(arcId);
        if (it == end()) throw std::out_of_range("no slot for this arc");
        return it->second;
    }
    void clear() { entries_.clear(); }
    // Pairs in ascending arc ID.
    void assign(const std::vector<value_type>& pairs) {
        if (!(entries_ == pairs)) entries_.assign(pairs.begin(), pairs.end());
    }
    bool operator==(const CArcSlots&) const = default;

  private:
    CInlineVector<value_type, 2> entries_;
};

struct CTransition : CTransitionFunction {
    // Connection data, built by compile.
    int inputArcCount = 0;
    int outputArcCount = 0;
    CInlineVector<CPlace*, 2> inputPlaces;   // non-owning; valid from one compile to the next edit
    CInlineVector<CPlace*, 2> outputPlaces;  // non-owning
    CArcSlots inputArcSlots;
    CArcSlots outputArcSlots;
    // The function text that compile last refreshed (stages 1 and 2) and prepared (stage 3) the function
    // fields from; a later compile of the same text finds those fields current without comparing them.
    std::optional<std::string> refreshedFrom;
    std::optional<std::string> preparedFrom;
    // Runtime state.
    bool enabled = false;
    bool fired = false;
    TransitionGenData gen;
    EventTable events;
};

// A source: streams words into one place as alternating black and white tokens.
struct CUhzi {
    int color = kWhite;
    int placeId = 0;
    int addp = 0;  // file field "inc": 1 streams the words, 0 holds one value
    std::vector<std::string> words;
    int line = 0;  // 0: first character first; 1: last character first
    int holdValue = 0;
    // Runtime.
    std::vector<int> currentWord;  // bits in emission order
    int bitPos = 0;
    size_t wordCursor = 0;
    bool finished = false;
    long droppedBits = 0;  // bits of words the net went quiet before emitting
    EventTable events;

    // Returns the source to its start and validates its words or hold value (raises CError).
    void reset();
};

// A sink: drains one place, checks alternation and records one word per quiet period.
struct CKemmakix {
    static constexpr int kBitBufferSize = 99;
    int color = kWhite;
    int placeId = 0;
    std::vector<std::string> received;
    bool hasReceived = false;  // the received list exists (modes 0 and 1 after reset)
    int line = 0;              // 0 Big, 1 Little, 2 破棄 (discard), 3 消費しない (do not absorb)
    std::vector<std::string> expected;
    std::vector<int> bitBuffer;
    int bitCount = 0;
    EventTable events;

    // Returns the sink to its start.
    void reset();
};

}  // namespace novra
