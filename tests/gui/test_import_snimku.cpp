#include <filesystem>

#include "gui_fixture.h"
#include "import_dialog.h"
#include "scene_files.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// A 6 x 5 reflectance scene, 130 bands from 380 nm, georeferenced; the value
// of a pixel is the same in every band.
std::string WriteSixByFive(const TempDir& dir)
{
    SceneRecipe recipe;
    recipe.Width = 6;
    recipe.Height = 5;
    recipe.Centres = Centres(380, 5, 130);
    recipe.Value = [](int, int x, int y) { return 0.01 * (x + 10 * y); };
    recipe.Transform = std::array<double, 6>{500000, 2, 0, 5500000, 0, -2};
    recipe.Epsg = 32633;
    WriteScene(dir.File("scene.img"), recipe);
    return dir.File("scene.img");
}

// Answers the window dialog once it is shown: the window given, or cancelled.
void AnswerImportDialog(std::optional<PixelRect> window, QString* shownSize = nullptr)
{
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<gui::TImportDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (shownSize) *shownSize = dialog->VelikostLabel->text();
        if (!window) {
            dialog->TlacitkaBox->button(QDialogButtonBox::Cancel)->click();
            return;
        }
        dialog->XSpin->setValue(window->X);
        dialog->YSpin->setValue(window->Y);
        dialog->SirkaSpin->setValue(window->Width);
        dialog->VyskaSpin->setValue(window->Height);
        dialog->TlacitkaBox->button(QDialogButtonBox::Ok)->click();
    });
}

}  // namespace

class ImportSnimkuTest : public QObject {
    Q_OBJECT
private slots:
    void theChosenWindowBecomesACutOutInTheCutOutFolderAndIsLoaded()
    {
        GuiFixture f;
        const std::string scene = WriteSixByFive(f.dir);
        auto* main = f.app->MainForm.get();
        QCOMPARE(main->Importsnmku1->text(), QStringLiteral("Import snímku…"));
        f.dialogs.answers = {scene};
        QString shownSize;
        AnswerImportDialog(PixelRect{2, 1, 4, 3}, &shownSize);
        main->Importsnmku1->trigger();
        QCOMPARE(f.dialogs.initialDirs.back(), f.dir.File("data/"));
        QCOMPARE(shownSize, QStringLiteral("Snímek: 6 x 5 pixelů, 130 bandů"));

        const TData& cube = f.app->Data.Cube;
        QCOMPARE(std::make_tuple(cube.NBands, cube.NRows, cube.NColumns), std::make_tuple(65, 3, 4));
        QCOMPARE(cube.At(0, 0, 0), int16_t(1200));  // scene pixel (2, 1): 0.12
        QCOMPARE(cube.At(64, 2, 3), int16_t(3500));  // scene pixel (5, 3): 0.35
        const std::string cutout = f.dir.File("data/vyrezy/scene_2_1_4x3.dat");
        QCOMPARE(main->SouborLabel->text().toStdString(), cutout);
        QVERIFY(std::filesystem::exists(cutout + ".geo.json"));
        QCOMPARE(main->BandMapImage->Picture(), Bitmap(4, 3));
        QCOMPARE(f.LastMessage(), std::string("Datový výřez načten ze souboru."));
    }

    void refusedCancelledOrUnreadableImportsChangeNothing()
    {
        GuiFixture f;
        const std::string scene = WriteSixByFive(f.dir);
        QVERIFY(f.Load(MakeCube(2, 2, 3, 7)));
        const auto values = f.app->Data.Cube.Values;
        const QString label = f.app->MainForm->SouborLabel->text();
        auto* main = f.app->MainForm.get();

        QVERIFY(!main->ImportSceneWindow(scene, {3, 0, 4, 5}, false));
        QVERIFY(f.LastMessage().find("neleží celé uvnitř") != std::string::npos);
        const std::size_t messages = f.reporter.messages.size();
        f.dialogs.answers = {scene, std::nullopt};
        AnswerImportDialog(std::nullopt);
        main->Importsnmku1->trigger();  // window dialog cancelled
        main->Importsnmku1->trigger();  // file dialog cancelled
        QCOMPARE(f.reporter.messages.size(), messages);
        f.dialogs.answers = {f.dir.File("cut.dat.none")};
        main->Importsnmku1->trigger();
        QCOMPARE(f.reporter.messages.back().kind, std::string("error"));
        QVERIFY(f.LastMessage().find("cut.dat.none") != std::string::npos);

        QCOMPARE(f.app->Data.Cube.Values, values);
        QCOMPARE(main->SouborLabel->text(), label);
        QVERIFY(!std::filesystem::exists(f.dir.File("data/vyrezy")));
    }
};

QTEST_MAIN(ImportSnimkuTest)
#include "test_import_snimku.moc"
