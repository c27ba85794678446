#include "catalogue/csv_inf_file.h"

#include "catalogue/inf_scrambling.h"

bool VLCsvInfFile::Descramble(uint8_t* bytes, size_t size) {
    DescrambleCsvScheme(bytes, size);
    return true;
}

int VLCsvInfFile::GetPackageCount() const { return m_package.m_fonts.empty() ? 0 : 1; }

const VLPackageInfo& VLCsvInfFile::GetPackage(int index) const {
    return index >= 0 && index < GetPackageCount() ? m_package : m_emptyPackage;
}

bool VLCsvInfFile::ParseLine(const std::string& line) {
    if (line.empty()) return true;
    VLFontInfo font;
    std::string problem;
    if (!font.ParseCsvFields(line, &problem)) return Reject(problem);
    // A second all-fonts entry is dropped without making the file unreadable.
    m_package.AddFont(font);
    return true;
}
