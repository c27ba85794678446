#include "platform/framework/win_thread.h"

#include <process.h>

CWinThread::~CWinThread() {
    if (m_hThread != nullptr) CloseHandle(m_hThread);
}

bool CWinThread::CreateThread() {
    // Started suspended so that the thread cannot end (and delete this object)
    // before the handle is stored.
    uintptr_t handle = _beginthreadex(nullptr, 0, &CWinThread::ThreadEntry, this, CREATE_SUSPENDED, nullptr);
    if (handle == 0) return false;
    m_hThread = reinterpret_cast<HANDLE>(handle);
    ResumeThread(m_hThread);
    return true;
}

int CWinThread::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    m_nExitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

unsigned __stdcall CWinThread::ThreadEntry(void* parameter) noexcept {
    CWinThread* thread = static_cast<CWinThread*>(parameter);
    int exitCode = 0;
    try {
        exitCode = thread->InitInstance() ? thread->Run() : thread->ExitInstance();
    } catch (...) {
        exitCode = -1;
    }
    if (thread->m_bAutoDelete) delete thread;
    return static_cast<unsigned>(exitCode);
}
