#include <QtTest>
#include <QtWidgets>

#include "czech_translations.h"
#include "message_box_reporter.h"

using namespace lumera;

class CzechDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void aConfirmationOffersAnoAndNe()
    {
        QLocale::setDefault(QLocale(QLocale::English));  // whatever the system's language
        QVERIFY(gui::InstallCzechTranslations(*QCoreApplication::instance()));
        gui::MessageBoxReporter reporter;
        QStringList captions;
        QTimer::singleShot(0, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(widget);
                if (!box || !box->isVisible()) continue;
                for (QAbstractButton* button : box->buttons()) captions << button->text().remove('&');
                box->button(QMessageBox::No)->click();
            }
        });
        QVERIFY(!reporter.Confirm("Opravdu ukončit?"));
        captions.sort();
        QCOMPARE(captions, QStringList({"Ano", "Ne"}));
    }
};

QTEST_MAIN(CzechDialogsTest)
#include "test_czech_dialogs.moc"
