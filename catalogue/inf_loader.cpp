#include "catalogue/inf_loader.h"

#include <fstream>
#include <new>
#include <vector>

#include "catalogue/csv_inf_file.h"
#include "catalogue/inf_scrambling.h"
#include "catalogue/keyword_inf_file.h"
#include "platform/regular_file.h"

std::unique_ptr<uint8_t[]> ReadWholeFile(const std::string& path, size_t& size) {
    size = 0;
    if (!IsRegularFile(path)) return nullptr;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return nullptr;
    const std::streamoff length = file.tellg();
    if (length < 0 || length >= static_cast<std::streamoff>(kMaxInfFileSize)) return nullptr;
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[static_cast<size_t>(length)]);
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(buffer.get()), length)) return nullptr;
    size = static_cast<size_t>(length);
    return buffer;
}

std::unique_ptr<VLInfFile> LoadInfBytes(uint8_t* bytes, size_t size) {
    try {
        std::vector<uint8_t> copy(bytes, bytes + size);
        DescrambleKeywordScheme(copy.data(), copy.size());
        std::unique_ptr<VLInfFile> catalogue;
        if (StartsWithKeywordMarker(copy.data(), copy.size())) {
            catalogue = std::make_unique<VLKeywordInfFile>();
        } else {
            catalogue = std::make_unique<VLCsvInfFile>();
        }
        if (!catalogue->Parse(bytes, size) || !catalogue->Validate()) return nullptr;
        return catalogue;
    } catch (...) {
        return nullptr;
    }
}

std::unique_ptr<VLInfFile> LoadInfFile(const std::string& path) {
    try {
        size_t size = 0;
        std::unique_ptr<uint8_t[]> bytes = ReadWholeFile(path, size);
        if (!bytes) return nullptr;
        return LoadInfBytes(bytes.get(), size);
    } catch (...) {
        return nullptr;
    }
}

bool IsKeywordFormat(const VLInfFile& catalogue) {
    return dynamic_cast<const VLKeywordInfFile*>(&catalogue) != nullptr;
}
