// The version 2.00 writer: exact bytes, and saves that must fail without harming the old file.
#include <sys/stat.h>

#include "common/encoding.h"
#include "fileio/fileio.h"
#include "fileio/fileio_helpers.h"

using namespace novra;
using namespace novra::test;

namespace {

std::string decoded(const std::string& path) {
    auto text = cp932ToUtf8(readBytes(path));
    EXPECT_TRUE(text.has_value());
    return text.value_or("");
}

// Transition 3, places 7 and 9, the rest deleted: the places are written first.
struct GappyNet {
    CNet net;
    GappyNet() {
        for (int id = 1; id <= 9; ++id)
            net.addObject(id * 10, id == 9 ? -5 : 5, id == 3 ? kTransition : kPlace);
        for (int id : {1, 2, 4, 5, 6, 8}) net.deleteObject(id);
        net.transitions.at(3).functionText = "o1=i1;\r\n// 表示ソ";
        net.setToken(7, kBlack, 1);
        net.addArc(7, 3);
        net.addArc(3, 9, {{10, 20}, {30, 40}}, "o1");
        net.simTranOpt.insert(3);
    }
};

}  // namespace

TEST(Writer, RenumbersPlacesFirstAndWritesEveryRecordExactly) {
    TempDir dir;
    GappyNet g;
    fileio::save(g.net, dir.file("a.pol"));
    EXPECT_EQ(decoded(dir.file("a.pol")),
              "=== NOVRA Objects Data Ver.2.00 ===\r\n\r\n"
              ".section[place]{\r\n/pset[ID]\r\npset[1]\r\npset[2]\r\n}\r\n"
              ".section[transition]{\r\n/tran[ID,f1:f2..]\r\ntran[3,o1=i1;\r\n// 表示ソ]\r\n}\r\n"
              ".section[uhzi]{\r\n/uset[ID,PlaceID,inc,line]=(d1,d2,d3...)\r\n}\r\n"
              ".section[kemmakix]{\r\n/kset[ID,PlaceID,line]\r\n}\r\n\r\n\r\n"
              ".section[vobject]{\r\nobj[0,1,1]=(70,5)\r\nobj[0,1,2]=(90,-5)\r\nobj[0,2,3]=(30,5)\r\n}\r\n"
              ".section[token]{\r\n/tset[PlaceID]=(color,value)\r\ntset[1]=(5,1)\r\n}\r\n"
              ".section[arc]{\r\n/arc[In,Out]\r\narc[1,3]\r\narc[3,2,o1]:(10,20):(30,40)\r\n}\r\n"
              ".section[simTranOpt]{\r\n3\r\n}\r\n"
              "=== END ===\r\n");
    // On disk the text is Shift-JIS: ソ is 0x83 0x5C.
    EXPECT_NE(readBytes(dir.file("a.pol")).find("\x83\x5c]"), std::string::npos);
    // The net keeps its own IDs; reading gives the file's.
    EXPECT_EQ(g.net.kindOf(9), kPlace);
    CNet loaded;
    fileio::load(loaded, dir.file("a.pol"));
    expectSameNet(g.net, loaded);
    EXPECT_EQ(loaded.transitions.at(3).functionText, "o1=i1;\n// 表示ソ");
    EXPECT_EQ(loaded.simTranOpt, std::set<int>{3});
}

TEST(Writer, SourceAndSinkRecordsCarryTheirDataLines) {
    TempDir dir;
    CNet net;
    net.addObject(0, 0, kPlace);
    CUhzi& streaming = net.uhzis[net.addObject(0, 0, kUhzi)];
    streaming.addp = 1;
    streaming.line = 1;
    streaming.words = {"1011", "0110"};
    CUhzi& holding = net.uhzis[net.addObject(0, 0, kUhzi)];
    holding.holdValue = 1;
    net.uhzis[net.addObject(0, 0, kUhzi)].addp = 2;  // neither mode: no data line
    CKemmakix& k = net.kemmakixes[net.addObject(0, 0, kKemmakix)];
    k.line = 2;
    k.expected = {"1011", ""};
    fileio::save(net, dir.file("s.pol"));
    const std::string text = decoded(dir.file("s.pol"));
    EXPECT_NE(text.find(".section[uhzi]{\r\n/uset[ID,PlaceID,inc,line]=(d1,d2,d3...)\r\n"
                        "uset[2,0,1,1]={\r\ndata(1011)\r\ndata(0110)\r\n}\r\n"
                        "uset[3,0,0,0]={\r\ndata(1)\r\n}\r\n"
                        "uset[4,0,2,0]={\r\n}\r\n}\r\n"
                        ".section[kemmakix]{\r\n/kset[ID,PlaceID,line]\r\n"
                        "kset[5,0,2]{\r\ndata(1011)\r\ndata()\r\n}\r\n}\r\n"),
              std::string::npos)
        << text;
    CNet loaded;
    fileio::load(loaded, dir.file("s.pol"));
    expectSameNet(net, loaded);
}

