// Reading version 2.00 net files.
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/error.h"
#include "common/messages.h"
#include "fileio/readers.h"
#include "fileio/records.h"

namespace novra::fileio {

namespace {

// Sections may come in any order and more than once. Node records take their IDs in reading order, so
// whatever names a node (view entries, tokens, arcs, marks) is collected first and resolved once the whole
// file has been read.
class Reader200 {
  public:
    Reader200(CNet& net, std::string_view text) : net_(net), cur_(text) {}

    void run() {
        try {
            readSections();
        } catch (...) {
            // The read stopped at a record it could not scan or at the end of the file: that is the fault
            // to report; what was read before it still enters the net as far as it resolves.
            try {
                resolve();
            } catch (const CError&) {
            }
            throw;
        }
        resolve();
        inflateBounds(net_, 100);
    }

  private:
    void readSections() {
        cur_.next();  // the header line
        while (cur_.next()) {
            const std::string_view line = cur_.line();
            if (startsWith(line, ".section[place]")) {
                placeSection();
            } else if (startsWith(line, ".section[transition]")) {
                transitionSection();
            } else if (startsWith(line, ".section[uhzi]")) {
                uhziSection();
            } else if (startsWith(line, ".section[kemmakix]")) {
                kemmakixSection();
            } else if (startsWith(line, ".section[vobject]")) {
                vobjectSection();
            } else if (startsWith(line, ".section[token]")) {
                tokenSection();
            } else if (startsWith(line, ".section[arc]")) {
                arcSection();
            } else if (startsWith(line, ".section[simTranOpt]")) {
                simTranOptSection();
            } else if (startsWith(line, "=== END ===")) {
                return;
            }
        }
        raise(text(msg::kReadFailed));
    }

    // New nodes take IDs from nextId in file order; remember each one's kind and where its record starts,
    // so the references and the final check can refer to them without map lookups.
    template <typename Map>
    typename Map::mapped_type& newRecord(Map& records, int kind, size_t offset) {
        const int id = net_.nextId++;
        if (static_cast<size_t>(id) >= recordKind_.size()) {
            const size_t n = static_cast<size_t>(id) + 1;
            recordKind_.resize(n, 0);
            viewKind_.resize(n, 0);
            recordOffset_.resize(n, 0);
        }
        recordKind_[id] = static_cast<uint8_t>(kind);
        recordOffset_[id] = offset;
        return records.emplace_hint(records.end(), id, typename Map::mapped_type{})->second;
    }

    bool known(int id) const { return id > 0 && static_cast<size_t>(id) < recordKind_.size(); }
    int recordKind(int id) const { return known(id) ? recordKind_[id] : 0; }
    int viewKind(int id) const { return known(id) ? viewKind_[id] : 0; }

    void placeSection() {
        while (nextRecord(cur_, 'p')) {
            Scanner s(cur_.line());
            int id = 0;
            if (!s.lit("pset[") || !s.num(id) || !s.ch(']')) badRecord(cur_);
            newRecord(net_.places, kPlace, cur_.lineStart());
        }
    }

    void transitionSection() {
        while (nextRecord(cur_, 't')) {
            const size_t offset = cur_.lineStart();
            std::string body = readFunctionText(cur_, false);
            CTransition& t = newRecord(net_.transitions, kTransition, offset);
            t.functionText = std::move(body);
            refresh(t);
        }
    }

    // Parsing depends on the text alone, and large nets repeat a few texts: each is parsed once.
    void refresh(CTransition& t) {
        auto hit = parsed_.find(t.functionText);
        if (hit == parsed_.end()) {
            try {
                refreshFunction(t);
            } catch (const CError&) {
                // The transition keeps its text; compile reports the problem.
                return;
            }
            parsed_.emplace(t.functionText, &t);
            return;
        }
        const CTransition& model = *hit->second;
        t.normalizedText = model.normalizedText;
        t.inputVarNames = model.inputVarNames;
        t.outputVarNames = model.outputVarNames;
        t.inputCount = model.inputCount;
        t.outputCount = model.outputCount;
    }

    void uhziSection() {
        while (nextRecord(cur_, 'u')) {
            CUhzi& u = newRecord(net_.uhzis, kUhzi, cur_.lineStart());
            readUhzi(cur_, u);
        }
    }

    void kemmakixSection() {
        while (nextRecord(cur_, 'k')) {
            CKemmakix& k = newRecord(net_.kemmakixes, kKemmakix, cur_.lineStart());
            readKemmakix(cur_, k);
        }
    }

    void vobjectSection() {
        while (nextRecord(cur_, 'o')) {
            const ObjRecord r = parseObj(cur_);
            if (!isValidKind(r.kind)) badRecord(cur_);
            views_.push_back({r, cur_.lineStart()});
        }
    }

    void tokenSection() {
        while (nextRecord(cur_, 't')) tokens_.push_back({parseToken(cur_), cur_.lineStart()});
    }

    void arcSection() {
        while (nextRecord(cur_, 'a')) arcs_.push_back({parseArc(cur_), cur_.lineStart()});
    }

    void simTranOptSection() {
        for (;;) {
            if (!cur_.next()) truncatedFile();
            const std::string_view line = cur_.line();
            if (startsWith(line, "}")) return;
            Scanner s(line);
            if (s.blankRest() || s.peek('/')) continue;
            int id = 0;
            if (!s.num(id) || !s.blankRest()) badRecord(cur_);
            marks_.push_back({id, cur_.lineStart()});
        }
    }

