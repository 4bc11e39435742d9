// Writing net files (version 2.00).
#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/error.h"
#include "common/messages.h"
#include "fileio/file_bytes.h"
#include "fileio/fileio.h"
#include "fileio/text_codec.h"
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

// Builds the file's CP932 bytes: the layout is ASCII, user texts are encoded as they are written.
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
    // A text the user wrote.
    Writer& text(std::string_view s) {
        if (!encoder_.append(out_, s)) raise(novra::text(msg::kNotCp932));
        return *this;
    }
    // A function text: carriage returns dropped, so its line breaks become the file's line ends.
    void functionText(std::string_view s) {
        size_t start = 0;
        for (size_t i = 0; i <= s.size(); ++i) {
            if (i < s.size() && s[i] != '\r' && s[i] != '\n') continue;
            text(s.substr(start, i - start));
            if (i < s.size() && s[i] == '\n') eol();
            start = i + 1;
        }
    }

  private:
    std::string& out_;
    fileio::Cp932Encoder encoder_;
};

bool hasLineBreak(std::string_view s) {
    return s.find_first_of("\r\n") != std::string_view::npos;
}

[[noreturn]] void unsavableText(int id) {
    raise(format(msg::kUnsavableText, id));
}

// File IDs: places first, then transitions, uhzis and kemmakixes, each kind in ascending net ID.
// The records come along in file order, so writing needs no second walk over the maps.
struct Numbering {
    FileIds fileId;
    std::vector<const VObject*> views;  // by file ID - 1
    std::vector<std::pair<int, const CTransition*>> transitions;
    std::vector<std::pair<int, const CUhzi*>> uhzis;
    std::vector<std::pair<int, const CKemmakix*>> kemmakixes;
};

// One walk over the view entries alongside the four record maps (all sorted by ID) checks that they
// describe the same nodes and numbers them; no lookups, so large nets stay fast.
Numbering numberNodes(const CNet& net) {
    const int maxId = net.objects().empty() ? 0 : net.objects().rbegin()->first;
    Numbering n{
        FileIds(maxId, net.objects().size()), std::vector<const VObject*>(net.objects().size()), {}, {}, {}};
    auto place = net.places().begin();
    auto transition = net.transitions().begin();
    auto uhzi = net.uhzis().begin();
    auto kemmakix = net.kemmakixes().begin();
    int rank[5] = {0, 0, 0, 0, 0};
    const int base[5] = {0, 1, 1 + static_cast<int>(net.places().size()),
                         1 + static_cast<int>(net.places().size() + net.transitions().size()),
                         1 + static_cast<int>(net.places().size() + net.transitions().size() + net.uhzis().size())};
    n.transitions.reserve(net.transitions().size());
    n.uhzis.reserve(net.uhzis().size());
    n.kemmakixes.reserve(net.kemmakixes().size());
    const auto match = [](auto& it, const auto& records, int id) {
        if (it == records.end() || it->first != id) raise(text(msg::kUnsavableObject));
        return &(it++)->second;
    };
    for (const auto& [id, v] : net.objects()) {
        switch (v.kind) {
            case kPlace:
                match(place, net.places(), id);
                break;
            case kTransition:
                n.transitions.emplace_back(id, match(transition, net.transitions(), id));
                break;
            case kUhzi:
                n.uhzis.emplace_back(id, match(uhzi, net.uhzis(), id));
                break;
            case kKemmakix:
                n.kemmakixes.emplace_back(id, match(kemmakix, net.kemmakixes(), id));
                break;
            default:
                raise(text(msg::kUnsavableObject));
        }
        const int fileId = base[v.kind] + rank[v.kind]++;
        n.fileId.set(id, fileId);
        n.views[static_cast<size_t>(fileId - 1)] = &v;
    }
    // A record without a view entry.
    if (place != net.places().end() || transition != net.transitions().end() || uhzi != net.uhzis().end() ||
        kemmakix != net.kemmakixes().end())
        raise(text(msg::kUnsavableObject));
    return n;
}

