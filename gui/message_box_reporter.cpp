#include "message_box_reporter.h"

#include <QApplication>
#include <QMessageBox>

namespace lumera::gui {

void MessageBoxReporter::Information(const std::string& message)
{
    QMessageBox::information(parent_, QApplication::applicationName(), QString::fromStdString(message));
}

void MessageBoxReporter::Error(const std::string& message)
{
    QMessageBox::critical(parent_, QApplication::applicationName(), QString::fromStdString(message));
}

bool MessageBoxReporter::Confirm(const std::string& question)
{
    return QMessageBox::warning(parent_, QApplication::applicationName(), QString::fromStdString(question),
                                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace lumera::gui
