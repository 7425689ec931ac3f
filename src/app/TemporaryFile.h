#pragma once
#include <string>

namespace tolvar {

// The prefix of the program's temporary names: the system makes them prefix + up to four hex
// digits + ".tmp".
inline constexpr const char* kTemporaryPrefix = "tvd";

// A file under a fresh name in a target's folder, for writing something whole before it takes
// the target's place. It is deleted on every way out unless it was moved over the target.
class TTemporaryFile {
public:
    // Creates the (empty) file; Path() stays empty when that fails, with the system's error set.
    // What a process that was killed mid-write left in the folder under a name of this prefix
    // is removed first; a file still open in another process stays.
    TTemporaryFile(const std::string& folder, const char* prefix);
    ~TTemporaryFile();
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    explicit operator bool() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }

    // Replaces the target with the file; false (the system's error set) when it cannot, and the
    // file is then still deleted in the end. Anything holding the file open must close it first.
    bool MoveOver(const std::string& target);

private:
    std::string path_;
};

// Whether a file name is one the system makes for that prefix: prefix, one to four hex digits,
// ".tmp" (case ignored).
bool IsTemporaryName(const std::string& name, const std::string& prefix);

// Deletes the files of the folder whose names are temporary names of that prefix; failures
// (a file in use) are ignored.
void RemoveLeftovers(const std::string& folder, const std::string& prefix);

}  // namespace tolvar
