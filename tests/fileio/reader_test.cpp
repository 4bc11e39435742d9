// The version 2.00 reader and the first-line dispatch: what is accepted, and the message for what is not.
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <random>
#include <sstream>

#include "common/encoding.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

// The base file, tests/data/fileio/base.pol, by line (from 1): places 1 and 2, transition 3, a token on 1,
// arcs 1->3 and 3->2 (named zz, bent), a fire-stop mark on 3.
std::vector<std::string> baseLines() {
    std::vector<std::string> lines;
    std::istringstream in(data("fileio/base.pol"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The base file with line n (from 1) replaced; an empty replacement drops the line. The lines come in
// the given order of base line numbers, by default as they stand.
std::string baseWith(int n = 0, const std::string& replacement = "", const std::string& eol = "\r\n",
                     std::vector<int> order = {}) {
    static const std::vector<std::string> base = baseLines();
    if (order.empty())
        for (int k = 1; k <= static_cast<int>(base.size()); ++k) order.push_back(k);
    std::string out;
    for (int k : order) {
        if (k == n) {
            if (!replacement.empty()) out += replacement + eol;
        } else {
            out += base[static_cast<size_t>(k - 1)] + eol;
        }
    }
    return out;
}

// The base file with everything that names nodes before the node sections.
const std::vector<int> kReferencesFirst = {1,  2,  12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
                                           24, 25, 26, 3,  4,  5,  6,  7,  8,  9,  10, 11, 27};

// One section of a saved file, by name; "name/1" and "name/2" are the two halves of a section of one-line
// records, each written as a section of its own.
std::string sectionOf(const std::string& file, std::string key) {
    int half = 0;
    if (const size_t slash = key.find('/'); slash != std::string::npos) {
        half = key[slash + 1] - '0';
        key.resize(slash);
    }
    const std::string head = ".section[" + key + "]{\r\n";
    const size_t begin = file.find(head) + head.size();
    size_t end = file.find(".section[", begin);
    if (end == std::string::npos) end = file.find("=== END ===", begin);
    std::vector<std::string> lines;
    for (size_t at = begin; at < end;) {
        const size_t eol = file.find("\r\n", at);
        const std::string line = file.substr(at, eol - at);
        if (!line.empty() && (half == 0 || line[0] != '/')) lines.push_back(line);
        at = eol + 2;
    }
    lines.pop_back();  // the section's "}"
    const size_t from = half == 2 ? lines.size() / 2 : 0;
    const size_t to = half == 1 ? lines.size() / 2 : lines.size();
    std::string out = head;
    for (size_t k = from; k < to; ++k) out += lines[k] + "\r\n";
    return out + "}\r\n";
}

// A saved net with a record of every kind, Japanese text and a multi-line function (tests/data/fileio/
// sample.pol, the writer's own output), also written into the folder.
std::string sampleFile(const TempDir& dir) {
    writeBytes(dir.file("sample.pol"), data("fileio/sample.pol"));
    return data("fileio/sample.pol");
}

}  // namespace

TEST(Reader, ReadsTheBaseFileInAnyLineEndStyle) {
    for (const std::string& bytes :
         {baseWith(), baseWith(0, "", "\n"), baseWith().substr(0, baseWith().size() - 2)}) {
        Loaded l = loadBytes(bytes);
        ASSERT_EQ(l.message, "");
        EXPECT_EQ(l.net->objects().size(), 3u);
        EXPECT_EQ(l.net->transitions().at(3).functionText, "o1=i1;");
        EXPECT_EQ(l.net->transitions().at(3).inputVarNames.count("i1"), 1u);  // the text was parsed
        EXPECT_EQ(l.net->tokens().at(1), (Token{kBlack, 0}));
        // Arc names stay as saved, even one the function does not know.
        EXPECT_EQ(l.net->arcs().at(2).varName, "zz");
        EXPECT_EQ(l.net->arcs().at(2).bendPoints, (std::vector<Point>{{60, -40}}));
        EXPECT_EQ(l.net->simTranOpt(), std::set<int>{3});
        EXPECT_EQ(l.net->nextId(), 4);
        EXPECT_EQ(l.net->arcCounter(), 3);
        // 100 beyond the outermost position or bend point.
        EXPECT_EQ(l.net->bounds(), (Rect{-100, -140, 200, 150, false}));
    }
    // Extra text after the header, unknown lines between sections and blank lines in simTranOpt are
    // harmless.
    std::string loose = baseWith(25, "\r\n3");
    loose.insert(35, " saved by hand");
    loose.insert(loose.find(".section[vobject]"), "something else\r\n");
    Loaded l = loadBytes(loose);
    EXPECT_EQ(l.message, "");
    EXPECT_EQ(l.net->simTranOpt(), std::set<int>{3});
}

TEST(Reader, RefusesWhatIsNoNovraFileInBothWordings) {
    TempDir dir;
    for (int mode : {0, 1}) {
        NmodeScope scope(mode);
        for (const std::string& bytes :
             {std::string(), std::string("hello\n"), std::string("\x89PNG\r\n\x1a\n\0\0", 10),
              std::string("=== NOVRA Objects Data Ver.3.00 ===\r\n"), baseWith().substr(0, 20)})
            EXPECT_EQ(loadBytes(bytes).message, text(msg::kNotNovraFile));
        EXPECT_EQ(loadBytes(baseWith().substr(0, 37) + std::string(4096, '\0')).message,
                  text(msg::kReadFailed));
        CNet net;
        EXPECT_EQ(errorOf([&] { load(net, dir.file("absent.pol")); }), text(msg::kFileOpenFailed));
        EXPECT_EQ(errorOf([&] { load(net, dir.path().string()); }), text(msg::kFileOpenFailed));
        EXPECT_EQ(loadBytes(baseWith(27, "")).message, text(msg::kReadFailed));
    }
}

TEST(Reader, NamesTheLineOfARecordItCannotUse) {
    struct Case {
        int line;
        std::string text;
    };
    const Case cases[] = {
        {5, "pset[x]"},
        {5, "pset[1"},  // unclosed
        {10, "tran[,o1=i1;]"},
        {13, "obj[0,1,1]=(0,)"},
        {13, "obj[0,7,1]=(0,0)"},         // no such kind
        {13, "obj[0,1,9]=(0,0)"},         // no node 9
        {15, "obj[0,1,3]=(50,50)"},       // node 3 is a transition
        {18, "tset[3]=(5,0)"},            // a token on a transition
        {18, "tset[1]=(7,0)"},            // no such colour
        {18, "tset[1]=(5,"},              // cut short: must not reuse the previous record's numbers
        {18, "tset[1]=(5,99999999999)"},  // out of range
        {21, "arc[0,3]"},                 // an end of 0
        {21, "arc[1,8]"},                 // no node 8
        {22, "arc[3,2]:(60,x)"},
        {25, "three"},
        {25, "2"},  // a mark on a place
        {25, "4"},  // no node 4
    };
    // References are checked once the whole file is read, so the same line is blamed wherever it stands.
    for (const Case& c : cases) {
        Loaded l = loadBytes(baseWith(c.line, c.text));
        EXPECT_EQ(l.message, format(msg::kBadRecord, c.line) + c.text);
        const auto moved = std::find(kReferencesFirst.begin(), kReferencesFirst.end(), c.line);
        l = loadBytes(baseWith(c.line, c.text, "\r\n", kReferencesFirst));
        EXPECT_EQ(l.message, format(msg::kBadRecord, 1 + moved - kReferencesFirst.begin()) + c.text);
    }
    // A node the view section never mentions is reported at its own record. What was read stays, and
    // nothing is left that breaks the net's rules.
    Loaded noView = loadBytes(
        "=== NOVRA Objects Data Ver.2.00 ===\n.section[place]{\npset[1]\npset[2]\n}\n.section[vobject]{\n"
        "obj[0,1,1]=(0,0)\n}\n=== END ===\n");
    EXPECT_EQ(noView.message, format(msg::kBadRecord, 4) + "pset[2]");
    EXPECT_EQ(noView.net->places().size(), 1u);
    // A view entry of no kind at all is refused as it is read, before a later record's fault.
    std::string twoFaults = baseWith(13, "obj[0,7,1]=(0,0)");
    twoFaults.replace(twoFaults.find("tset[1]=(5,0)"), 13, "tset[1]=(5,");
    EXPECT_EQ(loadBytes(twoFaults).message, format(msg::kBadRecord, 13) + "obj[0,7,1]=(0,0)");
    // Long lines are cut in the message.
    Loaded longLine = loadBytes(baseWith(25, std::string(500, '9') + "x"));
    EXPECT_EQ(longLine.message, format(msg::kBadRecord, 25) + std::string(80, '9') + "…");
}

TEST(Reader, SourceAndSinkDataRecordsMustBeComplete) {
    const std::string head = "=== NOVRA Objects Data Ver.2.00 ===\n.section[uhzi]{\nuset[1,0,";
    EXPECT_EQ(loadBytes(head + "1,0]={\ndata(101\n}\n}\n").message, format(msg::kBadRecord, 4) + "data(101");
    EXPECT_EQ(loadBytes(head + "0,0]={\ndata(x)\n}\n}\n").message, format(msg::kBadRecord, 4) + "data(x)");
    EXPECT_EQ(loadBytes(head + "1,0]={\ndata(1)\n").message, text(msg::kReadFailed));
    // The text between "data(" and the line's last ")" is the word, whatever it holds.
    EXPECT_EQ(
        loadBytes(head + "1,0]={\ndata(a)b)\n}\n}\n.section[vobject]{\nobj[0,3,1]=(0,0)\n}\n=== END ===\n")
            .net->uhzis().at(1)
            .words,
        std::vector<std::string>{"a)b"});
}

// Sections may come in any order and more than once; node records take IDs in reading order, and
// everything else may name nodes that come later.
TEST(Reader, SectionsInAnyOrderReadToTheSameNet) {
    TempDir dir;
    const std::string ordered = sampleFile(dir);
    const std::vector<std::string> orders[] = {
        {"place", "transition", "uhzi", "kemmakix", "simTranOpt", "vobject", "token", "arc"},
        {"simTranOpt", "arc", "token", "vobject", "place", "transition", "uhzi", "kemmakix"},
        {"vobject/2", "arc/1", "place/1", "token", "simTranOpt", "place/2", "transition", "arc/2", "token",
         "uhzi", "simTranOpt", "vobject/1", "kemmakix"},
    };
    for (const auto& order : orders) {
        std::string file = "=== NOVRA Objects Data Ver.2.00 ===\r\n";
        for (const std::string& key : order) file += sectionOf(ordered, key);
        Loaded l = loadBytes(file + "=== END ===\r\n");
        ASSERT_EQ(l.message, "") << file;
        EXPECT_EQ(l.net->simTranOpt(), std::set<int>{3});
        save(*l.net, dir.file("again.pol"));
        EXPECT_EQ(readBytes(dir.file("again.pol")), ordered) << file;
    }
    // With the transition read first it is node 1, and the references say so.
    Loaded reversed = loadBytes(
        "=== NOVRA Objects Data Ver.2.00 ===\n.section[simTranOpt]{\n1\n}\n"
        ".section[arc]{\narc[2,1]\narc[1,3,zz]:(60,-40)\n}\n.section[token]{\ntset[2]=(5,0)\n}\n"
        ".section[vobject]{\nobj[0,2,1]=(50,50)\nobj[0,1,2]=(0,0)\nobj[0,1,3]=(100,0)\n}\n"
        ".section[transition]{\ntran[3,o1=i1;]\n}\n.section[place]{\npset[1]\npset[2]\n}\n=== END ===\n");
    ASSERT_EQ(reversed.message, "");
    Loaded base = loadBytes(baseWith());
    save(*reversed.net, dir.file("reversed.pol"));
    save(*base.net, dir.file("base.pol"));
    EXPECT_EQ(readBytes(dir.file("reversed.pol")), readBytes(dir.file("base.pol")));
}

// Token values other than 0, 1 and 2 are kept as written; compile judges them.
TEST(Reader, KeepsAnyTokenValue) {
    TempDir dir;
    const std::string sample = sampleFile(dir);
    for (const std::string token : {"tset[2]=(5,7)", "tset[2]=(6,-1)"}) {
        const std::string saved = "tset[2]=(5,1)";
        std::string bytes = sample;
        bytes.replace(bytes.find(saved), saved.size(), token);
        Loaded l = loadBytes(bytes);
        ASSERT_EQ(l.message, "") << token;
        save(*l.net, dir.file("again.pol"));
        EXPECT_EQ(readBytes(dir.file("again.pol")), bytes);
    }
}

TEST(Reader, DecodesShiftJisBeforeLookingForSyntax) {
    // ゾ is 0x83 0x5D and ソ 0x83 0x5C: byte-wise, ゾ would end the function text and the data record.
    const std::string utf8 =
        "=== NOVRA Objects Data Ver.2.00 ===\r\n.section[transition]{\r\n"
        "tran[1,o1=i1; // ゾ) ソ/\r\no2=i1;]\r\n}\r\n"
        ".section[kemmakix]{\r\nkset[2,0,0]{\r\ndata(ゾ)ソ)\r\n}\r\n}\r\n"
        ".section[vobject]{\r\nobj[0,2,1]=(0,0)\r\nobj[0,4,2]=(0,0)\r\n}\r\n=== END ===\r\n";
    const std::string bytes = utf8ToCp932(utf8).value();
    ASSERT_NE(bytes.find("\x83\x5d"), std::string::npos);
    Loaded l = loadBytes(bytes);
    ASSERT_EQ(l.message, "");
    EXPECT_EQ(l.net->transitions().at(1).functionText, "o1=i1; // ゾ) ソ/\no2=i1;");
    EXPECT_EQ(l.net->kemmakixes().at(2).expected, std::vector<std::string>{"ゾ)ソ"});
    // A byte sequence that is no Shift-JIS at all.
    EXPECT_EQ(loadBytes(baseWith(25, "3 \x81\x20")).message, text(msg::kBadEncoding));
    EXPECT_EQ(loadBytes(baseWith() + "\x82").message, text(msg::kBadEncoding));
}

TEST(Reader, EveryCutOfAFileFailsCleanly) {
    TempDir dir;
    const std::string full = sampleFile(dir);
    for (size_t n = 0; n + 2 < full.size(); ++n) EXPECT_NE(loadBytes(full.substr(0, n)).message, "") << n;
    EXPECT_EQ(loadBytes(full.substr(0, full.size() - 2)).message, "");
}

TEST(Reader, HugeAndOversizedFilesGiveAMessage) {
    TempDir dir;
    // One 100 MB line and no end marker.
    std::string huge = baseWith(27, "");
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
    std::string garbage = baseWith(27, "");
    for (int i = 0; i < (1 << 20); ++i) garbage.push_back(static_cast<char>(rng()));
    EXPECT_EQ(loadBytes(garbage).message, text(msg::kBadEncoding));

    // Larger than any net file: refused before it is read (the file is sparse, so it costs no disk).
    writeBytes(dir.file("big.pol"), baseWith());
    ASSERT_EQ(truncate(dir.file("big.pol").c_str(), (1ll << 30) + 1), 0);
    EXPECT_EQ(errorOf([&] { load(net, dir.file("big.pol")); }), text(msg::kReadFailed));
}

TEST(Reader, DamagedFilesOfEveryKindNeverBreakTheNet) {
    TempDir dir;
    const std::string body = sampleFile(dir).substr(35);
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
        load(target, dir.file("sample.pol"));
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
    Loaded l = loadBytes(baseWith(22, arcs));
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

    Loaded cut = loadBytes(baseWith(22, "arc[3,2]\r\narc[3,1]\r\narc[1,9]"));
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
    std::string bytes = baseWith(10, transitions);
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
