#pragma once

#include "catalogue/inf_file.h"

// The older comma-separated format: one package, one font per line.
class VLCsvInfFile : public VLInfFile {
public:
    VLCsvInfFile() { m_fileVersion = 2; }

    bool Descramble(uint8_t* bytes, size_t size) override;
    int GetPackageCount() const override;
    const VLPackageInfo& GetPackage(int index) const override;
    bool ParseLine(const std::string& line) override;

private:
    VLPackageInfo m_emptyPackage;
    VLPackageInfo m_package;
};
