#include "tool_window.h"

#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWindow>

#include "main_form.h"
#include "widget_factory.h"
#include "workbench.h"

namespace lumera::gui {

ToolWindow::ToolWindow(Workbench& workbench, const QString& name, const QString& caption)
    : QWidget(nullptr, Qt::Window), StatusLine(MakeLabel("StatusLine", "")), App(workbench)
{
    setObjectName(name);
    setWindowTitle(caption);
    // Closing the main window ends the program even while tool windows are open.
    setAttribute(Qt::WA_QuitOnClose, false);
}

// A window of the main window for the window manager: kept above the
// maximised main window, so that no click there and no message closing can
// bury it.
void ToolWindow::ShowWindow()
{
    winId();  // both windows get their native window
    App.MainForm->winId();
    windowHandle()->setTransientParent(App.MainForm->windowHandle());
    show();
    raise();
    activateWindow();
}

void ToolWindow::Tell(const QString& text) { StatusLine->setText(text); }

bool ToolWindow::NoteSaved(bool written, const std::string& path)
{
    if (written) Tell(SavedText(path));
    return written;
}

void ToolWindow::SetContent(QLayout* controls)
{
    content_ = new QWidget;
    content_->setLayout(controls);
    auto* scroller = new QScrollArea;
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(content_);
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addWidget(scroller);
    StatusLine->setContentsMargins(8, 2, 8, 2);
    window->addWidget(StatusLine);
}

QSize ToolWindow::sizeHint() const
{
    if (!content_) return QWidget::sizeHint();
    const QSize wanted = content_->sizeHint() + QSize(0, StatusLine->sizeHint().height());
    return wanted.boundedTo(screen()->availableGeometry().size());
}

QString SavedText(const std::string& path)
{
    return QStringLiteral("Uloženo do souboru %1.").arg(QString::fromStdString(path));
}

}  // namespace lumera::gui
