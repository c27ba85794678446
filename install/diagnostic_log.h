#pragma once

#include <ostream>

// The process-wide trace of the install procedure. Lines reach the stream only
// while one is attached and tracing is enabled; the program attaches none, so
// its traces cost a check and produce no output.
class VLDiagnosticLog {
public:
    static VLDiagnosticLog& Instance();

    void Attach(std::ostream* stream) { m_pStream = stream; }
    void SetEnabled(bool enabled) { m_bEnabled = enabled; }
    // printf-style; one line, flushed at once.
    void Trace(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

private:
    VLDiagnosticLog() = default;

    std::ostream* m_pStream = nullptr;
    bool m_bEnabled = true;
};

// The process-wide instance, created on first use.
inline VLDiagnosticLog& DiagnosticLog() { return VLDiagnosticLog::Instance(); }
