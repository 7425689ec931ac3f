#pragma once
#include <cstdint>
#include <string>

namespace tolvar {

// The HTTP client's requests as the pass makes them: the same requests with the same results,
// each made on a thread of its own while the window's thread keeps pumping its messages, as a
// download does. A slow server then leaves the gauge animating and the window answering, and a
// close hides the window while the request goes on.
std::string FetchTextPumping(const std::string& url);
int32_t FetchContentLengthPumping(const std::string& url);

}  // namespace tolvar
