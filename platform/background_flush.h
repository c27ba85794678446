#pragma once

#include <functional>

class VLWorkerThread;

// A written file's flush to the disk, run on the flushing worker while the
// caller goes on (the next font is decoded meanwhile), or here when no worker
// is free. The file stays open until the flush is over.
class VLBackgroundFlush {
public:
    explicit VLBackgroundFlush(std::function<bool()> flush) : m_flush(std::move(flush)) {}
    ~VLBackgroundFlush();
    VLBackgroundFlush(const VLBackgroundFlush&) = delete;
    VLBackgroundFlush& operator=(const VLBackgroundFlush&) = delete;

    // Hands the flush to the worker; it stays to be run by Result when the
    // worker cannot take it.
    void Begin();
    // Whether the flush succeeded, once it has run: waited for when begun, run
    // here otherwise. Runs it once only.
    bool Result();
    // Waits for a flush the worker runs; for owners that close the file
    // before this object goes.
    void Wait();

private:
    std::function<bool()> m_flush;
    VLWorkerThread* m_worker = nullptr;  // running it
    bool m_done = false;
    bool m_flushed = false;
};
