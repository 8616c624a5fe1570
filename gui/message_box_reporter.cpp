#include "message_box_reporter.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace lumera::gui {

namespace {

// The box closes back into its owner: a window manager would otherwise hand
// the focus to the maximised main window and bury the tool window under it.
void ReturnTo(QWidget* owner)
{
    if (!owner) return;
    owner->raise();
    owner->activateWindow();
}

}  // namespace

MessageBoxReporter::MessageBoxReporter(QWidget* parent) : parent_(parent)
{
    QObject::connect(qApp, &QApplication::focusChanged, &connections_, [this](QWidget*, QWidget* now) {
        if (now && !qobject_cast<QDialog*>(now->window())) lastWorkedIn_ = now->window();
    });
}

// The window whose control raised the message is the active one, or the one
// worked in last when a dialog has just closed; before any window is active
// (at start) the message belongs to the main window.
QWidget* MessageBoxReporter::Owner() const
{
    if (QWidget* active = QApplication::activeWindow()) return active;
    return lastWorkedIn_ ? lastWorkedIn_.data() : parent_;
}

void MessageBoxReporter::Information(const std::string& message)
{
    QWidget* owner = Owner();
    QMessageBox::information(owner, QApplication::applicationName(), QString::fromStdString(message));
    ReturnTo(owner);
}

void MessageBoxReporter::Error(const std::string& message)
{
    QWidget* owner = Owner();
    QMessageBox::critical(owner, QApplication::applicationName(), QString::fromStdString(message));
    ReturnTo(owner);
}

bool MessageBoxReporter::Confirm(const std::string& question)
{
    QWidget* owner = Owner();
    const bool yes = QMessageBox::warning(owner, QApplication::applicationName(), QString::fromStdString(question),
                                          QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    ReturnTo(owner);
    return yes;
}

}  // namespace lumera::gui
