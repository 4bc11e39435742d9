// The version 2.00 writer: exact bytes, and saves that must fail without harming the old file.
#include <sys/stat.h>

#include "model/net_builder.h"
#include "support/net_builder.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

// Transition 3, places 7 and 9, the rest deleted: the places are written first.
struct GappyNet {
    CNet net;
    GappyNet() {
        for (int id = 1; id <= 9; ++id)
            net.addObject(id * 10, id == 9 ? -5 : 5, id == 3 ? kTransition : kPlace);
        for (int id : {1, 2, 4, 5, 6, 8}) net.deleteObject(id);
        NetBuilder(net).setFunction(3, "o1=i1;\r\n// 表示ソ");
        net.setToken(7, kBlack, 1);
        net.addArc(7, 3);
        net.addArc(3, 9, {{10, 20}, {30, 40}}, "o1");
        NetBuilder(net).fireStop(3);
    }
};

}  // namespace

TEST(Writer, RenumbersPlacesFirstAndWritesEveryRecordExactly) {
    TempDir dir;
    GappyNet g;
    save(g.net, dir.file("a.pol"));
    // On disk the text is Shift-JIS: ソ is 0x83 0x5C.
    EXPECT_EQ(readBytes(dir.file("a.pol")), data("fileio/gappy.pol"));
    // The net keeps its own IDs; reading gives the file's.
    EXPECT_EQ(g.net.kindOf(9), kPlace);
    CNet loaded;
    load(loaded, dir.file("a.pol"));
    expectSameNet(g.net, loaded);
    EXPECT_EQ(loaded.transitions().at(3).functionText, "o1=i1;\n// 表示ソ");
    EXPECT_EQ(loaded.simTranOpt(), std::set<int>{3});
}

TEST(Writer, SourceAndSinkRecordsCarryTheirDataLines) {
    TempDir dir;
    CNet net;
    net.addObject(0, 0, kPlace);
    NetBuilder b(net);
    b.setWords(net.addObject(0, 0, kUhzi), {"1011", "0110"}, 1);
    b.setHold(net.addObject(0, 0, kUhzi), 1);
    b.setAddp(net.addObject(0, 0, kUhzi), 2);  // neither mode: no data line
    b.setSink(net.addObject(0, 0, kKemmakix), 2, {"1011", ""});
    save(net, dir.file("s.pol"));
    EXPECT_EQ(readBytes(dir.file("s.pol")), data("fileio/sources.pol"));
    CNet loaded;
    load(loaded, dir.file("s.pol"));
    expectSameNet(net, loaded);
}

TEST(Writer, EmptyNetWritesAllEightSectionsAndReadsBackEmpty) {
    TempDir dir;
    CNet net;
    save(net, dir.file("e.pol"));
    EXPECT_EQ(readBytes(dir.file("e.pol")), data("fileio/empty.pol"));
    CNet loaded;
    loaded.addObject(1, 1, kPlace);
    load(loaded, dir.file("e.pol"));
    EXPECT_TRUE(loaded.objects().empty());
    EXPECT_TRUE(loaded.places().empty());
    EXPECT_EQ(loaded.nextId(), 1);
    EXPECT_TRUE(loaded.bounds().empty);
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
    NetBuilder(notShiftJis.net).setSink(notShiftJis.net.addObject(0, 0, kKemmakix), 0, {"😀"});
    expectUntouched(errorOf([&] { save(notShiftJis.net, path); }), text(msg::kNotCp932));

    // "]" would end the function text early; a line break would split a data record.
    GappyNet bracket;
    NetBuilder(bracket.net).setFunction(3, "o1=i1; // a[0]");
    expectUntouched(errorOf([&] { save(bracket.net, path); }), format(msg::kUnsavableText, 3));
    GappyNet brokenWord;
    const int u = NetBuilder(brokenWord.net).setWords(brokenWord.net.addObject(0, 0, kUhzi), {"10\n11"});
    expectUntouched(errorOf([&] { save(brokenWord.net, path); }), format(msg::kUnsavableText, u));

    CNet badKind;
    CNetBuilder build(badKind);
    build.setView(20, VObject{7, 0, 0});
    build.finish();
    expectUntouched(errorOf([&] { save(badKind, path); }), text(msg::kUnsavableObject));

    GappyNet fine;
    const std::string folder = dir.file("sub");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(errorOf([&] { save(fine.net, folder); }), text(msg::kSaveFailed) + folder);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    const std::string nowhere = dir.file("missing/x.pol");
    EXPECT_EQ(errorOf([&] { save(fine.net, nowhere); }), text(msg::kSaveFailed) + nowhere);
}

TEST(Writer, ReplacingKeepsPermissionsAndSymbolicLinks) {
    TempDir dir;
    const std::string real = dir.file("real.pol");
    const std::string link = dir.file("link.pol");
    writeBytes(real, "old");
    chmod(real.c_str(), 0640);
    std::filesystem::create_symlink(real, link);
    GappyNet g;
    save(g.net, link);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    struct stat st {};
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(readBytes(real).substr(0, 35), "=== NOVRA Objects Data Ver.2.00 ===");
}
