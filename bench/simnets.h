#pragma once
// Large nets for the simulation benchmarks, built through the net's operations. Every builder adds to
// the net and returns the number of objects it added.
#include "model/net.h"

namespace novra::bench {

// uhzi -> n stages -> kemmakix (recording), streaming `words` words of `bits` bits; every other stage
// inverts. Prefilled, the pipeline starts as if it had been streaming for a while: a token on every
// other place, black and white by turns (the stages that receive them copy), so that every token moves
// in every sweep from the start.
int buildPipeline(CNet& net, int n, int words, int bits, bool prefilled = false, int y = 0);

// A ring of n stages (n a multiple of 8) carrying n/4 tokens, black and white by turns, that circulate
// for ever.
int buildRing(CNet& net, int n, int y = 0);

// uhzi -> a binary tree of forking stages `depth` levels deep -> a binary tree of joining stages (xor)
// back to one kemmakix: every wave floods 2^depth parallel places.
int buildForkJoin(CNet& net, int depth, int words, int bits, int y = 0);

// `rows` rows, each uhzi -> `cols` select/merge stages -> kemmakix. A stage forks the bit into a control
// and a data copy, two guarded transitions send the data down one of two branches by the control (they
// compete for the same tokens), and two merging transitions put either branch back on one place.
int buildLattice(CNet& net, int rows, int cols, int words, int bits, int y = 0);

// Nets of about `objects` objects of one shape, for the size sweeps; they all stream or circulate.
enum class Shape { Pipeline, Ring, ForkJoin, Lattice };
int buildShape(CNet& net, Shape shape, int objects);

// About `transitions` transitions that never fire: unmarked pipelines without sources, laid out below
// row y.
int buildIdle(CNet& net, int transitions, int y);

}  // namespace novra::bench
