#include <windows.h>

#include "platform/large_block.h"

bool VLLargeBlock::Allocate(size_t size) {
    Free();
    m_mapping = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!m_mapping) return false;
    m_mappingSize = size;
    m_data = static_cast<uint8_t*>(m_mapping);
    return true;
}

void VLLargeBlock::Free() {
    if (m_mapping) VirtualFree(m_mapping, 0, MEM_RELEASE);
    m_mapping = nullptr;
    m_mappingSize = 0;
    m_data = nullptr;
}
