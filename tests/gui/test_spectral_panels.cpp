#include "data/number_format.h"
#include "gui_fixture.h"
#include "spectral/masking.h"

using namespace lumera;
using namespace lumera::testing;

class SpectralPanelsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

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

        QVERIFY(m->MaskaBtn->isHidden());
        m->Obandech1->trigger();
        m->Odmaskov8n1->trigger();
        QVERIFY(m->NDVIPanel->isVisible() && m->JehlicePanel2->isVisible() && m->MaskaBtn->isVisible());
        QVERIFY(!m->OBandechPanel->isVisible() && !m->Obandech1->isChecked());
        m->IndexSpin->setValue(30);
        QCOMPARE(m->SpektraSpin->value(), 70);
        m->SpektraSpin->setValue(85);
        QCOMPARE(m->IndexSpin->value(), 15);
        m->Odmaskov8n1->trigger();
        QVERIFY(m->JehlicePanel2->isHidden() && m->MaskaBtn->isHidden());
    }

    void ndviFillsTheResultsPanelAndRefusedRunsKeepIt()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        const TData cube = RandomCube(65, 6, 5, 5);
        QVERIFY(f.Load(cube));
        m->NDVIBtn->click();
        const AnalysisResult expected = RunNdvi(cube, NdviSettings{});
        const QString header = QString::fromUtf8("Výsledky analýzy vegetačního indexu:");
        QCOMPARE(m->VyslNadpisLabel->text(), header);
        QCOMPARE(m->VyslMinLabel->text().toStdString(), FormatNumber(expected.Figures.Min, ','));
        QVERIFY(m->BandMapImage->Picture() == expected.Picture);

        m->RedbSpin1->setValue(34);
        m->NDVIBtn->click();
        QCOMPARE(f.LastMessage(), std::string("Nesmyslný rozsah u RED a NIR."));
        m->Vaha2Combo->setCurrentIndex(15);
        m->Jehlice2Btn->click();
        QCOMPARE(f.LastMessage(), std::string("Použití vlastní váhové funkce bez jejího nastavení je nesmysl!"));
        QCOMPARE(m->VyslNadpisLabel->text(), header);
        QVERIFY(m->BandMapImage->Picture() == expected.Picture);
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
        RunMask(cube, f.app->Spectral, s, expected);
        QVERIFY(m->BandMapImage->Picture() == expected);
    }

    void missingReferenceFilesAreNamedAndTheProgramStillOpens()
    {
        GuiFixture f(false);
        QCOMPARE(f.reporter.messages.size(), std::size_t(2));
        QVERIFY(f.reporter.messages[0].text.find("RefSpE34.txt") != std::string::npos);
        QVERIFY(f.reporter.messages[1].text.find("AllRefSp.dat") != std::string::npos);
        QVERIFY(f.Load(RandomCube(65, 6, 5, 5)));
        f.app->MainForm->Jehlice2Btn->click();
        QVERIFY(f.LastMessage().find("AllRefSp.dat") != std::string::npos);
    }
};

QTEST_MAIN(SpectralPanelsTest)
#include "test_spectral_panels.moc"
