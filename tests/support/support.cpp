#include "support/support.h"

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <set>

#include "common/encoding.h"
#include "common/error.h"
#include "fileio/fileio.h"

namespace novra::support {

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CError& e) {
        return e.message();
    }
    return "";
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

fs::path sourcePath(const std::string& relative) {
    return fs::path(NOVRA_SOURCE_DIR) / relative;
}

std::vector<fs::path> netFiles(const std::vector<std::string>& folders, const std::string& extension) {
    std::vector<fs::path> files;
    for (const std::string& folder : folders)
        for (const auto& e : fs::directory_iterator(sourcePath(folder)))
            if (e.path().extension() == extension) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    return files;
}

std::string data(const std::string& relative) {
    return readBytes(sourcePath("tests/data/" + relative));
}

std::string withoutCr(std::string s) {
    std::erase(s, '\r');
    return s;
}

std::string unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
        } else if (s[++i] == 'x') {
            out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else if (s[i] != '-') {
            out += s[i] == 'n' ? '\n' : s[i] == 'r' ? '\r' : s[i] == 't' ? '\t' : s[i];
        }
    }
    return out;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

std::string cp932File(const fs::path& path) {
    auto text = cp932ToUtf8(readBytes(path));
    EXPECT_TRUE(text.has_value()) << path << " is not CP932";
    return text.value_or("");
}

TempDir::TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "novra-test-XXXXXX").string();
    path_ = mkdtemp(tmpl.data());
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

fs::path tempRoot() {
    static const fs::path* root = [] {
        auto* p = new fs::path(fs::temp_directory_path() / ("novra-tests-" + std::to_string(getpid())));
        fs::create_directories(*p);
        std::atexit([] {
            if (!::testing::UnitTest::GetInstance()->Passed()) return;
            std::error_code ec;
            fs::remove_all(tempRoot(), ec);
        });
        return p;
    }();
    return *root;
}

