#include <filesystem>

#include "gui_fixture.h"
#include "imaging/band_map.h"
#include "imaging/pixel_spectrum.h"
#include "imaging/true_colour.h"

using namespace lumera;
using namespace lumera::testing;

class MainFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    void startCreatesEveryWindowOnceInOrderAndTheMenuShowsThemAgain()
    {
        GuiFixture f;
        const QList<QWidget*> windows = {f.app->MainForm.get(), f.app->VahFceForm.get(), f.app->EkvalizaceForm.get(),
                                         f.app->VyslForm.get(),  f.app->ExtrForm.get(),   f.app->ExtrForm2.get()};
        const QStringList names = {"MainForm", "VahFceForm", "EkvalizaceForm", "VyslForm", "ExtrForm", "ExtrForm2"};
        for (int i = 0; i < windows.size(); ++i) QCOMPARE(windows[i]->objectName(), names[i]);
        for (int i = 1; i < windows.size(); ++i) QVERIFY(!windows[i]->isVisible());
        // The band list in the user's decimal separator.
        const QStringList lines = f.app->MainForm->Memo1->toPlainText().split('\n');
        QCOMPARE(lines.size(), 65);
        QCOMPARE(lines.last(), QString("Band 65   center: 0,9816   width: 0,0095"));

        const auto topLevel = QApplication::topLevelWidgets().size();
        for (const char* item : {"Adaptivnekvalizace1", "Loklnextrmy1", "Zpracovnloklnchextrm1", "Srovnvn1"})
            for (int twice = 0; twice < 2; ++twice) f.app->MainForm->findChild<QAction*>(item)->trigger();
        for (int i = 2; i < windows.size(); ++i) QVERIFY(windows[i]->isVisible());
        QCOMPARE(QApplication::topLevelWidgets().size(), topLevel);
    }

    void loadingThroughTheDialogAndFailedLoadsChangeNothing()
    {
        GuiFixture f;
        WriteWords(f.dir.File("a.dat"), {1, 2, 3, 10, 20, 30, 40, 50, 60});
        WriteWords(f.dir.File("short.dat"), {2, 4, 4, 1, 2, 3});
        auto* main = f.app->MainForm.get();
        f.dialogs.answers = {f.dir.File("a.dat"), std::nullopt, f.dir.File("short.dat")};
        main->Nahrvn1->trigger();
        QCOMPARE(f.dialogs.initialDirs.back(), f.dir.File("data/vyrezy/"));
        QCOMPARE(main->BandMapImage->Picture(), Bitmap(3, 2));
        QCOMPARE(main->SouborLabel->text().toStdString(), f.dir.File("a.dat"));
        QCOMPARE(f.LastMessage(), std::string("Datový výřez načten ze souboru."));
        const auto values = f.app->Data.Cube.Values;
        const std::size_t messages = f.reporter.messages.size();

        main->Nahrvn1->trigger();  // cancelled
        QCOMPARE(f.reporter.messages.size(), messages);
        main->Nahrvn1->trigger();  // too short for its header
        QCOMPARE(f.reporter.messages.back().kind, std::string("error"));
        QVERIFY(f.LastMessage().find("short.dat") != std::string::npos);
        QCOMPARE(f.app->Data.Cube.Values, values);
        QCOMPARE(main->SouborLabel->text().toStdString(), f.dir.File("a.dat"));
    }

    void closeQueryAnsweredNoKeepsEverythingAndYesReleasesIt()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        QVERIFY(f.Load(PatternCube(1, 2, 3)));
        main->show();
        f.reporter.answers = {false, true};
        QVERIFY(!main->close());
        QCOMPARE(f.LastMessage(), std::string("Opravdu chcete skončit?"));
        QCOMPARE(f.app->Data.BandTable.size(), std::size_t(65));
        QCOMPARE(f.app->Data.Cube.Values.size(), std::size_t(6));
        QCOMPARE(f.app->Spectral.ReferenceTable.size(), std::size_t(15));

        QVERIFY(main->FormCloseQuery());
        QVERIFY(f.app->Data.BandTable.empty() && f.app->Data.Cube.Values.empty());
        QVERIFY(f.app->Spectral.ReferenceTable.empty() && f.app->Spectral.CurrentReference.empty());
    }

    void beforeLoadingEveryViewAndAnalysisOnlySaysWhatIsMissing()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        m->XSpin->setValue(5);
        m->BandSpin->setValue(7);
        for (QPushButton* button : {m->SpektrumBtn, m->BandMapBtn, m->TrueColorBtn, m->SavePictureBtn, m->NDVIBtn,
                                    m->Jehlice2Btn, m->MaskaBtn})
            button->click();
        emit m->BandMapImage->MouseDown(5, 5, Qt::LeftButton);
        emit m->VzorImage->MouseDown(5, 5, Qt::RightButton);

        QCOMPARE(f.reporter.messages.size(), std::size_t(11));
        for (const auto& message : f.reporter.messages)
            QVERIFY(message.kind == "information" && message.text == "Nejprve nahrajte datový výřez.");
        QCOMPARE(m->ValueLabel->text(), QString("Hodnota"));
        QVERIFY(m->SpektrumMemo->toPlainText().isEmpty());
        QVERIFY(m->BandMapImage->Picture().Empty() && m->VzorImage->Picture().Empty());
        QCOMPARE(m->DetailLabel->text(), QString("N/A"));
        QCOMPARE(m->VyslNadpisLabel->text(), QString::fromUtf8("Výsledky analýzy:"));
        QVERIFY(f.dialogs.initialDirs.empty());  // no save dialog
    }

    void spinsAreLimitedToTheLoadedCutoutAndShowTheCellValue()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        main->XSpin->setValue(300);
        main->YSpin->setValue(250);
        const std::size_t messages = f.reporter.messages.size();
        const TData cube = PatternCube(10, 70, 80);
        const auto value = [&](int column, int row, int band) {
            return QString::number(cube.Values[(std::size_t(band - 1) * 70 + row - 1) * 80 + column - 1]);
        };
        QVERIFY(f.Load(cube));
        QCOMPARE(main->XSpin->maximum(), 80);
        QCOMPARE(main->YSpin->maximum(), 70);
        QCOMPARE(main->BandSpin->maximum(), 10);
        // Clamped and read once, inside the new cut-out: only the load message follows.
        QCOMPARE(main->ValueLabel->text(), value(80, 70, 10));
        QCOMPARE(f.reporter.messages.size(), messages + 1);
        main->XSpin->setValue(3);
        QCOMPARE(main->ValueLabel->text(), value(3, 70, 10));
        main->BandSpin->setValue(1);
        QCOMPARE(main->ValueLabel->text(), value(3, 70, 1));
    }

    void spectrumListIsReplacedAndThePlotAccumulatesUntilCleared()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        const TData cube = PatternCube(65, 3, 4);
        QVERIFY(f.Load(cube));
        Bitmap plot(545, 400);
        plot.Fill(255, 255, 255);
        for (int column : {2, 4}) {
            main->XSpin->setValue(column);
            main->YSpin->setValue(3);
            main->SpektrumBtn->click();
            DrawSpectrum(plot, cube, f.app->Data.BandTable, column, 3);
            QCOMPARE(main->SpektrumImage->Picture(), plot);
        }
        QStringList lines;
        for (const std::string& line : SpectrumLines(cube, 4, 3, ',')) lines << QString::fromStdString(line);
        QCOMPARE(main->SpektrumMemo->toPlainText().split('\n'), lines);
        main->Button3->click();
        ClearSpectrumPlot(plot);
        QCOMPARE(main->SpektrumImage->Picture(), plot);
    }

    void bandMapOfTheChosenBandAndTheDetailOfTheClickedPicture()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        QVERIFY(f.Load(PatternCube(65, 60, 100)));
        main->BandMapBtn->click();
        emit main->BandMapImage->MouseDown(10, 10, Qt::LeftButton);
        QCOMPARE(f.LastMessage(), std::string("Obrázek je menší než 61 x 61 bodů, detail nelze zobrazit."));
        QCOMPARE(main->DetailLabel->text(), QString("N/A"));

        const TData cube = PatternCube(65, 90, 100);
        QVERIFY(f.Load(cube));
        main->BandSpin->setValue(2);
        main->BandMapBtn->click();
        QCOMPARE(main->BandMapImage->Picture(), MakeBandMap(cube, 2).Picture);
        main->VzorImage->SetPicture(PatternPicture(100, 90));
        emit main->BandMapImage->MouseDown(5, 5, Qt::LeftButton);
        QCOMPARE(main->DetailLabel->text(), QString("0-60x0-60"));
        QCOMPARE(main->DetailImage->Picture(), DetailOf(main->BandMapImage->Picture(), 30, 30));
        // A real press on the upper picture, any button; one on the detail itself does nothing.
        main->show();
        QTest::mouseClick(main->VzorImage, Qt::RightButton, {}, QPoint(70, 10));
        QTest::mouseClick(main->DetailImage, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(main->DetailLabel->text(), QString("40-100x0-60"));
        QCOMPARE(main->DetailImage->Picture(), DetailOf(main->VzorImage->Picture(), 70, 30));
    }

    void trueColourRendersTheCutoutOrRefusesTooFewBands()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        const TData cube = PatternCube(40, 12, 15);
        QVERIFY(f.Load(cube));
        main->TrueColorBtn->click();
        QCOMPARE(main->VzorImage->Picture(), TrueColourComposite(cube));
        QCOMPARE(main->VzorImage->width(), 15);

        QVERIFY(f.Load(PatternCube(35, 4, 5)));
        main->TrueColorBtn->click();
        QVERIFY(f.LastMessage().find("36") != std::string::npos);
        QCOMPARE(main->VzorImage->Picture(), Bitmap(5, 4));
    }

    void savingTheLowerOrTheUpperPicture()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        QVERIFY(f.Load(PatternCube(65, 70, 80)));
        main->BandMapBtn->click();
        main->VzorImage->SetPicture(PatternPicture(80, 70));
        std::filesystem::create_directories(f.dir.Path() / "obr");
        // "horní" unchecked: the lower picture; a name typed without extension gets ".bmp".
        f.dialogs.answers = {f.dir.File("obr/lower")};
        main->SavePictureBtn->click();
        QCOMPARE(f.dialogs.initialDirs.back(), f.dir.File("obr/"));
        QCOMPARE(ReadBmp(f.dir.File("obr/lower.bmp")), main->BandMapImage->Picture());

        // Checked: the upper picture, over the existing file without a question;
        // cancel writes nothing; a failed write is reported naming the file.
        const std::size_t messages = f.reporter.messages.size();
        main->SavePictureCheck->setChecked(true);
        f.dialogs.answers = {f.dir.File("obr/lower.bmp"), std::nullopt, f.dir.File("no/such/folder/x.bmp")};
        main->SavePictureBtn->click();
        QCOMPARE(ReadBmp(f.dir.File("obr/lower.bmp")), PatternPicture(80, 70));
        main->SavePictureBtn->click();
        QCOMPARE(f.reporter.messages.size(), messages);
        main->SavePictureBtn->click();
        QCOMPARE(f.reporter.messages.back().kind, std::string("error"));
        QVERIFY(f.LastMessage().find("x.bmp") != std::string::npos);
        QVERIFY(!std::filesystem::exists(f.dir.File("no")));
    }
};

QTEST_MAIN(MainFormTest)
#include "test_main_form.moc"
