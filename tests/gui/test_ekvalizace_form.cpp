#include "enhance/equalization.h"
#include "gui_fixture.h"

using namespace lumera;
using namespace lumera::testing;

class EkvalizaceFormTest : public QObject {
    Q_OBJECT
private slots:
    void loadsEqualizesAndSavesThroughTheDialogsRefusingWhatDoesNotFit()
    {
        GuiFixture f;
        auto* form = f.app->EkvalizaceForm.get();
        form->StupidBtn->click();
        QCOMPARE(f.LastMessage(), std::string("Nejprve nahrajte vstupní obrázek."));
        form->SaveBtn->click();
        QCOMPARE(f.reporter.messages.size(), std::size_t(2));
        QVERIFY(f.dialogs.initialDirs.empty());

        const Bitmap picture = PatternPicture(70, 60);
        WriteBmp(f.dir.File("mask.bmp"), picture);
        f.dialogs.answers = {f.dir.File("mask.bmp")};
        form->LoadBtn->click();
        QCOMPARE(f.dialogs.initialDirs.back(), f.dir.File("obr"));
        QCOMPARE(form->ObrLabel->text().toStdString(), f.dir.File("mask.bmp"));
        QCOMPARE(form->VelObrLabel->text(), QString::fromUtf8("70x60 pixelů"));

        form->HranaSpin->setValue(47);
        form->StupidBtn->click();
        QCOMPARE(form->ZpracovaneImage->Picture(), Equalize(picture, 47));
        form->HranaSpin->setValue(61);  // wider than the picture is high
        form->StupidBtn->click();
        QVERIFY(f.LastMessage().find("62x62") != std::string::npos);
        QCOMPARE(form->ZpracovaneImage->Picture(), Equalize(picture, 47));

        f.dialogs.answers = {f.dir.File("result")};
        form->SaveBtn->click();
        QCOMPARE(ReadBmp(f.dir.File("result.bmp")), Equalize(picture, 47));
    }
};

QTEST_MAIN(EkvalizaceFormTest)
#include "test_ekvalizace_form.moc"
