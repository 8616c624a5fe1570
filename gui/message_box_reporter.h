#pragma once
#include "data/reporter.h"

class QWidget;

namespace lumera::gui {

// Shows the program's messages in message boxes modal to the window they
// belong to (the given parent when no window is active).
class MessageBoxReporter : public Reporter {
public:
    explicit MessageBoxReporter(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Information(const std::string& message) override;
    void Error(const std::string& message) override;
    bool Confirm(const std::string& question) override;

private:
    QWidget* Owner() const;

    QWidget* parent_;
};

}  // namespace lumera::gui
