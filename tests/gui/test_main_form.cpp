#include <algorithm>
#include <filesystem>

#include "crowns/crown_outlines.h"
#include "crowns/crown_reflectance.h"
#include "crowns/scale_delineation.h"
#include "data/number_format.h"
#include "enhance/equalization.h"
#include "gui_fixture.h"
#include "imaging/band_map.h"
#include "imaging/pixel_bands.h"
#include "imaging/true_colour.h"
#include "analysis/masking.h"
#include "analysis/reference_library.h"
#include "stand/stand_materials.h"
#include "stand/synthetic_stand.h"
#include "upravy_korun_form.h"

using namespace lumera;
using namespace lumera::testing;

class MainFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    void aCutOutLoadsThroughTheMenuAndACloseQueryAnsweredNoKeepsIt()
    {
        GuiFixture f;
        WriteWords(f.dir.File("a.dat"), {1, 2, 3, 10, 20, 30, 40, 50, 60});
        auto* main = f.app->MainForm.get();
        f.dialogs.answers = {f.dir.File("a.dat")};
        main->Nahrvn1->trigger();
        QCOMPARE(main->BandMapImage->Picture(), Bitmap(3, 2));
        const auto values = f.app->Data.Cube.Values;

        main->show();
        f.reporter.answers = {false};
        QVERIFY(!main->close());
        QCOMPARE(f.LastMessage(), std::string("Opravdu chcete skončit?"));
        QCOMPARE(f.app->Data.Cube.Values, values);
    }

    void spinsBandAndSpectrumFollowTheCutout()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        main->XSpin->setValue(300);
        main->YSpin->setValue(250);
        const TData cube = PatternCube(65, 90, 100);
        QVERIFY(f.Load(cube));
        QCOMPARE(main->XSpin->maximum(), 100);
        QCOMPARE(main->ValueLabel->text(), QString::number(cube.Values[(18 * 90 + 89) * 100 + 99]));  // band 19
        main->XSpin->setValue(1);
        QCOMPARE(main->ValueLabel->text(), QString::number(cube.Values[(18 * 90 + 89) * 100]));  // the first column
        main->BandSpin->setValue(2);
        main->BandMapBtn->click();
        QCOMPARE(main->BandMapImage->Picture(), MakeBandMap(cube, 2).Picture);

        main->SpektrumBtn->click();
        QCOMPARE(main->SpektrumMemo->toPlainText().split('\n').size(), 65);
    }

    // A click magnifies the place in the pictures of its window that show
    // one (a press on the main window's detail itself does nothing); each
    // window labels the place its own way.
    void aClickMagnifiesThePlaceInThePicturesOfItsWindow()
    {
        GuiFixture f;
        auto& app = *f.app;
        QVERIFY(f.Load(PatternCube(65, 90, 100)));
        app.MainForm->BandMapBtn->click();
        app.MainForm->TrueColorBtn->click();
        QCOMPARE(app.MainForm->VzorImage->Picture(), TrueColourComposite(app.Data.Cube));
        WriteBmp(f.dir.File("a.bmp"), PatternPicture(120, 100));
        QVERIFY(app.EkvalizaceForm->LoadPicture(f.dir.File("a.bmp")));
        app.EkvalizaceForm->StupidBtn->click();
        for (int n : {1, 2, 4}) {  // slot 3 stays empty
            WriteBmp(f.dir.File("p.bmp"), PatternPicture(100 * n, 100 * n, n));
            QVERIFY(app.VyslForm->LoadPicture(n, f.dir.File("p.bmp")));
        }
        WriteBmp(f.dir.File("s.bmp"), PatternPicture(400, 400));
        QVERIFY(app.ExtrForm->LoadSource(f.dir.File("s.bmp")));
        app.ExtrForm2->VstupImage->SetPicture(PatternPicture(400, 400, 1));
        app.ExtrForm2->ZpracovaneImage->SetPicture(PatternPicture(400, 400, 3));

        struct Magnified {
            gui::PictureView* detail;
            gui::PictureView* source;  // none: left blank
            int x, y;
        };
        auto* m = app.MainForm.get();
        auto* e = app.EkvalizaceForm.get();
        auto* v = app.VyslForm.get();
        auto* x = app.ExtrForm.get();
        auto* x2 = app.ExtrForm2.get();
        const struct {
            QLabel* label;
            gui::PictureView* on;
            QPoint at;
            Qt::MouseButton button;
            const char* place;
            std::vector<Magnified> shown;
        } clicks[] = {
            {m->DetailLabel, m->BandMapImage, {5, 5}, Qt::LeftButton, "0-60x0-60", {{m->DetailImage, m->BandMapImage, 30, 30}}},
            {m->DetailLabel, m->VzorImage, {70, 10}, Qt::RightButton, "40-100x0-60", {{m->DetailImage, m->VzorImage, 70, 30}}},
            {m->DetailLabel, m->DetailImage, {10, 10}, Qt::LeftButton, "40-100x0-60", {{m->DetailImage, m->VzorImage, 70, 30}}},
            {e->DetailLabel, e->VstupImage, {10, 80}, Qt::RightButton, "0-60x50-110",
             {{e->DetailImage1, e->ZpracovaneImage, 30, 80}, {e->DetailImage2, e->VstupImage, 30, 80}}},
            {v->DetailLabel, v->Image2, {190, 150}, Qt::LeftButton, "160-220x120-180",
             {{v->DetailImage1, v->Image1, 190, 150}, {v->DetailImage2, v->Image2, 190, 150},
              {v->DetailImage3, nullptr, 0, 0}, {v->DetailImage4, v->Image4, 190, 150}}},
            {x->DetailLabel, x->VstupImage, {100, 100}, Qt::LeftButton, "N/A", {}},
            {x->DetailLabel, x->ZpracovaneImage, {5, 5}, Qt::RightButton, "0-60x0-60", {{x->DetailImage1, x->VstupImage, 30, 30}}},
            {x->DetailLabel, x->ZpracovaneImage, {200, 300}, Qt::LeftButton, "170-230x270-330",
             {{x->DetailImage1, x->VstupImage, 200, 300}, {x->DetailImage2, x->ZpracovaneImage, 200, 300}}},
            {x2->DetailLabel, x2->VstupImage, {100, 10}, Qt::LeftButton, "70-130x0-60",
             {{x2->DetailImage1, x2->VstupImage, 100, 30}, {x2->DetailImage2, x2->ZpracovaneImage, 100, 30}}},
            {x2->DetailLabel, x2->ZpracovaneImage, {5, 5}, Qt::RightButton, "(5,5)",
             {{x2->DetailImage1, x2->VstupImage, 5, 5}, {x2->DetailImage2, x2->ZpracovaneImage, 5, 5}}},
        };
        for (const auto& c : clicks) {
            c.on->window()->resize(1600, 960);  // room for the pictures at their full size
            c.on->window()->show();
            QVERIFY(QTest::qWaitForWindowExposed(c.on->window()));
            QTest::mouseClick(c.on, c.button, {}, OnScreen(c.on, c.at));
            QCOMPARE(c.label->text(), QString(c.place));
            for (const Magnified& d : c.shown)
                QCOMPARE(d.detail->Picture(), d.source ? DetailOf(d.source->Picture(), d.x, d.y) : Bitmap(241, 241));
        }
    }

    void savingTheLowerOrTheUpperPicture()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        QVERIFY(f.Load(PatternCube(65, 70, 80)));
        main->BandMapBtn->click();
        main->VzorImage->SetPicture(PatternPicture(80, 70));
        std::filesystem::create_directories(f.dir.Path() / "obr");
        f.dialogs.answers = {f.dir.File("obr/lower")};
        main->SavePictureBtn->click();
        QCOMPARE(ReadBmp(f.dir.File("obr/lower.bmp")), main->BandMapImage->Picture());

        // "horní" checked: the upper picture, over the existing file without a question.
        main->SavePictureCheck->setChecked(true);
        f.dialogs.answers = {f.dir.File("obr/lower.bmp")};
        main->SavePictureBtn->click();
        QCOMPARE(ReadBmp(f.dir.File("obr/lower.bmp")), PatternPicture(80, 70));
    }

    void outlinesOverTrueColourAndTheMatrixSavedWhenAsked()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        QVERIFY(f.Load(MakeCube(40, 20, 20, 100)));  // too few bands: refused before a file is asked for
        m->Automatickvymezenkorun1->trigger();
        QCOMPARE(f.LastMessage(), *DelineationRefusal(f.app->Data.Cube));
        QVERIFY(f.dialogs.initialDirs.empty());

        const StandMaterials materials = MaterialsFromLibrary(BuiltinSpectralLibrary(), InitBandTable());
        const SyntheticStand stand = MakeSyntheticStand({2, 120, 100, 20}, materials);
        QVERIFY(f.Load(stand.Cube));

        f.reporter.answers = {true, false};
        f.dialogs.answers = {f.dir.File("koruny.dat")};
        m->Automatickvymezenkorun1->trigger();
        const Delineation expected = DelineateCutout(stand.Cube, nullptr, {});
        Bitmap overlay = TrueColourComposite(stand.Cube);
        DrawCrownOutlines(overlay, expected.Trees);
        QCOMPARE(m->VzorImage->Picture(), overlay);
        QCOMPARE(f.reporter.messages.back().kind, std::string("confirm"));
        QVERIFY(f.LastMessage().find("Vymezeno korun: " + std::to_string(expected.Tops.size()) + " (") == 0);
        QCOMPARE(ReadTreeMatrix(f.dir.File("koruny.dat")).Values, expected.Trees.Values);

        // A crown's pixel plots its own spectrum (rows and columns counted from 1) and the crown's mean.
        const TExtremum top = expected.Tops.front();
        Bitmap plot = m->SpektrumImage->Picture();
        DrawSpectrum(plot, stand.Cube, f.app->Data.BandTable, top.X + 1, top.Y + 1);
        DrawSpectrumValues(plot, CrownMeanSpectrum(stand.Cube, expected.Trees, expected.Trees.At(top.X, top.Y)),
                           f.app->Data.BandTable, kCrownSpectrumColour);
        QVERIFY(m->PlotCrownSpectrum(expected.Trees, top.X, top.Y));
        QCOMPARE(m->SpektrumImage->Picture(), plot);
        // "Smazat" leaves only what lies in the top row or the left column.
        Bitmap& drawn = m->SpektrumImage->Picture();
        std::fill_n(drawn.ScanLine(0), drawn.Bytes().size(), uint8_t(0));
        m->Button3->click();
        for (int y = 0; y < drawn.Height(); ++y) {
            const auto black = std::count(drawn.ScanLine(y), drawn.ScanLine(y) + 3 * drawn.Width(), 0);
            QCOMPARE(black, y == 0 ? 3 * drawn.Width() : 3);
        }
        m->Upravykorun1->trigger();  // the crown editor, empty so far, starts with them
        QCOMPARE(f.app->UpravyKorunForm->Trees().Values, expected.Trees.Values);

        // Answered No: nothing asked, nothing written.
        const std::size_t dialogs = f.dialogs.initialDirs.size();
        m->Automatickvymezenkorun1->trigger();
        QCOMPARE(f.dialogs.initialDirs.size(), dialogs);
    }

    void eachComparisonButtonOpensIntoItsOwnSlot()
    {
        GuiFixture f;
        auto* form = f.app->VyslForm.get();
        WriteBmp(f.dir.File("a.bmp"), PatternPicture(70, 70, 1));
        WriteBmp(f.dir.File("b.bmp"), PatternPicture(80, 80, 2));
        f.dialogs.answers = {f.dir.File("a.bmp"), f.dir.File("b.bmp"), std::nullopt, f.dir.File("b.bmp")};
        for (QPushButton* button : {form->Button3, form->Button2, form->Button1, form->Button4}) button->click();
        QVERIFY(form->Image3->Picture() == PatternPicture(70, 70, 1) && form->Image1->Picture().Empty());
        QVERIFY(form->Image2->Picture() == PatternPicture(80, 80, 2) && form->Image4->Picture() == form->Image2->Picture());
    }
    // The analyses paint what the core paints with the window's settings; a
    // refused run keeps the panel and the picture.
    void analysesFollowTheSettingsAndRefusedRunsKeepTheResults()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        const TData cube = RandomCube(65, 6, 5, 5);
        QVERIFY(f.Load(cube));
        m->NDVIBtn->click();
        const AnalysisResult ndvi = RunNdvi(cube, NdviSettings{});
        const QString header = m->VyslNadpisLabel->text();
        QCOMPARE(m->VyslMinLabel->text().toStdString(), FormatNumber(ndvi.Figures.Min, ','));
        QVERIFY(m->BandMapImage->Picture() == ndvi.Picture);
        for (const QLabel* figure : {m->VyslMinLabel, m->VyslMaxLabel, m->VyslDmezLabel, m->VyslHmezLabel})
            QVERIFY(figure->window() == m);  // each figure laid out in the window, none left out

        m->RedbSpin1->setValue(34);
        m->NDVIBtn->click();
        QCOMPARE(f.LastMessage(), std::string("Nesmyslný rozsah u RED a NIR."));
        m->Vaha2Combo->setCurrentIndex(15);
        m->Jehlice2Btn->click();
        QCOMPARE(f.LastMessage(), std::string("Použití vlastní váhové funkce bez jejího nastavení je nesmysl!"));
        QCOMPARE(m->VyslNadpisLabel->text(), header);
        QVERIFY(m->BandMapImage->Picture() == ndvi.Picture);

        m->RedbSpin1->setValue(31);  // back to the defaults the mask is computed with
        m->Vaha2Combo->setCurrentIndex(0);
        m->SpektraSpin->setValue(85);
        QCOMPARE(m->IndexSpin->value(), 15);  // the two shares make a hundred
        m->IndexSpin->setValue(35);
        m->Protivaha2Combo->setCurrentIndex(12);
        for (const auto& [choice, brightness] : {std::pair{1, MaskBrightness::Bands1To65}, {2, MaskBrightness::Band19}}) {
            m->AplikovatCombo->setCurrentIndex(choice);
            const std::size_t said = f.reporter.messages.size();
            m->MaskaBtn->click();
            QCOMPARE(f.reporter.messages.size(), said);
            const MaskSettings s{.Ndvi = {}, .Needle = {.CounterWeight = 12}, .IndexShare = 35, .SpectraShare = 65,
                                 .Brightness = brightness};
            Bitmap mask;
            RunMask(cube, f.app->Spectral, s, mask);
            QVERIFY(m->BandMapImage->Picture() == mask);
        }
    }

    void missingReferenceFilesAreNamedAndTheProgramStillOpens()
    {
        GuiFixture f(false);
        const QPlainTextEdit* bands = f.app->MainForm->Memo1;  // every band listed, the last too
        QCOMPARE(bands->blockCount(), 65);
        QVERIFY(bands->document()->lastBlock().text().startsWith("Band 65 "));
        QCOMPARE(f.reporter.messages.size(), std::size_t(2));
        QVERIFY(f.reporter.messages[0].text.find("RefSpE34.txt") != std::string::npos);
        QVERIFY(f.reporter.messages[1].text.find("AllRefSp.dat") != std::string::npos);
        QVERIFY(f.Load(RandomCube(65, 6, 5, 5)));
        f.app->MainForm->Jehlice2Btn->click();
        QVERIFY(f.LastMessage().find("AllRefSp.dat") != std::string::npos);
    }
    void theEqualizationLoadsEqualizesAndSavesRefusingAWindowThatDoesNotFit()
    {
        GuiFixture f;
        auto* form = f.app->EkvalizaceForm.get();
        const Bitmap picture = PatternPicture(70, 60);
        WriteBmp(f.dir.File("mask.bmp"), picture);
        f.dialogs.answers = {f.dir.File("mask.bmp")};
        form->LoadBtn->click();

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

QTEST_MAIN(MainFormTest)
#include "test_main_form.moc"

