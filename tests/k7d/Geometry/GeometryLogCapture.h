#ifndef TOLKMAPS_TESTS_GEOMETRYLOGCAPTURE_H
#define TOLKMAPS_TESTS_GEOMETRYLOGCAPTURE_H

#include <gtest/gtest.h>

#include <string>

#include "Log.h"

// Turns on every log level and captures standard output for one test, so that
// a test can check which lines the geometry operations wrote.
class GeometryLogCapture : public ::testing::Test {
protected:
    void SetUp() override {
        Log::chkConsole = true;
        Log::chkFilterLevel = 1;
        testing::internal::CaptureStdout();
    }
    void TearDown() override {
        testing::internal::GetCapturedStdout();
        Log::chkConsole = false;
        Log::chkFilterLevel = 2;
    }
    // Everything logged since the test began or since the last call.
    std::string logged() {
        std::string text = testing::internal::GetCapturedStdout();
        testing::internal::CaptureStdout();
        return text;
    }
};

#endif
