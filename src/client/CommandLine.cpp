#include "CommandLine.h"

namespace tolvar {

namespace {
std::vector<std::string>& Arguments() {
    static std::vector<std::string> args;
    return args;
}
}  // namespace

const std::vector<std::string>& ProgramArguments() { return Arguments(); }
void SetProgramArguments(std::vector<std::string> args) { Arguments() = std::move(args); }

int ParamCount() { return int(Arguments().size()); }

std::string ParamStr(int index) {
    if (index < 1 || index > ParamCount()) return {};
    return Arguments()[size_t(index - 1)];
}

bool IsLocalhostRun() { return ParamCount() == 1 && ParamStr(1) == "localhost"; }

}  // namespace tolvar
