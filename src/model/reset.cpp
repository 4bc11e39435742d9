// Compile-time resets of sources and sinks: back to the start of a simulation, with the source's data
// checked so that the run never meets a bad bit.
#include "common/error.h"
#include "common/messages.h"
#include "model/records.h"

namespace novra {

void CUhzi::reset() {
    currentWord.clear();
    bitPos = 0;
    color = kWhite;
    finished = false;
    droppedBits = 0;
    wordCursor = 0;
    if (addp == 1) {
        for (const std::string& w : words)
            for (char c : w)
                if (c != '0' && c != '1') raise(text(msg::kUhziBadWord));
    } else if (addp == 0) {
        if (holdValue != 0 && holdValue != 1) raise(text(msg::kUhziBadHoldValue));
        currentWord.assign(1, holdValue);
    } else {
        raise(text(msg::kUhziBadAddp));
    }
}

void CKemmakix::reset() {
    color = kWhite;
    received.clear();
    if (line == 0 || line == 1) {
        bitCount = 0;
        bitBuffer.assign(kBitBufferSize, 0);
        hasReceived = true;
    } else {
        // Discarding and non-absorbing sinks (and any unknown mode) collect nothing.
        bitCount = kBitBufferSize;
        hasReceived = false;
    }
}

}  // namespace novra
