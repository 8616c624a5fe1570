#include "file_dialogs.h"

#include <filesystem>

#include <QFileDialog>

namespace lumera::gui {

std::optional<std::string> QtFileDialogs::OpenFile(QWidget* parent, const QString& title,
                                                   const std::string& initialDir)
{
    const QString path = QFileDialog::getOpenFileName(parent, title, QString::fromStdString(initialDir));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtFileDialogs::SaveFile(QWidget* parent, const QString& title,
                                                   const std::string& initialDir)
{
    const QString path = QFileDialog::getSaveFileName(parent, title, QString::fromStdString(initialDir));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::string WithDefaultExtension(const std::string& path, const std::string& extension)
{
    if (std::filesystem::path(path).has_extension()) return path;
    return path + extension;
}

}  // namespace lumera::gui
