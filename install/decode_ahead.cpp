#include "install/decode_ahead.h"

void VLDecodeAhead::Run(const std::string& sourcePath, int32_t number, const std::function<bool()>& decode) {
    m_held = false;
    try {
        VLProgressRecording recording;
        m_succeeded = decode();
        m_progress = recording.Take();
        m_sourcePath = sourcePath;
        m_number = number;
        m_held = true;
    } catch (...) {
        // Decoded again in its turn, where a failure is reported.
    }
}

bool VLDecodeAhead::Take(const std::string& sourcePath, int32_t number, bool& succeeded) {
    if (!m_held) return false;
    m_held = false;
    if (sourcePath != m_sourcePath || number != m_number) return false;
    ReplayProgress(m_progress);
    succeeded = m_succeeded;
    return true;
}
