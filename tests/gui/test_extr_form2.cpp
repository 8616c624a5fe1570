#include <cmath>

#include "extrema/extrema_file.h"
#include "cli_runner.h"
#include "gui_fixture.h"
#include "imaging/picture_tools.h"
#include "radio_group.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

const uint8_t* Pixel(const Bitmap& b, int x, int y) { return b.ScanLine(y) + 3 * x; }

QPushButton* Button(QWidget* form, const char* name) { return form->findChild<QPushButton*>(name); }

// Crowns as bright round blobs around their tops, dark gaps between them.
Bitmap StandPicture(int side, const TExtremaList& tops)
{
    return GreyPicture(side, side, [&](int x, int y) {
        double level = 0;
        for (const TExtremum& top : tops) {
            const double d2 = double(x - top.X) * (x - top.X) + double(y - top.Y) * (y - top.Y);
            level = std::max(level, 250.0 * std::exp(-d2 / 200.0));
        }
        return level;
    });
}

const TExtremaList kTops = {{18, 20}, {55, 16}, {22, 58}, {60, 60}, {40, 38}};

// The maxima file and the stand picture in the left picture, as a user starts.
void StartStand(GuiFixture& f, gui::TExtrForm2* form)
{
    WriteExtremaFile(f.dir.File("max.txt"), kTops);
    WriteBmp(f.dir.File("stand.bmp"), StandPicture(80, kTops));
    f.dialogs.answers = {f.dir.File("max.txt"), f.dir.File("stand.bmp")};
    form->LoadMaxBtn->click();
    form->LoadPodkladBtn->click();
    form->ShowPodkladBtn->click();
}

// "Nastavit" with edge 3, then "Normovat".
void SetBoxFilter(gui::TExtrForm2* form)
{
    form->findChild<QSpinBox*>("HranaFiltru")->setValue(3);
    Button(form, "HranaBtn")->click();
    Button(form, "NormBtn")->click();
}

}  // namespace

class ExtrForm2Test : public QObject {
    Q_OBJECT
private slots:
    void listsLoadSaveAndPaintOnlyInsideTheChosenPicture()
    {
        GuiFixture f;
        auto* form = f.app->ExtrForm2.get();
        form->LoadMaxBtn->click();  // cancelled: enables anyway
        QVERIFY(form->ShowMaxBtn->isEnabled() && !form->ShowMinBtn->isEnabled());

        const TExtremaList points = {{3, 4}, {399, 0}, {400, 5}, {-1, 2}, {7, 400}};
        WriteExtremaFile(f.dir.File("max.txt"), points);
        WriteExtremaFile(f.dir.File("gap.txt"), {{3, 4}});
        f.dialogs.answers = {f.dir.File("gap.txt"), f.dir.File("min.txt")};
        form->LoadMinBtn->click();
        form->SaveMinBtn->click();
        QCOMPARE(ReadAll(f.dir.File("min.txt")), ReadAll(f.dir.File("gap.txt")));
        QVERIFY(form->LoadMaxima(f.dir.File("max.txt")));
        QCOMPARE(form->State.MaxPoints, points);

        form->ShowKam->SetItemIndex(1);
        form->ShowMaxBtn->click();
        QCOMPARE(form->VstupImage->Picture(), Bitmap(400, 400));
        const Bitmap& right = form->ZpracovaneImage->Picture();
        QCOMPARE(Pixel(right, 399, 0)[2], uint8_t(255));
        form->ShowMinBtn->click();  // over the maxima, the last list's colour wins
        QVERIFY(Pixel(right, 3, 4)[0] == 255 && Pixel(right, 3, 4)[2] == 0 && Pixel(right, 399, 0)[2] == 255);
    }

    void backgroundAndPictureToolsWorkOnTheCommonArea()
    {
        GuiFixture f;
        auto* form = f.app->ExtrForm2.get();
        WriteBmp(f.dir.File("small.bmp"), PatternPicture(200, 300, 2));
        f.dialogs.answers = {f.dir.File("small.bmp")};
        form->LoadPodkladBtn->click();

        // Into the right picture: the left one takes its size, nothing to filter yet.
        form->VstupImage->SetPicture(PatternPicture(400, 400, 1));
        form->ShowKam->SetItemIndex(1);
        form->ShowPodkladBtn->click();
        QCOMPARE(form->ZpracovaneImage->Picture(), PatternPicture(200, 300, 2));
        QCOMPARE(form->VstupImage->Picture().Height(), 300);
        QVERIFY(!form->FiltrovatBtn->isEnabled());

        // "+->" with a 400 x 400 left and a 200 x 300 right picture.
        form->VstupImage->SetPicture(PatternPicture(400, 400, 1));
        form->doRplusLBtn->click();
        Bitmap sum = PatternPicture(200, 300, 2);
        AddPicture(PatternPicture(400, 400, 1), sum);
        QCOMPARE(form->ZpracovaneImage->Picture(), sum);  // the common area only, the size kept
        form->doLplusRBtn->click();  // the larger target keeps what lies outside the smaller one
        QCOMPARE(form->VstupImage->Picture().Width(), 400);
        QCOMPARE(Pixel(form->VstupImage->Picture(), 300, 350)[1], Pixel(PatternPicture(400, 400, 1), 300, 350)[1]);

        // Into the left picture: the filter may run on it.
        form->ShowKam->SetItemIndex(0);
        form->ShowPodkladBtn->click();
        QCOMPARE(form->VstupImage->Picture(), PatternPicture(200, 300, 2));
        QVERIFY(form->FiltrovatBtn->isEnabled());
    }

