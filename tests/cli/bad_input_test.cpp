// novra-cli given files that are no nets, and output folders it cannot write: a one-line message and an
// exit status, and whatever the user already had on disk stays as it was.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include "common/messages.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

class CliBadInput : public ::testing::Test {
  protected:
    void TearDown() override {
        if (!readOnly_.empty()) {
            if (geteuid() == 0) umount2(readOnly_.c_str(), MNT_DETACH);
            fs::permissions(readOnly_, fs::perms::owner_all, fs::perm_options::add);
        }
    }
    fs::path file(const std::string& name) const { return dir_.path() / name; }

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

    TempDir dir_;
    fs::path readOnly_;
};

// uhzi -> place -> transition -> place -> kemmakix, written as a file.
std::string savedNet(const fs::path& path) {
    writeBytes(path, data("cli/good.pol"));
    return data("cli/good.pol");
}

}  // namespace

TEST_F(CliBadInput, FilesThatAreNoNetsStopEveryCommandWithOneLine) {
    const std::string good = savedNet(file("good.pol"));
    std::string binary;
    for (int i = 0; i < 2048; ++i) binary.push_back(static_cast<char>(i * 13));
    writeBytes(file("empty.pol"), "");
    writeBytes(file("binary.pol"), binary);
    writeBytes(file("cut.pol"), good.substr(0, good.find("=== END ===")));
    writeBytes(file("keep.pol"), "the user's own file");
    const struct {
        const char* name;
        std::string message;
    } cases[] = {{"empty.pol", text(msg::kNotNovraFile)},
                 {"binary.pol", text(msg::kNotNovraFile)},
                 {"cut.pol", text(msg::kReadFailed)}};
    for (const auto& c : cases) {
        const std::string in = q(file(c.name));
        for (const std::string& command :
             {"compile " + in, "simulate " + in, "save " + in + " " + q(file("keep.pol")),
              "verilog " + in + " --out " + q(dir_.path())}) {
            const CliResult r = cli(command);
            EXPECT_EQ(r.status, 2) << command;
            EXPECT_EQ(r.out, "") << command;
            // One line naming the file and saying what is wrong with it.
            EXPECT_NE(r.err.find(file(c.name).string()), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        }
        EXPECT_EQ(readBytes(file("keep.pol")), "the user's own file");
    }
    EXPECT_FALSE(fs::exists(file("testmodule")));
}

TEST_F(CliBadInput, VerilogIntoAReadOnlyFolderKeepsWhatIsThere) {
    savedNet(file("net.pol"));
    const fs::path out = file("out");
    // An earlier output of the user's, in the folder that is now read-only.
    fs::create_directories(out / "testmodule");
    writeBytes(out / "testmodule" / "pipe.v", "// earlier output\n");
    writeBytes(out / "notes.txt", "keep me\n");
    makeReadOnly(out);

    CliResult r = cli("verilog " + q(file("net.pol")) + " --out " + q(out));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "ファイルを開けません\n");
    r = cli("verilog " + q(file("net.pol")) + " --out " + q(out) + " --top fresh");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "ファイルを開けません\n");

    EXPECT_EQ(readBytes(out / "testmodule" / "pipe.v"), "// earlier output\n");
    EXPECT_EQ(readBytes(out / "notes.txt"), "keep me\n");
    EXPECT_FALSE(fs::exists(out / "testmodule" / "out.txt"));
    EXPECT_FALSE(fs::exists(out / "fresh"));
}
