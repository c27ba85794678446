#include "catalogue/inf_loader.h"

#include <new>
#include <vector>

#include "catalogue/csv_inf_file.h"
#include "catalogue/inf_scrambling.h"
#include "catalogue/keyword_inf_file.h"
#include "platform/read_only_file.h"

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

// The file's bytes, checked and read on one opened handle; null, with why
// set, when it cannot be used.
std::unique_ptr<uint8_t[]> ReadInfBytes(const std::string& path, size_t& size, VLInfProblem& why) {
    size = 0;
    VLReadOnlyFile file;
    switch (file.Open(path)) {
        case VLReadOnlyFile::OpenResult::kOpened:
            break;
        case VLReadOnlyFile::OpenResult::kCannotOpen:
            why = {"cannot be opened", 0};
            return nullptr;
        case VLReadOnlyFile::OpenResult::kNotRegular:
            why = {"not a regular file", 0};
            return nullptr;
    }
    if (file.Size() >= kMaxInfFileSize) {
        why = {"file too large (" + std::to_string(file.Size()) + " bytes; the limit is " +
                   std::to_string(kMaxInfFileSize - 1) + ")",
               0};
        return nullptr;
    }
    const size_t length = static_cast<size_t>(file.Size());
    std::unique_ptr<uint8_t[]> buffer(new uint8_t[length == 0 ? 1 : length]);
    if (!file.Read(buffer.get(), static_cast<uint32_t>(length))) {
        why = {"cannot be read", 0};
        return nullptr;
    }
    size = length;
    return buffer;
}

}  // namespace

std::unique_ptr<uint8_t[]> ReadWholeFile(const std::string& path, size_t& size) {
    VLInfProblem ignored;
    return ReadInfBytes(path, size, ignored);
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
        VLInfProblem why;
        std::unique_ptr<uint8_t[]> bytes = ReadInfBytes(path, size, why);
        if (!bytes) {
            if (problem) *problem = why;
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
