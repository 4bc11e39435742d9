// The version 2.00 reader and the first-line dispatch: what is accepted, and the message for what is not.
#include <unistd.h>

#include <random>
#include <sstream>

#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

// Places 1 and 2, transition 3, a token on 1, arcs 1->3 and 3->2 (named zz, bent), a fire-stop mark on 3.
const std::string kBase = data("fileio/base.pol");

std::string expectedMessage(const std::string& named) {
    if (named == "ok") return "";
    if (named == "not-novra") return text(msg::kNotNovraFile);
    if (named == "read-failed") return text(msg::kReadFailed);
    if (named == "bad-encoding") return text(msg::kBadEncoding);
    const size_t space = named.find(' ');
    return format(msg::kBadRecord, std::stoi(named.substr(0, space))) + named.substr(space + 1);
}

}  // namespace

// Each line of tests/data/fileio/cases.tsv: a file, changed as the line says, loads with the message the
// line names, and the net it leaves saves to the bytes the line names; in both wordings.
TEST(Reader, EachCaseOfTheTableLoadsAndSavesAsItSays) {
    std::istringstream table(data("fileio/cases.tsv"));
    TempDir dir;
    int cases = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        for (size_t at = 0, tab = 0; tab != std::string::npos; at = tab + 1) {
            tab = line.find('\t', at);
            f.push_back(line.substr(at, tab - at));
        }
        ASSERT_TRUE(f.size() >= 3 && f.size() % 2 == 1) << line;
        std::string bytes = f[0] == "-" ? "" : data("fileio/" + f[0]);
        for (size_t k = 3; k < f.size(); k += 2) {
            const std::string from = unescape(f[k]);
            if (from.empty()) bytes += unescape(f[k + 1]);
            ASSERT_TRUE(from.empty() || bytes.find(from) != std::string::npos) << line;
            if (!from.empty()) bytes = replaced(bytes, from, unescape(f[k + 1]));
        }
        ++cases;
        for (int mode : {0, 1}) {
            NmodeScope scope(mode);
            Loaded l = loadBytes(bytes);
            EXPECT_EQ(l.message, expectedMessage(f[1])) << line;
            if (f[2] == "-") continue;
            save(*l.net, dir.file("saved.pol"));
            EXPECT_EQ(readBytes(dir.file("saved.pol")), f[2] == "=" ? bytes : data("fileio/" + f[2])) << line;
        }
    }
    EXPECT_EQ(cases, 74);
}

TEST(Reader, ReadsTheBaseFileInAnyLineEndStyle) {
    for (const std::string& bytes : {kBase, withoutCr(kBase), kBase.substr(0, kBase.size() - 2)}) {
        Loaded l = loadBytes(bytes);
        ASSERT_EQ(l.message, "");
        EXPECT_EQ(l.net->transitions().at(3).inputVarNames.count("i1"), 1u);  // the text was parsed
        EXPECT_EQ(l.net->arcs().at(2).varName, "zz");  // kept, though the function does not know it
        EXPECT_EQ(l.net->simTranOpt(), std::set<int>{3});
        EXPECT_EQ(l.net->nextId(), 4);
        EXPECT_EQ(l.net->arcCounter(), 3);
        // 100 beyond the outermost position or bend point.
        EXPECT_EQ(l.net->bounds(), (Rect{-100, -140, 200, 150, false}));
    }
    TempDir dir;
    for (int mode : {0, 1}) {
        NmodeScope scope(mode);
        CNet net;
        EXPECT_EQ(errorOf([&] { load(net, dir.file("absent.pol")); }), text(msg::kFileOpenFailed));
        EXPECT_EQ(errorOf([&] { load(net, dir.path().string()); }), text(msg::kFileOpenFailed));
    }
}

TEST(Reader, EveryCutOfAFileFailsCleanly) {
    // A saved net with a record of every kind, Japanese text and a multi-line function.
    const std::string full = data("fileio/sample.pol");
    for (size_t n = 0; n + 2 < full.size(); ++n) EXPECT_NE(loadBytes(full.substr(0, n)).message, "") << n;
    EXPECT_EQ(loadBytes(full.substr(0, full.size() - 2)).message, "");
}

TEST(Reader, HugeAndOversizedFilesGiveAMessage) {
    TempDir dir;
    // One 100 MB line and no end marker.
    std::string huge = replaced(kBase, "=== END ===\r\n", "");
    huge.append(100u << 20, 'x');
    writeBytes(dir.file("huge.pol"), huge);
    huge.clear();
    huge.shrink_to_fit();
    CNet net;
    EXPECT_EQ(errorOf([&] { load(net, dir.file("huge.pol")); }), text(msg::kReadFailed));
    EXPECT_EQ(net.places().size(), 2u);
    std::filesystem::remove(dir.file("huge.pol"));

    // Random bytes behind a valid header.
    std::mt19937 rng(7);
    std::string garbage = replaced(kBase, "=== END ===\r\n", "");
    for (int i = 0; i < (1 << 20); ++i) garbage.push_back(static_cast<char>(rng()));
    EXPECT_EQ(loadBytes(garbage).message, text(msg::kBadEncoding));

    // Larger than any net file: refused before it is read (the file is sparse, so it costs no disk).
    writeBytes(dir.file("big.pol"), kBase);
    ASSERT_EQ(truncate(dir.file("big.pol").c_str(), (1ll << 30) + 1), 0);
    EXPECT_EQ(errorOf([&] { load(net, dir.file("big.pol")); }), text(msg::kReadFailed));
}

