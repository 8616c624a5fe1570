#pragma once
#include <string>

namespace lumera {

// Where the program's messages to the user go. The windows show them in modal
// message boxes, the batch tool writes them to standard error, tests record
// them and answer confirmations as scripted.
class Reporter {
public:
    virtual ~Reporter() = default;
    // An information message with an OK button.
    virtual void Information(const std::string& message) = 0;
    // An error message with an OK button.
    virtual void Error(const std::string& message) = 0;
    // A warning question with Yes and No; true for Yes.
    virtual bool Confirm(const std::string& question) = 0;
};

}  // namespace lumera