    void theTreesAreShownOnlyOnceComputed()
    {
        GuiFixture f;
        auto* form = f.app->ExtrForm2.get();
        QVERIFY(!form->SaveTreeMatrix(f.dir.File("none.dat")));
        QVERIFY(!std::filesystem::exists(f.dir.File("none.dat")));

        f.reporter.answers = {false};
        form->StromyGoBtn->click();
        QCOMPARE(f.reporter.messages.back().kind, std::string("confirm"));
        QVERIFY(!form->State.TreeMatrix);

        // Pictures of different sizes: the barriers come from where the right one reaches.
        form->VstupImage->SetPicture(StandPicture(80, kTops));
        form->ZpracovaneImage->SetPicture(Bitmap(30, 90));
        form->State.MaxPoints = kTops;
        form->StromyGoBtn->click();
        QVERIFY(form->State.TreeMatrix);
        QCOMPARE(form->State.TreeMatrix->Width, 80);
        form->StromyShowBtn->click();
        QCOMPARE(form->ZpracovaneImage->Picture().Width(), 30);
    }

    void theWholeChainInTheWindowGivesTheBatchToolsTreeMatrix()
    {
        GuiFixture f;
        auto* form = f.app->ExtrForm2.get();
        StartStand(f, form);
        form->VoroPocitatBtn->click();
        form->ShowKam->SetItemIndex(1);
        SetBoxFilter(form);
        form->FiltrovatBtn->click();
        QVERIFY(!form->PresunyBtn->isEnabled());  // the moves wait for the normals too
        form->VoroHraniceBtn->click();
        form->SousediBtn->click();
        form->SmeryBtn->click();
        QVERIFY(form->PresunyBtn->isEnabled());
        form->PresunyBtn->click();
        form->PropojitBtn->click();
        const Bitmap firstConnection = form->ZpracovaneImage->Picture();

        // One cycle under "Iterativně" moves the network further.
        form->HraniceObrazBtn->click();
        form->SousediBtn->click();
        form->SmeryBtn->click();
        form->MaxPresunuSpin->setValue(2);
        form->PresunyIterBtn->click();
        form->PropojitBtn->click();
        QVERIFY(form->ZpracovaneImage->Picture() != firstConnection);
        form->StromyGoBtn->click();
        f.dialogs.answers = {f.dir.File("window.dat")};
        form->SaveDataBtn->click();
        const CliResult cli = RunCli(Expand(f.dir, "crowns --maxima @max.txt --background @stand.bmp --equalized @stand.bmp"
                                                   " --filter box:3 --cycles 1 --cycle-moves 2 -o @cli.dat"));
        QCOMPARE(cli.exitCode, 0);
        QCOMPARE(ReadAll(f.dir.File("cli.dat")), ReadAll(f.dir.File("window.dat")));
        const TTreeMatrix trees = ReadTreeMatrix(f.dir.File("window.dat"));
        int grown = 0;
        for (int32_t v : trees.Values) grown += v > 0;
        QVERIFY(grown > 80 * 80 / 4);  // the stand's crowns, not an empty matrix

        // New boundaries drop the normals; "Přesuny" stays enabled, and chain
        // points without normals do not walk (nor hang).
        form->VoroHraniceBtn->click();
        form->SousediBtn->click();
        form->PresunyBtn->click();
        const TNetwork& network = form->State.BoundaryPoints;
        for (std::size_t i = 0; i < network.size(); ++i)
            if (network[i].NeighbourCount == 2)
                QVERIFY(form->State.MovedPoints[i].X == network[i].X && form->State.MovedPoints[i].Y == network[i].Y);
    }
};

QTEST_MAIN(ExtrForm2Test)
#include "test_extr_form2.moc"
