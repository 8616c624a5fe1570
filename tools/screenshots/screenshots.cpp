#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <iostream>

#include "czech_translations.h"
#include "file_dialogs.h"
#include "window_tour.h"
#include "workbench.h"

namespace {

// Messages go to standard error: a message box would stop the tour.
class ErrorStreamReporter : public lumera::Reporter {
public:
    void Information(const std::string& message) override { std::cerr << message << '\n'; }
    void Error(const std::string& message) override
    {
        std::cerr << message << '\n';
        failed = true;
    }
    bool Confirm(const std::string&) override { return true; }
    bool failed = false;
};

// The tour calls the windows' doing directly; a dialog would be a fault.
class NoDialogs : public lumera::gui::FileDialogs {
public:
    std::optional<std::string> OpenFile(QWidget*, const QString&, const std::string&) override { return {}; }
    std::optional<std::string> SaveFile(QWidget*, const QString&, const std::string&) override { return {}; }
};

// A window as the user sees it, in 256 colours so the guide stays light. The
// virtual display has no window manager to maximise windows: the tour does.
bool SaveWindow(QWidget* window, const QString& path)
{
    if (window->windowState() & Qt::WindowMaximized) window->setGeometry(window->screen()->availableGeometry());
    window->show();
    window->raise();
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
    const QImage image = window->grab().toImage().convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
    return image.save(path, "PNG", 0);
}

}  // namespace

// lumera_screenshots OUTDIR: run in the program directory holding the sample
// stand; writes OUTDIR/NAME.png for every window of the tour.
int main(int argc, char** argv)
{
    lumera::gui::PreferCzechEnvironment();
    QApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: lumera_screenshots OUTDIR\n";
        return 1;
    }
    lumera::gui::InstallCzechTranslations(application);
    ErrorStreamReporter reporter;
    NoDialogs dialogs;
    lumera::gui::Workbench workbench(reporter, dialogs);
    for (const lumera::gui::TourStop& stop : lumera::gui::WindowTour()) {
        QWidget* window = stop.Show(workbench);
        const QString path = QString::fromLocal8Bit(argv[1]) + "/" + QString::fromStdString(stop.Name) + ".png";
        if (!SaveWindow(window, path)) {
            std::cerr << "cannot write " << path.toStdString() << '\n';
            return 1;
        }
        window->hide();
    }
    return reporter.failed ? 1 : 0;
}
