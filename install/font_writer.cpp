#include "install/font_writer.h"

#include <algorithm>
#include <memory>

#include "install/font_registration.h"
#include "install/progress.h"
#include "platform/shift_jis.h"

namespace {

// Few large writes; the bar moves by one share per 3000-byte chunk each
// write held, the empty last chunk of a whole number of chunks included.
bool WriteChunks(IVLWritableFile& file, const uint8_t* payload, uint32_t fontBytes) {
    const uint32_t chunks = CountWriteChunks(fontBytes);
    const double share = kProgressWriting / chunks;
    uint32_t offset = 0;
    uint32_t shown = 0;
    while (shown < chunks) {
        const uint32_t length = std::min(kWriteBlockSize, fontBytes - offset);
        if (length > 0) {
            if (!file.Write(payload + offset, length)) return false;
            offset += length;
        }
        const uint32_t done = offset == fontBytes ? chunks : offset / kWriteChunkSize;
        for (; shown < done; ++shown) AddProgress(share);
    }
    return true;
}

}  // namespace

uint32_t CountWriteChunks(uint32_t fontBytes) { return fontBytes / kWriteChunkSize + 1; }

bool WriteFontFile(VLInstallPlatform& platform, const std::string& destPath, const std::string& fileName,
                   const std::string& valueName, const uint8_t* payload, uint32_t size,
                   VLFontReport* report) {
    return WriteFontFile(platform, destPath, fileName, valueName,
                         RegistrationForPath(platform.system, destPath), payload, size, report);
}

bool WriteFontFile(VLInstallPlatform& platform, const std::string& destPath, const std::string& fileName,
                   const std::string& valueName, VLFontRegistrationKind registration, const uint8_t* payload,
                   uint32_t size, VLFontReport* report, const std::function<void()>& whileFlushing) {
    VLFontReport ignored;
    VLFontReport& result = report ? *report : ignored;
    result.registered = false;
    // A payload always ends with its checksum byte; without one there is no font.
    if (size == 0) return false;
    IVLFileSystem& files = platform.files;

    std::string tempPath;
    if (!WriteTempFontFile(files, FolderOfPath(destPath), payload, size, tempPath, whileFlushing))
        return false;
    if (!files.MoveNoReplace(tempPath, destPath)) {
        files.RemoveFile(tempPath);
        return false;
    }

    if (registration != VLFontRegistrationKind::kNone) {
        const VLRegistration registered =
            registration == VLFontRegistrationKind::kMachine
                ? RegisterFont(platform.system, platform.registry, valueName, fileName)
                : RegisterUserFont(platform.registry, valueName, destPath);
        if (registered != VLRegistration::kRegistered) {
            // A font in a font folder that the system does not list is half
            // installed: the file goes again.
            files.RemoveFile(destPath);
            result.outcome = registered == VLRegistration::kNameTaken ? VLFontOutcome::kNameTaken
                                                                      : VLFontOutcome::kNotRegistered;
            return false;
        }
        result.registered = true;
    }
    return true;
}

bool WriteTempFontFile(IVLFileSystem& files, const std::string& folder, const uint8_t* payload, uint32_t size,
                       std::string& tempPath, const std::function<void()>& whileFlushing) {
    if (size == 0) return false;
    std::unique_ptr<IVLWritableFile> file = files.CreateTempFile(folder, tempPath);
    if (!file) return false;
    const bool written = WriteChunks(*file, payload, size - 1);
    if (written && whileFlushing) {
        file->BeginClose();
        whileFlushing();
    }
    const bool closed = file->Close();
    file.reset();
    if (written && closed) return true;
    files.RemoveFile(tempPath);
    return false;
}
