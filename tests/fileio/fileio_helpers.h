#pragma once
// Shared by the file tests: a scratch folder, raw file access, net invariants and net comparison.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "common/error.h"
#include "common/messages.h"
#include "fileio/fileio.h"
#include "model/net.h"

namespace novra::test {

class TempDir {
  public:
    TempDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "novra-fileio-XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The message a call raises, or "" when it raises none.
inline std::string messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CError& e) {
        return e.message();
    }
    return "";
}

// The invariants every reader must leave behind, even after a failure.
void expectConsistent(const CNet& net);

struct Loaded {
    std::unique_ptr<CNet> net;
    std::string message;  // "" when the load succeeded
};

// Loads the bytes as a file into the given net (a fresh one by default) and checks the net's invariants.
inline Loaded loadBytes(const std::string& bytes, std::unique_ptr<CNet> into = std::make_unique<CNet>()) {
    TempDir dir;
    writeBytes(dir.file("n.pol"), bytes);
    Loaded l{std::move(into), ""};
    l.message = messageOf([&] { fileio::load(*l.net, dir.file("n.pol")); });
    expectConsistent(*l.net);
    return l;
}

inline void expectConsistent(const CNet& net) {
    const auto recordsHaveViews = [&](const auto& records, int kind) {
        for (const auto& kv : records) EXPECT_EQ(net.kindOf(kv.first), kind) << "record " << kv.first;
    };
    recordsHaveViews(net.places, kPlace);
    recordsHaveViews(net.transitions, kTransition);
    recordsHaveViews(net.uhzis, kUhzi);
    recordsHaveViews(net.kemmakixes, kKemmakix);
    for (const auto& [id, v] : net.objects) {
        const size_t records =
            net.places.count(id) + net.transitions.count(id) + net.uhzis.count(id) + net.kemmakixes.count(id);
        EXPECT_EQ(records, 1u) << "object " << id;
        EXPECT_LT(id, net.nextId);
        EXPECT_GT(id, 0);
    }
    for (const auto& kv : net.tokens) EXPECT_TRUE(net.places.count(kv.first)) << "token " << kv.first;
    for (int id : net.simTranOpt) EXPECT_TRUE(net.transitions.count(id)) << "simTranOpt " << id;
    EXPECT_EQ(net.outArcs.size(), net.arcs.size());
    EXPECT_EQ(net.inArcs.size(), net.arcs.size());
    for (const auto& [arcId, a] : net.arcs) {
        EXPECT_NE(net.kindOf(a.fromId), 0) << "arc " << arcId;
        EXPECT_NE(net.kindOf(a.toId), 0) << "arc " << arcId;
        EXPECT_LT(arcId, net.arcCounter);
    }
}

inline std::string withoutCr(std::string s) {
    std::erase(s, '\r');
    return s;
}

// Saving renumbers places first, then transitions, uhzis and kemmakixes; loading gives those numbers.
// Checks that loaded is original under that renumbering, field by field.
inline void expectSameNet(const CNet& original, const CNet& loaded) {
    std::map<int, int> fileId;
    int next = 1;
    for (const auto& kv : original.places) fileId[kv.first] = next++;
    for (const auto& kv : original.transitions) fileId[kv.first] = next++;
    for (const auto& kv : original.uhzis) fileId[kv.first] = next++;
    for (const auto& kv : original.kemmakixes) fileId[kv.first] = next++;

    ASSERT_EQ(loaded.objects.size(), original.objects.size());
    EXPECT_EQ(loaded.nextId, next);
    for (const auto& [id, v] : original.objects) EXPECT_EQ(loaded.objects.at(fileId.at(id)), v) << id;
    ASSERT_EQ(loaded.tokens.size(), original.tokens.size());
    for (const auto& [id, t] : original.tokens) EXPECT_EQ(loaded.tokens.at(fileId.at(id)), t) << id;
    for (const auto& [id, t] : original.transitions)
        EXPECT_EQ(loaded.transitions.at(fileId.at(id)).functionText, withoutCr(t.functionText)) << id;
    for (const auto& [id, u] : original.uhzis) {
        const CUhzi& l = loaded.uhzis.at(fileId.at(id));
        EXPECT_EQ(l.addp, u.addp);
        EXPECT_EQ(l.line, u.line);
        if (u.addp == 1) {
            EXPECT_EQ(l.words, u.words);
        } else if (u.addp == 0) {
            EXPECT_EQ(l.holdValue, u.holdValue);
        }
    }
    for (const auto& [id, k] : original.kemmakixes) {
        const CKemmakix& l = loaded.kemmakixes.at(fileId.at(id));
        EXPECT_EQ(l.line, k.line);
        EXPECT_EQ(l.expected, k.expected);
    }
    std::set<int> opt;
    for (int id : original.simTranOpt) opt.insert(fileId.at(id));
    EXPECT_EQ(loaded.simTranOpt, opt);
    // Arcs come back in the same order with fresh IDs from 1.
    ASSERT_EQ(loaded.arcs.size(), original.arcs.size());
    auto l = loaded.arcs.begin();
    for (const auto& [arcId, a] : original.arcs) {
        EXPECT_EQ(l->first, std::distance(loaded.arcs.begin(), l) + 1);
        EXPECT_EQ(l->second.fromId, fileId.at(a.fromId));
        EXPECT_EQ(l->second.toId, fileId.at(a.toId));
        EXPECT_EQ(l->second.varName, a.varName);
        EXPECT_EQ(l->second.bendPoints, a.bendPoints);
        ++l;
    }
}

// Runs a test body under a given Nmode and restores the standard wording afterwards.
struct NmodeScope {
    explicit NmodeScope(int mode) { setNmode(mode); }
    ~NmodeScope() { setNmode(0); }
};

}  // namespace novra::test
