#pragma once

#include <windows.h>

// Owns a kernel handle (CloseHandle when it goes). Empty for null and for
// INVALID_HANDLE_VALUE, which CreateFile returns on failure.
class CVLHandle {
public:
    CVLHandle() = default;
    explicit CVLHandle(HANDLE handle) : m_hHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~CVLHandle() { Reset(); }
    CVLHandle(const CVLHandle&) = delete;
    CVLHandle& operator=(const CVLHandle&) = delete;

    explicit operator bool() const { return m_hHandle != nullptr; }
    HANDLE Get() const { return m_hHandle; }
    // Closes the handle and reports whether closing succeeded.
    bool Reset() {
        if (!m_hHandle) return true;
        const BOOL closed = CloseHandle(m_hHandle);
        m_hHandle = nullptr;
        return closed != FALSE;
    }

private:
    HANDLE m_hHandle = nullptr;
};

// Owns an open registry key (RegCloseKey when it goes).
class CVLRegKey {
public:
    explicit CVLRegKey(HKEY key) : m_hKey(key) {}
    ~CVLRegKey() {
        if (m_hKey) RegCloseKey(m_hKey);
    }
    CVLRegKey(const CVLRegKey&) = delete;
    CVLRegKey& operator=(const CVLRegKey&) = delete;

    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey;
};
