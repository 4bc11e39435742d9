// delay.data: the matched delays for the post-processor.
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

std::string delayDataHead(int functionCount, double delayOverPlus) {
    return fmt("%d,%f;\n", functionCount, delayOverPlus);
}

std::string delayDataLines(int id, const CTransition& t, const Stage& stage) {
    std::string out;
    for (size_t i = 0; i < stage.delays.size(); ++i) {
        const int o = static_cast<int>(i) + 1;
        int fn = 0;
        if (o <= t.outputCount)
            if (auto it = stage.functionNumbers.find(o); it != stage.functionNumbers.end()) fn = it->second;
        out += fmt("%d,%d,%d,%d,%d;\n", id, o, stage.delays[i], 999, fn);
    }
    return out;
}

}  // namespace novra::verilog
