#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

// A second thread kept for the process's life (starting a thread costs more
// than the work handed to it on some systems, several milliseconds under
// Wine), running one job at a time.
class VLWorkerThread {
public:
    // The worker that runs the decoder's later parts, or nullptr where a
    // second thread does not help (one core) or cannot be had.
    static VLWorkerThread* ForDecoding();
    // The worker that waits for written files to reach the disk while the
    // caller goes on; nullptr where it cannot be had.
    static VLWorkerThread* ForFlushing();

    // Hands job to the thread; false, leaving the job undone, while another
    // caller's job holds it. A started job is waited for with Wait.
    bool Start(std::function<void()> job);
    void Wait();
    // Waits like Wait, unless the thread has not begun the job yet (a thread
    // just started can take milliseconds to run): then the job is taken back
    // undone and true returned, for the caller to run it.
    bool TakeBackOrWait();

private:
    VLWorkerThread() = default;
    static VLWorkerThread* Launch();
    void Run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::function<void()> m_job;
    bool m_taken = false;  // from Start to the end of Wait
    bool m_begun = false;  // the thread runs the job
};
