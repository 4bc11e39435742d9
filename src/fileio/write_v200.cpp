// Writing net files (version 2.00).
#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/encoding.h"
#include "common/error.h"
#include "common/messages.h"
#include "fileio/file_bytes.h"
#include "model/net.h"

namespace novra {

namespace {

// Net ID -> file ID. Net IDs are dense unless many objects were deleted, so a vector usually serves.
class FileIds {
  public:
    FileIds(int maxId, size_t count) {
        dense_ = maxId >= 0 && static_cast<size_t>(maxId) <= 4 * count + 1024;
        if (dense_) byId_.assign(static_cast<size_t>(maxId) + 1, 0);
    }
    void set(int id, int fileId) {
        if (inVector(id)) {
            byId_[static_cast<size_t>(id)] = fileId;
        } else {
            sparse_[id] = fileId;
        }
    }
    // 0 when the ID has no file ID.
    int operator[](int id) const {
        if (inVector(id)) return byId_[static_cast<size_t>(id)];
        auto it = sparse_.find(id);
        return it == sparse_.end() ? 0 : it->second;
    }

  private:
    bool inVector(int id) const { return dense_ && id >= 0 && static_cast<size_t>(id) < byId_.size(); }

    bool dense_ = false;
    std::vector<int> byId_;
    std::unordered_map<int, int> sparse_;
};

class Writer {
  public:
    explicit Writer(std::string& out) : out_(out) {}

    Writer& operator<<(std::string_view s) {
        out_.append(s);
        return *this;
    }
    Writer& operator<<(int v) {
        char buf[16];
        auto [p, ec] = std::to_chars(buf, buf + sizeof buf, v);
        out_.append(buf, p);
        return *this;
    }
    void eol() { out_.append("\r\n"); }
    void line(std::string_view s) {
        out_.append(s);
        eol();
    }
    // A function text: carriage returns dropped, so its line breaks become the file's line ends.
    void functionText(std::string_view s) {
        for (char c : s) {
            if (c == '\r') continue;
            if (c == '\n') {
                eol();
            } else {
                out_.push_back(c);
            }
        }
    }

