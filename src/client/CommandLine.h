#pragma once
#include <string>
#include <vector>

namespace tolvar {

// The program's arguments after its own name, as the entry received them.
const std::vector<std::string>& ProgramArguments();
void SetProgramArguments(std::vector<std::string> args);

int ParamCount();
std::string ParamStr(int index);  // 1-based; the empty string past the end

// Started with exactly one argument, "localhost" (whole string, case matters).
bool IsLocalhostRun();

}  // namespace tolvar
