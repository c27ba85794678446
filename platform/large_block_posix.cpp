#include <sys/mman.h>

#include <new>

#include "platform/large_block.h"

namespace {

constexpr size_t kHugePage = size_t{2} << 20;

// The address sanitizer watches the bounds of heap blocks only.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPlainHeap = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPlainHeap = true;
#else
constexpr bool kPlainHeap = false;
#endif
#else
constexpr bool kPlainHeap = false;
#endif

}  // namespace

bool VLLargeBlock::Allocate(size_t size) {
    Free();
    if (kPlainHeap || size < kHugePage) {
        m_data = new (std::nothrow) uint8_t[size];
        return m_data != nullptr;
    }
    // Whole huge pages, on a huge page boundary: a page more is mapped and
    // the start moved up to the boundary.
    const size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
    if (rounded < size || rounded + kHugePage < rounded) return false;
    void* mapping =
        mmap(nullptr, rounded + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) return false;
    m_mapping = mapping;
    m_mappingSize = rounded + kHugePage;
    const uintptr_t start = (reinterpret_cast<uintptr_t>(mapping) + kHugePage - 1) & ~(kHugePage - 1);
    m_data = reinterpret_cast<uint8_t*>(start);
#ifdef MADV_HUGEPAGE
    // Only advice: without huge pages the block works the same, just slower.
    madvise(m_data, rounded, MADV_HUGEPAGE);
#endif
    return true;
}

void VLLargeBlock::Free() {
    if (m_mapping) {
        munmap(m_mapping, m_mappingSize);
    } else {
        delete[] m_data;
    }
    m_mapping = nullptr;
    m_mappingSize = 0;
    m_data = nullptr;
}
