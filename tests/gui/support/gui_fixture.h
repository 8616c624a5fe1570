#pragma once

#include <QtTest>
#include <QtWidgets>

#include "data/cutout_file.h"
#include "ekvalizace_form.h"
#include "extr_form.h"
#include "extr_form2.h"
#include "imaging/bmp_file.h"
#include "imaging/detail.h"
#include "main_form.h"
#include "picture_view.h"
#include "recording_reporter.h"
#include "reference_data.h"
#include "sample_data.h"
#include "temp_dir.h"
#include "vahfce_form.h"
#include "vysl_form.h"
#include "workbench.h"

namespace lumera::testing {

// Answers file dialogs from a script (nothing: cancelled), noting each starting folder.
class ScriptedDialogs : public gui::FileDialogs {
public:
    std::optional<std::string> OpenFile(QWidget*, const QString&, const std::string& dir) override { return Answer(dir); }
    std::optional<std::string> SaveFile(QWidget*, const QString&, const std::string& dir) override { return Answer(dir); }

    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> initialDirs;

private:
    std::optional<std::string> Answer(const std::string& initialDir)
    {
        initialDirs.push_back(initialDir);
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// The whole program started in a fresh program directory.
struct GuiFixture {
    explicit GuiFixture(bool withReferenceFiles = true)
    {
        if (withReferenceFiles) InstallReferenceFiles(dir.Path());
        previousDir = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir.Path().string()));
        app = std::make_unique<gui::Workbench>(reporter, dialogs);
    }
    ~GuiFixture()
    {
        app.reset();
        QDir::setCurrent(previousDir);
    }

    bool Load(const TData& cube)
    {
        WriteCutout(dir.File("cut.dat"), cube);
        return app->MainForm->LoadCutout(dir.File("cut.dat"));
    }
    const std::string& LastMessage() const { return reporter.messages.back().text; }

    TempDir dir;
    QString previousDir;
    RecordingReporter reporter;
    ScriptedDialogs dialogs;
    std::unique_ptr<gui::Workbench> app;
};

// Where a picture shows its data pixel on the screen: the first display pixel
// showing it (the display may be scaled).
inline QPoint OnScreen(const gui::PictureView* view, QPoint pixel)
{
    const int w = view->Picture().Width(), h = view->Picture().Height();
    return {(pixel.x() * view->width() + w - 1) / w, (pixel.y() * view->height() + h - 1) / h};
}

inline Bitmap DetailOf(const Bitmap& source, int x, int y)
{
    Bitmap detail;
    ShowDetail(source, detail, x, y);
    return detail;
}

}  // namespace lumera::testing
