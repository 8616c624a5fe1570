#pragma once
#include <optional>
#include <string>

#include <QString>

class QWidget;

namespace lumera::gui {

// Asks the user for a file. The windows ask through this interface so that
// tests can answer headless; a cancelled dialog gives no path.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<std::string> OpenFile(QWidget* parent, const QString& title,
                                                const std::string& initialDir) = 0;
    virtual std::optional<std::string> SaveFile(QWidget* parent, const QString& title,
                                                const std::string& initialDir) = 0;
};

// The platform's file dialogs.
class QtFileDialogs : public FileDialogs {
public:
    std::optional<std::string> OpenFile(QWidget* parent, const QString& title,
                                        const std::string& initialDir) override;
    std::optional<std::string> SaveFile(QWidget* parent, const QString& title,
                                        const std::string& initialDir) override;
};

// The path with the extension appended when the name was typed without one,
// as save dialogs with a default extension do.
std::string WithDefaultExtension(const std::string& path, const std::string& extension);

}  // namespace lumera::gui
