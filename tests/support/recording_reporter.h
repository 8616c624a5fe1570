#pragma once
#include <deque>
#include <string>
#include <vector>

#include "data/reporter.h"

namespace lumera::testing {

// Records every message and answers confirmations as scripted (Yes when the
// script has run out).
class RecordingReporter : public Reporter {
public:
    struct Message {
        std::string kind;  // "information", "error" or "confirm"
        std::string text;
    };

    void Information(const std::string& message) override { messages.push_back({"information", message}); }
    void Error(const std::string& message) override { messages.push_back({"error", message}); }
    bool Confirm(const std::string& question) override
    {
        messages.push_back({"confirm", question});
        if (answers.empty()) return true;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Message> messages;
    std::deque<bool> answers;
};

}  // namespace lumera::testing
