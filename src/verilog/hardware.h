#pragma once
// The hardware mapping of a compiled net: nodes, channels, stages, function modules. The analysis phases
// fill it; the file writers only read it.
#include <map>
#include <set>
#include <string>
#include <vector>

namespace novra::verilog {

enum NodeKind : int { kStageNode = 1, kSourceNode = 2, kSinkNode = 3, kJointNode = 4 };

// A hardware node. Slot k holds the connection ID of the channel on port k+1; 0 marks a slot without a
// channel (a loop-back port of a stage).
struct Node {
    int kind = 0;
    std::vector<int> in;
    std::vector<int> out;
};

// A handshake channel; its four integers name the wires w_<from>_<to>_<fromPort>_<toPort>_{r,a,d}.
struct Wire {
    int from = 0;
    int to = 0;
    int fromPort = 0;
    int toPort = 0;
};

// Generator data of one transition.
struct Stage {
    int owner = 0;                       // itself, or the start of the feedback loop that absorbed it
    int loopCount = 0;                   // loop-back inputs
    int initialMarking = 0;              // 1: the stage starts as having fired (s variant of the C-elements)
    bool reduced = false;                // keeps no input register
    std::map<int, int> functionNumbers;  // output number -> trafunc number
    std::map<int, std::map<int, int>> inputMaps;  // output number -> (input number n -> renumbered k)
    std::map<int, int> initialValues;             // input number -> initial register value (absent: 0)
    std::map<int, int> loopTargets;               // loop-back output number -> the input it feeds
    std::vector<int> delays;                      // matched delay of each output arc, picoseconds

    int initialValue(int input) const {
        auto it = initialValues.find(input);
        return it == initialValues.end() ? 0 : it->second;
    }
};

struct Hardware {
    std::map<int, Node> nodes;              // object ID -> node
    std::map<int, Wire> wires;              // connection ID -> channel
    std::map<int, int> jointField;          // place ID -> 0 plain, own ID joint, loop start when folded
    std::map<int, Stage> stages;            // transition ID -> generator data
    std::map<std::string, int> functions;   // renumbered expression -> trafunc number
    std::vector<std::string> functionList;  // by number - 1
    std::set<int> selectJoints;             // place joints with two or more outputs
    std::map<std::string, int> cellTally{{"DFR", 0}, {"DFSR", 0}, {"DFNR", 0}, {"DFNSR", 0}};
    std::set<std::string> emittedPipes;
    int nextConnection = 1;  // channel counter of phases 4 and 5

    int joint(int placeId) const {
        auto it = jointField.find(placeId);
        return it == jointField.end() ? 0 : it->second;
    }
    // A node's port (from 1) is a loop-back one when its slot holds no channel.
    static bool isLoop(const std::vector<int>& slots, int port) {
        return port >= 1 && port <= static_cast<int>(slots.size()) && slots[port - 1] == 0;
    }
};

}  // namespace novra::verilog
