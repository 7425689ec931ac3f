#pragma once
// Runs the application's message loop in a test until something holds, always bounded: a
// broken test must fail, not hang.
#include <windows.h>

#include "app/Application.h"

namespace tolvar::test {

template <class Pred>
bool PumpUntil(Pred done, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Application()->ProcessMessages();
        Sleep(1);
    }
    return true;
}

}  // namespace tolvar::test
