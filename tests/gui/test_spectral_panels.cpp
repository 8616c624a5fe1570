#include "data/number_format.h"
#include "gui_fixture.h"
#include "spectral/masking.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

int MaxLength(QSpinBox* spin) { return spin->findChild<QLineEdit*>()->maxLength(); }

std::string Shown(QLabel* label) { return label->text().toStdString(); }

}  // namespace

class SpectralPanelsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    void absoluteCheckBoxesSwitchTheBoundsAndBackToPercent()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        m->show();
        m->NDVI1->trigger();
        m->NdviP1Spin->setValue(5);
        QTest::mouseClick(m->NDVIAbsolutCheck, Qt::LeftButton);
        QCOMPARE(m->Label28->text(), QString::fromUtf8("Dolní mez indexu (absolutně, stonásobek):"));
        QCOMPARE(m->NdviP1Spin->minimum(), -100);
        QCOMPARE(MaxLength(m->NdviP2Spin), 4);
        QCOMPARE(m->NdviP1Spin->value(), 25);
        QCOMPARE(m->NdviP2Spin->value(), 95);
        QTest::mouseClick(m->NDVIAbsolutCheck, Qt::LeftButton);
        QCOMPARE(m->NdviP1Spin->value(), 30);
        QCOMPARE(m->NdviP2Spin->maximum(), 99);
        m->Jehlice2AbsolutCheck->click();
        QCOMPARE(m->MaxP2Spin->value(), 200);
    }

    void menuItemsAndTheMaskingTogglePanelsAndCheckMarks()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        m->show();
        const QList<QPair<QAction*, QFrame*>> items = {
            {m->NDVI1, m->NDVIPanel}, {m->Jehlice21, m->JehlicePanel2}, {m->Vsledkyanalzy1, m->VysledkyPanel}};
        for (const auto& [item, panel] : items) {
            m->Obandech1->trigger();
            QVERIFY(m->OBandechPanel->isVisible() && m->Obandech1->isChecked());
            item->trigger();
            QVERIFY(panel->isVisible() && item->isChecked());
            QVERIFY(!m->OBandechPanel->isVisible() && !m->Obandech1->isChecked());
            item->trigger();
            QVERIFY(!panel->isVisible() && !item->isChecked());
        }

        // The masking shows both panels and its own controls, the share spins
        // paired, and leaves the other items' check marks as they were.
        QVERIFY(m->MaskaBtn->isHidden());
        m->Obandech1->trigger();
        m->Odmaskov8n1->trigger();
        QCOMPARE(f.LastMessage(), std::string("Zvolte parametry analýzy vegetačního indexu a analýzy shodnosti "
                                              "spekter, pak stiskněte tlačítko Odmaskovat."));
        QVERIFY(m->NDVIPanel->isVisible() && m->JehlicePanel2->isVisible());
        QVERIFY(m->MaskaBtn->isVisible() && m->SpektraSpin->isVisible());
        QVERIFY(!m->OBandechPanel->isVisible() && !m->Obandech1->isChecked());
        QVERIFY(!m->NDVI1->isChecked());
        m->IndexSpin->setValue(30);
        QCOMPARE(m->SpektraSpin->value(), 70);
        m->SpektraSpin->setValue(85);
        QCOMPARE(m->IndexSpin->value(), 15);
        m->NDVI1->trigger();
        QVERIFY(m->NDVI1->isChecked() && !m->NDVIPanel->isVisible());
        m->Odmaskov8n1->trigger();
        QVERIFY(m->JehlicePanel2->isHidden() && m->MaskaBtn->isHidden() && m->NDVI1->isChecked());
        m->Obandech1->trigger();
        m->Obandech1->trigger();
        QVERIFY(!m->OBandechPanel->isVisible() && !m->Obandech1->isChecked());
    }

    void ndviFillsTheResultsPanelAndAStoppedRunKeepsIt()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        const TData cube = RandomCube(65, 6, 5, 5);
        QVERIFY(f.Load(cube));
        m->NDVIBtn->click();
        const AnalysisResult expected = RunNdvi(cube, NdviSettings{});
        const AnalysisFigures& e = expected.Figures;
        QCOMPARE(m->VyslNadpisLabel->text(), QString::fromUtf8("Výsledky analýzy vegetačního indexu:"));
        QCOMPARE(Shown(m->VyslMinLabel), FormatNumber(e.Min, ','));
        QCOMPARE(Shown(m->VyslMaxLabel), FormatNumber(e.Max, ','));
        QCOMPARE(Shown(m->VyslDmezLabel), FormatNumber(e.Lower, ','));
        QCOMPARE(Shown(m->VyslHmezLabel), FormatNumber(e.Upper, ','));
        QVERIFY(m->BandMapImage->Picture() == expected.Picture);

        m->RedbSpin1->setValue(34);
        m->NDVIBtn->click();
        QCOMPARE(f.LastMessage(), std::string("Nesmyslný rozsah u RED a NIR."));
        QVERIFY(m->BandMapImage->Picture() == expected.Picture);
        QCOMPARE(Shown(m->VyslMinLabel), FormatNumber(e.Min, ','));
    }

    void needleRefusesAnUnsetCustomWeightAndTheEditorIsNotThereYet()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        QVERIFY(f.Load(RandomCube(65, 6, 5, 5)));
        m->Vaha2Combo->setCurrentIndex(15);
        m->Jehlice2Btn->click();
        QCOMPARE(f.LastMessage(), std::string("Použití vlastní váhové funkce bez jejího nastavení je nesmysl!"));
        QCOMPARE(m->VyslNadpisLabel->text(), QString::fromUtf8("Výsledky analýzy:"));
        for (QPushButton* button : {m->Vaha2Btn, m->Protivaha2Btn}) {
            button->click();
            QCOMPARE(f.LastMessage(), std::string("Editor vlastních váhových funkcí zatím není k dispozici."));
        }
    }

    void maskPaintsWhatTheCoreMaskingPaintsWithTheChosenSettings()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        const TData cube = RandomCube(65, 6, 5, 5);
        QVERIFY(f.Load(cube));
        m->IndexSpin->setValue(35);
        m->AplikovatCombo->setCurrentIndex(1);
        m->Protivaha2Combo->setCurrentIndex(12);
        m->MaskaBtn->click();
        const MaskSettings s{.Ndvi = {}, .Needle = {.CounterWeight = 12}, .IndexShare = 35, .SpectraShare = 65,
                             .Brightness = MaskBrightness::Bands1To65};
        Bitmap expected;
        const MaskResult r = RunMask(cube, f.app->Spectral, s, expected);
        QVERIFY(m->BandMapImage->Picture() == expected);
        // The results panel keeps the needle analysis's figures.
        QCOMPARE(m->VyslNadpisLabel->text(), QString::fromUtf8("Výsledky analýzy srovnáním spekter:"));
        QCOMPARE(Shown(m->VyslMaxLabel), FormatNumber(r.Needle.Figures.Max, ','));
    }

    void missingReferenceFilesAreNamedAndTheProgramStillOpens()
    {
        GuiFixture f([](const TempDir&) {});
        QCOMPARE(f.reporter.messages.size(), std::size_t(2));
        QVERIFY(f.reporter.messages[0].text.find("RefSpE34.txt") != std::string::npos);
        QVERIFY(f.reporter.messages[1].text.find("AllRefSp.dat") != std::string::npos);
        QCOMPARE(f.app->MainForm->Memo1->toPlainText().split('\n').size(), 65);
        QVERIFY(f.Load(RandomCube(65, 6, 5, 5)));
        f.app->MainForm->Jehlice2Btn->click();
        QVERIFY(f.LastMessage().find("AllRefSp.dat") != std::string::npos);
    }
};

QTEST_MAIN(SpectralPanelsTest)
#include "test_spectral_panels.moc"
