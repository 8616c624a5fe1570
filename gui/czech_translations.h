#pragma once

class QCoreApplication;

namespace lumera::gui {

// Call before the application is created: Qt reads the system's date, number
// and size formats from the environment once, so the program's environment
// asks for Czech ones whatever the user's language settings.
void PreferCzechEnvironment();

// Makes Qt's own texts (standard dialogs, message-box buttons), its dates and
// numbers speak Czech like the rest of the program, whatever the system's
// language. True when Qt's Czech translations were found and installed.
bool InstallCzechTranslations(QCoreApplication& application);

}  // namespace lumera::gui
