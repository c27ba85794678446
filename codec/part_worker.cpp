#include "codec/part_worker.h"

#include <new>
#include <system_error>
#include <thread>
#include <utility>

VLPartWorker* VLPartWorker::Get() {
    // Never destroyed: the thread waits for work until the process ends, and
    // no exit has to stop it first.
    static VLPartWorker* const worker = []() -> VLPartWorker* {
        if (std::thread::hardware_concurrency() < 2) return nullptr;
        VLPartWorker* created = new (std::nothrow) VLPartWorker();
        if (!created) return nullptr;
        try {
            std::thread([created] { created->Run(); }).detach();
        } catch (const std::system_error&) {
            delete created;
            return nullptr;
        }
        return created;
    }();
    return worker;
}

bool VLPartWorker::Start(std::function<void()> job) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_taken) return false;
        m_taken = true;
        m_job = std::move(job);
    }
    m_changed.notify_all();
    return true;
}

void VLPartWorker::Wait() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_job; });
    m_taken = false;
}

void VLPartWorker::Run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return static_cast<bool>(m_job); });
        // The job runs unlocked; Wait sees it done once it is cleared.
        const std::function<void()> job = m_job;
        lock.unlock();
        job();
        lock.lock();
        m_job = nullptr;
        m_changed.notify_all();
    }
}
