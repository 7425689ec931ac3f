#include "CodePageText.h"

namespace tolvar {

std::wstring AnsiToWide(const std::string& s, UINT codePage) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, s.data(), int(s.size()), nullptr, 0);
    std::wstring w(size_t(n), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), int(s.size()), w.data(), n);
    return w;
}

}  // namespace tolvar
