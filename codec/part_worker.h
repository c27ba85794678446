#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

// The process's second thread for the decoder's later parts: started at first
// use and kept for the process's life (starting a thread costs more than a
// stream's parts take on some systems), one job at a time.
class VLPartWorker {
public:
    // The worker, or nullptr where a second thread does not help (one core)
    // or cannot be had.
    static VLPartWorker* Get();

    // Hands job to the thread; false, leaving the job undone, while another
    // caller's job holds it. A started job is waited for with Wait.
    bool Start(std::function<void()> job);
    void Wait();

private:
    VLPartWorker() = default;
    void Run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_job;
    bool m_taken = false;  // from Start to the end of Wait
};
