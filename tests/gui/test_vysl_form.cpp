#include "gui_fixture.h"

using namespace lumera;
using namespace lumera::testing;

class VyslFormTest : public QObject {
    Q_OBJECT
private slots:
    void eachButtonOpensIntoItsOwnSlot()
    {
        GuiFixture f;
        auto* form = f.app->VyslForm.get();
        QCOMPARE(form->Button1->text(), QString::fromUtf8("Otěvřít"));  // as the program has always spelt it
        WriteBmp(f.dir.File("a.bmp"), PatternPicture(70, 70, 1));
        WriteBmp(f.dir.File("b.bmp"), PatternPicture(80, 80, 2));
        f.dialogs.answers = {f.dir.File("a.bmp"), f.dir.File("b.bmp"), std::nullopt, f.dir.File("b.bmp")};
        for (QPushButton* button : {form->Button3, form->Button2, form->Button1, form->Button4}) button->click();
        QCOMPARE(f.dialogs.initialDirs.back(), f.dir.File("obr"));
        QCOMPARE(form->Image3->Picture(), PatternPicture(70, 70, 1));
        QCOMPARE(form->Image2->Picture(), PatternPicture(80, 80, 2));
        QVERIFY(form->Image1->Picture().Empty());
        QCOMPARE(form->Image4->Picture(), PatternPicture(80, 80, 2));
    }

    void aClickMagnifiesEverySlotAtTheSamePlaceLeavingAnEmptyOneBlank()
    {
        GuiFixture f;
        auto* form = f.app->VyslForm.get();
        form->show();
        for (int n : {1, 2, 4}) {  // slot 3 stays empty
            WriteBmp(f.dir.File("p.bmp"), PatternPicture(100 * n, 100 * n, n));
            QVERIFY(form->LoadPicture(n, f.dir.File("p.bmp")));
        }
        QTest::mouseClick(form->Image2, Qt::LeftButton, {}, QPoint(190, 150));
        QCOMPARE(form->DetailLabel->text(), QString("160-220x120-180"));
        QCOMPARE(form->DetailImage1->Picture(), DetailOf(form->Image1->Picture(), 190, 150));
        QCOMPARE(form->DetailImage2->Picture(), DetailOf(form->Image2->Picture(), 190, 150));
        QCOMPARE(form->DetailImage3->Picture(), Bitmap(241, 241));
        QCOMPARE(form->DetailImage4->Picture(), DetailOf(form->Image4->Picture(), 190, 150));
    }
};

QTEST_MAIN(VyslFormTest)
#include "test_vysl_form.moc"