std::string formatNet(const CNet& net) {
    const Numbering numbering = numberNodes(net);
    const FileIds& fileId = numbering.fileId;

    std::string out;
    out.reserve(256 + net.objects().size() * 48 + net.arcs().size() * 24);
    Writer w(out);
    w.line("=== NOVRA Objects Data Ver.2.00 ===");
    w.eol();

    w.line(".section[place]{");
    w.line("/pset[ID]");
    for (int id = 1; id <= static_cast<int>(net.places().size()); ++id) {
        w << "pset[" << id << "]";
        w.eol();
    }
    w.line("}");

    w.line(".section[transition]{");
    w.line("/tran[ID,f1:f2..]");
    for (const auto& [id, tp] : numbering.transitions) {
        const CTransition& t = *tp;
        if (t.functionText.find(']') != std::string::npos) unsavableText(id);
        w << "tran[" << fileId[id] << ",";
        w.functionText(t.functionText);
        w << "]";
        w.eol();
    }
    w.line("}");

    w.line(".section[uhzi]{");
    w.line("/uset[ID,PlaceID,inc,line]=(d1,d2,d3...)");
    for (const auto& [id, up] : numbering.uhzis) {
        const CUhzi& u = *up;
        w << "uset[" << fileId[id] << ",0," << u.addp << "," << u.line << "]={";
        w.eol();
        if (u.addp == 1) {
            for (const auto& word : u.words) {
                if (hasLineBreak(word)) unsavableText(id);
                w << "data(";
                w.text(word) << ")";
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
    for (const auto& [id, kp] : numbering.kemmakixes) {
        const CKemmakix& k = *kp;
        w << "kset[" << fileId[id] << ",0," << k.line << "]{";
        w.eol();
        for (const auto& word : k.expected) {
            if (hasLineBreak(word)) unsavableText(id);
            w << "data(";
            w.text(word) << ")";
            w.eol();
        }
        w.line("}");
    }
    w.line("}");
    w.eol();
    w.eol();

    // In file ID order, so that saving a net just read gives the same file again.
    w.line(".section[vobject]{");
    for (size_t i = 0; i < numbering.views.size(); ++i) {
        const VObject& v = *numbering.views[i];
        w << "obj[0," << v.kind << "," << static_cast<int>(i + 1) << "]=(" << v.x << "," << v.y << ")";
        w.eol();
    }
    w.line("}");

    w.line(".section[token]{");
    w.line("/tset[PlaceID]=(color,value)");
    for (const auto& [id, tok] : net.tokens()) {
        // A token under an ID that is no place cannot be read back; compile rejects it anyway.
        const int place = fileId[id];
        if (place == 0 || numbering.views[static_cast<size_t>(place - 1)]->kind != kPlace) continue;
        w << "tset[" << place << "]=(" << tok.color << "," << tok.value << ")";
        w.eol();
    }
    w.line("}");

    w.line(".section[arc]{");
    w.line("/arc[In,Out]");
    for (const auto& [arcId, a] : net.arcs()) {
        const int from = fileId[a.fromId];
        const int to = fileId[a.toId];
        // An arc to a missing object cannot be read back; compile rejects it anyway.
        if (from == 0 || to == 0) continue;
        if (hasLineBreak(a.varName) || a.varName.find(']') != std::string::npos) unsavableText(a.fromId);
        w << "arc[" << from << "," << to;
        if (!a.varName.empty()) w.text(",").text(a.varName);
        w << "]";
        for (const Point& p : a.bendPoints) w << ":(" << p.x << "," << p.y << ")";
        w.eol();
    }
    w.line("}");

    w.line(".section[simTranOpt]{");
    for (int id : net.simTranOpt()) {
        const int transition = fileId[id];
        if (transition == 0 || numbering.views[static_cast<size_t>(transition - 1)]->kind != kTransition)
            continue;
        w << transition;
        w.eol();
    }
    w.line("}");
    w.line("=== END ===");
    return out;
}

}  // namespace

void fileio::save(CNet& net, const std::string& path) {
    if (net.kindOf(0) != 0 || net.places().count(0) || net.transitions().count(0) || net.uhzis().count(0) ||
        net.kemmakixes().count(0))
        net.deleteObject(0);
    fileio::replaceFile(path, formatNet(net));
}

std::string fileio::format(const CNet& net) {
    return formatNet(net);
}

}  // namespace novra
