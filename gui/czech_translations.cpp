#include "czech_translations.h"

#include <clocale>
#include <cstring>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lumera::gui {

namespace {

// The few texts of Qt's file dialog that Qt's Czech translation lacks.
class MissingCzechTexts : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* source, const char*, int) const override
    {
        struct Text {
            const char* Context;
            const char* Source;
            const char* Czech;
        };
        static constexpr Text kTexts[] = {
            {"QAbstractFileIconProvider", "Folder", "Složka"},
            {"QAbstractFileIconProvider", "Drive", "Jednotka"},
            {"QAbstractFileIconProvider", "Unknown", "Neznámý"},
        };
        for (const Text& text : kTexts)
            if (std::strcmp(context, text.Context) == 0 && std::strcmp(source, text.Source) == 0)
                return QString::fromUtf8(text.Czech);
        return {};
    }
};

}  // namespace

void PreferCzechEnvironment()
{
    // Any of these would override the language for some of Qt's formats.
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LC_TIME", "LC_MONETARY", "LC_MESSAGES", "LC_MEASUREMENT",
                             "LC_COLLATE", "LANGUAGE"})
        qunsetenv(name);
    qputenv("LANG", "cs_CZ.UTF-8");
}

bool InstallCzechTranslations(QCoreApplication& application)
{
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    // The application set the C library's locale from the environment; numbers
    // written and read by the C library keep the full stop of the file formats.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::installTranslator(new MissingCzechTexts(&application));
    // Owned by the application so that it lives as long as the texts are used.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace lumera::gui
