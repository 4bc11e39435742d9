#pragma once
// Sources (uhzi) and sinks (kemmakix) during a simulation: one operation per phase and the label texts
// the editor draws beside them. The net's phases call these in ascending ID order.
#include <string>

#include "model/records.h"

namespace novra {

// Source preparation: gives a connected streaming uhzi its next word, or marks it finished.
void loadNextWord(CUhzi& u);
// Source emission: puts at most one token into the uhzi's place (null when unconnected).
void emitToken(CUhzi& u, CPlace* place);
// Sink absorption: takes at most one token from the kemmakix's place (null when unconnected).
void absorbToken(CKemmakix& k, CPlace* place);
// Sink record flush: records the word collected since the last quiet period.
void flushRecord(CKemmakix& k);

// Text beside a uhzi: its held value, its first word, or while simulating the bits still to come.
std::string uhziLabel(const CUhzi& u, bool simulating);
// Text beside a kemmakix while simulating: the bits being collected, or the last recorded word.
std::string kemmakixLabel(const CKemmakix& k, bool simulating);

}  // namespace novra
