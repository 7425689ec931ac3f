// Prints the resources it carries, one "NAME=text" line each ("NAME absent" when missing), the
// way the client reads its own.
#include <cstdio>

#include "app/ResourceData.h"
#include "feed/FeedKey.h"

int main() {
    for (const char* name :
         {tolvar::SettingsResourceName, tolvar::UpdateRootResourceName, tolvar::FeedKeyResourceName, "KEEPME"}) {
        if (const auto data = tolvar::ReadResourceData(name)) std::printf("%s=%s\n", name, data->c_str());
        else std::printf("%s absent\n", name);
    }
    return 0;
}
