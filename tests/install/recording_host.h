#pragma once

#include <string>
#include <vector>

#include "install/install_job.h"

// A host that checks every font and records the log and the messages.
class VLRecordingHost : public IVLInstallHost {
public:
    bool IsFontChecked(int32_t) override { return true; }
    void AppendLog(const std::string& text) override { m_log.push_back(text); }
    void ShowMessage(const std::string& text) override { m_messages.push_back(text); }
    void JobFinished() override {}
    std::string LoadText(VLJobText) override { return std::string(); }

    std::vector<std::string> m_log;
    std::vector<std::string> m_messages;
};
