#include <filesystem>
#include <fstream>

#include "cli_runner.h"
#include "gui_fixture.h"
#include "import_dialog.h"
#include "scene_files.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// A 6 x 5 scene whose pixel holds the same value in every band.
std::string WriteSixByFive(const TempDir& dir, bool withWavelengths = true)
{
    SceneRecipe recipe = UtmScene(6, 5, [](int, int x, int y) { return 0.01 * (x + 10 * y); });
    if (!withWavelengths) recipe.Style = SceneRecipe::Wavelengths::None;
    WriteScene(dir.File("scene.img"), recipe);
    return dir.File("scene.img");
}

// Answers the window dialog once it is shown: the window given, or cancelled;
// `fill` may set its other fields first.
void AnswerImportDialog(std::optional<PixelRect> window, std::function<void(gui::TImportDialog*)> fill = {})
{
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<gui::TImportDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (!window) {
            dialog->TlacitkaBox->button(QDialogButtonBox::Cancel)->click();
            return;
        }
        bool laidOut = true;  // not stacked in a corner; checked once the dialog is closed
        for (QWidget* field : {dialog->XSpin, dialog->YSpin, dialog->SirkaSpin, dialog->VyskaSpin})
            laidOut = laidOut && dialog->layout()->indexOf(field) >= 0;
        // The test scenes are smaller than a window: each is offered whole.
        const bool whole = dialog->SirkaSpin->value() == dialog->XSpin->maximum() + 1 &&
                           dialog->VyskaSpin->value() == dialog->YSpin->maximum() + 1;
        dialog->XSpin->setValue(window->X);
        dialog->YSpin->setValue(window->Y);
        dialog->SirkaSpin->setValue(window->Width);
        dialog->VyskaSpin->setValue(window->Height);
        if (fill) fill(dialog);
        dialog->TlacitkaBox->button(QDialogButtonBox::Ok)->click();
        QVERIFY(laidOut && whole);
    });
}

// The scene's centres in nanometres, one a line under the unit.
std::string WriteWavelengthFile(const TempDir& dir)
{
    std::ofstream list(dir.File("wl.txt"));
    list << "nm\n";
    for (double c : Centres(380, 5, 130)) list << c << '\n';
    return dir.File("wl.txt");
}

// The cut-out the batch tool writes for the same scene and window.
std::string BatchCutout(const TempDir& dir, const std::string& scene, const std::string& options)
{
    const CliResult r = RunCli(Expand(dir, "import " + scene + " --window 1,2,3,2 " + options + " -o @batch.dat"));
    if (r.exitCode != 0) return "exit " + std::to_string(r.exitCode) + ": " + r.err;
    return ReadAll(dir.File("batch.dat"));
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
        f.dialogs.answers = {scene};
        AnswerImportDialog(PixelRect{2, 1, 4, 3});
        const std::size_t said = f.reporter.messages.size();
        main->Importsnmku1->trigger();
        QCOMPARE(f.reporter.messages.size(), said + 1);  // that it loaded; no notes

        const std::string cutout = f.dir.File("data/vyrezy/scene_2_1_4x3.dat");
        QCOMPARE(main->SouborLabel->text().toStdString(), cutout);
        QVERIFY(std::filesystem::exists(cutout + ".geo.json"));
    }

    void cancelledImportsChangeNothing()
    {
        GuiFixture f;
        const std::string scene = WriteSixByFive(f.dir);
        QVERIFY(f.Load(MakeCube(2, 2, 3, 7)));
        const auto values = f.app->Data.Cube.Values;
        const QString label = f.app->MainForm->SouborLabel->text();
        auto* main = f.app->MainForm.get();
        const std::size_t messages = f.reporter.messages.size();
        f.dialogs.answers = {scene, std::nullopt};
        AnswerImportDialog(std::nullopt);
        main->Importsnmku1->trigger();  // window dialog cancelled
        main->Importsnmku1->trigger();  // file dialog cancelled
        QCOMPARE(f.reporter.messages.size(), messages);

        QCOMPARE(f.app->Data.Cube.Values, values);
        QCOMPARE(main->SouborLabel->text(), label);
        QVERIFY(!std::filesystem::exists(f.dir.File("data/vyrezy")));
    }

    void aWavelengthFileAndAScaleGiveTheBatchToolsCutOut()
    {
        GuiFixture f;
        const std::string scene = WriteSixByFive(f.dir, false);
        const std::string wavelengths = WriteWavelengthFile(f.dir);
        auto* main = f.app->MainForm.get();
        const std::string cutout = f.dir.File("data/vyrezy/scene_1_2_3x2.dat");

        // The file chosen through the dialog's "…" button.
        f.dialogs.answers = {scene, wavelengths};
        AnswerImportDialog(PixelRect{1, 2, 3, 2}, [](gui::TImportDialog* d) { d->VlnoveDelkyBtn->click(); });
        main->Importsnmku1->trigger();
        QCOMPARE(ReadAll(cutout), BatchCutout(f.dir, scene, "--wavelengths " + Quote(wavelengths)));

        // A comma as the decimal separator, as Czech settings write it.
        QVERIFY(main->ImportSceneWindow(scene, {1, 2, 3, 2}, wavelengths, " 5000,5 ", false));
        QCOMPARE(f.app->Data.Cube.At(0, 0, 0), int16_t(1050));  // scene pixel (1, 2): 0.21
        QCOMPARE(ReadAll(cutout),
                 BatchCutout(f.dir, scene, "--wavelengths " + Quote(wavelengths) + " --scale 5000.5"));
    }

};

QTEST_MAIN(ImportSnimkuTest)
#include "test_import_snimku.moc"
