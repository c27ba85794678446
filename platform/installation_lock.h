#pragma once

#include <memory>

// One installation at a time on a machine: two at once never damage anything,
// but the loser would log as failed the fonts the other installed. The wizard
// and the command line take the same lock: the wizard's named mutex on
// Windows, a lock on a file in /tmp elsewhere.
constexpr char kInstallationMutexName[] = "WinInstallerVellApp";

class VLInstallationLock {
public:
    virtual ~VLInstallationLock() = default;
};

// The lock, held until the object goes; null while another installation holds it.
std::unique_ptr<VLInstallationLock> TakeInstallationLock();
