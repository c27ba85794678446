#include "platform/worker_thread.h"

#include <new>
#include <system_error>
#include <thread>
#include <utility>

VLWorkerThread* VLWorkerThread::Launch() {
    VLWorkerThread* created = new (std::nothrow) VLWorkerThread();
    if (!created) return nullptr;
    try {
        std::thread([created] { created->Run(); }).detach();
    } catch (const std::system_error&) {
        delete created;
        return nullptr;
    }
    return created;
}

// Never destroyed: each thread waits for work until the process ends, and no
// exit has to stop it first.
VLWorkerThread* VLWorkerThread::ForDecoding() {
    static VLWorkerThread* const worker = std::thread::hardware_concurrency() < 2 ? nullptr : Launch();
    return worker;
}

VLWorkerThread* VLWorkerThread::ForFlushing() {
    static VLWorkerThread* const worker = Launch();
    return worker;
}

bool VLWorkerThread::Start(std::function<void()> job) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_taken) return false;
        m_taken = true;
        m_job = std::move(job);
    }
    m_changed.notify_all();
    return true;
}

void VLWorkerThread::Wait() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_job; });
    m_taken = false;
}

bool VLWorkerThread::TakeBackOrWait() {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_job && !m_begun) {
        m_job = nullptr;
        m_taken = false;
        return true;
    }
    m_changed.wait(lock, [this] { return !m_job; });
    m_taken = false;
    return false;
}

void VLWorkerThread::Run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return static_cast<bool>(m_job); });
        // The job runs unlocked; Wait sees it done once it is cleared.
        const std::function<void()> job = m_job;
        m_begun = true;
        lock.unlock();
        job();
        lock.lock();
        m_begun = false;
        m_job = nullptr;
        m_changed.notify_all();
    }
}
