#pragma once
// CNet: the whole Petri net a document holds, its containers, counters and operations.
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/net_change.h"
#include "model/node_pool.h"
#include "model/records.h"
#include "model/compiled_tables.h"

namespace novra {

namespace compiling {
struct CWorkspace;
struct CWorkspaceDeleter {
    void operator()(CWorkspace* w) const;
};
}  // namespace compiling

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool empty = true;

    void include(int x, int y);
    void inflate(int d);
    bool operator==(const Rect&) const = default;
};

// The net's maps keep their nodes in pools of their own (node_pool.h), so that they lie in key order.
template <typename T>
using IdMap = std::map<int, T, std::less<int>, CPoolAllocator<std::pair<const int, T>>>;
using ArcIndex = std::multimap<int, int, std::less<int>, CPoolAllocator<std::pair<const int, int>>>;
using PlaceMap = IdMap<CPlace>;

// One of the net's record maps as its users see it: what a record holds may change, which records there
// are may not (records come and go with their objects, through CNet's own functions).
template <typename Map>
class CRecordMap {
  public:
    using iterator = typename Map::iterator;
    using reverse_iterator = typename Map::reverse_iterator;
    using mapped_type = typename Map::mapped_type;
    using value_type = typename Map::value_type;

    explicit CRecordMap(Map& map) : map_(map) {}
    operator const Map&() const { return map_; }

    iterator begin() const { return map_.begin(); }
    iterator end() const { return map_.end(); }
    reverse_iterator rbegin() const { return map_.rbegin(); }
    reverse_iterator rend() const { return map_.rend(); }
    iterator find(int id) const { return map_.find(id); }
    iterator lower_bound(int id) const { return map_.lower_bound(id); }
    iterator upper_bound(int id) const { return map_.upper_bound(id); }
    mapped_type& at(int id) const { return map_.at(id); }
    size_t count(int id) const { return map_.count(id); }
    bool contains(int id) const { return map_.contains(id); }
    size_t size() const { return map_.size(); }
    bool empty() const { return map_.empty(); }

  private:
    Map& map_;
};

class CNetBuilder;

// The net keeps its containers to itself: they are read through the const accessors, and changed only
// through the functions below, which keep the arc indexes, the geometry journal and the compiled shape
// in step. Record content (a transition's text, a place's marking, a source's words) is changed through
// the record maps a non-const net hands out.
class CNet {
public:
    CNet() = default;
    // Records hold pointers into places, so a net is never copied implicitly; use copyAll.
    CNet(const CNet&) = delete;
    CNet& operator=(const CNet&) = delete;

    // --- reading ---
    const IdMap<VObject>& objects() const { return objects_; }
    const IdMap<Token>& tokens() const { return tokens_; }
    const ArcIndex& outArcs() const { return outArcs_; }  // source object ID -> arc ID
    const ArcIndex& inArcs() const { return inArcs_; }    // destination object ID -> arc ID
    const IdMap<CArc>& arcs() const { return arcs_; }
    const IdMap<CTransition>& transitions() const { return transitions_; }
    const PlaceMap& places() const { return places_; }
    const IdMap<CUhzi>& uhzis() const { return uhzis_; }
    const IdMap<CKemmakix>& kemmakixes() const { return kemmakixes_; }
    CRecordMap<IdMap<CTransition>> transitions() { return CRecordMap(transitions_); }
    CRecordMap<PlaceMap> places() { return CRecordMap(places_); }
    CRecordMap<IdMap<CUhzi>> uhzis() { return CRecordMap(uhzis_); }
    CRecordMap<IdMap<CKemmakix>> kemmakixes() { return CRecordMap(kemmakixes_); }
    int nextId() const { return nextId_; }
    int arcCounter() const { return arcCounter_; }
    // Covers node positions and bend points as a reader found them, and whatever the editor has widened
    // it to (the scroll range).
    const Rect& bounds() const { return bounds_; }
    void extendBounds(int x, int y) { bounds_.include(x, y); }
    // Transitions marked to stop the simulation when they fire.
    const std::set<int>& simTranOpt() const { return simTranOpt_; }
    void setSimTranOpt(int transitionId, bool on);
    // Where compile, simulation or generation last stopped; 0 = none.
    int stopObject() const { return stopObject_; }
    void setStopObject(int id) { stopObject_ = id; }
    // Set once an event file has been read into the net.
    bool hasEvents() const { return eventFlag_ != 0; }
    const std::multimap<int, int>& eventIndex() const { return eventIndex_; }
    void addEventIndex(int key, int id);
    void setHasEvents() { eventFlag_ = 1; }

    // --- identifiers and containers ---
    int addObject(int x, int y, int kind);
    void deleteObject(int id);
    int addArc(int fromId, int toId, std::vector<Point> bendPoints = {}, std::string varName = {});
    int removeArc(int fromId, int toId);
    void setArcVariable(int arcId, std::string varName);
    void clear();
    // Exchanges the whole content with another net. Records keep their addresses, so the pointers that
    // compile leaves between them stay valid in the net that now holds them.
    void swap(CNet& other) noexcept;
    void purgeObjects();
    void pruneArcLabels(int transitionId);

    // Kind of an ID, 0 when there is no such object.
    int kindOf(int id) const;
    // The arc from fromId to toId, or 0.
    int findArc(int fromId, int toId) const;

