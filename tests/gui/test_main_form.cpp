#include <filesystem>

#include "gui_fixture.h"
#include "imaging/band_map.h"
#include "imaging/pixel_bands.h"
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
        const QStringList lines = f.app->MainForm->Memo1->toPlainText().split('\n');
        QCOMPARE(lines.size(), 65);
        QCOMPARE(lines.last(), QString("Band 65   center: 0,9816   width: 0,0095"));

        const auto topLevel = QApplication::topLevelWidgets().size();
        for (const char* item : {"Adaptivnekvalizace1", "Loklnextrmy1", "Zpracovnloklnchextrm1", "Srovnvn1"})
            for (int twice = 0; twice < 2; ++twice) f.app->MainForm->findChild<QAction*>(item)->trigger();
        for (int i = 2; i < windows.size(); ++i) QVERIFY(windows[i]->isVisible());
        QCOMPARE(QApplication::topLevelWidgets().size(), topLevel);
    }

    void opensMaximisedAndAtItsRestoredSizeKeepsEveryControlWholeAndApart()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        QVERIFY(m->windowState() & Qt::WindowMaximized);
        m->setWindowState(Qt::WindowNoState);
        m->resize(1104, 880);
        m->show();
        QVERIFY(QTest::qWaitForWindowExposed(m));
        m->VzorImage->SetPictureSize(400, 400);
        QApplication::processEvents();
        QVERIFY(!m->VzorScrollBox->horizontalScrollBar()->isVisible());
        QVERIFY(!m->VzorScrollBox->verticalScrollBar()->isVisible());

        const QList<QWidget*> controls = {m->SpektrumImage, m->Button3,  m->TrueColorBtn,     m->ValuePanel,
                                          m->Label17,       m->DetailLabel, m->DetailImage,   m->SavePictureCheck,
                                          m->SavePictureBtn, m->VzorScrollBox, m->SouborLabel, m->BandMapScrollBox};
        QWidget* content = m->VzorScrollBox->parentWidget();
        for (int i = 0; i < controls.size(); ++i) {
            QVERIFY2(controls[i]->width() >= controls[i]->minimumSizeHint().width(), qPrintable(controls[i]->objectName()));
            QVERIFY2(controls[i]->height() >= controls[i]->minimumSizeHint().height(), qPrintable(controls[i]->objectName()));
            const QRect a(controls[i]->mapTo(content, QPoint(0, 0)), controls[i]->size());
            for (int j = i + 1; j < controls.size(); ++j) {
                const QRect b(controls[j]->mapTo(content, QPoint(0, 0)), controls[j]->size());
                QVERIFY2(!a.intersects(b), qPrintable(controls[i]->objectName() + " " + controls[j]->objectName()));
            }
        }
        QCOMPARE(m->ValuePanel->width(), 233);
        QCOMPARE(m->SpektrumImage->size(), QSize(545, 400));
        QCOMPARE(m->DetailImage->size(), QSize(241, 241));
    }

    void failedLoadsAndACloseQueryAnsweredNoChangeNothing()
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
        QVERIFY(f.LastMessage().find("short.dat") != std::string::npos);
        QCOMPARE(f.app->Data.Cube.Values, values);
        QCOMPARE(main->SouborLabel->text().toStdString(), f.dir.File("a.dat"));

        main->show();
        f.reporter.answers = {false};
        QVERIFY(!main->close());
        QCOMPARE(f.LastMessage(), std::string("Opravdu chcete skončit?"));
        QCOMPARE(f.app->Data.BandTable.size(), std::size_t(65));
        QCOMPARE(f.app->Data.Cube.Values, values);
        QCOMPARE(f.app->Spectral.ReferenceTable.size(), std::size_t(15));
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
        QVERIFY(m->BandMapImage->Picture().Empty() && m->VzorImage->Picture().Empty());
        QCOMPARE(m->DetailLabel->text(), QString("N/A"));
        QVERIFY(f.dialogs.initialDirs.empty());
    }

    void spinsFollowTheCutoutAndTheSpectrumPlotAccumulatesUntilCleared()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        main->XSpin->setValue(300);
        main->YSpin->setValue(250);
        const TData cube = PatternCube(65, 3, 4);
        QVERIFY(f.Load(cube));
        QCOMPARE(main->XSpin->maximum(), 4);
        QCOMPARE(main->ValueLabel->text(), QString::number(cube.Values[(18 * 3 + 2) * 4 + 3]));  // band 19, row 3, column 4
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

    void bandMapTrueColourAndTheDetailOfTheClickedPicture()
    {
        GuiFixture f;
        auto* main = f.app->MainForm.get();
        const TData cube = PatternCube(65, 90, 100);
        QVERIFY(f.Load(cube));
        main->BandSpin->setValue(2);
        main->BandMapBtn->click();
        QCOMPARE(main->BandMapImage->Picture(), MakeBandMap(cube, 2).Picture);
        main->TrueColorBtn->click();
        QCOMPARE(main->VzorImage->Picture(), TrueColourComposite(cube));
        emit main->BandMapImage->MouseDown(5, 5, Qt::LeftButton);
        QCOMPARE(main->DetailLabel->text(), QString("0-60x0-60"));
        QCOMPARE(main->DetailImage->Picture(), DetailOf(main->BandMapImage->Picture(), 30, 30));
        // Any button on the upper picture; a press on the detail itself does nothing.
        main->show();
        QTest::mouseClick(main->VzorImage, Qt::RightButton, {}, OnScreen(main->VzorImage, {70, 10}));
        QTest::mouseClick(main->DetailImage, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(main->DetailLabel->text(), QString("40-100x0-60"));
        QCOMPARE(main->DetailImage->Picture(), DetailOf(main->VzorImage->Picture(), 70, 30));
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
        QCOMPARE(f.dialogs.initialDirs.back(), f.dir.File("obr/"));
        QCOMPARE(ReadBmp(f.dir.File("obr/lower.bmp")), main->BandMapImage->Picture());

        // "horní" checked: the upper picture, over the existing file without a question.
        main->SavePictureCheck->setChecked(true);
        f.dialogs.answers = {f.dir.File("obr/lower.bmp"), f.dir.File("no/such/folder/x.bmp")};
        main->SavePictureBtn->click();
        QCOMPARE(ReadBmp(f.dir.File("obr/lower.bmp")), PatternPicture(80, 70));
        main->SavePictureBtn->click();
        QCOMPARE(f.reporter.messages.back().kind, std::string("error"));
        QVERIFY(f.LastMessage().find("x.bmp") != std::string::npos);
    }
};

QTEST_MAIN(MainFormTest)
#include "test_main_form.moc"

