#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "gui_fixture.h"
#include "imaging/bmp_file.h"
#include "imaging/detail.h"
#include "picture_view.h"
#include "sample_data.h"
#include "vysl_form.h"

using namespace lumera;
using namespace lumera::testing;
using lumera::gui::PictureView;

namespace {

Bitmap DetailOf(const Bitmap& source, int x, int y)
{
    Bitmap detail;
    ShowDetail(source, detail, x, y);
    return detail;
}

const uint8_t* Pixel(const Bitmap& b, int x, int y) { return b.ScanLine(y) + 3 * x; }

}  // namespace

class VyslFormTest : public QObject {
    Q_OBJECT
private slots:
    void eachButtonOpensIntoItsOwnSlot()
    {
        GuiFixture f;
        auto* form = f.app->VyslForm.get();
        // The first button keeps the caption the program has always shown.
        QCOMPARE(form->Button1->text(), QString::fromUtf8("Otěvřít"));
        QCOMPARE(form->Button4->text(), QString::fromUtf8("Otevřít"));
        WriteBmp(f.dir.File("a.bmp"), PatternPicture(70, 70, 1));
        WriteBmp(f.dir.File("b.bmp"), PatternPicture(80, 80, 2));
        f.dialogs.answers = {f.dir.File("a.bmp"), f.dir.File("b.bmp"), std::nullopt};
        form->Button3->click();
        form->Button2->click();
        form->Button1->click();
        QCOMPARE(f.dialogs.initialDirs.back(), f.dir.File("obr"));
        QCOMPARE(form->Image3->Picture(), PatternPicture(70, 70, 1));
        QCOMPARE(form->Image2->Picture(), PatternPicture(80, 80, 2));
        QVERIFY(form->Image1->Picture().Empty());
        QVERIFY(form->Image4->Picture().Empty());

        QVERIFY(!form->LoadPicture(3, f.dir.File("missing.bmp")));
        QVERIFY(f.reporter.messages.back().text.find("missing.bmp") != std::string::npos);
        QCOMPARE(form->Image3->Picture(), PatternPicture(70, 70, 1));
    }

    void aClickMagnifiesAllFourAtTheSamePlace()
    {
        GuiFixture f;
        auto* form = f.app->VyslForm.get();
        form->show();
        const int sides[] = {400, 500, 300, 250};
        for (int n = 1; n <= 4; ++n) {
            WriteBmp(f.dir.File("p.bmp"), PatternPicture(sides[n - 1], sides[n - 1], n));
            QVERIFY(form->LoadPicture(n, f.dir.File("p.bmp")));
        }
        QTest::mouseClick(form->Image3, Qt::LeftButton, {}, QPoint(200, 150));
        QCOMPARE(form->DetailLabel->text(), QString("170-230x120-180"));
        const PictureView* images[] = {form->Image1, form->Image2, form->Image3, form->Image4};
        const PictureView* details[] = {form->DetailImage1, form->DetailImage2, form->DetailImage3, form->DetailImage4};
        for (int n = 0; n < 4; ++n) QCOMPARE(details[n]->Picture(), DetailOf(images[n]->Picture(), 200, 150));

        // At (390, 390) the 400 picture is magnified around (369, 369), the 500 one around (390, 390).
        QTest::mouseClick(form->Image2, Qt::LeftButton, {}, QPoint(390, 390));
        QCOMPARE(Pixel(form->DetailImage1->Picture(), 120, 120)[0], Pixel(form->Image1->Picture(), 369, 369)[0]);
        QCOMPARE(Pixel(form->DetailImage2->Picture(), 120, 120)[0], Pixel(form->Image2->Picture(), 390, 390)[0]);

        // A new picture leaves the details as they were until the next click.
        const Bitmap before = form->DetailImage4->Picture();
        WriteBmp(f.dir.File("p.bmp"), PatternPicture(260, 260, 9));
        QVERIFY(form->LoadPicture(4, f.dir.File("p.bmp")));
        QCOMPARE(form->DetailImage4->Picture(), before);
    }

    void emptyAndSmallSlotsAreLeftBlank()
    {
        GuiFixture f;
        auto* form = f.app->VyslForm.get();
        form->show();
        WriteBmp(f.dir.File("big.bmp"), PatternPicture(100, 100, 3));
        WriteBmp(f.dir.File("small.bmp"), PatternPicture(60, 60, 4));
        QVERIFY(form->LoadPicture(1, f.dir.File("big.bmp")));
        QVERIFY(form->LoadPicture(2, f.dir.File("big.bmp")));
        QTest::mouseClick(form->Image1, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(form->DetailLabel->text(), QString("0-60x0-60"));
        QCOMPARE(form->DetailImage1->Picture(), DetailOf(PatternPicture(100, 100, 3), 30, 30));
        QCOMPARE(form->DetailImage3->Picture(), Bitmap(241, 241));

        // Slot 2 now holds a picture too small to magnify: its old detail goes.
        QVERIFY(form->LoadPicture(2, f.dir.File("small.bmp")));
        QTest::mouseClick(form->Image1, Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(form->DetailImage1->Picture(), DetailOf(PatternPicture(100, 100, 3), 50, 50));
        QCOMPARE(form->DetailImage2->Picture(), Bitmap(241, 241));
    }
};

QTEST_MAIN(VyslFormTest)
#include "test_vysl_form.moc"
