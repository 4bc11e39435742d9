// novra-cli save, run as a user would run it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/messages.h"
#include "model/net.h"

using namespace novra;

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliSave : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "novra-cli-save-XXXXXX").string();
        dir_ = mkdtemp(tmpl.data());
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string file(const std::string& name) const { return (dir_ / name).string(); }

    // Runs novra-cli save with the arguments; returns the exit status and keeps stderr.
    int save(const std::string& args) {
        const std::string cmd = std::string("\"") + NOVRA_BIN_DIR + "/novra-cli\" save " + args + " 2>\"" +
                                file("stderr.txt") + "\"";
        const int status = std::system(cmd.c_str());
        err_ = slurp(file("stderr.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string& err() const { return err_; }

    std::filesystem::path dir_;
    std::string err_;
};

}  // namespace

TEST_F(CliSave, WritesVersion200AndReportsFailuresWithStatus2) {
    CNet net;
    const int p = net.addObject(10, 10, kPlace);
    const int t = net.addObject(50, 10, kTransition);
    net.transitions.at(t).functionText = "o1=~i1; // 反転";
    net.addArc(p, t, {{30, 0}}, "i1");
    net.setToken(p, kBlack, 1);
    net.saveFile(file("in.pol"));

    // An LF-only copy comes out as the program's own CRLF file.
    std::string lf = slurp(file("in.pol"));
    std::erase(lf, '\r');
    std::ofstream(file("lf.pol"), std::ios::binary) << lf;
    EXPECT_EQ(save("\"" + file("lf.pol") + "\" \"" + file("out.pol") + "\""), 0);
    EXPECT_EQ(err(), "");
    EXPECT_EQ(slurp(file("out.pol")), slurp(file("in.pol")));

    EXPECT_EQ(save("\"" + file("absent.pol") + "\" \"" + file("x.pol") + "\""), 2);
    EXPECT_NE(err().find(text(msg::kFileOpenFailed)), std::string::npos) << err();
    std::ofstream(file("text.pol")) << "hello\n";
    EXPECT_EQ(save("\"" + file("text.pol") + "\" \"" + file("x.pol") + "\""), 2);
    EXPECT_NE(err().find(text(msg::kNotNovraFile)), std::string::npos) << err();
    EXPECT_FALSE(std::filesystem::exists(file("x.pol")));

    const std::string nowhere = file("missing/out.pol");
    EXPECT_EQ(save("\"" + file("in.pol") + "\" \"" + nowhere + "\""), 2);
    EXPECT_NE(err().find(text(msg::kSaveFailed) + nowhere), std::string::npos) << err();

    EXPECT_EQ(save("\"" + file("in.pol") + "\""), 2);
}
