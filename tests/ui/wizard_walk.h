#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tests/ui/installer_driver.h"

// The steps of a walk through the installer's wizard, the way a user goes,
// shared by the GUI tests and the demo walker. Each step acts, then waits for
// what the user would see next; it returns "" when that came, else what was
// seen instead.

// Next on the welcome page: the licence page with only Cancel enabled.
std::string WalkToLicencePage(const InstallerProcess& installer);
// Accepting the licence enables Next.
std::string WalkAcceptLicence(const InstallerProcess& installer);
// Next on the licence page: the selection page with Back and Next.
std::string WalkToSelectionPage(const InstallerProcess& installer);
// Next on the selection page brings the confirmation 61213; beforeOk runs
// while it is shown (a screenshot), then OK starts the installation.
std::string WalkConfirmInstallation(const InstallerProcess& installer,
                                    const std::function<void()>& beforeOk = nullptr);
// Next on the progress page: the registration page with Finish and Cancel.
std::string WalkToRegistrationPage(const InstallerProcess& installer);
// Finish closes the installer without a question.
std::string WalkFinish(InstallerProcess& installer);
