#pragma once
// CNet: the whole Petri net a document holds, its containers, counters and operations.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

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

class CNet {
public:
    IdMap<VObject> objects;
    IdMap<Token> tokens;
    ArcIndex outArcs;  // source object ID -> arc ID
    ArcIndex inArcs;   // destination object ID -> arc ID
    IdMap<CArc> arcs;
    IdMap<CTransition> transitions;
    PlaceMap places;
    IdMap<CUhzi> uhzis;
    IdMap<CKemmakix> kemmakixes;
    int nextId = 1;
    int arcCounter = 1;
    int stopObject = 0;     // where compile, simulation or generation last stopped; 0 = none
    Rect bounds;            // covers node positions and bend points
    std::set<int> simTranOpt;
    int eventFlag = 0;      // 1 after an event file has been read
    std::multimap<int, int> eventIndex;

    CNet() = default;
    // Records hold pointers into places, so a net is never copied implicitly; use copyAll.
    CNet(const CNet&) = delete;
    CNet& operator=(const CNet&) = delete;

    // --- identifiers and containers ---
    int addObject(int x, int y, int kind);
    void deleteObject(int id);
    int addArc(int fromId, int toId, std::vector<Point> bendPoints = {}, std::string varName = {});
    int removeArc(int fromId, int toId);
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
    void moveObject(int id, int x, int y);
    void moveBendPoint(int arcId, int index, int x, int y);
    std::set<int> copyObjects(const CNet& source, const std::set<int>& ids);
    std::set<int> copyAll(const CNet& source);

    // --- geometry journal ---
    // Lets a reader of positions (the editor's paint index) follow the net without walking it. The small
    // edits (addObject, deleteObject, addArc, removeArc, moveObject, moveBendPoint) log the ID they touch;
    // anything bigger, and anything that writes positions directly, calls geometryChanged(), which gives
    // the net a new epoch. Epochs are unique among all nets, so one that took another's content by swap
    // never looks unchanged to a reader that knew it before.
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
    void geometryChanged();
    // Drops the entries before `pos` once the reader has applied them.
    void trimGeometryLog(size_t pos);

    // --- compile (src/model/compile.cpp) ---
    // Checks the net and prepares it for simulation; raises the first fault, with the stop object set
    // where there is one. The observer, when given, follows the compile (compiled_tables.h).
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
    CompiledShape compiledShape;
    CompiledShape currentShape() const;
    // True when a compile has succeeded and nothing has been added or removed since.
    bool simulationReady() const;
    // Tells compiles apart: a new value for every compile that succeeds, unique among all nets, so that
    // state kept beside a net (the simulation's index) can tell whether it belongs to the net's last compile.
    unsigned long long compileSerial() const { return compileSerial_; }

  private:
    // Compile's tables, kept for the next compile (compile_tables.h).
    std::unique_ptr<compiling::CWorkspace, compiling::CWorkspaceDeleter> compileWork_;
    unsigned long long compileSerial_ = 0;
    void noteGeometry(int id, bool arc);
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