TEST(Reader, DamagedFilesOfEveryKindNeverBreakTheNet) {
    TempDir dir;
    const std::string body = data("fileio/sample.pol").substr(35);
    const std::string syntax = "[](){},:;=-0123456789\r\n\x83";
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        std::string damaged = body;
        for (int m = 1 + static_cast<int>(rng() % 4); m > 0 && !damaged.empty(); --m) {
            const size_t at = rng() % damaged.size();
            switch (rng() % 3) {
                case 0:
                    damaged[at] = syntax[rng() % syntax.size()];
                    break;
                case 1:
                    damaged.erase(at, 1 + rng() % 8);
                    break;
                default:
                    damaged.insert(at, damaged.substr(rng() % damaged.size(), 1 + rng() % 20));
                    break;
            }
        }
        // The same damage read as each kind of file; an event file goes onto a loaded net.
        loadBytes("=== NOVRA Objects Data Ver.2.00 ===" + damaged);
        loadBytes("=== NOVRA Objects Data Ver.1.05 ===" + damaged);
        writeBytes(dir.file("events.pol"), "state machine" + damaged);
        CNet target;
        load(target, sourcePath("tests/data/fileio/sample.pol"));
        errorOf([&] { load(target, dir.file("events.pol")); });
        expectConsistent(target);
    }
}

// The arc indexes come out as the net's own operations would leave them: entries of one node in arc ID
// order, whatever order the file names the nodes in; a second arc between the same two nodes only
// relabels the first, also across sections; a fault part way keeps the arcs read before it indexed.
TEST(Reader, IndexesArcsByNodeInArcOrder) {
    const std::string arcs =
        "arc[3,2,zz]:(60,-40)\r\narc[3,1]\r\narc[1,3,i1]:(7,7)\r\narc[2,3]\r\n}\r\n"
        ".section[arc]{\r\narc[2,3,q]\r\narc[2,1]";
    Loaded l = loadBytes(replaced(kBase, "arc[3,2,zz]:(60,-40)", arcs));
    ASSERT_EQ(l.message, "");
    const ArcIndex out{{1, 1}, {2, 4}, {2, 5}, {3, 2}, {3, 3}};
    const ArcIndex in{{1, 3}, {1, 5}, {2, 2}, {3, 1}, {3, 4}};
    EXPECT_EQ(l.net->outArcs(), out);
    EXPECT_EQ(l.net->inArcs(), in);
    EXPECT_EQ(l.net->arcCounter(), 6);
    EXPECT_EQ(l.net->arcs().at(1).varName, "i1");
    EXPECT_EQ(l.net->arcs().at(1).bendPoints, (std::vector<Point>{{7, 7}}));
    EXPECT_EQ(l.net->arcs().at(4).varName, "q");
    EXPECT_EQ(l.net->findArc(2, 1), 5);

    Loaded cut = loadBytes(replaced(kBase, "arc[3,2,zz]:(60,-40)", "arc[3,2]\r\narc[3,1]\r\narc[1,9]"));
    EXPECT_NE(cut.message, "");
    EXPECT_EQ(cut.net->findArc(3, 1), 3);
    EXPECT_EQ(cut.net->outArcs(), (ArcIndex{{1, 1}, {3, 2}, {3, 3}}));
}

// Transitions that share a text share its parse; a text that does not parse is kept for compile to report
// on every transition that carries it.
TEST(Reader, TransitionsWithTheSameTextParseAlike) {
    const std::string transitions =
        "tran[3,o1=a&b;o2=~a;]\r\ntran[4,o1=a&b;o2=~a;]\r\ntran[5,o1=(;]\r\n"
        "tran[6,o1=(;]\r\ntran[7,o1=i1;]";
    std::string bytes = replaced(kBase, "tran[3,o1=i1;]", transitions);
    const std::string views = "obj[0,2,3]=(50,50)";
    bytes.replace(bytes.find(views), views.size(),
                  views + "\r\nobj[0,2,4]=(0,9)\r\nobj[0,2,5]=(0,9)\r\nobj[0,2,6]=(0,9)\r\nobj[0,2,7]=(0,9)");
    Loaded l = loadBytes(bytes);
    ASSERT_EQ(l.message, "");
    const CTransition& first = l.net->transitions().at(3);
    const CTransition& second = l.net->transitions().at(4);
    EXPECT_EQ(first.inputVarNames, (std::map<std::string, int>{{"a", 1}, {"b", 2}}));
    EXPECT_EQ(second.inputVarNames, first.inputVarNames);
    EXPECT_EQ(second.outputVarNames, first.outputVarNames);
    EXPECT_EQ(second.normalizedText, first.normalizedText);
    EXPECT_EQ(second.inputCount, 2);
    EXPECT_EQ(second.outputCount, 2);
    const CTransition& bad = l.net->transitions().at(5);
    const CTransition& badAgain = l.net->transitions().at(6);
    EXPECT_EQ(badAgain.functionText, "o1=(;");
    EXPECT_EQ(bad.normalizedText, "");  // refused in the first stage
    EXPECT_EQ(badAgain.normalizedText, "");
    EXPECT_EQ(badAgain.outputVarNames, bad.outputVarNames);
    EXPECT_EQ(badAgain.outputCount, 0);
    EXPECT_EQ(l.net->transitions().at(7).inputVarNames.count("i1"), 1u);
}
