#include <QPushButton>
#include <QTest>

#include "data/cutout_file.h"
#include "gui_fixture.h"
#include "imaging/true_colour.h"
#include "main_form.h"
#include "picture_view.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

class TrueColorTest : public QObject {
    Q_OBJECT
private slots:
    void beforeLoadingItSaysSo()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        main->TrueColorBtn->click();
        QCOMPARE(f.reporter.messages.back().kind, std::string("information"));
        QCOMPARE(f.reporter.messages.back().text, std::string("Nejprve nahrajte datový výřez."));
        QVERIFY(main->VzorImage->Picture().Empty());
    }

    void rendersTheLoadedCutout()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        const TData cube = PatternCube(40, 12, 15);
        WriteCutout(f.dir.File("a.dat"), cube);
        QVERIFY(main->LoadCutout(f.dir.File("a.dat")));
        main->TrueColorBtn->click();
        QCOMPARE(main->VzorImage->Picture(), TrueColourComposite(cube));
        QCOMPARE(main->VzorImage->width(), 15);
    }

    void tooFewBandsAreRefused()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        WriteCutout(f.dir.File("a.dat"), PatternCube(35, 4, 5));
        QVERIFY(main->LoadCutout(f.dir.File("a.dat")));
        main->TrueColorBtn->click();
        QVERIFY(f.reporter.messages.back().text.find("36") != std::string::npos);
        QCOMPARE(main->VzorImage->Picture(), Bitmap(5, 4));
    }
};

QTEST_MAIN(TrueColorTest)
#include "test_main_form_truecolor.moc"
