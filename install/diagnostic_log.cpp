#include "install/diagnostic_log.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

VLDiagnosticLog& VLDiagnosticLog::Instance() {
    static VLDiagnosticLog log;
    return log;
}

void VLDiagnosticLog::Trace(const char* format, ...) {
    if (!m_pStream || !m_bEnabled) return;
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length >= 0) {
        std::vector<char> line(static_cast<size_t>(length) + 1);
        std::vsnprintf(line.data(), line.size(), format, args);
        m_pStream->write(line.data(), length);
        *m_pStream << '\n';
        m_pStream->flush();
    }
    va_end(args);
}
