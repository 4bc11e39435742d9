// novra-cli given files that are no nets, and output folders it cannot write: a one-line message and an
// exit status, and whatever the user already had on disk stays as it was.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/messages.h"
#include "fileio/fileio.h"
#include "model/net.h"

using namespace novra;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void spit(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

class CliBadInput : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "novra-cli-bad-XXXXXX").string();
        dir_ = mkdtemp(tmpl.data());
    }
    void TearDown() override {
        if (!readOnly_.empty()) {
            if (geteuid() == 0) umount2(readOnly_.c_str(), MNT_DETACH);
            fs::permissions(readOnly_, fs::perms::owner_all, fs::perm_options::add);
        }
        fs::remove_all(dir_);
    }
    fs::path file(const std::string& name) const { return dir_ / name; }

    Result cli(const std::string& args) {
        const std::string cmd = std::string("\"") + NOVRA_BIN_DIR + "/novra-cli\" " + args + " >\"" +
                                file("out.txt").string() + "\" 2>\"" + file("err.txt").string() + "\"";
        const int status = std::system(cmd.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(file("out.txt")), slurp(file("err.txt"))};
    }

    // A folder that nobody may write into, root included: a read-only bind mount in a mount namespace of
    // this test process (its children, novra-cli, inherit it), or plain permissions for other users.
    void makeReadOnly(const fs::path& folder) {
        readOnly_ = folder;
        if (geteuid() != 0) {
            fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
            return;
        }
        ASSERT_EQ(unshare(CLONE_NEWNS), 0) << "root without a mount namespace cannot make a read-only folder";
        ASSERT_EQ(mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr), 0);
        ASSERT_EQ(mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr), 0);
        ASSERT_EQ(mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr), 0);
    }

    fs::path dir_;
    fs::path readOnly_;
};

// uhzi -> place -> transition -> place -> kemmakix, saved as a file.
std::string savedNet(const fs::path& path) {
    CNet net;
    const int u = net.addObject(0, 0, kUhzi);
    net.uhzis.at(u).addp = 1;
    net.uhzis.at(u).words = {"101"};
    const int p = net.addObject(40, 0, kPlace);
    const int t = net.addObject(80, 0, kTransition);
    const int q = net.addObject(120, 0, kPlace);
    const int k = net.addObject(160, 0, kKemmakix);
    net.addArc(u, p);
    net.addArc(p, t);
    net.addArc(t, q);
    net.addArc(q, k);
    fileio::save(net, path.string());
    return slurp(path);
}

}  // namespace

TEST_F(CliBadInput, FilesThatAreNoNetsStopEveryCommandWithOneLine) {
    const std::string good = savedNet(file("good.pol"));
    std::string binary;
    for (int i = 0; i < 2048; ++i) binary.push_back(static_cast<char>(i * 13));
    spit(file("empty.pol"), "");
    spit(file("binary.pol"), binary);
    spit(file("cut.pol"), good.substr(0, good.find("=== END ===")));
    spit(file("keep.pol"), "the user's own file");
    const struct {
        const char* name;
        std::string message;
    } cases[] = {{"empty.pol", text(msg::kNotNovraFile)},
                 {"binary.pol", text(msg::kNotNovraFile)},
                 {"cut.pol", text(msg::kReadFailed)}};
    for (const auto& c : cases) {
        const std::string in = "\"" + file(c.name).string() + "\"";
        for (const std::string& command :
             {"compile " + in, "simulate " + in, "save " + in + " \"" + file("keep.pol").string() + "\"",
              "verilog " + in + " --out \"" + dir_.string() + "\""}) {
            const Result r = cli(command);
            EXPECT_EQ(r.status, 2) << command;
            EXPECT_EQ(r.out, "") << command;
            // One line naming the file and saying what is wrong with it.
            EXPECT_NE(r.err.find(file(c.name).string()), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        }
        EXPECT_EQ(slurp(file("keep.pol")), "the user's own file");
    }
    EXPECT_FALSE(fs::exists(file("testmodule")));
}

TEST_F(CliBadInput, VerilogIntoAReadOnlyFolderKeepsWhatIsThere) {
    savedNet(file("net.pol"));
    const fs::path out = file("out");
    // An earlier output of the user's, in the folder that is now read-only.
    fs::create_directories(out / "testmodule");
    spit(out / "testmodule" / "pipe.v", "// earlier output\n");
    spit(out / "notes.txt", "keep me\n");
    makeReadOnly(out);

    Result r = cli("verilog \"" + file("net.pol").string() + "\" --out \"" + out.string() + "\"");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "ファイルを開けません\n");
    r = cli("verilog \"" + file("net.pol").string() + "\" --out \"" + out.string() + "\" --top fresh");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "ファイルを開けません\n");

    EXPECT_EQ(slurp(out / "testmodule" / "pipe.v"), "// earlier output\n");
    EXPECT_EQ(slurp(out / "notes.txt"), "keep me\n");
    EXPECT_FALSE(fs::exists(out / "testmodule" / "out.txt"));
    EXPECT_FALSE(fs::exists(out / "fresh"));
}
