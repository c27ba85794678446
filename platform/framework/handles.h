#pragma once

#include <windows.h>

// Owns a kernel handle (mutex, thread, token, process) and closes it once.
class CHandle {
public:
    CHandle() = default;
    explicit CHandle(HANDLE handle) : m_hHandle(handle) {}
    ~CHandle() { Close(); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;

    HANDLE Get() const { return m_hHandle; }
    HANDLE* Receive() {
        Close();
        return &m_hHandle;
    }
    bool IsValid() const { return m_hHandle != nullptr && m_hHandle != INVALID_HANDLE_VALUE; }
    // Gives up ownership: the handle stays open (for handles meant to live as long as the process).
    HANDLE Detach() {
        HANDLE h = m_hHandle;
        m_hHandle = nullptr;
        return h;
    }
    void Close() {
        if (IsValid()) CloseHandle(m_hHandle);
        m_hHandle = nullptr;
    }

private:
    HANDLE m_hHandle = nullptr;
};

// Owns a GDI object (font, brush) and deletes it once.
template <typename T>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(T object) : m_hObject(object) {}
    ~CGdiObject() { Delete(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    T Get() const { return m_hObject; }
    bool IsEmpty() const { return m_hObject == nullptr; }
    void Attach(T object) {
        Delete();
        m_hObject = object;
    }
    void Delete() {
        if (m_hObject != nullptr) DeleteObject(m_hObject);
        m_hObject = nullptr;
    }

private:
    T m_hObject = nullptr;
};

using CFont = CGdiObject<HFONT>;
using CBrush = CGdiObject<HBRUSH>;

// An open registry key, closed once; the calls return the Win32 result code.
class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    LONG Create(HKEY parent, const char* name) {
        Close();
        return RegCreateKeyExA(parent, name, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &m_hKey, nullptr);
    }
    LONG Open(HKEY parent, const char* name, REGSAM access) {
        Close();
        return RegOpenKeyExA(parent, name, 0, access, &m_hKey);
    }
    HKEY Get() const { return m_hKey; }
    void Close() {
        if (m_hKey != nullptr) RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }

private:
    HKEY m_hKey = nullptr;
};
