#pragma once
#include <string>

namespace tolvar {

// A file under a fresh name in a target's folder, for writing something whole before it takes
// the target's place. It is deleted on every way out unless it was moved over the target.
class TTemporaryFile {
public:
    // Creates the (empty) file; Path() stays empty when that fails, with the system's error set.
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

}  // namespace tolvar
