#pragma once

#include <cstdint>
#include <memory>
#include <string>

// A file being written. Close must be called to learn whether the data reached
// the disk; dropping an unclosed file closes it without telling.
class IVLWritableFile {
public:
    virtual ~IVLWritableFile() = default;
    // Writes all size bytes, or returns false.
    virtual bool Write(const uint8_t* data, uint32_t size) = 0;
    // Starts flushing what was written to the disk beside the caller, where the
    // system can; nothing more is written. Close waits for it.
    virtual void BeginClose() {}
    // Flushes and closes; false when either failed (the data may be incomplete).
    virtual bool Close() = 0;
};

// The file operations of the installer. Paths are Shift-JIS bytes with
// backslashes as separators, as the Windows program uses them.
class IVLFileSystem {
public:
    virtual ~IVLFileSystem() = default;
    // True when a file or a folder exists at the path.
    virtual bool Exists(const std::string& path) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // Creates a new, empty file of a fresh name inside the folder and opens it
    // for writing; its path goes to tempPath. Null when nothing could be created.
    virtual std::unique_ptr<IVLWritableFile> CreateTempFile(const std::string& folder,
                                                            std::string& tempPath) = 0;
    // Removes the temporary files that installations killed before their end
    // left in the folder ("~vl<process>-<random>.tmp" of a process that no
    // longer runs, or that nothing holds open); returns how many. A file
    // another running installation writes is never touched.
    virtual int RemoveStaleTempFiles(const std::string& folder) = 0;
    // Renames a closed file; fails, changing nothing, when the target exists.
    virtual bool MoveNoReplace(const std::string& from, const std::string& to) = 0;
    // The whole content of a regular file of at most maxSize bytes; false when
    // there is none, it is larger, or it cannot be read.
    virtual bool ReadWholeFile(const std::string& path, uint32_t maxSize, std::string& bytes) = 0;
    // Renames a closed file over the target in one step, replacing it; false,
    // changing nothing, when the target is held open or anything fails.
    virtual bool MoveReplace(const std::string& from, const std::string& to) = 0;
    // Has the system rename from to to (to empty: delete from) when it next
    // starts, for a file in use now. False where the system cannot.
    virtual bool MoveAtRestart(const std::string& from, const std::string& to) = 0;
    // The path as this system's own file calls (and the standard library) take it.
    virtual std::string ToNativePath(const std::string& path) = 0;
};