TEST(Writer, EmptyNetWritesAllEightSectionsAndReadsBackEmpty) {
    TempDir dir;
    CNet net;
    fileio::save(net, dir.file("e.pol"));
    EXPECT_EQ(readBytes(dir.file("e.pol")),
              "=== NOVRA Objects Data Ver.2.00 ===\r\n\r\n"
              ".section[place]{\r\n/pset[ID]\r\n}\r\n"
              ".section[transition]{\r\n/tran[ID,f1:f2..]\r\n}\r\n"
              ".section[uhzi]{\r\n/uset[ID,PlaceID,inc,line]=(d1,d2,d3...)\r\n}\r\n"
              ".section[kemmakix]{\r\n/kset[ID,PlaceID,line]\r\n}\r\n\r\n\r\n"
              ".section[vobject]{\r\n}\r\n"
              ".section[token]{\r\n/tset[PlaceID]=(color,value)\r\n}\r\n"
              ".section[arc]{\r\n/arc[In,Out]\r\n}\r\n"
              ".section[simTranOpt]{\r\n}\r\n"
              "=== END ===\r\n");
    CNet loaded;
    loaded.addObject(1, 1, kPlace);
    fileio::load(loaded, dir.file("e.pol"));
    EXPECT_TRUE(loaded.objects.empty());
    EXPECT_TRUE(loaded.places.empty());
    EXPECT_EQ(loaded.nextId, 1);
    EXPECT_TRUE(loaded.bounds.empty);
}

TEST(Writer, RefusedSavesLeaveTheOldFileAndNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.file("keep.pol");
    writeBytes(path, "old contents");
    const auto expectUntouched = [&](const std::string& message, const std::string& expected) {
        EXPECT_EQ(message, expected);
        EXPECT_EQ(readBytes(path), "old contents");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    };

    GappyNet notShiftJis;
    notShiftJis.net.kemmakixes[notShiftJis.net.addObject(0, 0, kKemmakix)].expected = {"😀"};
    expectUntouched(messageOf([&] { fileio::save(notShiftJis.net, path); }), text(msg::kNotCp932));

    // "]" would end the function text early; a line break would split a data record.
    GappyNet bracket;
    bracket.net.transitions.at(3).functionText = "o1=i1; // a[0]";
    expectUntouched(messageOf([&] { fileio::save(bracket.net, path); }), format(msg::kUnsavableText, 3));
    GappyNet brokenWord;
    const int u = brokenWord.net.addObject(0, 0, kUhzi);
    brokenWord.net.uhzis.at(u).addp = 1;
    brokenWord.net.uhzis.at(u).words = {"10\n11"};
    expectUntouched(messageOf([&] { fileio::save(brokenWord.net, path); }), format(msg::kUnsavableText, u));

    GappyNet badKind;
    badKind.net.objects[20] = VObject{7, 0, 0};
    expectUntouched(messageOf([&] { fileio::save(badKind.net, path); }), text(msg::kUnsavableObject));

    GappyNet fine;
    const std::string folder = dir.file("sub");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(messageOf([&] { fileio::save(fine.net, folder); }), text(msg::kSaveFailed) + folder);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    const std::string nowhere = dir.file("missing/x.pol");
    EXPECT_EQ(messageOf([&] { fileio::save(fine.net, nowhere); }), text(msg::kSaveFailed) + nowhere);
}

TEST(Writer, ReplacingKeepsPermissionsAndSymbolicLinks) {
    TempDir dir;
    const std::string real = dir.file("real.pol");
    const std::string link = dir.file("link.pol");
    writeBytes(real, "old");
    chmod(real.c_str(), 0640);
    std::filesystem::create_symlink(real, link);
    GappyNet g;
    fileio::save(g.net, link);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    struct stat st {};
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(readBytes(real).substr(0, 35), "=== NOVRA Objects Data Ver.2.00 ===");
}
