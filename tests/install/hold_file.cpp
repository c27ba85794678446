// Holds a file open as a program that uses a font does (reading, sharing only
// reading, so that nobody may replace or delete it) until a release file
// appears; writes a ready file once the file is held.
// Usage: hold_file FILE READY RELEASE
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    HANDLE held = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 1;
    HANDLE ready = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    // At most five minutes, should the test never let go.
    for (int i = 0; i < 3000 && GetFileAttributesA(argv[3]) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    CloseHandle(held);
    return 0;
}