    // Enters the collected references in file order; the first one that names no node of its kind fails
    // the load at its own line. View entries go first, since the others need the node to have one.
    void resolve() {
        if (resolved_) return;
        resolved_ = true;
        for (const auto& [r, offset] : views_) {
            // The view entry must describe a node the file defined, of the same kind.
            if (recordKind(r.id) != r.kind) fault(offset);
            const VObject v{r.kind, r.x, r.y};
            if (net_.objects.empty() || r.id > net_.objects.rbegin()->first) {
                net_.objects.emplace_hint(net_.objects.end(), r.id, v);
            } else {
                net_.objects[r.id] = v;
            }
            viewKind_[r.id] = static_cast<uint8_t>(r.kind);
            net_.bounds.include(r.x, r.y);
        }
        for (const auto& [r, offset] : tokens_) {
            if (viewKind(r.place) != kPlace) fault(offset);
            if (net_.tokens.empty() || r.place > net_.tokens.rbegin()->first)
                net_.tokens.emplace_hint(net_.tokens.end(), r.place, r.token);
            else
                net_.tokens[r.place] = r.token;
        }
        // The arc indexes get their entries at the end, also at a fault, ordered by node: appended at the
        // end of the trees instead of searched into them one by one.
        try {
            for (auto& [r, offset] : arcs_) {
                // Both ends must be nodes of this file (an end of 0 names none).
                if (viewKind(r.from) == 0 || viewKind(r.to) == 0) fault(offset);
                for (const Point& p : r.bendPoints) net_.bounds.include(p.x, p.y);
                addArc(r);
            }
        } catch (...) {
            indexArcs();
            throw;
        }
        indexArcs();
        for (const auto& [id, offset] : marks_) {
            if (viewKind(id) != kTransition) fault(offset);
            net_.simTranOpt.insert(id);
        }
        for (size_t id = 1; id < recordKind_.size(); ++id)
            if (recordKind_[id] != 0 && viewKind_[id] == 0) fault(recordOffset_[id]);
    }

    [[noreturn]] void fault(size_t offset) const { badRecordAt(cur_.text(), offset); }

    // A second arc between the same two nodes only replaces the first one's bend points and variable.
    void addArc(ArcRecord& r) {
        if (outHead_.size() < recordKind_.size()) outHead_.resize(recordKind_.size(), -1);
        int& head = outHead_[static_cast<size_t>(r.from)];
        for (int k = head; k >= 0; k = links_[static_cast<size_t>(k)].next) {
            const Link& l = links_[static_cast<size_t>(k)];
            if (l.to != r.to) continue;
            CArc& a = net_.arcs.at(l.arc);
            a.bendPoints = std::move(r.bendPoints);
            a.varName = std::move(r.varName);
            return;
        }
        const int id = net_.arcCounter++;
        links_.push_back(Link{r.from, r.to, id, head});
        head = static_cast<int>(links_.size()) - 1;
        net_.arcs.emplace_hint(net_.arcs.end(), id,
                               CArc{std::move(r.bendPoints), r.from, r.to, std::move(r.varName)});
    }

    // Puts the arcs into the net's two indexes, grouped by node and, within a node, in reading order
    // (ascending arc ID), as inserting them one by one would have left them.
    void indexArcs() {
        const size_t n = links_.size();
        if (n == 0) return;
        std::vector<int> start(recordKind_.size() + 1, 0);
        std::vector<int> order(n);
        auto byNode = [&](auto endOf, ArcIndex& index) {
            std::fill(start.begin(), start.end(), 0);
            for (const Link& l : links_) ++start[static_cast<size_t>(endOf(l)) + 1];
            for (size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
            for (size_t k = 0; k < n; ++k)
                order[static_cast<size_t>(start[static_cast<size_t>(endOf(links_[k]))]++)] =
                    static_cast<int>(k);
            for (int k : order) {
                const Link& l = links_[static_cast<size_t>(k)];
                index.emplace_hint(index.end(), endOf(l), l.arc);
            }
        };
        byNode([](const Link& l) { return l.from; }, net_.outArcs);
        byNode([](const Link& l) { return l.to; }, net_.inArcs);
    }

    // A collected record and where its line starts, for the message should it name no node.
    template <typename Record>
    struct At {
        Record record;
        size_t offset;
    };
    // Every arc entered, with the arcs leaving the same node chained from outHead_ (latest first).
    struct Link {
        int from, to, arc, next;
    };

    CNet& net_;
    LineCursor cur_;
    std::unordered_map<std::string, const CTransition*> parsed_;  // text -> a transition parsed from it
    std::vector<At<ObjRecord>> views_;
    std::vector<At<TokenRecord>> tokens_;
    std::vector<At<ArcRecord>> arcs_;
    std::vector<At<int>> marks_;  // simTranOpt
    bool resolved_ = false;
    std::vector<Link> links_;
    std::vector<int> outHead_;         // by node ID: the last arc entered that leaves it, -1 = none
    std::vector<uint8_t> recordKind_;  // by ID: kind of the node record the file defined, 0 = none
    std::vector<uint8_t> viewKind_;    // by ID: kind of the view entry entered, 0 = none yet
    std::vector<size_t> recordOffset_;
};

}  // namespace

void readVersion200(CNet& net, std::string_view text) {
    net.clear();
    try {
        Reader200(net, text).run();
    } catch (...) {
        dropRecordsWithoutView(net);
        throw;
    }
}

}  // namespace novra::fileio
