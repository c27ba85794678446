// The yardstick of the installation benchmark: what the system's own font
// install does with ready font files, and nothing more. Each file named on the
// command line is copied into the system font folder, loaded into the session
// and listed under the Fonts key; one font-change notice follows. Exit 0 when
// every step succeeded.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const char kFontsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

std::string StemOf(const std::string& fileName) { return fileName.substr(0, fileName.find_last_of('.')); }

}  // namespace

int main(int argc, char** argv) {
    char windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 2;
    const std::string fonts = std::string(windows) + "\\Fonts\\";
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFontsKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return 2;
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string fileName = FileNameOf(argv[i]);
        const std::string value = StemOf(fileName) + " (TrueType)";
        const bool ok =
            CopyFileA(argv[i], (fonts + fileName).c_str(), TRUE) && AddFontResourceA(fileName.c_str()) != 0 &&
            RegSetValueExA(key, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(fileName.c_str()),
                           static_cast<DWORD>(fileName.size() + 1)) == ERROR_SUCCESS;
        if (!ok) {
            std::fprintf(stderr, "reference_install: %s failed (%lu)\n", argv[i], GetLastError());
            ++failures;
        }
    }
    RegCloseKey(key);
    SendNotifyMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
    return failures == 0 ? 0 : 1;
}
