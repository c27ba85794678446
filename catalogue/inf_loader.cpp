#include "catalogue/inf_loader.h"

#include <sys/stat.h>

#include <fstream>
#include <new>
#include <vector>

#include "catalogue/csv_inf_file.h"
#include "catalogue/inf_scrambling.h"
#include "catalogue/keyword_inf_file.h"
#include "platform/regular_file.h"

namespace {

// Runs inside the loaders' catch blocks, so it must not throw itself.
void NoteFailure(VLInfProblem* problem, const char* reason) noexcept {
    if (!problem) return;
    try {
        problem->reason = reason;
        problem->line = 0;
    } catch (...) {
    }
}

// ReadWholeFile only says no; this looks at the file again to say why.
VLInfProblem WhyNotRead(const std::string& path) {
    // Looked at as ReadWholeFile does, so that the path's bytes are taken the
    // same way.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return {"not a regular file", 0};
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return {"cannot be opened", 0};
    const std::streamoff length = file.tellg();
    if (length >= static_cast<std::streamoff>(kMaxInfFileSize)) {
        return {"file too large (" + std::to_string(length) + " bytes; the limit is " +
                    std::to_string(kMaxInfFileSize - 1) + ")",
                0};
    }
    return {"cannot be read", 0};
}

}  // namespace

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

std::unique_ptr<VLInfFile> LoadInfBytes(uint8_t* bytes, size_t size, VLInfProblem* problem) {
    try {
        if (problem) *problem = VLInfProblem();
        std::vector<uint8_t> copy(bytes, bytes + size);
        DescrambleKeywordScheme(copy.data(), copy.size());
        std::unique_ptr<VLInfFile> catalogue;
        if (StartsWithKeywordMarker(copy.data(), copy.size())) {
            catalogue = std::make_unique<VLKeywordInfFile>();
        } else {
            catalogue = std::make_unique<VLCsvInfFile>();
        }
        if (!catalogue->Parse(bytes, size) || !catalogue->Validate()) {
            if (problem) *problem = catalogue->GetProblem();
            return nullptr;
        }
        return catalogue;
    } catch (const std::bad_alloc&) {
        NoteFailure(problem, "out of memory");
        return nullptr;
    } catch (...) {
        NoteFailure(problem, "unexpected error while reading");
        return nullptr;
    }
}

std::unique_ptr<VLInfFile> LoadInfFile(const std::string& path, VLInfProblem* problem) {
    try {
        if (problem) *problem = VLInfProblem();
        size_t size = 0;
        std::unique_ptr<uint8_t[]> bytes = ReadWholeFile(path, size);
        if (!bytes) {
            if (problem) *problem = WhyNotRead(path);
            return nullptr;
        }
        return LoadInfBytes(bytes.get(), size, problem);
    } catch (const std::bad_alloc&) {
        NoteFailure(problem, "out of memory");
        return nullptr;
    } catch (...) {
        NoteFailure(problem, "unexpected error while reading");
        return nullptr;
    }
}

std::string DescribeInfProblem(const VLInfProblem& problem) {
    if (problem.line <= 0) return problem.reason;
    return "line " + std::to_string(problem.line) + ": " + problem.reason;
}

bool IsKeywordFormat(const VLInfFile& catalogue) {
    return dynamic_cast<const VLKeywordInfFile*>(&catalogue) != nullptr;
}
