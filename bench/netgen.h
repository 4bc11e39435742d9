#pragma once
// Large nets for benchmarks: pipelines from a source to a sink and closed rings, laid out in rows, with
// tokens, labelled and bent arcs and transition functions (some with Japanese comments), built through the
// net's own operations.
#include "model/net.h"

namespace novra::bench {

struct NetShape {
    int objects = 100000;     // nodes to build, about
    int ringPercent = 50;     // share of the nodes that lie in rings; the rest lie in pipelines
    int pipelineStages = 64;  // transitions per pipeline
    int ringStages = 16;      // transitions per ring, a multiple of 4
};

// Adds the nodes of the shape to the net; returns how many were added.
int generateNet(CNet& net, const NetShape& shape);

}  // namespace novra::bench
