#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <filesystem>

#include "ekvalizace_form.h"
#include "enhance/equalization.h"
#include "gui_fixture.h"
#include "imaging/bmp_file.h"
#include "imaging/detail.h"
#include "picture_view.h"
#include "sample_data.h"

using namespace lumera;
using namespace lumera::testing;

class EkvalizaceFormTest : public QObject {
    Q_OBJECT
private slots:
    void loadsThroughTheDialogAndEqualizes()
    {
        GuiFixture f;
        auto* form = f.app->EkvalizaceForm.get();
        const Bitmap picture = PatternPicture(70, 60);
        WriteBmp(f.dir.File("mask.bmp"), picture);
        f.dialogs.answers = {std::nullopt, f.dir.File("mask.bmp")};
        form->LoadBtn->click();
        QVERIFY(form->VstupImage->Picture().Empty());
        form->LoadBtn->click();
        QCOMPARE(f.dialogs.initialDirs.back(), f.dir.File("obr"));
        QCOMPARE(form->ObrLabel->text().toStdString(), f.dir.File("mask.bmp"));
        QCOMPARE(form->VelObrLabel->text(), QString::fromUtf8("70x60 pixelů"));
        QVERIFY(form->ZpracovaneImage->Picture().Empty());

        QCOMPARE(form->HranaSpin->value(), 45);
        QCOMPARE(form->HranaSpin->singleStep(), 2);
        form->HranaSpin->setValue(46);
        form->StupidBtn->click();
        QCOMPARE(form->ZpracovaneImage->Picture(), Equalize(picture, 46));
        QCOMPARE(form->ZpracovaneImage->width(), 70);
    }

    void processingWithoutAFittingPictureSaysSo()
    {
        GuiFixture f;
        auto* form = f.app->EkvalizaceForm.get();
        form->StupidBtn->click();
        QCOMPARE(f.reporter.messages.back().text, std::string("Nejprve nahrajte vstupní obrázek."));
        QVERIFY(form->ZpracovaneImage->Picture().Empty());

        WriteBmp(f.dir.File("a.bmp"), PatternPicture(50, 50));
        QVERIFY(form->LoadPicture(f.dir.File("a.bmp")));
        form->StupidBtn->click();
        const Bitmap first = form->ZpracovaneImage->Picture();
        form->HranaSpin->setValue(51);
        form->StupidBtn->click();
        QVERIFY(f.reporter.messages.back().text.find("50x50") != std::string::npos);
        QCOMPARE(form->ZpracovaneImage->Picture(), first);
    }

    void savingNeedsAResultAndAddsTheExtension()
    {
        GuiFixture f;
        auto* form = f.app->EkvalizaceForm.get();
        form->SaveBtn->click();
        QVERIFY(f.dialogs.titles.empty());
        QCOMPARE(f.reporter.messages.back().kind, std::string("information"));
        QVERIFY(!form->SaveResult(f.dir.File("none.bmp")));
        QVERIFY(!std::filesystem::exists(f.dir.File("none.bmp")));

        WriteBmp(f.dir.File("a.bmp"), PatternPicture(50, 50));
        QVERIFY(form->LoadPicture(f.dir.File("a.bmp")));
        form->StupidBtn->click();
        f.dialogs.answers = {f.dir.File("result")};
        form->SaveBtn->click();
        QCOMPARE(f.dialogs.initialDirs.back(), f.dir.File("obr"));
        QCOMPARE(ReadBmp(f.dir.File("result.bmp")), form->ZpracovaneImage->Picture());
    }

    void aClickOnEitherPictureMagnifiesBoth()
    {
        GuiFixture f;
        auto* form = f.app->EkvalizaceForm.get();
        form->show();
        WriteBmp(f.dir.File("a.bmp"), PatternPicture(120, 100));
        QVERIFY(form->LoadPicture(f.dir.File("a.bmp")));
        // No result yet: its detail stays blank, the input's is shown.
        QTest::mouseClick(form->VstupImage, Qt::RightButton, {}, QPoint(10, 80));
        QCOMPARE(form->DetailLabel->text(), QString("0-60x50-110"));
        QCOMPARE(form->DetailImage1->Picture(), Bitmap(241, 241));
        Bitmap expected;
        ShowDetail(form->VstupImage->Picture(), expected, 30, 80);
        QCOMPARE(form->DetailImage2->Picture(), expected);

        form->StupidBtn->click();
        QTest::mouseClick(form->ZpracovaneImage, Qt::LeftButton, {}, QPoint(90, 40));
        QCOMPARE(form->DetailLabel->text(), QString("60-120x10-70"));
        ShowDetail(form->ZpracovaneImage->Picture(), expected, 90, 40);
        QCOMPARE(form->DetailImage1->Picture(), expected);
    }
};

QTEST_MAIN(EkvalizaceFormTest)
#include "test_ekvalizace_form.moc"
