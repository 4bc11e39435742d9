// novra-cli save, run as a user would run it.
#include <gtest/gtest.h>

#include "common/messages.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

class CliSave : public ::testing::Test {
  protected:
    fs::path file(const std::string& name) const { return dir_.path() / name; }
    // Runs novra-cli save with the arguments; returns the exit status and keeps stderr.
    int saveCli(const std::string& args) {
        const CliResult r = cli("save " + args);
        err_ = r.err;
        return r.status;
    }
    const std::string& err() const { return err_; }
    TempDir dir_;
    std::string err_;
};

}  // namespace

TEST_F(CliSave, WritesVersion200AndReportsFailuresWithStatus2) {
    // An LF-only copy comes out as the program's own CRLF file.
    writeBytes(file("in.pol"), data("cli/good.pol"));
    writeBytes(file("lf.pol"), withoutCr(data("cli/good.pol")));
    EXPECT_EQ(saveCli(q(file("lf.pol")) + " " + q(file("out.pol"))), 0);
    EXPECT_EQ(err(), "");
    EXPECT_EQ(readBytes(file("out.pol")), data("cli/good.pol"));

    EXPECT_EQ(saveCli(q(file("absent.pol")) + " " + q(file("x.pol"))), 2);
    EXPECT_NE(err().find(text(msg::kFileOpenFailed)), std::string::npos) << err();
    writeBytes(file("text.pol"), "hello\n");
    EXPECT_EQ(saveCli(q(file("text.pol")) + " " + q(file("x.pol"))), 2);
    EXPECT_NE(err().find(text(msg::kNotNovraFile)), std::string::npos) << err();
    EXPECT_FALSE(fs::exists(file("x.pol")));

    const std::string nowhere = file("missing/out.pol");
    EXPECT_EQ(saveCli(q(file("in.pol")) + " " + q(nowhere)), 2);
    EXPECT_NE(err().find(text(msg::kSaveFailed) + nowhere), std::string::npos) << err();

    EXPECT_EQ(saveCli(q(file("in.pol"))), 2);
}
