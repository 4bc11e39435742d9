// novra-cli run as a user runs it, case by case from tests/data/cli/cases.tsv.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "support/support.h"

using namespace novra;
using namespace novra::support;

TEST(CliSim, EveryCaseOfTheTablePrintsItsLinesAndExitStatus) {
    std::istringstream table(data("cli/cases.tsv"));
    int cases = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        const size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
        std::string args = line.substr(0, tab1);
        const std::string expected = unescape(line.substr(tab2 + 1));
        // {tmp}: a folder of the case's own, which a failing command must leave empty.
        const fs::path tmp = freshDir("case" + std::to_string(cases));
        for (size_t at; (at = args.find("{tmp}")) != std::string::npos;) args.replace(at, 5, tmp.string());
        std::smatch m;
        while (std::regex_search(args, m, std::regex(R"(\{(\w+)\})")))
            args.replace(m.position(), m.length(), q(sourcePath("tests/data/cli/" + m[1].str() + ".pol")));
        const CliResult r = cli(args);
        EXPECT_EQ(r.status, std::stoi(line.substr(tab1 + 1, tab2 - tab1 - 1))) << args;
        EXPECT_EQ(r.out, expected) << args;
        EXPECT_EQ(r.err.empty(), r.status != 2) << args << ": " << r.err;
        EXPECT_TRUE(r.status == 0 || fs::is_empty(tmp)) << args;
        ++cases;
    }
    EXPECT_GT(cases, 20);
}
