#pragma once
// Node storage for the net's ID maps.
//
// A net is walked in ID order again and again (compile, the start of a simulation, saving, the canvas
// index), and is mostly built in ID order too (opening a file, pasting, the undo copy). With the general
// heap, the nodes of a map land wherever earlier nets and edits left holes, and a walk in key order jumps
// all over memory. CNodePool gives each kind of node its own slabs and always hands out the free slot with
// the lowest address, so that a map filled in key order lies in key order in memory, whatever came before.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace novra {

// Fixed-size slots in slabs. Thread-safe. A slab that falls empty is kept for later nodes, up to a limit
// beyond which empty slabs go back to the system. A small pool takes
// small slabs from the heap; once it holds a few megabytes, it takes whole huge pages where the system
// offers them, so that a walk over a big net does not wait on address translation at every other page.
class CNodePool {
  public:
    static constexpr size_t kKeepEmptyBytes = size_t{256} << 20;
    CNodePool(size_t slotSize, size_t alignment, size_t keepEmptyBytes = kKeepEmptyBytes);
    CNodePool(const CNodePool&) = delete;
    CNodePool& operator=(const CNodePool&) = delete;
    ~CNodePool();

    void* allocate();
    void deallocate(void* p);

    size_t slotSize() const { return slot_; }
    // Slots of the slabs a small pool starts with.
    size_t slotsPerSmallSlab() const { return perSmallSlab_; }
    // Slabs held now, and the slots in them (for tests).
    size_t slabCount() const;
    size_t slotCount() const;

  private:
    struct Slab;
    Slab* newSlab();
    void releaseSlab(size_t index);
    size_t slabOf(const void* p) const;  // index in slabs_

    size_t slot_;
    size_t align_;
    size_t perSmallSlab_;
    size_t perHugeSlab_;
    size_t bytesHeld_ = 0;
    std::vector<Slab*> slabs_;  // ascending base address
    size_t firstWithRoom_ = 0;  // no slab before this index has a free slot
    size_t keepEmpty_;
    size_t emptyBytes_ = 0;  // in empty slabs
    mutable std::mutex mutex_;
};

// Allocator for node-based containers: single objects come from the pool of their type (and tag), so two
// maps of the same type can be kept apart by giving them different tags. Stateless; every instance is equal.
template <typename T, typename Tag = void>
struct CPoolAllocator {
    using value_type = T;
    using is_always_equal = std::true_type;
    template <typename U>
    struct rebind {
        using other = CPoolAllocator<U, Tag>;
    };

    CPoolAllocator() noexcept = default;
    template <typename U>
    CPoolAllocator(const CPoolAllocator<U, Tag>&) noexcept {}

    T* allocate(size_t n) {
        if (n == 1) return static_cast<T*>(pool().allocate());
        return std::allocator<T>().allocate(n);
    }
    void deallocate(T* p, size_t n) noexcept {
        if (n == 1)
            pool().deallocate(p);
        else
            std::allocator<T>().deallocate(p, n);
    }

    // Never destroyed: a net that outlives static destruction must still be able to free its nodes.
    static CNodePool& pool() {
        static CNodePool* p = new CNodePool(sizeof(T), alignof(T));
        return *p;
    }

    template <typename U>
    bool operator==(const CPoolAllocator<U, Tag>&) const noexcept {
        return true;
    }
};

}  // namespace novra
