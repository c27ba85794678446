#include "tests/ui/wizard_walk.h"

#include "resources/resource.h"

namespace {

// Waits for the page and the buttons ("BNFC" letters, '-' for the others).
std::string ExpectPage(const InstallerProcess& installer, int page, const std::string& buttons) {
    if (!WaitUntil([&] { return installer.CurrentPage() == page; }))
        return "page " + std::to_string(installer.CurrentPage()) + " instead of page " + std::to_string(page);
    const std::string shown = WaitForWizardButtons(installer, buttons);
    if (shown != buttons) return "buttons " + shown + " instead of " + buttons;
    return std::string();
}

}  // namespace

std::string WalkToLicencePage(const InstallerProcess& installer) {
    Click(installer.SheetButton(kNextButton));
    return ExpectPage(installer, 1, "---C");
}

std::string WalkAcceptLicence(const InstallerProcess& installer) {
    Click(installer.PageItem(IDC_LICENSE_ACCEPT));
    const std::string shown = WaitForWizardButtons(installer, "-N-C");
    return shown == "-N-C" ? std::string() : "buttons " + shown + " instead of -N-C";
}

std::string WalkToSelectionPage(const InstallerProcess& installer) {
    Click(installer.SheetButton(kNextButton));
    return ExpectPage(installer, 2, "BN-C");
}

std::string WalkConfirmInstallation(const InstallerProcess& installer,
                                    const std::function<void()>& beforeOk) {
    Click(installer.SheetButton(kNextButton));
    HWND box = installer.WaitForMessageBox();
    if (box == nullptr) return "no confirmation box";
    const std::string shown = MessageBoxText(box);
    if (shown != InstallerString(IDS_CONFIRM_INSTALL)) return "the box shows \"" + shown + "\"";
    if (beforeOk) beforeOk();
    if (!AnswerMessageBox(box, IDOK)) return "the confirmation took no answer";
    return std::string();
}

std::string WalkToRegistrationPage(const InstallerProcess& installer) {
    Click(installer.SheetButton(kNextButton));
    return ExpectPage(installer, 4, "--FC");
}

std::string WalkFinish(InstallerProcess& installer) {
    Click(installer.SheetButton(kFinishButton));
    return installer.WaitForExit() ? std::string() : "the installer is still running after Finish";
}
