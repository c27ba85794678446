#include "tests/ui/installer_driver.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "catalogue/inf_scrambling.h"
#include "platform/text_encoding.h"

namespace {

std::string EnvOr(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' ? value : fallback;
}

std::string InstallerExe() { return EnvOr("VL_INSTALLER_EXE", "VellInstaller.exe"); }

std::string Sjis(const char* utf8) {
    auto converted = Utf8ToShiftJis(utf8);
    if (!converted) throw std::runtime_error("text not representable in Shift-JIS");
    return *converted;
}

struct EnumData {
    DWORD pid;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK FindTopLevel(HWND hwnd, LPARAM lParam) {
    EnumData* data = reinterpret_cast<EnumData*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != data->pid || !IsWindowVisible(hwnd)) return TRUE;
    char className[64] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    if (lstrcmpA(className, data->className) != 0) return TRUE;
    if (data->caption != nullptr && WindowText(hwnd) != data->caption) return TRUE;
    data->found = hwnd;
    return FALSE;
}

HWND FindTopLevelWindow(DWORD pid, const char* className, const char* caption) {
    EnumData data = {pid, className, caption, nullptr};
    EnumWindows(&FindTopLevel, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

}  // namespace

const char* const kTestFontLabels[3] = {
    "alpha.ttf                     (テストゴシック Regular)",
    "beta.ttf                      (テスト明朝 Bold)",
    "averyveryverylongbasefontname.ttf(テスト W3)",
};

std::string TestInfText() {
    return Sjis(
        "START_INF\n"
        "FileVersion 5\n"
        "PackageStart\n"
        "PackageName \"テスト書体パッケージ\"\n"
        "ProductType TEST\n"
        "PackageID 7\n"
        "FontType TTF\n"
        "Font alpha,101,00100,1.00,demo,テストゴシック,Regular\n"
        "Font beta,102,00101,1.00,demo,テスト明朝,Bold\n"
        "Font averyveryverylongbasefontname,103,00102,1.00,demo,テスト,W3\n"
        "PackageEnd\n"
        "END_INF\n");
}

InstallerFolder::InstallerFolder() {
    namespace fs = std::filesystem;
    static int counter = 0;
    fs::path base = fs::temp_directory_path() /
                    ("vl-gui-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++));
    fs::create_directories(base / "FONTDATA");
    m_path = base.string();
    if (!CopyFileA(InstallerExe().c_str(), ExePath().c_str(), FALSE))
        throw std::runtime_error("cannot copy " + InstallerExe());
}

InstallerFolder::~InstallerFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string WindowsPathOf(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool InstallerFolder::CopyPackage(const std::string& name) const {
    const std::string packages = EnvOr("VL_TEST_PACKAGES", "");
    if (packages.empty()) return false;
    const std::string folder = WindowsPathOf(packages + "/" + name);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        ok = ok && CopyFileA((folder + "\\" + found.cFileName).c_str(),
                             (FontDataDir() + "\\" + found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

void InstallerFolder::WriteInf(const std::string& plainSjis) const {
    WriteRawInf(ScrambleInfText(plainSjis));
}

void InstallerFolder::WriteRawInf(const std::string& bytes) const {
    std::ofstream file(FontDataDir() + "\\otf.inf", std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string InstallerString(UINT id) {
    HMODULE module = LoadLibraryExA(InstallerExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return std::string();
    char text[2048] = {};
    int length = LoadStringA(module, id, text, sizeof(text));
    FreeLibrary(module);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string InstallerNotice() {
    HMODULE module = LoadLibraryExA(InstallerExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return std::string();
    std::string notice;
    if (HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(135), "TEXT")) {
        HGLOBAL loaded = LoadResource(module, resource);
        const char* bytes = static_cast<const char*>(LockResource(loaded));
        if (bytes != nullptr) notice.assign(bytes, SizeofResource(module, resource));
    }
    FreeLibrary(module);
    return notice;
}

InstallerProcess::~InstallerProcess() {
    Kill();
    if (m_info.hProcess != nullptr) CloseHandle(m_info.hProcess);
    if (m_info.hThread != nullptr) CloseHandle(m_info.hThread);
}

bool InstallerProcess::Start(const std::string& exePath) {
    // A process object may start the installer again once the last one ended.
    Kill();
    if (m_info.hProcess != nullptr) CloseHandle(m_info.hProcess);
    if (m_info.hThread != nullptr) CloseHandle(m_info.hThread);
    m_info = {};
    m_main = nullptr;
    std::string commandLine = "\"" + exePath + "\"";
    std::string folder = exePath.substr(0, exePath.find_last_of('\\'));
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &m_info))
        return false;
    m_pid = m_info.dwProcessId;
    return true;
}

bool InstallerProcess::WaitForExit(DWORD timeoutMs) {
    return m_info.hProcess != nullptr && WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool InstallerProcess::IsRunning() const {
    return m_info.hProcess != nullptr && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

void InstallerProcess::Kill() {
    if (IsRunning()) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 10000);
    }
}

HWND InstallerProcess::WaitForMainWindow(DWORD timeoutMs) {
    WaitUntil(
        [&] {
            m_main = FindTopLevelWindow(m_pid, "VLFrameWnd", nullptr);
            return m_main != nullptr && Sheet() != nullptr;
        },
        timeoutMs);
    return m_main;
}

HWND InstallerProcess::View() const {
    return m_main != nullptr ? FindWindowExA(m_main, nullptr, "#32770", nullptr) : nullptr;
}

HWND InstallerProcess::Sheet() const {
    HWND view = View();
    return view != nullptr ? FindWindowExA(view, nullptr, "#32770", nullptr) : nullptr;
}

HWND InstallerProcess::CurrentPageHwnd() const {
    HWND sheet = Sheet();
    return sheet != nullptr ? reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0))
                            : nullptr;
}

int InstallerProcess::CurrentPage() const {
    HWND page = CurrentPageHwnd();
    if (page == nullptr) return -1;
    return static_cast<int>(SendMessageA(Sheet(), PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0));
}

HWND InstallerProcess::FindMessageBox(const char* caption) const {
    return FindTopLevelWindow(m_pid, "#32770", caption);
}

HWND InstallerProcess::WaitForMessageBox(DWORD timeoutMs, const char* caption) const {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            box = FindMessageBox(caption);
            return box != nullptr;
        },
        timeoutMs);
    return box;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD intervalMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(intervalMs);
    }
}

std::string WindowText(HWND hwnd) {
    if (hwnd == nullptr) return std::string();
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return std::string();
    std::vector<char> text(length + 2, '\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    return std::string(text.data(), copied);
}

std::string MessageBoxText(HWND box) {
    // The system's message box keeps its text in the static control 0xFFFF.
    return WindowText(GetDlgItem(box, 0xFFFF));
}

std::string ListBoxText(HWND list, int index) {
    // Across processes the list's text arrives intact only in the wide form.
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return std::string();
    std::vector<wchar_t> wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.data()));
    int bytes = WideCharToMultiByte(932, 0, wide.data(), -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> text(static_cast<size_t>(bytes > 0 ? bytes : 1), '\0');
    WideCharToMultiByte(932, 0, wide.data(), -1, text.data(), bytes, nullptr, nullptr);
    return std::string(text.data());
}

namespace {

// Memory in another process, for control messages whose pointers the system
// does not carry across.
class RemoteBuffer {
public:
    RemoteBuffer(HWND owner, size_t size) : m_size(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(owner, &pid);
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process != nullptr)
            m_address = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (m_address != nullptr) VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process != nullptr) CloseHandle(m_process);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    void* Address() const { return m_address; }
    bool Write(const void* data, size_t size, size_t offset = 0) {
        return WriteProcessMemory(m_process, static_cast<char*>(m_address) + offset, data, size, nullptr) !=
               0;
    }
    bool Read(void* data, size_t size, size_t offset = 0) const {
        return ReadProcessMemory(m_process, static_cast<char*>(m_address) + offset, data, size, nullptr) != 0;
    }

private:
    size_t m_size;
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
};

std::string TreeItemText(HWND tree, HTREEITEM item) {
    const size_t textOffset = 256;
    RemoteBuffer remote(tree, textOffset + 512);
    if (remote.Address() == nullptr) return std::string();
    TVITEMA query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = static_cast<char*>(remote.Address()) + textOffset;
    query.cchTextMax = 511;
    remote.Write(&query, sizeof(query));
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.Address()));
    char text[512] = {};
    remote.Read(text, sizeof(text) - 1, textOffset);
    return text;
}

}  // namespace

bool SelectInFolderTree(HWND picker, const std::vector<std::string>& steps) {
    HWND tree = FindWindowExA(picker, nullptr, "SysTreeView32", nullptr);
    if (tree == nullptr) return false;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (const std::string& step : steps) {
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        HTREEITEM child = nullptr;
        WaitUntil([&] {
            child = reinterpret_cast<HTREEITEM>(
                SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
            while (child != nullptr && TreeItemText(tree, child).find(step) == std::string::npos)
                child = reinterpret_cast<HTREEITEM>(
                    SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
            return child != nullptr;
        });
        if (child == nullptr) return false;
        item = child;
    }
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    return true;
}

void Click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

bool AnswerMessageBox(HWND box, int buttonId) {
    HWND button = GetDlgItem(box, buttonId);
    if (button == nullptr) return false;
    Click(button);
    return WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
}

bool IsEnabled(HWND hwnd) { return hwnd != nullptr && IsWindowEnabled(hwnd); }
bool IsShown(HWND hwnd) { return hwnd != nullptr && IsWindowVisible(hwnd); }

std::string WizardButtons(const InstallerProcess& installer) {
    const int ids[4] = {kBackButton, kNextButton, kFinishButton, IDCANCEL};
    const char letters[4] = {'B', 'N', 'F', 'C'};
    std::string state;
    for (int i = 0; i < 4; ++i) {
        HWND button = installer.SheetButton(ids[i]);
        state += IsShown(button) && IsEnabled(button) ? letters[i] : '-';
    }
    return state;
}

std::string WaitForWizardButtons(const InstallerProcess& installer, const std::string& expected,
                                 DWORD timeoutMs) {
    std::string state;
    WaitUntil(
        [&] {
            state = WizardButtons(installer);
            return state == expected;
        },
        timeoutMs);
    return state;
}

bool StartUnixProgram(std::string commandLine) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info))
        return false;
    // A Unix program gets no Windows process: Wine returns no process handle
    // and leaves junk in hThread (in the 64-bit build often 0xf, which names
    // handle 0xc, our standard output). Only a real process's handles are ours.
    if (info.hProcess != nullptr) {
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    return true;
}

void SaveScreenshot(const std::string& name, bool settle) {
    const std::string folder = EnvOr("VL_SCREENSHOT_DIR", "");
    const std::string script = EnvOr("VL_SCREENSHOT_SCRIPT", "");
    if (folder.empty() || script.empty()) return;
    const std::string unixPath = folder + "/" + name + ".png";
    const std::string windowsPath = WindowsPathOf(unixPath);
    DeleteFileA(windowsPath.c_str());
    // Wine does not wait for a Unix program it starts: the script's finished
    // file is the signal.
    if (!StartUnixProgram("/bin/sh " + script + " " + unixPath + (settle ? "" : " now"))) return;
    WaitUntil([&] { return GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES; }, 30000);
}
