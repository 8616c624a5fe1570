#include "tool_window.h"

namespace lumera::gui {

ToolWindow::ToolWindow(Workbench& workbench, const QString& name, const QString& caption)
    : QWidget(nullptr, Qt::Window), App(workbench)
{
    setObjectName(name);
    setWindowTitle(caption);
    // Closing the main window ends the program even while tool windows are open.
    setAttribute(Qt::WA_QuitOnClose, false);
}

void ToolWindow::ShowWindow()
{
    show();
    raise();
    activateWindow();
}

}  // namespace lumera::gui
