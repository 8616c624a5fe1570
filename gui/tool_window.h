#pragma once
#include <string>

#include <QWidget>

class QLabel;
class QLayout;

namespace lumera::gui {

class Workbench;

// The note that a file was written, naming it.
QString SavedText(const std::string& path);

// A window shown non-modally from the main window's menu, kept in front of
// the main window (which is created first). It lives as long as the program;
// closing it only hides it, with all its state kept.
class ToolWindow : public QWidget {
    Q_OBJECT
public:
    ToolWindow(Workbench& workbench, const QString& name, const QString& caption);

    // Shows the window in front of the main window, or brings it to the front
    // when it is already shown.
    void ShowWindow();

    // The controls' own size with the status line, within the screen.
    QSize sizeHint() const override;

    // The line at the window's foot telling what the last step did.
    QLabel* StatusLine;
    void Tell(const QString& text);
    // Tells that the file was written, naming it, when it was; gives `written`.
    bool NoteSaved(bool written, const std::string& path);

protected:
    // Puts the window's controls over its status line; on a screen too small
    // for them they scroll rather than being cut off.
    void SetContent(QLayout* controls);

    Workbench& App;

private:
    QWidget* content_ = nullptr;
};

}  // namespace lumera::gui
