// Reading version 1.05 net files: no place and simTranOpt sections, nodes numbered by the view section,
// arcs and tokens naming nodes by their position there, arc names derived from the arcs themselves.
#include <iterator>
#include <map>
#include <string>

#include "common/error.h"
#include "common/messages.h"
#include "fileio/readers.h"
#include "fileio/records.h"

namespace novra::fileio {

namespace {

// A record read under the identifier written in the file, waiting for its view entry to number it.
template <typename Record>
struct Pending {
    Record record;
    int line = 0;
    size_t offset = 0;
    bool placed = false;
};

class Reader105 {
  public:
    Reader105(CNet& net, std::string_view text) : net_(net), cur_(text) {}

    void run() {
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
                break;
            }
        }
        requirePlaced(transitions_);
        requirePlaced(uhzis_);
        requirePlaced(kemmakixes_);
        nameArcs();
        net_.nextId = static_cast<int>(net_.objects.size()) + 1;
        net_.arcCounter = static_cast<int>(net_.arcs.size()) + 1;
        for (const auto& kv : net_.transitions) net_.pruneArcLabels(kv.first);
        inflateBounds(net_, 100);
    }

  private:
    template <typename Record>
    Pending<Record>& pending(std::map<int, Pending<Record>>& records, int id, int line, size_t offset) {
        auto [it, fresh] = records.try_emplace(id);
        // Two records under one identifier: the view section could not tell them apart.
        if (!fresh) badRecord(line, lineAt(offset));
        it->second.line = line;
        it->second.offset = offset;
        return it->second;
    }

    void transitionSection() {
        while (nextRecord(cur_, 't')) {
            const int line = cur_.number();
            const size_t offset = cur_.lineStart();
            int id = 0;
            std::string body = readFunctionText(cur_, true, &id);
            CTransition& t = pending(transitions_, id, line, offset).record;
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
            const int line = cur_.number();
            const size_t offset = cur_.lineStart();
            CUhzi u;
            const int id = readUhzi(cur_, u);
            pending(uhzis_, id, line, offset).record = std::move(u);
        }
    }

    void kemmakixSection() {
        while (nextRecord(cur_, 'k')) {
            const int line = cur_.number();
            const size_t offset = cur_.lineStart();
            CKemmakix k;
            const int id = readKemmakix(cur_, k);
            pending(kemmakixes_, id, line, offset).record = std::move(k);
        }
    }

    // Moves the record with the view entry's identifier to the entry's number.
    template <typename Record>
    void place(std::map<int, Pending<Record>>& records, IdMap<Record>& target, int fileId, int id) {
        auto it = records.find(fileId);
        if (it == records.end() || it->second.placed) badRecord(cur_);
        it->second.placed = true;
        target.emplace_hint(target.end(), id, std::move(it->second.record));
    }

    void vobjectSection() {
        while (nextRecord(cur_, 'o')) {
            const ObjRecord r = parseObj(cur_);
            const int id = static_cast<int>(net_.objects.size()) + 1;
            switch (r.kind) {
                case kPlace:
                    net_.places.emplace_hint(net_.places.end(), id, CPlace{});
                    break;
                case kTransition:
                    place(transitions_, net_.transitions, r.id, id);
                    break;
                case kUhzi:
                    place(uhzis_, net_.uhzis, r.id, id);
                    break;
                case kKemmakix:
                    place(kemmakixes_, net_.kemmakixes, r.id, id);
                    break;
                default:
                    badRecord(cur_);
            }
            net_.objects.emplace_hint(net_.objects.end(), id, VObject{r.kind, r.x, r.y});
            net_.bounds.include(r.x, r.y);
        }
    }

    // Tokens and arcs name nodes by their position in the view section, from 0.
    int byPosition(long long position) const {
        const long long id = position + 1;
        return id >= 1 && id <= static_cast<long long>(net_.objects.size()) ? static_cast<int>(id) : 0;
    }

    void tokenSection() {
        while (nextRecord(cur_, 't')) {
            const TokenRecord r = parseToken(cur_);
            const int id = byPosition(r.place);
            if (net_.kindOf(id) != kPlace) badRecord(cur_);
            net_.tokens[id] = r.token;
        }
    }

    void arcSection() {
        while (nextRecord(cur_, 'a')) {
            ArcRecord r = parseArc(cur_);
            const int from = byPosition(r.from);
            const int to = byPosition(r.to);
            if (from == 0 || to == 0) badRecord(cur_);
            for (const Point& p : r.bendPoints) net_.bounds.include(p.x, p.y);
            // Names are not stored in this version; nameArcs derives them.
            addReadArc(net_, from, to, std::move(r.bendPoints), {});
        }
    }

    // A transition with several incoming arcs names them i1, i2, ... in arc order; outgoing arcs o1, o2, ...
    void nameArcs() {
        for (const auto& kv : net_.transitions) {
            const auto name = [this](ArcIndex& arcsOf, int id, const char* prefix) {
                auto [b, e] = arcsOf.equal_range(id);
                if (std::distance(b, e) < 2) return;
                int n = 1;
                for (auto it = b; it != e; ++it)
                    net_.arcs.at(it->second).varName = prefix + std::to_string(n++);
            };
            name(net_.inArcs, kv.first, "i");
            name(net_.outArcs, kv.first, "o");
        }
    }

    template <typename Record>
    void requirePlaced(const std::map<int, Pending<Record>>& records) const {
        for (const auto& [id, p] : records)
            if (!p.placed) badRecord(p.line, lineAt(p.offset));
    }

    std::string_view lineAt(size_t offset) const { return fileio::lineAt(cur_.text(), offset); }

    CNet& net_;
    LineCursor cur_;
    std::map<int, Pending<CTransition>> transitions_;
    std::map<int, Pending<CUhzi>> uhzis_;
    std::map<int, Pending<CKemmakix>> kemmakixes_;
};

}  // namespace

void readVersion105(CNet& net, std::string_view text) {
    net.clear();
    try {
        Reader105(net, text).run();
    } catch (...) {
        // Records enter the net only with their view entries; nextId must still cover them.
        net.nextId = static_cast<int>(net.objects.size()) + 1;
        net.arcCounter = static_cast<int>(net.arcs.size()) + 1;
        dropRecordsWithoutView(net);
        throw;
    }
}

}  // namespace novra::fileio
