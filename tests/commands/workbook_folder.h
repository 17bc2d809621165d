#pragma once

// What the workbook tests through the commands share: recording choosers and a fresh folder.

#include "commands/questions.h"
#include "report/workbook.h"
#include "tests/support/workbook_run.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace brim::test {

namespace fs = std::filesystem;

class Chooser final : public WorkbookFileChooser {
public:
    std::optional<std::string> path;
    int asked = 0;
    std::optional<std::string> chooseWorkbookFile() override {
        ++asked;
        return path;
    }
};

class Answers final : public Questions {
public:
    bool answer = false;
    std::vector<std::string> asked;
    bool ask(std::string_view question) override {
        asked.emplace_back(question);
        return answer;
    }
};

using ProgramRun = WorkbookRun;

class WorkbookFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("brim_workbook_" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(dir_, ignored)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::remove_all(dir_, ignored);
    }
    fs::path dir_;
};

} // namespace brim::test