    // --- editing ---
    void setToken(int placeId, int color, int value);
    void removeToken(int placeId);
    void moveObject(int id, int x, int y);
    void moveBendPoint(int arcId, int index, int x, int y);
    // Moves every node and bend point to where `to` puts it (to grid, for instance).
    void movePositions(const std::function<Point(Point)>& to);
    std::set<int> copyObjects(const CNet& source, const std::set<int>& ids);
    std::set<int> copyAll(const CNet& source);

    // --- recording edits (the editor's undo history) ---
    // Between beginChange() and endChange() every operation notes what it touches as it was before;
    // endChange() adds how it is now and hands the whole over. Editing a record's content through
    // editTransition/editUhzi/editKemmakix counts as touching it (the record maps above do not: they are
    // for the simulation's runtime state).
    void beginChange();
    CNetChange endChange();
    bool recordingChange() const { return change_ != nullptr; }
    CTransition& editTransition(int id);
    CUhzi& editUhzi(int id);
    CKemmakix& editKemmakix(int id);

    // --- geometry journal ---
    // Lets a reader of positions (the editor's paint index) follow the net without walking it. The small
    // edits (addObject, deleteObject, addArc, removeArc, moveObject, moveBendPoint) log the ID they touch;
    // anything bigger (a bulk copy, a swap, a read, movePositions) gives the net a new epoch. Epochs are
    // unique among all nets, so one that took another's content by swap never looks unchanged to a reader
    // that knew it before.
    struct GeometryChange {
        int id;
        bool arc;  // an arc ID, else an object ID
    };
    static constexpr size_t kGeometryLogCap = 4096;
    unsigned long long geometryEpoch() const { return geometryEpoch_; }
    // Positions in the log count from the start of the epoch; those before geometryLogStart() are gone.
    size_t geometryLogStart() const { return geometryLogStart_; }
    size_t geometryLogEnd() const { return geometryLogStart_ + geometryLog_.size(); }
    const GeometryChange& geometryLogAt(size_t pos) const { return geometryLog_[pos - geometryLogStart_]; }
    // Drops the entries before `pos` once the reader has applied them.
    void trimGeometryLog(size_t pos);

    // --- compile (src/model/compile.cpp) ---
    // Checks the net and prepares it for simulation; raises the first fault, with the stop object set
    // where there is one (and cleared when there is none). The observer, when given, follows the compile (compiled_tables.h).
    void compileNet(CCompileObserver* observer = nullptr);

    // Shape of the net when compile last succeeded. The transitions' place references are only valid
    // while the net keeps that shape, so the simulation phases refuse to run on any other.
    struct CompiledShape {
        bool valid = false;
        int nextId = 0;
        int arcCounter = 0;
        size_t objects = 0;
        size_t places = 0;
        size_t transitions = 0;
        size_t arcs = 0;
        bool operator==(const CompiledShape&) const = default;
    };
    CompiledShape currentShape() const;
    // Makes the net uncompiled, for a follower that can no longer vouch for the compiled state.
    void forgetCompile() { compiledShape_ = CompiledShape{}; }
    // True when a compile has succeeded and nothing has been added or removed since.
    bool simulationReady() const;
    // Tells compiles apart: a new value for every compile that succeeds, unique among all nets, so that
    // state kept beside a net (the simulation's index) can tell whether it belongs to the net's last compile.
    unsigned long long compileSerial() const { return compileSerial_; }

  private:
    friend class CNetBuilder;
    friend class CNetChange;
    std::unique_ptr<CNetChange> change_;  // the edit being recorded
    void touchObject(int id);
    void touchArc(int id);
    std::optional<CObjectImage> imageOf(int id) const;
    void applyChange(const CNetChange& change, bool redo);
    void eraseArcEntries(int arcId);
    void eraseObjectEntries(int id);
    IdMap<VObject> objects_;
    IdMap<Token> tokens_;
    ArcIndex outArcs_;
    ArcIndex inArcs_;
    IdMap<CArc> arcs_;
    IdMap<CTransition> transitions_;
    PlaceMap places_;
    IdMap<CUhzi> uhzis_;
    IdMap<CKemmakix> kemmakixes_;
    int nextId_ = 1;
    int arcCounter_ = 1;
    int stopObject_ = 0;
    Rect bounds_;
    std::set<int> simTranOpt_;
    int eventFlag_ = 0;
    std::multimap<int, int> eventIndex_;
    CompiledShape compiledShape_;
    // Compile's tables, kept for the next compile (compile_tables.h).
    std::unique_ptr<compiling::CWorkspace, compiling::CWorkspaceDeleter> compileWork_;
    unsigned long long compileSerial_ = 0;
    void noteGeometry(int id, bool arc);
    void geometryChanged();
    unsigned long long geometryEpoch_ = newGeometryEpoch();
    size_t geometryLogStart_ = 0;
    std::vector<GeometryChange> geometryLog_;
    int geometryLogPaused_ = 0;  // a bulk copy logs nothing and changes the epoch once
    static unsigned long long newGeometryEpoch();
    static unsigned long long newCompileSerial();
};

// Stage 3 of the transition function for a transition of a net whose connections compile has bound.
void prepareFunction(CTransition& t);

}  // namespace novra
