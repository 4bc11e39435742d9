#pragma once
// What the tests share: scratch folders and raw files, the net's file, compile and simulation calls, net
// invariants, and novra-cli run as a user runs it. Tests reach the net, its files and the simulation only
// through these, so that a change of those interfaces is made here once.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/messages.h"
#include "model/net.h"
#include "sim/simulation.h"

namespace novra::support {

namespace fs = std::filesystem;

// The message a call raises, or "" when it returns normally.
std::string errorOf(const std::function<void()>& f);

// Files.
std::string readBytes(const fs::path& path);
void writeBytes(const fs::path& path, const std::string& bytes);
fs::path sourcePath(const std::string& relative);  // inside the source tree
// The .pol (or other) files of folders of the source tree, sorted.
std::vector<fs::path> netFiles(const std::vector<std::string>& folders,
                               const std::string& extension = ".pol");
std::string data(const std::string& relative);  // a file under tests/data
std::string withoutCr(std::string s);
// The escapes of the tables under tests/data: \n \r \t \xHH, \- for nothing, \ before any other character.
std::string unescape(const std::string& s);
// text with the first from replaced by to.
std::string replaced(std::string text, const std::string& from, const std::string& to);
std::string cp932File(const fs::path& path);  // a CP932 file as UTF-8

// A scratch folder removed with the object.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    fs::path file(const std::string& name) const { return path_ / name; }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// One scratch folder per test process, removed at exit when every test passed (kept for a look otherwise),
// and a fresh empty folder inside it.
fs::path tempRoot();
fs::path freshDir(const std::string& name);

// The net's file.
void load(CNet& net, const fs::path& path);
void save(CNet& net, const fs::path& path);
struct Loaded {
    std::unique_ptr<CNet> net;
    std::string message;  // "" when the load succeeded
};
// Loads the bytes as a file into the given net (a fresh one by default) and checks the net's invariants.
Loaded loadBytes(const std::string& bytes, std::unique_ptr<CNet> into = std::make_unique<CNet>());

// Compile and the simulation: the raised message, "" for none. Compiling the net alone checks it; a
// simulation compiles it for itself, and the calls on a simulation fail the test when the incremental
// engine would not be the one that runs.
std::string compile(CNet& net);
std::string compile(CSimulation& sim);
std::string run(CSimulation& sim, long maxPhases = CSimulation::kRunLimit);
enum Phase { kPrepare, kEmit, kEnable, kFire, kAbsorb, kFlush, kEndCheck, kRestored, kCompile };
// One phase; the enabling evaluation's result for kEnable, else 0. kRestored tells the simulation that
// the marking was put back by hand.
int phase(CSimulation& sim, Phase p);
// Enabling evaluation then firing; returns the evaluation's result.
int sweep(CSimulation& sim);
void restore(CSimulation& sim, const PlaceMap& marking);  // as the rewind history puts a marking back
void useReferenceEngine(CSimulation& sim, bool reference = true);
// Everything a caller can see of the simulation, a line a node (named by names, else "#ID"): the stop
// object, the sweep result, readiness, and every node's state.
std::string simState(const CSimulation& sim, const std::map<std::string, int>& names = {});

// The net's rules that every operation and every reader must leave behind, even after a failure.
void expectConsistent(const CNet& net);
// Saving renumbers places first, then transitions, uhzis and kemmakixes; loading gives those numbers.
// Checks that loaded is original under that renumbering, field by field.
void expectSameNet(const CNet& original, const CNet& loaded);

// A test body under a given Nmode, the standard wording restored afterwards.
struct NmodeScope {
    explicit NmodeScope(int mode) { setNmode(mode); }
    ~NmodeScope() { setNmode(0); }
};

// novra-cli with the arguments (quote paths with q), in the given folder or the current one.
struct CliResult {
    int status = -1;
    std::string out, err;
};
CliResult cli(const std::string& args, const fs::path& cwd = {});
std::string q(const fs::path& path);

}  // namespace novra::support
