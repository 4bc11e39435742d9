#pragma once
// A vector of plain values that keeps up to N of them inside itself and goes to the heap only beyond.
//
// A transition has a handful of places and values; keeping them in the record saves a heap block each,
// which a pass over many transitions would otherwise have to fetch from wherever it was allocated.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <stdexcept>
#include <type_traits>
#include <vector>

namespace novra {

template <typename T, size_t N>
class CInlineVector {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);
    static_assert(N > 0);

  public:
    using value_type = T;
    using size_type = size_t;
    using iterator = T*;
    using const_iterator = const T*;
    using reference = T&;
    using const_reference = const T&;

    CInlineVector() = default;
    CInlineVector(std::initializer_list<T> values) { assignRange(values.begin(), values.size()); }
    CInlineVector(const CInlineVector& other) { assignRange(other.data(), other.size()); }
    CInlineVector(CInlineVector&& other) noexcept { take(other); }
    CInlineVector& operator=(const CInlineVector& other) {
        if (this != &other) assignRange(other.data(), other.size());
        return *this;
    }
    CInlineVector& operator=(CInlineVector&& other) noexcept {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    ~CInlineVector() { release(); }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    size_t capacity() const { return capacity_; }
    T* data() { return onHeap() ? heap_ : inline_; }
    const T* data() const { return onHeap() ? heap_ : inline_; }
    T* begin() { return data(); }
    T* end() { return data() + size_; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + size_; }
    T& operator[](size_t i) { return data()[i]; }
    const T& operator[](size_t i) const { return data()[i]; }
    T& front() { return data()[0]; }
    const T& front() const { return data()[0]; }
    T& back() { return data()[size_ - 1]; }
    const T& back() const { return data()[size_ - 1]; }

    // Keeps the storage, as std::vector does.
    void clear() { size_ = 0; }
    void assign(size_t n, const T& value) {
        reserve(n);
        std::fill_n(data(), n, value);
        size_ = static_cast<uint32_t>(n);
    }
    template <typename It>
    void assign(It first, It last) {
        const std::vector<T> copy(first, last);  // the range may lie inside this vector
        assignRange(copy.data(), copy.size());
    }
    void push_back(const T& value) {
        if (size_ == capacity_) {
            const T copy = value;  // value may lie inside this vector
            reserve(std::max<size_t>(2 * capacity_, N));
            data()[size_++] = copy;
        } else {
            data()[size_++] = value;
        }
    }
    void reserve(size_t n) {
        if (n <= capacity_) return;
        if (n > UINT32_MAX) throw std::length_error("CInlineVector is too long");
        T* grown = static_cast<T*>(::operator new(n * sizeof(T)));
        if (size_ != 0) std::memcpy(grown, data(), size_ * sizeof(T));
        if (onHeap()) ::operator delete(heap_);
        heap_ = grown;
        capacity_ = static_cast<uint32_t>(n);
    }

    friend bool operator==(const CInlineVector& a, const CInlineVector& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    friend bool operator==(const CInlineVector& a, const std::vector<T>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

  private:
    void assignRange(const T* from, size_t n) {
        reserve(n);
        if (onHeap())
            std::memmove(heap_, from, n * sizeof(T));
        else
            std::copy_n(from, std::min(n, N), inline_);  // n <= N here; the bound is for the compiler
        size_ = static_cast<uint32_t>(n);
    }
    bool onHeap() const { return capacity_ > N; }
    void release() {
        if (onHeap()) ::operator delete(heap_);
        size_ = 0;
        capacity_ = N;
    }
    void take(CInlineVector& other) {
        if (other.onHeap())
            heap_ = other.heap_;
        else if (other.size_ != 0)
            std::memcpy(inline_, other.inline_, other.size_ * sizeof(T));
        size_ = other.size_;
        capacity_ = other.capacity_;
        other.size_ = 0;
        other.capacity_ = N;
    }

    union {
        T inline_[N];
        T* heap_;  // while capacity_ > N
    };
    uint32_t size_ = 0;
    uint32_t capacity_ = N;
};

}  // namespace novra
