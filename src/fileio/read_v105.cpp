// Reading version 1.05 net files: no place and simTranOpt sections, nodes numbered by the view section,
// arcs and tokens naming nodes by their position there, arc names derived from the arcs themselves.
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "common/error.h"
#include "common/messages.h"
#include "fileio/readers.h"
#include "fileio/records.h"
#include "model/net_builder.h"

namespace novra::fileio {

namespace {

// A record read under the identifier written in the file, waiting for its view entry to number it.
template <typename Record>
struct Pending {
    Record record;
    size_t offset = 0;  // where its line starts
    bool placed = false;
};

// A record that names nodes, and where its line starts.
template <typename Record>
struct At {
    Record record;
    size_t offset;
};

// Sections may come in any order and more than once: view entries, tokens and arcs are collected and
// resolved once the whole file has been read, the view entries first since they number the nodes.
class Reader105 {
  public:
    Reader105(CNetBuilder& build, CNet& net, std::string_view text) : build_(build), net_(net), cur_(text) {}

    void run() {
        try {
            readSections();
        } catch (...) {
            // The record that could not be read is the fault to report; what came before it still enters
            // the net as far as it resolves.
            try {
                resolve();
            } catch (const CError&) {
            }
            throw;
        }
        resolve();
        build_.finish();
        nameArcs();
        for (const auto& kv : net_.transitions()) net_.pruneArcLabels(kv.first);
        build_.inflateBounds(100);
    }

  private:
    void readSections() {
        cur_.next();  // the header line
        while (cur_.next()) {
            const std::string_view line = cur_.line();
            if (startsWith(line, ".section[transition]")) {
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
            } else if (startsWith(line, "=== END ===")) {
                return;
            }
        }
    }

    template <typename Record>
    Pending<Record>& pending(std::map<int, Pending<Record>>& records, int id, size_t offset) {
        auto [it, fresh] = records.try_emplace(id);
        // Two records under one identifier: the view section could not tell them apart.
        if (!fresh) fault(offset);
        it->second.offset = offset;
        return it->second;
    }

    void transitionSection() {
        while (nextRecord(cur_, 't')) {
            const size_t offset = cur_.lineStart();
            int id = 0;
            std::string body = readFunctionText(cur_, true, &id);
            CTransition& t = pending(transitions_, id, offset).record;
            t.functionText = std::move(body);
            try {
                refreshFunction(t);
            } catch (const CError&) {
                // The transition keeps its text; compile reports the problem.
            }
        }
    }

    void uhziSection() {
        while (nextRecord(cur_, 'u')) {
            const size_t offset = cur_.lineStart();
            CUhzi u;
            const int id = readUhzi(cur_, u);
            pending(uhzis_, id, offset).record = std::move(u);
        }
    }

    void kemmakixSection() {
        while (nextRecord(cur_, 'k')) {
            const size_t offset = cur_.lineStart();
            CKemmakix k;
            const int id = readKemmakix(cur_, k);
            pending(kemmakixes_, id, offset).record = std::move(k);
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

    // The first record that names no node of its kind fails the load at its own line.
    void resolve() {
        if (resolved_) return;
        resolved_ = true;
        for (const auto& [r, offset] : views_) {
            const int id = static_cast<int>(net_.objects().size()) + 1;
            switch (r.kind) {
                case kPlace:
                    build_.add(id, CPlace{});
                    break;
                case kTransition:
                    place(transitions_, r.id, id, offset);
                    break;
                case kUhzi:
                    place(uhzis_, r.id, id, offset);
                    break;
                default:
                    place(kemmakixes_, r.id, id, offset);
                    break;
            }
            build_.setView(id, VObject{r.kind, r.x, r.y});
            build_.setCounters(id + 1, net_.arcCounter());
        }
        for (const auto& [r, offset] : tokens_) {
            const int id = byPosition(r.place);
            if (net_.kindOf(id) != kPlace) fault(offset);
            build_.setToken(id, r.token);
        }
        for (auto& [r, offset] : arcs_) {
            const int from = byPosition(r.from);
            const int to = byPosition(r.to);
            if (from == 0 || to == 0) fault(offset);
            // Names are not stored in this version; nameArcs derives them.
            build_.addArc(from, to, std::move(r.bendPoints), {});
        }
        requirePlaced(transitions_);
        requirePlaced(uhzis_);
        requirePlaced(kemmakixes_);
    }

    // Moves the record with the view entry's identifier to the entry's number.
    template <typename Record>
    void place(std::map<int, Pending<Record>>& records, int fileId, int id, size_t offset) {
        auto it = records.find(fileId);
        if (it == records.end() || it->second.placed) fault(offset);
        it->second.placed = true;
        build_.add(id, std::move(it->second.record));
    }

    // Tokens and arcs name nodes by their position in the view section, from 0.
    int byPosition(long long position) const {
        const long long id = position + 1;
        return id >= 1 && id <= static_cast<long long>(net_.objects().size()) ? static_cast<int>(id) : 0;
    }

    // A transition with several incoming arcs names them i1, i2, ... in arc order; outgoing arcs o1, o2, ...
    void nameArcs() {
        for (const auto& kv : net_.transitions()) {
            const auto name = [this](const ArcIndex& arcsOf, int id, const char* prefix) {
                auto [b, e] = arcsOf.equal_range(id);
                if (std::distance(b, e) < 2) return;
                int n = 1;
                for (auto it = b; it != e; ++it)
                    net_.setArcVariable(it->second, prefix + std::to_string(n++));
            };
            name(net_.inArcs(), kv.first, "i");
            name(net_.outArcs(), kv.first, "o");
        }
    }

    template <typename Record>
    void requirePlaced(const std::map<int, Pending<Record>>& records) const {
        for (const auto& [id, p] : records)
            if (!p.placed) fault(p.offset);
    }

    [[noreturn]] void fault(size_t offset) const { badRecordAt(cur_.text(), offset); }

    CNetBuilder& build_;
    CNet& net_;  // the one the builder fills
    LineCursor cur_;
    std::map<int, Pending<CTransition>> transitions_;
    std::map<int, Pending<CUhzi>> uhzis_;
    std::map<int, Pending<CKemmakix>> kemmakixes_;
    std::vector<At<ObjRecord>> views_;
    std::vector<At<TokenRecord>> tokens_;
    std::vector<At<ArcRecord>> arcs_;
    bool resolved_ = false;
};

}  // namespace

void readVersion105(CNet& net, std::string_view text) {
    CNetBuilder build(net);
    try {
        Reader105(build, net, text).run();
    } catch (...) {
        build.finish();
        build.dropRecordsWithoutView();
        throw;
    }
}

}  // namespace novra::fileio
