#pragma once

class QCoreApplication;

namespace lumera::gui {

// Makes Qt's own texts (standard dialogs, message-box buttons) speak Czech
// like the rest of the program, whatever the system's language. True when
// Qt's Czech translations were found and installed.
bool InstallCzechTranslations(QCoreApplication& application);

}  // namespace lumera::gui
