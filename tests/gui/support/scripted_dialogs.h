#pragma once
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "file_dialogs.h"

namespace lumera::testing {

// Answers file dialogs from a script: each entry is a path, or nothing for a
// cancelled dialog. Records the initial folder each dialog was given.
class ScriptedDialogs : public gui::FileDialogs {
public:
    std::optional<std::string> OpenFile(QWidget*, const QString& title, const std::string& initialDir) override
    {
        return Answer(title, initialDir);
    }
    std::optional<std::string> SaveFile(QWidget*, const QString& title, const std::string& initialDir) override
    {
        return Answer(title, initialDir);
    }

    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> initialDirs;
    std::vector<QString> titles;

private:
    std::optional<std::string> Answer(const QString& title, const std::string& initialDir)
    {
        titles.push_back(title);
        initialDirs.push_back(initialDir);
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace lumera::testing
