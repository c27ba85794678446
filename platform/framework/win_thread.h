#pragma once

#include <windows.h>

// A thread with its own message loop. The object deletes itself when its thread
// ends (m_bAutoDelete), so whoever starts it keeps no reference.
class CWinThread {
public:
    CWinThread() = default;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    virtual ~CWinThread();

    // Starts the thread with the system's defaults (stack size, security).
    bool CreateThread();

    // FALSE ends the thread at once (through ExitInstance).
    virtual BOOL InitInstance() { return FALSE; }
    // The thread's message loop until WM_QUIT; the result is the thread's exit code.
    virtual int Run();
    virtual int ExitInstance() { return m_nExitCode; }

    bool m_bAutoDelete = true;

protected:
    int m_nExitCode = 0;

private:
    static unsigned __stdcall ThreadEntry(void* parameter) noexcept;
    HANDLE m_hThread = nullptr;
};

// Creates a thread object of class T and starts it with the defaults; null when
// the thread could not be started.
template <typename T>
T* BeginThread() {
    T* thread = new T();
    if (!thread->CreateThread()) {
        delete thread;
        return nullptr;
    }
    return thread;
}
