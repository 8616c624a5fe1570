#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "sample_data.h"
#include "data/cutout_file.h"
#include "data/number_format.h"
#include "gui_fixture.h"
#include "main_form.h"
#include "picture_view.h"
#include "spectral/masking.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

int MaxLength(QSpinBox* spin) { return spin->findChild<QLineEdit*>()->maxLength(); }

// Loads a random 65-band cut-out of 5 x 6 pixels.
TData LoadRandomCutout(GuiFixture& f)
{
    const TData cube = RandomCube(65, 6, 5, 5);
    WriteCutout(f.dir.File("cut.dat"), cube);
    f.app->MainForm->LoadCutout(f.dir.File("cut.dat"));
    return cube;
}

std::string LastMessage(const GuiFixture& f) { return f.reporter.messages.back().text; }

}  // namespace

class SpectralPanelsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    void checkBoxTwiceRestoresThePercentMode()
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
        m->NdviP2Spin->setValue(60);
        QTest::mouseClick(m->NDVIAbsolutCheck, Qt::LeftButton);
        QCOMPARE(m->Label28->text(), QString::fromUtf8("Procenta zanedbaná dolů:"));
        QCOMPARE(m->NdviP1Spin->value(), 30);
        QCOMPARE(m->NdviP2Spin->value(), 90);
        QCOMPARE(MaxLength(m->NdviP1Spin), 2);

        m->Jehlice2AbsolutCheck->click();
        QCOMPARE(m->Label33->text(), QString::fromUtf8("Maximální míra shody pro rozlišení (absolutně, desetinásobek):"));
        QCOMPARE(m->MinP2Spin->value(), 50);
        QCOMPARE(m->MaxP2Spin->value(), 200);
        QCOMPARE(MaxLength(m->MaxP2Spin), 3);
        m->Jehlice2AbsolutCheck->click();
        QCOMPARE(m->MinP2Spin->value(), 20);
        QCOMPARE(m->MaxP2Spin->maximum(), 99);
    }

    void menuItemsToggleTheirPanelsAndHideTheBandList()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        m->show();
        const QList<QPair<QAction*, QFrame*>> items = {
            {m->NDVI1, m->NDVIPanel}, {m->Jehlice21, m->JehlicePanel2}, {m->Vsledkyanalzy1, m->VysledkyPanel}};
        for (const auto& [item, panel] : items) {
            m->Obandech1->trigger();
            item->trigger();
            QVERIFY(panel->isVisible() && item->isChecked());
            QVERIFY(!m->OBandechPanel->isVisible() && !m->Obandech1->isChecked());
            item->trigger();
            QVERIFY(!panel->isVisible() && !item->isChecked());
        }
    }

    void maskingSwitchesPanelsAndControlsButNotTheOtherCheckMarks()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        m->show();
        QVERIFY(m->MaskaBtn->isHidden());
        m->Obandech1->trigger();
        m->Odmaskov8n1->trigger();
        QCOMPARE(LastMessage(f), std::string("Zvolte parametry analýzy vegetačního indexu a analýzy shodnosti spekter, "
                                             "pak stiskněte tlačítko Odmaskovat."));
        QVERIFY(m->NDVIPanel->isVisible() && m->JehlicePanel2->isVisible());
        QVERIFY(m->MaskaBtn->isVisible() && m->SpektraSpin->isVisible());
        QVERIFY(!m->OBandechPanel->isVisible() && !m->Obandech1->isChecked());
        QVERIFY(!m->NDVI1->isChecked());  // panel shown, item unchecked: they disagree
        m->NDVI1->trigger();
        QVERIFY(m->NDVI1->isChecked() && !m->NDVIPanel->isVisible());

        m->Odmaskov8n1->trigger();
        QVERIFY(!m->Odmaskov8n1->isChecked());
        QVERIFY(m->JehlicePanel2->isHidden() && m->MaskaBtn->isHidden());
        QVERIFY(m->NDVI1->isChecked());
    }

    void shareSpinsStayAtASumOfHundred()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        m->IndexSpin->setValue(30);
        QCOMPARE(m->SpektraSpin->value(), 70);
        m->SpektraSpin->setValue(85);
        QCOMPARE(m->IndexSpin->value(), 15);
    }

    void ndviFillsTheResultsPanelAndAStoppedRunKeepsIt()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        const TData cube = LoadRandomCutout(f);
        m->NDVIBtn->click();
        const AnalysisResult expected = RunNdvi(cube, NdviSettings{});
        QCOMPARE(m->VyslNadpisLabel->text(), QString::fromUtf8("Výsledky analýzy vegetačního indexu:"));
        QCOMPARE(m->VyslMinLabel->text().toStdString(), FormatNumber(expected.Figures.Min, ','));
        QCOMPARE(m->VyslHmezLabel->text().toStdString(), FormatNumber(expected.Figures.Upper, ','));
        QVERIFY(m->BandMapImage->Picture() == expected.Picture);

        m->RedbSpin1->setValue(34);
        m->NDVIBtn->click();
        QCOMPARE(LastMessage(f), std::string("Nesmyslný rozsah u RED a NIR."));
        QVERIFY(m->BandMapImage->Picture() == expected.Picture);
        QCOMPARE(m->VyslMinLabel->text().toStdString(), FormatNumber(expected.Figures.Min, ','));
    }

    void refusalsBeforeTheEditorOrACutout()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        for (QPushButton* button : {m->NDVIBtn, m->Jehlice2Btn, m->MaskaBtn}) {
            button->click();
            QCOMPARE(LastMessage(f), std::string("Nejprve nahrajte datový výřez."));
        }
        LoadRandomCutout(f);
        m->Vaha2Combo->setCurrentIndex(15);
        m->Jehlice2Btn->click();
        QCOMPARE(LastMessage(f), std::string("Použití vlastní váhové funkce bez jejího nastavení je nesmysl!"));
        QCOMPARE(m->VyslNadpisLabel->text(), QString::fromUtf8("Výsledky analýzy:"));
        for (QPushButton* button : {m->Vaha2Btn, m->Protivaha2Btn}) {
            button->click();
            QCOMPARE(LastMessage(f), std::string("Editor vlastních váhových funkcí zatím není k dispozici."));
        }
    }

    void maskPaintsWhatTheCoreMaskingPaints()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        const TData cube = LoadRandomCutout(f);
        m->IndexSpin->setValue(35);
        m->AplikovatCombo->setCurrentIndex(1);
        m->Protivaha2Combo->setCurrentIndex(12);
        m->MaskaBtn->click();
        MaskSettings s;
        s.IndexShare = 35;
        s.SpectraShare = 65;
        s.Brightness = MaskBrightness::Bands1To65;
        s.Needle.CounterWeight = 12;
        Bitmap expected;
        const MaskResult r = RunMask(cube, f.app->Spectral, s, expected);
        QVERIFY(m->BandMapImage->Picture() == expected);
        // The results panel keeps the needle analysis's figures.
        QCOMPARE(m->VyslNadpisLabel->text(), QString::fromUtf8("Výsledky analýzy srovnáním spekter:"));
        QCOMPARE(m->VyslMaxLabel->text().toStdString(), FormatNumber(r.Needle.Figures.Max, ','));
    }

    void missingOrShortReferenceFilesAreNamedAndTheProgramStillOpens()
    {
        GuiFixture shipped;
        QVERIFY(shipped.reporter.messages.empty());
        QCOMPARE(shipped.app->Spectral.CurrentReference.size(), std::size_t(64));

        GuiFixture f([](const TempDir&) {});
        QCOMPARE(f.reporter.messages.size(), std::size_t(2));
        QVERIFY(f.reporter.messages[0].text.find("RefSpE34.txt") != std::string::npos);
        QVERIFY(f.reporter.messages[1].text.find("AllRefSp.dat") != std::string::npos);
        QCOMPARE(f.app->MainForm->Memo1->toPlainText().split('\n').size(), 65);
        LoadRandomCutout(f);
        f.app->MainForm->Jehlice2Btn->click();
        QVERIFY(LastMessage(f).find("AllRefSp.dat") != std::string::npos);

        GuiFixture cut([](const TempDir& dir) {
            InstallReferenceFiles(dir.Path());
            std::filesystem::resize_file(dir.Path() / "data/refsp/AllRefSp.dat", 7679);
            std::ofstream(dir.File("data/refsp/RefSpE34.txt"), std::ios::trunc) << "0.1\r\n0.2\r\n";
        });
        QCOMPARE(cut.reporter.messages.size(), std::size_t(2));
        QVERIFY(cut.reporter.messages[0].text.find("601") != std::string::npos);
        QVERIFY(cut.app->Spectral.ReferenceTable.empty());
    }

    void closingReleasesTheSpectralState()
    {
        GuiFixture f;
        f.reporter.answers = {false, true};
        QVERIFY(!f.app->MainForm->FormCloseQuery());
        QCOMPARE(f.app->Spectral.ReferenceTable.size(), std::size_t(15));
        QVERIFY(f.app->MainForm->FormCloseQuery());
        QVERIFY(f.app->Spectral.ReferenceTable.empty() && f.app->Spectral.CurrentReference.empty());
    }
};

QTEST_MAIN(SpectralPanelsTest)
#include "test_spectral_panels.moc"
