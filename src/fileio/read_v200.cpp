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
#include "model/net_builder.h"

namespace novra::fileio {

namespace {

// Sections may come in any order and more than once. Node records take their IDs in reading order, so
// whatever names a node (view entries, tokens, arcs, marks) is collected first and resolved once the whole
// file has been read.
class Reader200 {
  public:
    Reader200(CNetBuilder& build, std::string_view text) : build_(build), cur_(text) {}

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
        build_.inflateBounds(100);
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
    template <typename Record>
    Record& newRecord(int kind, size_t offset) {
        const int id = build_.takeId();
        if (static_cast<size_t>(id) >= recordKind_.size()) {
            const size_t n = static_cast<size_t>(id) + 1;
            recordKind_.resize(n, 0);
            viewKind_.resize(n, 0);
            recordOffset_.resize(n, 0);
        }
        recordKind_[id] = static_cast<uint8_t>(kind);
        recordOffset_[id] = offset;
        return build_.add(id, Record{});
    }

    bool known(int id) const { return id > 0 && static_cast<size_t>(id) < recordKind_.size(); }
    int recordKind(int id) const { return known(id) ? recordKind_[id] : 0; }
    int viewKind(int id) const { return known(id) ? viewKind_[id] : 0; }

    void placeSection() {
        while (nextRecord(cur_, 'p')) {
            Scanner s(cur_.line());
            int id = 0;
            if (!s.lit("pset[") || !s.num(id) || !s.ch(']')) badRecord(cur_);
            newRecord<CPlace>(kPlace, cur_.lineStart());
        }
    }

    void transitionSection() {
        while (nextRecord(cur_, 't')) {
            const size_t offset = cur_.lineStart();
            std::string body = readFunctionText(cur_, false);
            CTransition& t = newRecord<CTransition>(kTransition, offset);
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
            CUhzi& u = newRecord<CUhzi>(kUhzi, cur_.lineStart());
            readUhzi(cur_, u);
        }
    }

    void kemmakixSection() {
        while (nextRecord(cur_, 'k')) {
            CKemmakix& k = newRecord<CKemmakix>(kKemmakix, cur_.lineStart());
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
            build_.setView(r.id, VObject{r.kind, r.x, r.y});
            viewKind_[r.id] = static_cast<uint8_t>(r.kind);
        }
        for (const auto& [r, offset] : tokens_) {
            if (viewKind(r.place) != kPlace) fault(offset);
            build_.setToken(r.place, r.token);
        }
        for (auto& [r, offset] : arcs_) {
            // Both ends must be nodes of this file (an end of 0 names none).
            if (viewKind(r.from) == 0 || viewKind(r.to) == 0) fault(offset);
            build_.addArc(r.from, r.to, std::move(r.bendPoints), std::move(r.varName));
        }
        for (const auto& [id, offset] : marks_) {
            if (viewKind(id) != kTransition) fault(offset);
            build_.markStop(id);
        }
        for (size_t id = 1; id < recordKind_.size(); ++id)
            if (recordKind_[id] != 0 && viewKind_[id] == 0) fault(recordOffset_[id]);
    }

    [[noreturn]] void fault(size_t offset) const { badRecordAt(cur_.text(), offset); }

    // A collected record and where its line starts, for the message should it name no node.
    template <typename Record>
    struct At {
        Record record;
        size_t offset;
    };
    CNetBuilder& build_;
    LineCursor cur_;
    std::unordered_map<std::string, const CTransition*> parsed_;  // text -> a transition parsed from it
    std::vector<At<ObjRecord>> views_;
    std::vector<At<TokenRecord>> tokens_;
    std::vector<At<ArcRecord>> arcs_;
    std::vector<At<int>> marks_;  // simTranOpt
    bool resolved_ = false;
    std::vector<uint8_t> recordKind_;  // by ID: kind of the node record the file defined, 0 = none
    std::vector<uint8_t> viewKind_;    // by ID: kind of the view entry entered, 0 = none yet
    std::vector<size_t> recordOffset_;
};

}  // namespace

void readVersion200(CNet& net, std::string_view text) {
    CNetBuilder build(net);
    try {
        Reader200(build, text).run();
    } catch (...) {
        build.finish();
        build.dropRecordsWithoutView();
        throw;
    }
    build.finish();
}

}  // namespace novra::fileio