fs::path freshDir(const std::string& name) {
    const fs::path dir = tempRoot() / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

void load(CNet& net, const fs::path& path) {
    fileio::load(net, path.string());
}

void save(CNet& net, const fs::path& path) {
    fileio::save(net, path.string());
}

Loaded loadBytes(const std::string& bytes, std::unique_ptr<CNet> into) {
    TempDir dir;
    writeBytes(dir.file("n.pol"), bytes);
    Loaded l{std::move(into), ""};
    l.message = errorOf([&] { load(*l.net, dir.file("n.pol")); });
    expectConsistent(*l.net);
    return l;
}

std::string compile(CNet& net) {
    return errorOf([&] { net.compileNet(); });
}

namespace {
// A simulation meant for the incremental engine that would fall back to the reference one tests nothing
// of the former: a net compiled without its simulation, say.
void expectEngine(const CSimulation& sim) {
    if (sim.engine() == CSimulation::Engine::Incremental && sim.ready() && !sim.indexCurrent())
        ADD_FAILURE() << "the simulation's index is not the net's last compile";
}
}  // namespace

std::string compile(CSimulation& sim) {
    return errorOf([&] { sim.compile(); });
}

std::string run(CSimulation& sim, long maxPhases) {
    expectEngine(sim);
    return errorOf([&] { sim.run(maxPhases); });
}

int phase(CSimulation& sim, Phase p) {
    if (p != kCompile) expectEngine(sim);
    switch (p) {
        case kPrepare: sim.prepareSources(); break;
        case kEmit: sim.emitSources(); break;
        case kEnable: return sim.evaluateEnabling();
        case kFire: sim.firePhase(); break;
        case kAbsorb: sim.absorbSinks(); break;
        case kFlush: sim.flushSinks(); break;
        case kEndCheck: sim.endCheck(); break;
        case kRestored: sim.markingChanged(); break;
        case kCompile: sim.compile(); break;
    }
    return 0;
}

int sweep(CSimulation& sim) {
    const int result = phase(sim, kEnable);
    phase(sim, kFire);
    return result;
}

void restore(CSimulation& sim, const PlaceMap& marking) {
    for (const auto& [id, p] : marking) sim.net().places().at(id) = p;
    sim.markingChanged();
}

void useReferenceEngine(CSimulation& sim, bool reference) {
    sim.setEngine(reference ? CSimulation::Engine::Reference : CSimulation::Engine::Incremental);
}

namespace {
std::string colour(int c) {
    return c == kBlack ? "B" : c == kWhite ? "W" : std::to_string(c);
}
}  // namespace

std::string simState(const CSimulation& sim, const std::map<std::string, int>& names) {
    const CNet& net = sim.net();
    std::map<int, std::string> name;
    for (const auto& [n, id] : names) name[id] = n;
    auto of = [&](int id) { return id == 0 ? "0" : name.count(id) ? name[id] : "#" + std::to_string(id); };
    auto bits = [](const auto& v, size_t n) {
        std::string s;
        for (size_t i = 0; i < n && i < v.size(); ++i) s += std::to_string(v[i]);
        return s;
    };
    std::ostringstream s;
    s << "  stop " << of(net.stopObject()) << " sweep " << sim.sweepEnabled() << " ready "
      << net.simulationReady() << '\n';
    for (const auto& [id, p] : net.places())
        s << "  " << of(id) << ' ' << (p.hasToken ? "" : "-") << colour(p.color) << p.value << " last "
          << colour(p.lastColor) << '\n';
    for (const auto& [id, t] : net.transitions())
        s << "  " << of(id) << " enabled " << t.enabled << " fired " << t.fired << " in "
          << bits(t.inputValues, t.inputValues.size()) << " out "
          << bits(t.outputValues, t.outputValues.size()) << '\n';
    for (const auto& [id, u] : net.uhzis())
        s << "  " << of(id) << ' ' << colour(u.color) << " bit " << u.bitPos << " word " << u.wordCursor
          << " finished " << u.finished << " now " << bits(u.currentWord, u.currentWord.size()) << '\n';
    for (const auto& [id, k] : net.kemmakixes()) {
        s << "  " << of(id) << ' ' << colour(k.color) << " collected " << bits(k.bitBuffer, k.bitCount)
          << " received";
        for (const std::string& w : k.received) s << ' ' << w;
        s << '\n';
    }
    return s.str();
}

void expectConsistent(const CNet& net) {
    for (const auto& [id, v] : net.objects()) {
        EXPECT_GT(id, 0);
        EXPECT_LT(id, net.nextId());
        EXPECT_EQ(net.places().count(id), v.kind == kPlace ? 1u : 0u) << id;
        EXPECT_EQ(net.transitions().count(id), v.kind == kTransition ? 1u : 0u) << id;
        EXPECT_EQ(net.uhzis().count(id), v.kind == kUhzi ? 1u : 0u) << id;
        EXPECT_EQ(net.kemmakixes().count(id), v.kind == kKemmakix ? 1u : 0u) << id;
    }
    EXPECT_EQ(net.places().size() + net.transitions().size() + net.uhzis().size() + net.kemmakixes().size(),
              net.objects().size());
    for (const auto& kv : net.tokens()) EXPECT_TRUE(net.places().count(kv.first)) << "token " << kv.first;
    for (int id : net.simTranOpt()) EXPECT_TRUE(net.transitions().count(id)) << "simTranOpt " << id;
    EXPECT_EQ(net.outArcs().size(), net.arcs().size());
    EXPECT_EQ(net.inArcs().size(), net.arcs().size());
    for (const auto& [from, id] : net.outArcs()) EXPECT_EQ(net.arcs().at(id).fromId, from);
    for (const auto& [to, id] : net.inArcs()) EXPECT_EQ(net.arcs().at(id).toId, to);
    for (const auto& [arcId, a] : net.arcs()) {
        EXPECT_NE(net.kindOf(a.fromId), 0) << "arc " << arcId;
        EXPECT_NE(net.kindOf(a.toId), 0) << "arc " << arcId;
        EXPECT_LT(arcId, net.arcCounter());
    }
}

void expectSameNet(const CNet& original, const CNet& loaded) {
    std::map<int, int> fileId;
    int next = 1;
    for (const auto& kv : original.places()) fileId[kv.first] = next++;
    for (const auto& kv : original.transitions()) fileId[kv.first] = next++;
    for (const auto& kv : original.uhzis()) fileId[kv.first] = next++;
    for (const auto& kv : original.kemmakixes()) fileId[kv.first] = next++;

    ASSERT_EQ(loaded.objects().size(), original.objects().size());
    EXPECT_EQ(loaded.nextId(), next);
    for (const auto& [id, v] : original.objects()) EXPECT_EQ(loaded.objects().at(fileId.at(id)), v) << id;
    ASSERT_EQ(loaded.tokens().size(), original.tokens().size());
    for (const auto& [id, t] : original.tokens()) EXPECT_EQ(loaded.tokens().at(fileId.at(id)), t) << id;
    for (const auto& [id, t] : original.transitions())
        EXPECT_EQ(loaded.transitions().at(fileId.at(id)).functionText, withoutCr(t.functionText)) << id;
    for (const auto& [id, u] : original.uhzis()) {
        const CUhzi& l = loaded.uhzis().at(fileId.at(id));
        EXPECT_EQ(l.addp, u.addp);
        EXPECT_EQ(l.line, u.line);
        if (u.addp == 1) {
            EXPECT_EQ(l.words, u.words);
        } else if (u.addp == 0) {
            EXPECT_EQ(l.holdValue, u.holdValue);
        }
    }
    for (const auto& [id, k] : original.kemmakixes()) {
        const CKemmakix& l = loaded.kemmakixes().at(fileId.at(id));
        EXPECT_EQ(l.line, k.line);
        EXPECT_EQ(l.expected, k.expected);
    }
    std::set<int> opt;
    for (int id : original.simTranOpt()) opt.insert(fileId.at(id));
    EXPECT_EQ(loaded.simTranOpt(), opt);
    // Arcs come back in the same order with fresh IDs from 1.
    ASSERT_EQ(loaded.arcs().size(), original.arcs().size());
    auto l = loaded.arcs().begin();
    for (const auto& [arcId, a] : original.arcs()) {
        EXPECT_EQ(l->first, std::distance(loaded.arcs().begin(), l) + 1);
        EXPECT_EQ(l->second.fromId, fileId.at(a.fromId));
        EXPECT_EQ(l->second.toId, fileId.at(a.toId));
        EXPECT_EQ(l->second.varName, a.varName);
        EXPECT_EQ(l->second.bendPoints, a.bendPoints);
        ++l;
    }
}

std::string q(const fs::path& path) {
    return "\"" + path.string() + "\"";
}

CliResult cli(const std::string& args, const fs::path& cwd) {
    static int calls = 0;
    const fs::path out = tempRoot() / ("cli" + std::to_string(++calls) + ".out");
    const fs::path err = tempRoot() / ("cli" + std::to_string(calls) + ".err");
    const std::string command = (cwd.empty() ? "" : "cd " + q(cwd) + " && ") + q(NOVRA_BIN_DIR "/novra-cli") +
                                " " + args + " >" + q(out) + " 2>" + q(err);
    const int status = std::system(command.c_str());
    CliResult r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readBytes(out), readBytes(err)};
    fs::remove(out);
    fs::remove(err);
    return r;
}

}  // namespace novra::support
