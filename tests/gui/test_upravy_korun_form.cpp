#include "crown_canvas.h"
#include "crown_picture.h"
#include "crown_samples.h"
#include "crowns/crown_reflectance.h"
#include "data/small_file.h"
#include "gui_fixture.h"
#include "upravy_korun_form.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

const uint8_t kRed[] = {0, 0, 255};  // blue, green, red

}  // namespace

class UpravyKorunFormTest : public QObject {
    Q_OBJECT
private slots:
    void aSessionOfEditsIsSavedRenumberedAndAForeignSizeIsRefused()
    {
        GuiFixture f;
        QVERIFY(f.Load(PatternCube(40, 4, 6)));
        auto* form = f.app->UpravyKorunForm.get();
        WriteTreeMatrix(f.dir.File("narrow.dat"), TTreeMatrix(5, 4));
        QVERIFY(!form->LoadMatrix(f.dir.File("narrow.dat")));
        QVERIFY(f.LastMessage().find("5 x 4, načtený výřez 6 x 4") != std::string::npos);

        WriteTreeMatrix(f.dir.File("trees.dat"), Trees("112233/112233/445566/445566"));
        f.dialogs.answers = {f.dir.File("trees.dat")};
        form->OtevritAction->trigger();
        form->CanvasMoved(0, 0, {});  // the first crown is told too: nothing is under the pointer after loading
        QVERIFY(form->StatusLine->text().contains(QStringLiteral("průměrný jas")));
        const auto at = [&](int x, int y) {
            const int zoom = form->KorunyImage->Zoom();
            return QPoint(x * zoom + zoom / 2, y * zoom);
        };
        const auto click = [&](const char* tool, int x, int y) {
            if (tool) form->findChild<QAction*>(tool)->trigger();
            QTest::mouseClick(form->KorunyImage, Qt::LeftButton, {}, at(x, y));
        };
        form->StetecSpin->setValue(0);  // a brush of radius 0 paints the pixels dragged over; the stroke is undone as one step
        form->findChild<QAction*>("StetecAction")->trigger();
        QTest::mousePress(form->KorunyImage, Qt::LeftButton, {}, at(0, 0));
        QMouseEvent drag(QEvent::MouseMove, at(0, 2), form->KorunyImage->mapToGlobal(at(0, 2)), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(form->KorunyImage, &drag);
        QTest::mouseRelease(form->KorunyImage, Qt::LeftButton, {}, at(0, 2));
        QCOMPARE(std::count(form->Trees().Values.begin(), form->Trees().Values.end(), form->Trees().Values[0]), 3);
        form->ZpetAction->trigger();
        QCOMPARE(form->Trees().Values, Trees("112233/112233/445566/445566").Values);
        click("SmazatAction", 2, 0);
        click("SloucitAction", 0, 3);
        click(nullptr, 5, 3);
        QCOMPARE(form->Trees().Values[23], 4);
        click("VyberAction", 1, 1);
        const std::vector<uint8_t>& plot = form->SpektrumImage->Picture().Bytes();
        QVERIFY(std::search(plot.begin(), plot.end(), kRed, kRed + 3) != plot.end());
        form->ZpetAction->trigger();
        QVERIFY(form->Modified());

        f.dialogs.answers = {f.dir.File("fixed.dat")};
        form->UlozitAction->trigger();
        QCOMPARE(ReadTreeMatrix(f.dir.File("fixed.dat")).Values, Trees("11..22/11..22/334455/334455").Values);
        f.dialogs.answers = {f.dir.File("spectra")};  // too few bands: once read past the cube
        form->SpektraAction->trigger();
        QVERIFY(f.LastMessage().find("alespoň 43 bandů, výřez jich má 40") != std::string::npos);
        QVERIFY(f.Load(PatternCube(65, 4, 6)));
        f.dialogs.answers = {f.dir.File("spectra")};  // the table of the saved matrix, as the batch tool makes it
        form->SpektraAction->trigger();
        const TTreeMatrix saved = ReadTreeMatrix(f.dir.File("fixed.dat"));
        WriteCrownSpectra(f.dir.File("expected.csv"), CrownSpectra(f.app->Data.Cube, saved), 65);
        QCOMPARE(ReadSmallFile(f.dir.File("spectra.csv"), 1 << 20), ReadSmallFile(f.dir.File("expected.csv"), 1 << 20));
        QVERIFY(form->MayClose());
        form->ZnovuAction->trigger();
        form->ZpetAction->trigger();
        QVERIFY(!form->Modified());  // back at the saved matrix
        form->ZnovuAction->trigger();
        f.reporter.answers = {false};
        QVERIFY(!form->close());  // unsaved edits, and the user keeps them

        const std::vector<int32_t> before = form->Trees().Values;  // Return closes a polygon being drawn
        click("MnohouhelnikAction", 0, 0);
        const QImage oneCorner = form->KorunyImage->grab().toImage();
        click(nullptr, 3, 0);
        QVERIFY(form->KorunyImage->grab().toImage() != oneCorner);  // each side shows as it is drawn
        click(nullptr, 3, 3);
        QTest::keyClick(form, Qt::Key_Return);
        QVERIFY(form->Trees().Values != before);
        form->CanvasMoved(5, 3, {});  // a crown under the pointer is told with its mean brightness
        const QString told = form->StatusLine->text();
        QVERIFY2(told.contains(QStringLiteral("průměrný jas ")) && !told.contains('-'), qPrintable(told));
        form->CanvasMoved(11, -1, {});  // above the matrix: no crown, though the row before holds one
        QVERIFY(form->StatusLine->text().isEmpty());
    }

    void crownsAreOutlinedInYellowOverTheBackgroundAndNetworkPixelsGrey()
    {
        Bitmap background(4, 4);
        background.Fill(10, 20, 30);  // blue, green, red
        QImage image;
        gui::PaintCrowns(image, background, Trees("111./111./111./...#"), 0);
        QCOMPARE(image.pixel(3, 0), qRgb(30, 20, 10));
        QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 0));
        QCOMPARE(image.pixel(1, 1), qRgb(91, 66, 108));  // half the picture, half crown 1's colour (152, 112, 206)
        QCOMPARE(image.pixel(3, 3), qRgb(64, 64, 64));
    }
};

QTEST_MAIN(UpravyKorunFormTest)
#include "test_upravy_korun_form.moc"
