#pragma once
// The fixture of tests that make real windows: the platform's system colours as the program
// sets them at start-up, errors that reach the general error report collected (and none
// expected), and the application with its forms gone at the end of each test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Application.h"
#include "app/SystemColors.h"
#include "base/Bitmap.h"

namespace tolvar::test {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetSystemColorResolver(PlatformSystemColor);
        Application()->OnException = [this](const std::exception& e) { errors.push_back(e.what()); };
    }
    void TearDown() override {
        EXPECT_TRUE(errors.empty()) << errors.front();
        DestroyApplication();
    }
    std::vector<std::string> errors;
};

}  // namespace tolvar::test
