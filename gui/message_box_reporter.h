#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "data/reporter.h"

namespace lumera::gui {

// Shows the program's messages in message boxes modal to the window they
// belong to: the active window, or else the window the user worked in last
// (a file dialog just closed leaves no window active for a moment), or else
// the given parent. Create it after the application.
class MessageBoxReporter : public Reporter {
public:
    explicit MessageBoxReporter(QWidget* parent = nullptr);
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Information(const std::string& message) override;
    void Error(const std::string& message) override;
    bool Confirm(const std::string& question) override;

private:
    QWidget* Owner() const;

    QWidget* parent_;
    QPointer<QWidget> lastWorkedIn_;
    QObject connections_;  // ends the focus tracking with the reporter
};

}  // namespace lumera::gui
