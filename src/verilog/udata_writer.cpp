// udata<id>.txt: the bits a source feeds the test bench.
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

std::string sourceData(const CUhzi& u) {
    std::string out;
    if (u.addp != 1) return fmt("%d ", u.holdValue);
    // The word the source loads first, in emission order; an unconnected source loads none.
    if (u.placeId == 0 || u.wordCursor >= u.words.size()) return out;
    const std::string& word = u.words[u.wordCursor];
    const size_t n = word.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = u.line == 1 ? word[n - 1 - i] : word[i];
        out += fmt("%d ", c - '0');
    }
    return out;
}

}  // namespace novra::verilog
