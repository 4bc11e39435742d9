// novra-cli save, run as a user would run it.
#include <gtest/gtest.h>

#include "common/messages.h"
#include "support/net_builder.h"
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
    CNet net;
    const int p = net.addObject(10, 10, kPlace);
    const int t = net.addObject(50, 10, kTransition);
    NetBuilder(net).setFunction(t, "o1=~i1; // 反転");
    net.addArc(p, t, {{30, 0}}, "i1");
    net.setToken(p, kBlack, 1);
    save(net, file("in.pol"));

    // An LF-only copy comes out as the program's own CRLF file.
    std::string lf = readBytes(file("in.pol"));
    std::erase(lf, '\r');
    writeBytes(file("lf.pol"), lf);
    EXPECT_EQ(saveCli(q(file("lf.pol")) + " " + q(file("out.pol"))), 0);
    EXPECT_EQ(err(), "");
    EXPECT_EQ(readBytes(file("out.pol")), readBytes(file("in.pol")));

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

TEST_F(CliSave, ConvertsAVersion105File) {
    writeBytes(file("old.pol"), data("fileio/v105.pol"));
    EXPECT_EQ(saveCli(q(file("old.pol")) + " " + q(file("new.pol"))), 0) << err();
    CNet old;
    load(old, file("old.pol"));
    save(old, file("expected.pol"));
    EXPECT_EQ(readBytes(file("new.pol")), readBytes(file("expected.pol")));
    EXPECT_EQ(readBytes(file("new.pol")).substr(0, 35), "=== NOVRA Objects Data Ver.2.00 ===");
}
