#pragma once
#include <memory>

#include <QApplication>
#include <QDir>

#include "recording_reporter.h"
#include "scripted_dialogs.h"
#include "temp_dir.h"
#include "workbench.h"

namespace lumera::testing {

// A whole program started in a fresh program directory, with scripted dialogs
// and recorded messages.
struct GuiFixture {
    GuiFixture()
    {
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
