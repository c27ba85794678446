#pragma once

#include <vector>

#include "catalogue/inf_file.h"

// The keyword format: START_INF, FileVersion and any number of packages.
class VLKeywordInfFile : public VLInfFile {
public:
    bool Descramble(uint8_t* bytes, size_t size) override;
    int GetPackageCount() const override;
    const VLPackageInfo& GetPackage(int index) const override;
    bool Validate() const override;
    bool ParseLine(const std::string& line) override;

private:
    bool ApplyPackageKey(const std::string& keyword, const std::string& value);
    bool AddFontLine(const std::string& line);

    bool m_inPackageBlock = false;
    bool m_implicitPackage = false;
    VLPackageInfo m_emptyPackage;
    std::vector<VLPackageInfo> m_packages;
};
