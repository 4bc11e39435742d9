#pragma once
// Large nets for the simulation benchmarks, built through the net's operations.
#include "model/net.h"

namespace novra::bench {

// uhzi -> n stages -> kemmakix (recording), streaming `words` words of `bits` bits; every other stage
// inverts.
void buildPipeline(CNet& net, int n, int words, int bits);

// A ring of n stages (n a multiple of 8) carrying n/4 tokens, black and white by turns, that circulate
// for ever.
void buildRing(CNet& net, int n);

}  // namespace novra::bench
