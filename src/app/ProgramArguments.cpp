#include "ProgramArguments.h"

#include <windows.h>

namespace tolvar {

std::string ArgumentsAfterProgramName() {
    const std::string cmd = GetCommandLineA();
    size_t i = 0;
    if (!cmd.empty() && cmd[0] == '"') {
        const size_t close = cmd.find('"', 1);
        i = close == std::string::npos ? cmd.size() : close + 1;
    } else {
        while (i < cmd.size() && cmd[i] != ' ') ++i;
    }
    if (i < cmd.size() && cmd[i] == ' ') ++i;
    return cmd.substr(i);
}

}  // namespace tolvar
