#pragma once
#include <QWidget>

namespace lumera::gui {

class Workbench;

// A window shown non-modally from the main window's menu. It lives as long as
// the program; closing it only hides it, with all its state kept.
class ToolWindow : public QWidget {
    Q_OBJECT
public:
    ToolWindow(Workbench& workbench, const QString& name, const QString& caption);

    // Shows the window, or brings it to the front when it is already shown.
    void ShowWindow();

protected:
    Workbench& App;
};

}  // namespace lumera::gui
