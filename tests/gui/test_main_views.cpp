#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "data/cutout_file.h"
#include "data/program_paths.h"
#include "gui_fixture.h"
#include "imaging/bmp_file.h"
#include "imaging/detail.h"
#include "main_form.h"
#include "picture_view.h"
#include "sample_data.h"
#include "imaging/band_map.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

const std::string kNoCutout = "Nejprve nahrajte datový výřez.";

// A cut-out whose value at band b, row r, column c (0-based) is f(b, r, c).
template <typename F>
std::string WriteCube(const GuiFixture& f, const std::string& name, int bands, int rows, int columns, F value)
{
    TData cube;
    cube.NBands = bands;
    cube.NRows = rows;
    cube.NColumns = columns;
    for (int b = 0; b < bands; ++b)
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) cube.Values.push_back(static_cast<int16_t>(value(b, r, c)));
    const std::string path = f.dir.File(name);
    WriteCutout(path, cube);
    return path;
}

int16_t Sample(int b, int r, int c) { return static_cast<int16_t>((b * 37 + r * 11 + c * 5) % 3000 - 10); }

std::size_t Count(const RecordingReporter& r, const std::string& text)
{
    std::size_t n = 0;
    for (const auto& m : r.messages) n += m.text == text;
    return n;
}

}  // namespace

class MainViewsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    void beforeLoadingTheViewsOnlySayWhatIsMissing()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        const Bitmap plot = main->SpektrumImage->Picture();
        const Bitmap detail = main->DetailImage->Picture();

        main->XSpin->setValue(5);
        main->BandSpin->setValue(7);
        main->SpektrumBtn->click();
        main->BandMapBtn->click();
        emit main->BandMapImage->MouseDown(5, 5, Qt::LeftButton);
        emit main->VzorImage->MouseDown(5, 5, Qt::RightButton);
        main->SavePictureBtn->click();

        QCOMPARE(Count(f.reporter, kNoCutout), std::size_t(7));
        QCOMPARE(f.reporter.messages.size(), std::size_t(7));
        QCOMPARE(f.reporter.messages.front().kind, std::string("information"));
        QCOMPARE(main->ValueLabel->text(), QString("Hodnota"));
        QVERIFY(main->SpektrumMemo->toPlainText().isEmpty());
        QCOMPARE(main->SpektrumImage->Picture(), plot);
        QVERIFY(main->BandMapImage->Picture().Empty());
        QCOMPARE(main->DetailImage->Picture(), detail);
        QCOMPARE(main->DetailLabel->text(), QString("N/A"));
        QVERIFY(f.dialogs.titles.empty());  // no save dialog
    }

    void spinsAreLimitedToTheLoadedCutout()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        main->XSpin->setValue(300);
        main->YSpin->setValue(250);
        QCOMPARE(main->XSpin->maximum(), 400);
        QCOMPARE(main->BandSpin->maximum(), 65);
        const std::size_t messages = f.reporter.messages.size();

        QVERIFY(main->LoadCutout(WriteCube(f, "small.dat", 10, 70, 80, Sample)));
        QCOMPARE(main->XSpin->maximum(), 80);
        QCOMPARE(main->YSpin->maximum(), 70);
        QCOMPARE(main->BandSpin->maximum(), 10);
        QCOMPARE(main->XSpin->minimum(), 1);
        QCOMPARE(main->XSpin->value(), 80);
        QCOMPARE(main->YSpin->value(), 70);
        QCOMPARE(main->BandSpin->value(), 10);
        // The clamped position is read once, inside the new cut-out.
        QCOMPARE(main->ValueLabel->text(), QString::number(Sample(9, 69, 79)));
        QCOMPARE(Count(f.reporter, kNoCutout), std::size_t(2));  // the two changes before loading
        QCOMPARE(f.reporter.messages.size(), messages + 1);      // then only the load message
        // The labels keep their texts.
        QCOMPARE(main->Label1->text(), QString::fromUtf8("číslo sloupce (1-400)"));
        QCOMPARE(main->Label2->text(), QString::fromUtf8("číslo řádku (1-400)"));
        QCOMPARE(main->Label3->text(), QString::fromUtf8("číslo bandu (1-65)"));

        main->XSpin->setValue(500);
        QCOMPARE(main->XSpin->value(), 80);

        // A larger cut-out raises the limits again; a failed load changes nothing.
        QVERIFY(main->LoadCutout(WriteCube(f, "big.dat", 65, 100, 120, Sample)));
        QCOMPARE(main->XSpin->maximum(), 120);
        QCOMPARE(main->BandSpin->maximum(), 65);
        WriteWords(f.dir.File("short.dat"), {2, 4, 4, 1});
        QVERIFY(!main->LoadCutout(f.dir.File("short.dat")));
        QCOMPARE(main->XSpin->maximum(), 120);
    }

    void anySpinShowsTheCellValue()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        QVERIFY(main->LoadCutout(WriteCube(f, "a.dat", 65, 3, 4, [](int b, int r, int c) {
            return b == 18 && r == 1 && c == 2 ? -12 : 1000 * (b % 4) + 100 * r + c;
        })));
        main->XSpin->setValue(3);
        main->YSpin->setValue(2);
        QCOMPARE(main->ValueLabel->text(), QString("-12"));  // band 19, the default
        main->BandSpin->setValue(20);
        QCOMPARE(main->ValueLabel->text(), QString("3102"));
        main->BandSpin->setValue(1);
        QCOMPARE(main->ValueLabel->text(), QString("102"));
    }

    void spectrumListAndAccumulatingPlot()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        // Column 1 holds 4000 in every band (a line along row 0), column 2 a slope.
        QVERIFY(main->LoadCutout(WriteCube(f, "a.dat", 65, 2, 2, [](int b, int r, int c) {
            return c == 0 ? 4000 : 500 + 40 * b + r;
        })));
        main->XSpin->setValue(2);
        main->YSpin->setValue(2);
        main->SpektrumBtn->click();
        QStringList lines = main->SpektrumMemo->toPlainText().split('\n');
        QCOMPARE(lines.size(), 65);
        QCOMPARE(lines.first(), QString("B1  501"));
        QCOMPARE(lines.last(), QString("B65  3061"));
        const Bitmap first = main->SpektrumImage->Picture();
        QCOMPARE(first.Width(), 545);
        QCOMPARE(first.Height(), 400);
        // Band 1 at X = 4: 501 x 0.1 = 50.1 -> Y 50, row 350.
        QVERIFY(IsBlack(first, 4, 350));
        const int firstCurve = CountBlack(first);
        QVERIFY(firstCurve > 0);

        main->XSpin->setValue(1);
        main->SpektrumBtn->click();
        lines = main->SpektrumMemo->toPlainText().split('\n');
        QCOMPARE(lines.size(), 65);  // replaced, not appended
        QCOMPARE(lines.first(), QString("B1  4000"));
        const Bitmap both = main->SpektrumImage->Picture();
        QVERIFY(IsBlack(both, 4, 350));  // the first curve stays
        QVERIFY(IsBlack(both, 4, 0));    // 4000 reaches the top row
        QVERIFY(IsBlack(both, 541, 0));
        QCOMPARE(CountBlack(both), firstCurve + (541 - 4 + 1));

        // "Smazat" removes both curves except what lies in row 0 or column 0.
        main->Button3->click();
        const Bitmap cleared = main->SpektrumImage->Picture();
        QCOMPARE(CountBlack(cleared), 541 - 4 + 1);
        for (int x = 4; x <= 541; ++x) QVERIFY(IsBlack(cleared, x, 0));
        QVERIFY(!IsBlack(cleared, 4, 350));
    }

    void bandMapOfTheChosenBand()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        QVERIFY(main->LoadCutout(WriteCube(f, "a.dat", 3, 2, 3, [](int b, int r, int c) {
            const int values[] = {1, 3, 510, 0, -7, 2};
            return b == 1 ? values[3 * r + c] : 9;
        })));
        main->BandSpin->setValue(2);
        main->BandMapBtn->click();
        const Bitmap& map = main->BandMapImage->Picture();
        QCOMPARE(map.Width(), 3);
        QCOMPARE(map.Height(), 2);
        const int expected[] = {0, 2, 255, 0, 0, 1};  // scale 0.5, ties to even; negative -> 0
        for (int i = 0; i < 6; ++i)
            for (int k = 0; k < 3; ++k) QCOMPARE(int(map.ScanLine(i / 3)[3 * (i % 3) + k]), expected[i]);
        QCOMPARE(main->BandMapImage->width(), 3);
        QCOMPARE(main->BandMapImage->height(), 2);
    }

    void clickShowsTheDetailOfTheClickedPicture()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        QVERIFY(main->LoadCutout(WriteCube(f, "a.dat", 65, 90, 100, Sample)));
        main->BandMapBtn->click();
        main->VzorImage->SetPicture(PatternPicture(100, 90));

        emit main->BandMapImage->MouseDown(5, 5, Qt::LeftButton);
        QCOMPARE(main->DetailLabel->text(), QString("0-60x0-60"));
        Bitmap expected;
        QVERIFY(ShowDetail(main->BandMapImage->Picture(), expected, 30, 30));
        QCOMPARE(main->DetailImage->Picture(), expected);

        // A real mouse press on the upper picture, any button.
        main->show();
        QTest::mouseClick(main->VzorImage, Qt::RightButton, {}, QPoint(70, 10));
        QCOMPARE(main->DetailLabel->text(), QString("40-100x0-60"));
        QVERIFY(ShowDetail(main->VzorImage->Picture(), expected, 70, 30));
        QCOMPARE(main->DetailImage->Picture(), expected);

        // Near the far edges the label states the range around the click while
        // the detail itself is moved inwards.
        emit main->VzorImage->MouseDown(99, 89, Qt::LeftButton);
        QCOMPARE(main->DetailLabel->text(), QString("69-129x59-119"));
        QVERIFY(ShowDetail(main->VzorImage->Picture(), expected, 69, 59));
        QCOMPARE(main->DetailImage->Picture(), expected);

        // A press on the detail itself does nothing.
        const std::size_t messages = f.reporter.messages.size();
        QTest::mouseClick(main->DetailImage, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(main->DetailImage->Picture(), expected);
        QCOMPARE(main->DetailLabel->text(), QString("69-129x59-119"));
        QCOMPARE(f.reporter.messages.size(), messages);
    }

    void pictureSmallerThanTheDetailIsReported()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        QVERIFY(main->LoadCutout(WriteCube(f, "a.dat", 65, 60, 100, Sample)));
        main->BandMapBtn->click();
        const Bitmap detail = main->DetailImage->Picture();
        emit main->BandMapImage->MouseDown(10, 10, Qt::LeftButton);
        QCOMPARE(f.reporter.messages.back().text,
                 std::string("Obrázek je menší než 61 x 61 bodů, detail nelze zobrazit."));
        QCOMPARE(main->DetailLabel->text(), QString("N/A"));
        QCOMPARE(main->DetailImage->Picture(), detail);
    }

    void savingTheLowerOrTheUpperPicture()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        QVERIFY(main->LoadCutout(WriteCube(f, "a.dat", 65, 70, 80, Sample)));
        main->BandMapBtn->click();
        main->VzorImage->SetPicture(PatternPicture(80, 70));
        std::filesystem::create_directories(f.dir.Path() / "obr");

        // "horní" unchecked: the lower picture; a name typed without extension gets ".bmp".
        QVERIFY(!main->SavePictureCheck->isChecked());
        f.dialogs.answers = {f.dir.File("obr/lower")};
        main->SavePictureBtn->click();
        QCOMPARE(f.dialogs.titles.back(), QString::fromUtf8("Uložit jako obrázek"));
        QCOMPARE(f.dialogs.initialDirs.back(), ProgramPath(f.app->Data.ProgramDir, "\\obr\\"));
        QCOMPARE(f.dialogs.initialDirs.back(), f.dir.File("obr/"));
        QCOMPARE(ReadBmp(f.dir.File("obr/lower.bmp")), main->BandMapImage->Picture());
        QCOMPARE(ReadBmp(f.dir.File("obr/lower.bmp")), MakeBandMap(f.app->Data.Cube, 19).Picture);

        // Checked: the upper picture; an existing file is overwritten without a question.
        main->SavePictureCheck->setChecked(true);
        f.dialogs.answers = {f.dir.File("obr/lower.bmp")};
        main->SavePictureBtn->click();
        QCOMPARE(ReadBmp(f.dir.File("obr/lower.bmp")), PatternPicture(80, 70));
        QVERIFY(main->SavePicture(f.dir.File("obr/upper.bmp")));
        QCOMPARE(ReadBmp(f.dir.File("obr/upper.bmp")), PatternPicture(80, 70));

        // Cancel writes nothing; a failed write is reported naming the file.
        const std::size_t messages = f.reporter.messages.size();
        f.dialogs.answers = {std::nullopt};
        main->SavePictureBtn->click();
        QCOMPARE(f.reporter.messages.size(), messages);
        f.dialogs.answers = {f.dir.File("no/such/folder/x.bmp")};
        main->SavePictureBtn->click();
        QCOMPARE(f.reporter.messages.back().kind, std::string("error"));
        QVERIFY(f.reporter.messages.back().text.find("x.bmp") != std::string::npos);
        QVERIFY(!std::filesystem::exists(f.dir.File("no")));
    }
};

QTEST_MAIN(MainViewsTest)
#include "test_main_views.moc"
