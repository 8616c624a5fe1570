#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTest>

#include "gui_fixture.h"
#include "main_form.h"
#include "picture_view.h"
#include "ekvalizace_form.h"
#include "tool_forms.h"
#include "vysl_form.h"

using namespace lumera;
using namespace lumera::testing;

class MainFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    void windowsAreCreatedOnceInOrder()
    {
        GuiFixture f;
        const QStringList expected = {"MainForm", "VahFceForm", "EkvalizaceForm", "VyslForm", "ExtrForm", "ExtrForm2"};
        const QList<QWidget*> windows = {f.app->MainForm.get(),      f.app->VahFceForm.get(), f.app->EkvalizaceForm.get(),
                                         f.app->VyslForm.get(),      f.app->ExtrForm.get(),   f.app->ExtrForm2.get()};
        for (int i = 0; i < windows.size(); ++i) QCOMPARE(windows[i]->objectName(), expected[i]);
        QCOMPARE(f.app->MainForm->windowTitle(), QString("Lumera"));
        QCOMPARE(f.app->EkvalizaceForm->windowTitle(), QString::fromUtf8("Adaptivní ekvalizace"));
        QCOMPARE(f.app->VyslForm->windowTitle(), QString::fromUtf8("Srovnávání výsledků"));
        for (int i = 1; i < windows.size(); ++i) QVERIFY(!windows[i]->isVisible());
        QCOMPARE(f.app->Data.ProgramDir, QDir::currentPath().toStdString());
        QCOMPARE(f.app->Data.NBands(), 65);
        QVERIFY(!f.app->Data.DataLoaded);
    }

    void menuShowsEachToolWindowAgainWithoutRecreating()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        for (const char* item : {"Adaptivnekvalizace1", "Loklnextrmy1", "Zpracovnloklnchextrm1", "Srovnvn1"}) {
            f.Find<QAction>(main, item)->trigger();
            f.Find<QAction>(main, item)->trigger();
        }
        QVERIFY(f.app->EkvalizaceForm->isVisible());
        QVERIFY(f.app->ExtrForm->isVisible());
        QVERIFY(f.app->ExtrForm2->isVisible());
        QVERIFY(f.app->VyslForm->isVisible());
        int ekvalizace = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) ekvalizace += w->objectName() == "EkvalizaceForm";
        QCOMPARE(ekvalizace, 1);
    }

    void bandListUsesUserDecimalSeparatorAndToggles()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        const QStringList lines = main->Memo1->toPlainText().split('\n');
        QCOMPARE(lines.size(), 65);
        QCOMPARE(lines.first(), QString("Band 1   center: 0,3917   width: 0,0086"));
        QCOMPARE(lines.last(), QString("Band 65   center: 0,9816   width: 0,0095"));
        main->show();
        main->Obandech1->trigger();
        QVERIFY(main->OBandechPanel->isVisible());
        QVERIFY(main->Obandech1->isChecked());
        main->Obandech1->trigger();
        QVERIFY(!main->OBandechPanel->isVisible());
        QVERIFY(!main->Obandech1->isChecked());
    }

    void closeQueryAnsweredNoKeepsEverything()
    {
        GuiFixture f;
        WriteWords(f.dir.File("a.dat"), {1, 2, 3, 10, 20, 30, 40, 50, 60});
        auto* main = f.app->MainForm.get();
        QVERIFY(main->LoadCutout(f.dir.File("a.dat")));
        main->show();
        f.reporter.answers = {false};
        QVERIFY(!main->close());
        QVERIFY(main->isVisible());
        QCOMPARE(f.reporter.messages.back().text, std::string("Opravdu chcete skončit?"));
        QCOMPARE(f.reporter.messages.back().kind, std::string("confirm"));
        QCOMPARE(f.app->Data.BandTable.size(), std::size_t(65));
        QCOMPARE(f.app->Data.Cube.Values.size(), std::size_t(6));
    }

    void loadingThroughTheDialog()
    {
        GuiFixture f;
        WriteWords(f.dir.File("a.dat"), {1, 2, 3, 10, 20, 30, 40, 50, 60});
        auto* main = f.app->MainForm.get();
        f.dialogs.answers = {f.dir.File("a.dat")};
        main->Nahrvn1->trigger();
        QCOMPARE(f.dialogs.initialDirs.back(), f.dir.File("data/vyrezy/"));
        QVERIFY(f.app->Data.DataLoaded);
        QCOMPARE(f.app->Data.NRows(), 2);
        QCOMPARE(main->BandMapImage->Picture().Width(), 3);
        QCOMPARE(main->BandMapImage->Picture().Height(), 2);
        QCOMPARE(main->VzorImage->Picture().Width(), 3);
        QCOMPARE(main->SouborLabel->text().toStdString(), f.dir.File("a.dat"));
        QCOMPARE(f.reporter.messages.back().text, std::string("Datový výřez načten ze souboru."));
    }

    void cancelledOrFailedLoadChangesNothing()
    {
        GuiFixture f;
        WriteWords(f.dir.File("a.dat"), {1, 2, 3, 10, 20, 30, 40, 50, 60});
        WriteWords(f.dir.File("short.dat"), {2, 4, 4, 1, 2, 3});
        auto* main = f.app->MainForm.get();
        QVERIFY(main->LoadCutout(f.dir.File("a.dat")));
        const auto before = f.app->Data.Cube.Values;
        const std::size_t messages = f.reporter.messages.size();

        f.dialogs.answers = {std::nullopt, f.dir.File("short.dat")};
        main->Nahrvn1->trigger();
        QCOMPARE(f.reporter.messages.size(), messages);
        main->Nahrvn1->trigger();
        QCOMPARE(f.reporter.messages.back().kind, std::string("error"));
        QVERIFY(f.reporter.messages.back().text.find("short.dat") != std::string::npos);
        QCOMPARE(f.app->Data.Cube.NBands, 1);
        QCOMPARE(f.app->Data.Cube.Values, before);
        QCOMPARE(main->BandMapImage->Picture().Width(), 3);
        QCOMPARE(main->SouborLabel->text().toStdString(), f.dir.File("a.dat"));
    }
};

QTEST_MAIN(MainFormTest)
#include "test_main_form.moc"