  private:
    std::string& out_;
};

bool hasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// Every object must be a node with a record of its kind, and every text must fit in its record.
void checkSavable(const CNet& net) {
    for (const auto& [id, v] : net.objects) {
        bool hasRecord = false;
        switch (v.kind) {
            case kPlace:
                hasRecord = net.places.count(id) > 0;
                break;
            case kTransition:
                hasRecord = net.transitions.count(id) > 0;
                break;
            case kUhzi:
                hasRecord = net.uhzis.count(id) > 0;
                break;
            case kKemmakix:
                hasRecord = net.kemmakixes.count(id) > 0;
                break;
            default:
                break;
        }
        if (!hasRecord) raise(text(msg::kUnsavableObject));
    }
    const auto requireView = [&net](const auto& records, int kind) {
        for (const auto& kv : records)
            if (net.kindOf(kv.first) != kind) raise(text(msg::kUnsavableObject));
    };
    requireView(net.places, kPlace);
    requireView(net.transitions, kTransition);
    requireView(net.uhzis, kUhzi);
    requireView(net.kemmakixes, kKemmakix);

    const auto unsavable = [](int id) { raise(format(msg::kUnsavableText, id)); };
    for (const auto& [id, t] : net.transitions)
        if (t.functionText.find(']') != std::string::npos) unsavable(id);
    for (const auto& [id, u] : net.uhzis)
        for (const auto& w : u.words)
            if (hasLineBreak(w)) unsavable(id);
    for (const auto& [id, k] : net.kemmakixes)
        for (const auto& w : k.expected)
            if (hasLineBreak(w)) unsavable(id);
    for (const auto& [arcId, a] : net.arcs)
        if (hasLineBreak(a.varName) || a.varName.find(']') != std::string::npos) unsavable(a.fromId);
}

std::string formatNet(const CNet& net) {
    int maxId = 0;
    if (!net.objects.empty()) maxId = std::max(maxId, net.objects.rbegin()->first);
    FileIds fileId(maxId, net.objects.size());
    int next = 1;
    for (const auto& kv : net.places) fileId.set(kv.first, next++);
    for (const auto& kv : net.transitions) fileId.set(kv.first, next++);
    for (const auto& kv : net.uhzis) fileId.set(kv.first, next++);
    for (const auto& kv : net.kemmakixes) fileId.set(kv.first, next++);

    std::string out;
    out.reserve(256 + net.objects.size() * 48 + net.arcs.size() * 24);
    Writer w(out);
    w.line("=== NOVRA Objects Data Ver.2.00 ===");
    w.eol();

    w.line(".section[place]{");
    w.line("/pset[ID]");
    for (const auto& kv : net.places) {
        w << "pset[" << fileId[kv.first] << "]";
        w.eol();
    }
    w.line("}");

    w.line(".section[transition]{");
    w.line("/tran[ID,f1:f2..]");
    for (const auto& [id, t] : net.transitions) {
        w << "tran[" << fileId[id] << ",";
        w.functionText(t.functionText);
        w << "]";
        w.eol();
    }
    w.line("}");

    w.line(".section[uhzi]{");
    w.line("/uset[ID,PlaceID,inc,line]=(d1,d2,d3...)");
    for (const auto& [id, u] : net.uhzis) {
        w << "uset[" << fileId[id] << ",0," << u.addp << "," << u.line << "]={";
        w.eol();
        if (u.addp == 1) {
            for (const auto& word : u.words) {
                w << "data(" << word << ")";
                w.eol();
            }
        } else if (u.addp == 0) {
            w << "data(" << u.holdValue << ")";
            w.eol();
        }
        w.line("}");
    }
    w.line("}");

    w.line(".section[kemmakix]{");
    w.line("/kset[ID,PlaceID,line]");
    for (const auto& [id, k] : net.kemmakixes) {
        w << "kset[" << fileId[id] << ",0," << k.line << "]{";
        w.eol();
        for (const auto& word : k.expected) {
            w << "data(" << word << ")";
            w.eol();
        }
        w.line("}");
    }
    w.line("}");
    w.eol();
    w.eol();

    // In file ID order, so that saving a net just read gives the same file again.
    w.line(".section[vobject]{");
    const auto writeViews = [&](const auto& records) {
        for (const auto& kv : records) {
            const VObject& v = net.objects.at(kv.first);
            w << "obj[0," << v.kind << "," << fileId[kv.first] << "]=(" << v.x << "," << v.y << ")";
            w.eol();
        }
    };
    writeViews(net.places);
    writeViews(net.transitions);
    writeViews(net.uhzis);
    writeViews(net.kemmakixes);
    w.line("}");

    w.line(".section[token]{");
    w.line("/tset[PlaceID]=(color,value)");
    for (const auto& [id, tok] : net.tokens) {
        // A token under an ID that is no place cannot be read back; compile rejects it anyway.
        if (!net.places.count(id)) continue;
        w << "tset[" << fileId[id] << "]=(" << tok.color << "," << tok.value << ")";
        w.eol();
    }
    w.line("}");

    w.line(".section[arc]{");
    w.line("/arc[In,Out]");
    for (const auto& [arcId, a] : net.arcs) {
        const int from = fileId[a.fromId];
        const int to = fileId[a.toId];
        // An arc to a missing object cannot be read back; compile rejects it anyway.
        if (from == 0 || to == 0) continue;
        w << "arc[" << from << "," << to;
        if (!a.varName.empty()) w << "," << a.varName;
        w << "]";
        for (const Point& p : a.bendPoints) w << ":(" << p.x << "," << p.y << ")";
        w.eol();
    }
    w.line("}");

    w.line(".section[simTranOpt]{");
    for (int id : net.simTranOpt) {
        if (!net.transitions.count(id)) continue;
        w << fileId[id];
        w.eol();
    }
    w.line("}");
    w.line("=== END ===");
    return out;
}

}  // namespace

void CNet::saveFile(const std::string& path) {
    if (kindOf(0) != 0 || places.count(0) || transitions.count(0) || uhzis.count(0) || kemmakixes.count(0))
        deleteObject(0);
    checkSavable(*this);
    const std::string text = formatNet(*this);
    const std::optional<std::string> bytes = utf8ToCp932(text);
    if (!bytes) raise(novra::text(msg::kNotCp932));
    fileio::replaceFile(path, *bytes);
}

}  // namespace novra
