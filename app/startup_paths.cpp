#include "app/startup_paths.h"

#include "platform/shift_jis.h"

std::string FontDataDirFromModulePath(const std::string& modulePath) {
    const size_t lastBackslash = FindLastSingleByte(modulePath, '\\');
    const std::string folder =
        lastBackslash == std::string::npos ? std::string() : modulePath.substr(0, lastBackslash + 1);
    return folder + "FONTDATA\\";
}

std::string BuildWindowsFontsDir(const VLWindowsFolder& windowsFolder) {
    if (windowsFolder.reportedLength > kWindowsFolderBufferSize) return std::string();
    return windowsFolder.path + "\\Fonts";
}
