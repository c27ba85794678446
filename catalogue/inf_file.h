#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "catalogue/package_info.h"

// Why a settings file cannot be used. Reasons are short English texts naming
// the rule; a piece of the file quoted in one keeps its Shift-JIS bytes.
struct VLInfProblem {
    std::string reason;
    // The physical line of the descrambled text, from 1 (CR LF, a lone CR and a
    // lone LF each end one); 0 for the file as a whole.
    int line = 0;
};

// The catalogue read from otf.inf. One subclass per file format; both share
// the line rules of Parse.
class VLInfFile {
public:
    VLInfFile() = default;
    VLInfFile(const VLInfFile&) = delete;
    VLInfFile& operator=(const VLInfFile&) = delete;
    virtual ~VLInfFile() = default;

    // Undoes the format's byte scrambling of the whole content in place.
    virtual bool Descramble(uint8_t* bytes, size_t size) = 0;
    virtual int32_t GetFileVersion() const { return m_fileVersion; }
    virtual int GetPackageCount() const = 0;
    // An index out of range gives an empty package; never fails.
    virtual const VLPackageInfo& GetPackage(int index) const = 0;
    virtual bool Validate() const { return true; }
    // Descrambles the bytes in place, cuts them into lines and parses each.
    virtual bool Parse(uint8_t* bytes, size_t size);
    virtual bool ParseLine(const std::string& line) = 0;
    virtual void SetFileVersion(int32_t version) { m_fileVersion = version; }
    // Why Parse or Validate last returned false.
    const VLInfProblem& GetProblem() const { return m_problem; }

protected:
    // Records why the file cannot be used, at the line being parsed (0 outside
    // Parse), and returns false.
    bool Reject(std::string reason) const;

    // A FontType line before any FileVersion line compares against this:
    // a file that has not declared version 5 or later cannot use font types.
    int32_t m_fileVersion = 0;

private:
    int m_currentLine = 0;
    // Written by the const Validate too: it records a verdict, not catalogue content.
    mutable VLInfProblem m_problem;
};
