#include "ProcessTree.h"

#include <stdexcept>

#include "Processes.h"

namespace tolvar::test {

ProcessTree::ProcessTree() : job_(CreateJobObjectA(nullptr, nullptr)) {
    if (!job_) throw std::runtime_error("cannot create a job object");
    // Wine starts its desktop process (explorer.exe) from the first program of the session that
    // needs the desktop. Started from a program of the tree, it would be one of the tree's and
    // outlive the run; the test's own process starts it first.
    GetDesktopWindow();
    // Should the test itself die, closing the job's last handle ends the tree too.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
}

ProcessTree::~ProcessTree() {
    EndAll();
    CloseHandle(job_);
}

bool ProcessTree::Start(const std::string& exe, const std::string& args, const std::string& cwd) {
    std::string cmd = "\"" + exe + "\"";
    if (!args.empty()) cmd += " " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    // Suspended until it is in the job, so that nothing it starts escapes the tree.
    if (!CreateProcessPatiently(nullptr, cmd.data(), FALSE, CREATE_SUSPENDED, cwd.c_str(), &si, &pi)) return false;
    const bool inJob = AssignProcessToJobObject(job_, pi.hProcess);
    if (inJob) ResumeThread(pi.hThread);
    else TerminateProcess(pi.hProcess, 99);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return inJob;
}

DWORD ProcessTree::Running() const {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
    if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &info, sizeof info, nullptr)) return 0;
    return info.ActiveProcesses;
}

bool ProcessTree::WaitUntilEnded(DWORD timeoutMs) const {
    for (const DWORD start = GetTickCount();; Sleep(50)) {
        if (Running() == 0) return true;
        if (GetTickCount() - start > timeoutMs) return false;
    }
}

void ProcessTree::EndAll() const {
    if (Running() == 0) return;
    TerminateJobObject(job_, 99);
    WaitUntilEnded(5000);
}

}  // namespace tolvar::test
