#include "sim/sources.h"

#include <algorithm>

#include "common/error.h"
#include "common/messages.h"

namespace novra {

namespace {

constexpr size_t kLabelBits = 32;
constexpr size_t kLabelHalf = 16;

bool records(const CKemmakix& k) {
    return k.line == 0 || k.line == 1;
}

}  // namespace

void loadNextWord(CUhzi& u) {
    if (u.placeId == 0 || u.addp != 1) return;
    // The net went quiet before the word was out: its remaining bits are never emitted.
    const size_t emitted = static_cast<size_t>(std::max(u.bitPos, 0)) + (u.color == kBlack ? 1 : 0);
    if (emitted < u.currentWord.size()) u.droppedBits += static_cast<long>(u.currentWord.size() - emitted);
    if (u.wordCursor >= u.words.size()) {
        u.finished = true;
        return;
    }
    const std::string& w = u.words[u.wordCursor];
    const size_t n = w.size();
    u.bitPos = 0;
    u.currentWord.assign(n, 0);
    for (size_t i = 0; i < n; ++i) {
        const int bit = w[i] - '0';
        if (u.line == 1)
            u.currentWord[n - 1 - i] = bit;
        else
            u.currentWord[i] = bit;
    }
    ++u.wordCursor;
}

void emitToken(CUhzi& u, CPlace* place) {
    if (u.finished || u.placeId == 0 || place == nullptr || place->hasToken) return;
    if (u.bitPos < 0 || static_cast<size_t>(u.bitPos) >= u.currentWord.size()) return;
    const int bit = u.currentWord[static_cast<size_t>(u.bitPos)];
    if (u.color == kWhite) {
        place->put(kBlack, bit);
        u.color = kBlack;
    } else if (u.color == kBlack) {
        // The white token follows the black one it separates, carrying the same bit.
        u.bitPos += u.addp;
        place->put(kWhite, bit);
        u.color = kWhite;
    } else {
        raise(text(msg::kUhziBadColor));
    }
}

void absorbToken(CKemmakix& k, CPlace* place) {
    if (k.placeId == 0 || k.line == 3 || place == nullptr || !place->hasToken) return;
    const int c = place->color;
    if (c == kBlack && k.color == kWhite) {
        // A recording sink keeps every bit of a word, however long: dropping bits past a fixed buffer
        // would record a word the net never delivered.
        if (records(k) && k.hasReceived && k.bitCount >= 0) {
            const size_t at = static_cast<size_t>(k.bitCount);
            if (at < k.bitBuffer.size())
                k.bitBuffer[at] = place->value;
            else if (at == k.bitBuffer.size())
                k.bitBuffer.push_back(place->value);
            if (at <= k.bitBuffer.size()) ++k.bitCount;
        }
        k.color = kBlack;
        place->take();
    } else if (c == kWhite && k.color == kBlack) {
        k.color = kWhite;
        place->take();
    } else {
        raise(text(msg::kKemmakixSameColor));
    }
}

void flushRecord(CKemmakix& k) {
    if (!records(k) || !k.hasReceived || k.placeId == 0 || k.bitCount <= 0) return;
    const size_t n = std::min(static_cast<size_t>(k.bitCount), k.bitBuffer.size());
    std::string word;
    word.reserve(n);
    // Mode 1 reverses the order of the bits (not the digits of a bit), built back to front in one pass.
    for (size_t i = 0; i < n; ++i) word += std::to_string(k.bitBuffer[k.line == 1 ? n - 1 - i : i]);
    k.received.push_back(std::move(word));
    k.bitCount = 0;
}

std::string uhziLabel(const CUhzi& u, bool simulating) {
    if (u.addp == 0) return std::to_string(u.holdValue) + "...";
    if (u.addp != 1) return {};
    if (!simulating) {
        if (u.words.empty()) return {};
        const std::string& w = u.words.front();
        if (w.size() <= kLabelBits) return w;
        if (u.line == 1) return "..." + w.substr(w.size() - kLabelHalf);
        return w.substr(0, kLabelHalf) + "...";
    }
    std::string s;
    size_t written = 0;
    for (size_t i = static_cast<size_t>(std::max(u.bitPos, 0));
         i < u.currentWord.size() && written < kLabelBits; ++i, ++written) {
        const std::string bit = std::to_string(u.currentWord[i]);
        if (u.line == 1)
            s.insert(0, bit);
        else
            s += bit;
    }
    if (written == kLabelBits) {
        if (u.line == 1)
            s.insert(0, "...");
        else
            s += "...";
    }
    return s;
}

std::string kemmakixLabel(const CKemmakix& k, bool simulating) {
    if (!simulating || k.placeId == 0 || !records(k)) return {};
    if (k.bitCount == 0 && !k.received.empty()) return k.received.back();
    std::string s;
    const size_t n = std::min({static_cast<size_t>(std::max(k.bitCount, 0)), k.bitBuffer.size(), kLabelBits});
    for (size_t i = 0; i < n; ++i) {
        const std::string bit = std::to_string(k.bitBuffer[i]);
        if (k.line == 1)
            s.insert(0, bit);
        else
            s += bit;
    }
    return s;
}

}  // namespace novra
