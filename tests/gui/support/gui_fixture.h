#pragma once
#include <functional>
#include <memory>

#include <QApplication>
#include <QDir>

#include "recording_reporter.h"
#include "reference_data.h"
#include "scripted_dialogs.h"
#include "temp_dir.h"
#include "workbench.h"

namespace lumera::testing {

// Places the shipped reference spectra in a program directory.
inline void WithReferenceFiles(const TempDir& programDir) { InstallReferenceFiles(programDir.Path()); }

// A whole program started in a fresh program directory, with scripted dialogs
// and recorded messages. `prepare` fills the program directory before the
// program starts; by default it holds the shipped reference spectra.
struct GuiFixture {
    explicit GuiFixture(const std::function<void(const TempDir&)>& prepare = WithReferenceFiles)
    {
        prepare(dir);
        previousDir = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir.Path().string()));
        app = std::make_unique<gui::Workbench>(reporter, dialogs);
    }
    ~GuiFixture()
    {
        app.reset();
        QDir::setCurrent(previousDir);
    }

    template <typename T>
    T* Find(QObject* parent, const char* name)
    {
        return parent->findChild<T*>(name);
    }

    TempDir dir;
    QString previousDir;
    RecordingReporter reporter;
    ScriptedDialogs dialogs;
    std::unique_ptr<gui::Workbench> app;
};

}  // namespace lumera::testing
