#include "model/node_pool.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <new>

#include <sys/mman.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define NOVRA_POISON(p, n) ASAN_POISON_MEMORY_REGION(p, n)
#define NOVRA_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION(p, n)
#else
#define NOVRA_POISON(p, n) ((void)(p), (void)(n))
#define NOVRA_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace novra {

namespace {

// Small slabs of about this many bytes, from the heap.
constexpr size_t kSmallSlabBytes = 256 * 1024;
constexpr size_t kMinSlots = 64;
constexpr size_t kMaxSmallSlots = 4096;
// Huge slabs, one huge page each, once the pool holds this much.
constexpr size_t kHugeBytes = size_t{2} << 20;
constexpr size_t kHugeFrom = size_t{4} << 20;

// One huge page's worth of address space on a huge page boundary, or null.
char* mapHuge() {
    void* p = mmap(nullptr, 2 * kHugeBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    char* raw = static_cast<char*>(p);
    char* base = reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(raw) + kHugeBytes - 1) & ~(kHugeBytes - 1));
    if (base > raw) munmap(raw, static_cast<size_t>(base - raw));
    char* end = base + kHugeBytes;
    if (end < raw + 2 * kHugeBytes) munmap(end, static_cast<size_t>(raw + 2 * kHugeBytes - end));
#ifdef MADV_HUGEPAGE
    madvise(base, kHugeBytes, MADV_HUGEPAGE);  // a hint; the slab works without it
#endif
    return base;
}

}  // namespace

struct CNodePool::Slab {
    char* base = nullptr;
    size_t capacity = 0;
    size_t freeCount = 0;
    bool huge = false;
    std::vector<uint64_t> freeBits;  // a set bit is a free slot
    size_t firstFreeWord = 0;        // no word before this one has a free slot
};

CNodePool::CNodePool(size_t slotSize, size_t alignment, size_t keepEmptyBytes)
    : align_(std::max<size_t>(alignment, 1)), keepEmpty_(keepEmptyBytes) {
    slot_ = (std::max<size_t>(slotSize, 1) + align_ - 1) / align_ * align_;
    perSmallSlab_ = std::clamp(kSmallSlabBytes / slot_, kMinSlots, kMaxSmallSlots) / 64 * 64;
    perHugeSlab_ = align_ <= kHugeBytes ? kHugeBytes / slot_ / 64 * 64 : 0;
}

namespace {

void freeSlabMemory(char* base, size_t bytes, bool huge, size_t align) {
    NOVRA_UNPOISON(base, bytes);
    if (huge)
        munmap(base, kHugeBytes);
    else
        ::operator delete(base, std::align_val_t(align));
}

}  // namespace

CNodePool::~CNodePool() {
    for (Slab* s : slabs_) {
        freeSlabMemory(s->base, s->capacity * slot_, s->huge, align_);
        delete s;
    }
}

size_t CNodePool::slabCount() const {
    std::lock_guard lock(mutex_);
    return slabs_.size();
}

size_t CNodePool::slotCount() const {
    std::lock_guard lock(mutex_);
    size_t n = 0;
    for (const Slab* s : slabs_) n += s->capacity;
    return n;
}

CNodePool::Slab* CNodePool::newSlab() {
    auto slab = std::make_unique<Slab>();
    if (bytesHeld_ >= kHugeFrom && perHugeSlab_ >= kMinSlots) {
        slab->base = mapHuge();
        slab->huge = slab->base != nullptr;
        slab->capacity = perHugeSlab_;
    }
    if (slab->base == nullptr) {
        slab->capacity = perSmallSlab_;
        slab->base = static_cast<char*>(::operator new(slot_ * perSmallSlab_, std::align_val_t(align_)));
    }
    slab->freeBits.assign(slab->capacity / 64, ~uint64_t{0});
    slab->freeCount = slab->capacity;
    NOVRA_POISON(slab->base, slot_ * slab->capacity);
    bytesHeld_ += slot_ * slab->capacity;
    Slab* s = slab.get();
    const auto at = std::lower_bound(slabs_.begin(), slabs_.end(), s->base,
                                     [](const Slab* a, const char* b) { return a->base < b; });
    const size_t index = static_cast<size_t>(at - slabs_.begin());
    slabs_.insert(at, slab.release());
    emptyBytes_ += slot_ * s->capacity;
    firstWithRoom_ = std::min(firstWithRoom_, index);
    return s;
}

void CNodePool::releaseSlab(size_t index) {
    Slab* s = slabs_[index];
    slabs_.erase(slabs_.begin() + static_cast<std::ptrdiff_t>(index));
    if (firstWithRoom_ > index) --firstWithRoom_;
    bytesHeld_ -= slot_ * s->capacity;
    freeSlabMemory(s->base, s->capacity * slot_, s->huge, align_);
    delete s;
}

size_t CNodePool::slabOf(const void* p) const {
    const char* c = static_cast<const char*>(p);
    auto at = std::upper_bound(slabs_.begin(), slabs_.end(), c,
                               [](const char* x, const Slab* s) { return x < s->base; });
    return static_cast<size_t>(at - slabs_.begin()) - 1;
}

void* CNodePool::allocate() {
    std::lock_guard lock(mutex_);
    while (firstWithRoom_ < slabs_.size() && slabs_[firstWithRoom_]->freeCount == 0) ++firstWithRoom_;
    Slab* s = firstWithRoom_ < slabs_.size() ? slabs_[firstWithRoom_] : newSlab();
    size_t w = s->firstFreeWord;
    while (s->freeBits[w] == 0) ++w;
    s->firstFreeWord = w;
    const size_t bit = static_cast<size_t>(std::countr_zero(s->freeBits[w]));
    s->freeBits[w] &= s->freeBits[w] - 1;
    if (s->freeCount-- == s->capacity) emptyBytes_ -= slot_ * s->capacity;
    char* p = s->base + (w * 64 + bit) * slot_;
    NOVRA_UNPOISON(p, slot_);
    return p;
}

void CNodePool::deallocate(void* p) {
    if (p == nullptr) return;
    std::lock_guard lock(mutex_);
    const size_t index = slabOf(p);
    Slab* s = index < slabs_.size() ? slabs_[index] : nullptr;
    const size_t k = s != nullptr ? static_cast<size_t>(static_cast<char*>(p) - s->base) / slot_ : 0;
    const uint64_t bit = uint64_t{1} << (k % 64);
    if (s == nullptr || k >= s->capacity || (s->freeBits[k / 64] & bit) != 0) {
        // Not a live slot of this pool: freeing it would hand it out twice. A bug; stop here.
        std::fputs("CNodePool: free of a slot that is not in use\n", stderr);
        std::abort();
    }
    s->freeBits[k / 64] |= bit;
    s->firstFreeWord = std::min(s->firstFreeWord, k / 64);
    NOVRA_POISON(p, slot_);
    firstWithRoom_ = std::min(firstWithRoom_, index);
    if (++s->freeCount < s->capacity) return;
    // The slab is empty. Keep it for the nodes of the next net (a net closed and another opened, the undo
    // copy made anew at every edit) unless the pool already keeps enough such slabs.
    if (emptyBytes_ + slot_ * s->capacity > keepEmpty_)
        releaseSlab(index);
    else
        emptyBytes_ += slot_ * s->capacity;
}

}  // namespace novra
