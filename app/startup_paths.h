#pragma once

#include <cstdint>
#include <string>

// The folder of the running executable (cut after its last backslash, which
// stays) followed by "FONTDATA\". A drive's root gives "C:\FONTDATA\".
std::string FontDataDirFromModulePath(const std::string& modulePath);

// What GetWindowsDirectoryA reports into a 260-byte buffer: the text and the
// returned length (the size it would need, when the path does not fit).
struct VLWindowsFolder {
    std::string path;
    uint32_t reportedLength = 0;
};

// The size of the buffer the Windows folder is read into.
constexpr uint32_t kWindowsFolderBufferSize = 260;

// The Windows folder followed by "\Fonts", or empty when the folder's path does
// not fit the 260-byte buffer.
std::string BuildWindowsFontsDir(const VLWindowsFolder& windowsFolder);
