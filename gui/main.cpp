#include <QApplication>

#include "czech_translations.h"
#include "file_dialogs.h"
#include "main_form.h"
#include "message_box_reporter.h"
#include "workbench.h"

int main(int argc, char** argv)
{
    lumera::gui::PreferCzechEnvironment();
    QApplication application(argc, argv);
    QApplication::setApplicationName("Lumera");
    lumera::gui::InstallCzechTranslations(application);
    lumera::gui::MessageBoxReporter reporter;
    lumera::gui::QtFileDialogs dialogs;
    lumera::gui::Workbench workbench(reporter, dialogs);
    reporter.SetParent(workbench.MainForm.get());
    workbench.MainForm->show();
    return QApplication::exec();
}
