// checkroot URL
//
// The build's check of the update server root URL it is asked to compile in: the stamper's
// rule, run on the build machine before the client is built. Exit code 0 when the root can be
// one, otherwise 1 with the reason.
#include <cstdio>

#include "http/UpdateRoot.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: checkroot URL\n", stderr);
        return 1;
    }
    const std::string problem = tolvar::UpdateRootProblem(argv[1]);
    if (problem.empty()) return 0;
    std::fprintf(stderr, "%s\n", problem.c_str());
    return 1;
}
