#ifndef TOLKMAPS_TESTS_READDATATESTSUPPORT_H
#define TOLKMAPS_TESTS_READDATATESTSUPPORT_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <string>

#include "K7DataCtg.h"
#include "K7DataGroup.h"
#include "K7DataNumber.h"
#include "K7DataText.h"
#include "Log.h"

// A fresh directory for each test, with the log switched on (all levels)
// and standard output captured.
class ReadDataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/readdata-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        Log::chkConsole = true;
        Log::chkFilterLevel = 1;
        testing::internal::CaptureStdout();
    }
    void TearDown() override {
        // Failure messages go to standard output too: show them with the log.
        const std::string output = testing::internal::GetCapturedStdout();
        if (HasFailure()) std::cout << output;
        Log::chkConsole = false;
        Log::chkFilterLevel = 2;
        std::filesystem::remove_all(m_dir);
    }
    // Everything logged since the last call.
    std::string logged() {
        std::string text = testing::internal::GetCapturedStdout();
        testing::internal::CaptureStdout();
        return text;
    }
    std::string writeFile(const std::string& name, const std::string& content) const {
        const std::string file = (m_dir / name).string();
        std::ofstream output(file, std::ios::binary);
        output.write(content.data(), static_cast<std::streamsize>(content.size()));
        return file;
    }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

    std::filesystem::path m_dir;
};

// Record builders for parameter and condition groups.
inline K7DataBase* textRecord(const std::string& tag, const std::string& value) {
    auto* record = new K7DataText();
    record->setType(tag);
    record->editContents() = value;
    record->setSize();
    return record;
}

template <typename T>
K7DataBase* numberRecord(const std::string& tag, T value) {
    auto* record = new K7DataNumber<T>();
    record->setType(tag);
    record->editContents() = value;
    return record;
}

inline K7DataCtg* ctgRecord(std::initializer_list<K7DataBase*> children) {
    auto* group = new K7DataCtg();
    for (K7DataBase* child : children) group->addContents(child);
    return group;
}

// One condition item: a column named `name` with its value group.
inline K7DataCtg* conditionItem(const std::string& name,
                                std::initializer_list<K7DataBase*> values) {
    return ctgRecord({textRecord("cln", name), ctgRecord(values)});
}

#endif
