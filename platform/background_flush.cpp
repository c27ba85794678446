#include "platform/background_flush.h"

#include "platform/worker_thread.h"

// The job refers to this object and to the file it flushes.
VLBackgroundFlush::~VLBackgroundFlush() { Wait(); }

void VLBackgroundFlush::Wait() {
    if (!m_worker) return;
    m_worker->Wait();
    m_worker = nullptr;
    m_done = true;
}

void VLBackgroundFlush::Begin() {
    if (m_worker || m_done) return;
    VLWorkerThread* const worker = VLWorkerThread::ForFlushing();
    if (worker && worker->Start([this] { m_flushed = m_flush(); })) m_worker = worker;
}

bool VLBackgroundFlush::Result() {
    Wait();
    if (!m_done) {
        m_flushed = m_flush();
        m_done = true;
    }
    return m_flushed;
}
