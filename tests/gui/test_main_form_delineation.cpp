#include "crowns/crown_outlines.h"
#include "crowns/scale_delineation.h"
#include "data/program_paths.h"
#include "gui_fixture.h"
#include "imaging/true_colour.h"
#include "spectral/spectral_library.h"
#include "stand/stand_materials.h"
#include "stand/synthetic_stand.h"

using namespace lumera;
using namespace lumera::testing;

class MainFormDelineationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    void outlinesOverTrueColourAndTheMatrixSavedWhenAsked()
    {
        GuiFixture f;
        const StandMaterials materials = MaterialsFromLibrary(BuiltinSpectralLibrary(), InitBandTable());
        const SyntheticStand stand = MakeSyntheticStand({2, 120, 100, 20}, materials);
        QVERIFY(f.Load(stand.Cube));
        auto* m = f.app->MainForm.get();

        f.reporter.answers = {true, false};
        f.dialogs.answers = {f.dir.File("koruny.dat")};
        m->Automatickvymezenkorun1->trigger();
        const Delineation expected = DelineateCutout(stand.Cube, nullptr, {});
        QVERIFY(!expected.Tops.empty());
        Bitmap overlay = TrueColourComposite(stand.Cube);
        DrawCrownOutlines(overlay, expected.Trees);
        QCOMPARE(m->VzorImage->Picture(), overlay);
        QCOMPARE(f.reporter.messages.back().kind, std::string("confirm"));
        QVERIFY(f.LastMessage().find("Vymezeno korun: " + std::to_string(expected.Tops.size()) + " (") == 0);
        QCOMPARE(f.dialogs.initialDirs.back(), ProgramPath(f.app->Data.ProgramDir, "\\data\\vystup"));
        QCOMPARE(ReadTreeMatrix(f.dir.File("koruny.dat")).Values, expected.Trees.Values);

        // Answered No: nothing asked, nothing written.
        const std::size_t dialogs = f.dialogs.initialDirs.size();
        m->Automatickvymezenkorun1->trigger();
        QCOMPARE(f.dialogs.initialDirs.size(), dialogs);

        QVERIFY(!m->SaveDelineatedTrees(f.dir.File("missing/folder/k.dat")));
        QCOMPARE(f.reporter.messages.back().kind, std::string("error"));
    }

    void withoutACutOutOrWithTooFewBandsOnlySaysSo()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        m->Automatickvymezenkorun1->trigger();
        QCOMPARE(f.LastMessage(), std::string("Nejprve nahrajte datový výřez."));
        QVERIFY(f.Load(MakeCube(40, 20, 20, 100)));
        m->Automatickvymezenkorun1->trigger();
        QCOMPARE(f.LastMessage(), *DelineationRefusal(f.app->Data.Cube));
        QVERIFY(f.dialogs.initialDirs.empty());
    }
};

QTEST_MAIN(MainFormDelineationTest)
#include "test_main_form_delineation.moc"
