#include "SystemError.h"

namespace tolvar {

std::string SystemErrorMessage(DWORD code) {
    char* text = nullptr;
    const DWORD n =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n ? std::string(text, n) : "System error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!message.empty() && (static_cast<unsigned char>(message.back()) <= ' ' || message.back() == '.'))
        message.pop_back();
    return message;
}

}  // namespace tolvar
