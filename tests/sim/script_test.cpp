// The scenarios of tests/data/sim/*.txt: compile and the simulation driven command by command. Under each
// "> command" that compiles or simulates stand what it gave ("= message-or-ok result") and then everything
// a caller can see: the object compile or the run stopped at, the sweep result, readiness, and every node's
// state by its name. The file must be exactly the transcript the commands give; the one they gave is
// written into the scratch folder for a look.
#include <gtest/gtest.h>

#include <sstream>

#include "support/net_builder.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

const std::map<std::string, Phase> kPhases = {
    {"prepare", kPrepare}, {"emit", kEmit},   {"enable", kEnable},     {"fire", kFire},
    {"absorb", kAbsorb},   {"flush", kFlush}, {"endcheck", kEndCheck}, {"restored", kRestored}};

// Runs the commands of the file; returns the transcript.
std::string transcript(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out;
    auto net = std::make_unique<CNet>();
    auto sim = std::make_unique<CSimulation>(*net);
    NetBuilder::Ids ids;
    PlaceMap snapshot;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("  ") || line.starts_with("= ")) continue;  // the previous answer
        out << line << '\n';
        if (line.starts_with("== ")) {
            net = std::make_unique<CNet>();
            sim = std::make_unique<CSimulation>(*net);
            ids = {};
        }
        if (!line.starts_with("> ")) continue;
        std::istringstream words(line.substr(2));
        std::string cmd, who, rest;
        words >> cmd >> who;
        std::getline(words >> std::ws, rest);
        NetBuilder b(*net);
        const int id = ids.count(who) ? ids[who] : 0;
        std::vector<std::string> list;
        std::istringstream items(rest);
        for (std::string item; items >> item;) list.push_back(item == "_" ? "" : item);
        int result = 0;
        std::string message;
        if (cmd == "net") {
            ids = b.build(line.substr(6), {}, ids);
        } else if (cmd == "clear") {
            net->clear();
            ids = {};
        } else if (cmd == "fn") {
            b.setFunction(id, rest);
        } else if (cmd == "words") {  // words NAME LINE WORD... ("_" for an empty word)
            b.setWords(id, std::vector<std::string>(list.begin() + 1, list.end()), std::stoi(list[0]));
        } else if (cmd == "hold" || cmd == "addp" || cmd == "sink" || cmd == "ucolor" || cmd == "color") {
            const int v = std::stoi(list[0]);
            if (cmd == "hold") b.setHold(id, v);
            if (cmd == "addp") b.setAddp(id, v);
            if (cmd == "sink") b.setSink(id, v);
            if (cmd == "ucolor") net->uhzis().at(id).color = v;
            if (cmd == "color") net->places().at(id).color = v;
        } else if (cmd == "firestop") {
            b.fireStop(id);
        } else if (cmd == "token" || cmd == "put") {  // token NAME B1
            const int c = list[0][0] == 'B' ? kBlack : kWhite, v = std::stoi(list[0].substr(1));
            cmd == "token" ? net->setToken(id, c, v) : net->places().at(id).put(c, v);
        } else if (cmd == "take") {
            net->places().at(id).take();
        } else if (cmd == "last") {
            net->places().at(id).lastColor = list[0] == "B" ? kBlack : kWhite;
        } else if (cmd == "delete") {
            net->deleteObject(id);
        } else if (cmd == "snapshot") {
            snapshot = net->places();
        } else {
            if (cmd == "compile") {
                message = compile(*sim);
            } else if (cmd == "run") {
                message = who.empty() ? run(*sim) : run(*sim, std::stol(who));
            } else if (cmd == "restore") {
                restore(*sim, snapshot);
            } else if (cmd == "sweep") {
                message = errorOf([&] { result = sweep(*sim); });
            } else {
                EXPECT_TRUE(kPhases.count(who)) << line;
                if (kPhases.count(who)) message = errorOf([&] { result = phase(*sim, kPhases.at(who)); });
            }
            for (size_t at; (at = message.find('\n')) != std::string::npos;) message.replace(at, 1, "\\n");
            out << "= " << (message.empty() ? "ok" : message) << (result ? " " + std::to_string(result) : "")
                << '\n'
                << simState(*sim, ids);
        }
    }
    return out.str();
}

class Scenarios : public ::testing::TestWithParam<fs::path> {};

TEST_P(Scenarios, GiveTheirTranscript) {
    const std::string expected = readBytes(GetParam());
    const std::string got = transcript(expected);
    writeBytes(tempRoot() / GetParam().filename(), got);
    EXPECT_EQ(got, expected) << "the whole transcript is " << tempRoot() / GetParam().filename();
}

INSTANTIATE_TEST_SUITE_P(Sim, Scenarios, ::testing::ValuesIn(netFiles({"tests/data/sim"}, ".txt")),
                         [](const auto& info) { return info.param.stem().string(); });

}  // namespace
