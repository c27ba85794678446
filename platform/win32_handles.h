#pragma once

#include <windows.h>

// The one family of owners of Win32 handles: each closes what it holds once,
// when it goes.

// A kernel handle (file, mutex, thread, token, process). Empty for null and
// for INVALID_HANDLE_VALUE, which CreateFile returns on failure.
class VLHandle {
public:
    VLHandle() = default;
    explicit VLHandle(HANDLE handle) : m_hHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~VLHandle() { Reset(); }
    VLHandle(const VLHandle&) = delete;
    VLHandle& operator=(const VLHandle&) = delete;

    explicit operator bool() const { return m_hHandle != nullptr; }
    HANDLE Get() const { return m_hHandle; }
    // Closes the handle held and reports whether closing succeeded.
    bool Reset() {
        if (!m_hHandle) return true;
        const BOOL closed = CloseHandle(m_hHandle);
        m_hHandle = nullptr;
        return closed != FALSE;
    }
    // Closes the handle held and takes another.
    void Reset(HANDLE handle) {
        Reset();
        m_hHandle = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }

private:
    HANDLE m_hHandle = nullptr;
};

// A registry key: taken open, or opened and created here; the calls return
// the Win32 result code.
class VLRegKey {
public:
    VLRegKey() = default;
    explicit VLRegKey(HKEY key) : m_hKey(key) {}
    ~VLRegKey() { Close(); }
    VLRegKey(const VLRegKey&) = delete;
    VLRegKey& operator=(const VLRegKey&) = delete;

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

// A GDI object (font, brush).
template <typename T>
class VLGdiObject {
public:
    VLGdiObject() = default;
    explicit VLGdiObject(T object) : m_hObject(object) {}
    ~VLGdiObject() { Delete(); }
    VLGdiObject(const VLGdiObject&) = delete;
    VLGdiObject& operator=(const VLGdiObject&) = delete;

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

using CFont = VLGdiObject<HFONT>;
using CBrush = VLGdiObject<HBRUSH>;
