#pragma once
// A program started from a test together with every program it starts in turn (through the
// shell or otherwise): they all belong to one job, so the test can wait for the last of them
// to end and end whatever is left.
#include <windows.h>

#include <string>

namespace tolvar::test {

class ProcessTree {
public:
    ProcessTree();
    ~ProcessTree();  // ends every process still in the tree
    ProcessTree(const ProcessTree&) = delete;
    ProcessTree& operator=(const ProcessTree&) = delete;

    // Starts `exe` with `args` in `cwd` as the root of the tree; false when it cannot start.
    bool Start(const std::string& exe, const std::string& args, const std::string& cwd);
    // The number of processes of the tree still running.
    DWORD Running() const;
    // Waits until no process of the tree runs, or the time is up; true when none runs.
    bool WaitUntilEnded(DWORD timeoutMs) const;
    // Ends every process still running.
    void EndAll() const;

private:
    HANDLE job_;
};

}  // namespace tolvar::test
