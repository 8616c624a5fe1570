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

#include "cube_builder.h"
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

void NoReferenceFiles(const TempDir&) {}

}  // namespace

class SpectralPanelsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    void panelsStartHiddenWithTheirDefaults()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        QVERIFY(f.reporter.messages.empty());
        QCOMPARE(f.app->Spectral.ReferenceTable.size(), std::size_t(15));
        QCOMPARE(f.app->Spectral.CurrentReference.size(), std::size_t(64));
        for (QFrame* panel : {m->NDVIPanel, m->JehlicePanel2, m->VysledkyPanel}) QVERIFY(panel->isHidden());
        QCOMPARE(m->RedbSpin1->value(), 31);
        QCOMPARE(m->RedbSpin2->value(), 33);
        QCOMPARE(m->NirbSpin1->value(), 41);
        QCOMPARE(m->NirbSpin2->value(), 43);
        QCOMPARE(m->NdviP1Spin->value(), 30);
        QCOMPARE(m->NdviP2Spin->value(), 90);
        QCOMPARE(MaxLength(m->NdviP1Spin), 2);
        QCOMPARE(m->Label28->text(), QString::fromUtf8("Procenta zanedbaná dolů:"));
        QCOMPARE(m->Vaha2Combo->count(), 16);
        QCOMPARE(m->Vaha2Combo->currentText(), QString("E1"));
        QCOMPARE(m->Vaha2Combo->itemText(4), QString("E34"));
        QCOMPARE(m->Vaha2Combo->itemText(15), QString::fromUtf8("vlastní"));
        QCOMPARE(m->Protivaha2Combo->currentText(), QString("1-E1"));
        QCOMPARE(m->Protivaha2Combo->itemText(14), QString("1-S34"));
        QCOMPARE(m->Normalizace2Combo->currentText(), QString::fromUtf8("Protiváhou"));
        QVERIFY(m->Normalizace2Check->isChecked());
        QVERIFY(!m->Jehlice2AbsolutCheck->isChecked());
        QCOMPARE(m->MinP2Spin->value(), 20);
        QCOMPARE(m->MaxP2Spin->value(), 85);
        QVERIFY(m->Jehlice2Btn->font().bold());
        QCOMPARE(m->IndexSpin->value(), 50);
        QCOMPARE(m->SpektraSpin->singleStep(), 5);
        QCOMPARE(m->AplikovatCombo->currentText(), QString("Jas (B1-B35)"));
        for (QWidget* w : QList<QWidget*>{m->MaskaBtn, m->IndexSpin, m->AplikovatCombo, m->Label38})
            QVERIFY(w->isHidden());
        QCOMPARE(m->VyslNadpisLabel->text(), QString::fromUtf8("Výsledky analýzy:"));
        QCOMPARE(m->VyslMaxLabel->text(), QString("1"));
        for (QAction* item : {m->NDVI1, m->Jehlice21, m->Odmaskov8n1, m->Vsledkyanalzy1}) {
            QVERIFY(item->isEnabled());
            QVERIFY(!item->isChecked());
        }
    }

    void checkBoxesReconfigureTheDisplayParameters()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        m->show();
        m->NDVI1->trigger();
        m->NdviP1Spin->setValue(5);
        QTest::mouseClick(m->NDVIAbsolutCheck, Qt::LeftButton);
        QVERIFY(m->NDVIAbsolutCheck->isChecked());
        QCOMPARE(m->Label28->text(), QString::fromUtf8("Dolní mez indexu (absolutně, stonásobek):"));
        QCOMPARE(m->Label29->text(), QString::fromUtf8("Horní mez indexu (absolutně, stonásobek):"));
        QCOMPARE(m->NdviP1Spin->minimum(), -100);
        QCOMPARE(m->NdviP2Spin->maximum(), 100);
        QCOMPARE(MaxLength(m->NdviP2Spin), 4);
        QCOMPARE(m->NdviP1Spin->value(), 25);
        QCOMPARE(m->NdviP2Spin->value(), 95);
        m->NdviP2Spin->setValue(60);
        QTest::mouseClick(m->NDVIAbsolutCheck, Qt::LeftButton);
        QCOMPARE(m->NdviP1Spin->value(), 30);
        QCOMPARE(m->NdviP2Spin->value(), 90);
        QCOMPARE(m->NdviP1Spin->minimum(), 0);
        QCOMPARE(m->NdviP1Spin->maximum(), 99);
        QCOMPARE(MaxLength(m->NdviP1Spin), 2);
        QCOMPARE(m->Label29->text(), QString::fromUtf8("Procenta zanedbaná nahoru:"));

        m->Jehlice2AbsolutCheck->click();
        QCOMPARE(m->Label32->text(), QString::fromUtf8("Minimální míra shody pro zelenou (absolutně, desetinásobek):"));
        QCOMPARE(m->Label33->text(), QString::fromUtf8("Maximální míra shody pro rozlišení (absolutně, desetinásobek):"));
        QCOMPARE(m->MinP2Spin->value(), 50);
        QCOMPARE(m->MaxP2Spin->value(), 200);
        QCOMPARE(m->MaxP2Spin->maximum(), 300);
        QCOMPARE(MaxLength(m->MaxP2Spin), 3);
        m->Jehlice2AbsolutCheck->click();
        QCOMPARE(m->MinP2Spin->value(), 20);
        QCOMPARE(m->MaxP2Spin->value(), 85);
        QCOMPARE(m->Label32->text(), QString::fromUtf8("Minimální míra shody pro zelenou (v procentech):"));
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
            QVERIFY(m->OBandechPanel->isVisible());
            item->trigger();
            QVERIFY(panel->isVisible());
            QVERIFY(item->isChecked());
            QVERIFY(!m->OBandechPanel->isVisible());
            QVERIFY(!m->Obandech1->isChecked());
            item->trigger();
            QVERIFY(!panel->isVisible());
            QVERIFY(!item->isChecked());
        }
    }

    void maskingSwitchesPanelsAndControlsButNotTheOtherCheckMarks()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        m->show();
        m->Obandech1->trigger();
        m->Odmaskov8n1->trigger();
        QVERIFY(m->Odmaskov8n1->isChecked());
        QCOMPARE(LastMessage(f), std::string("Zvolte parametry analýzy vegetačního indexu a analýzy shodnosti spekter, "
                                             "pak stiskněte tlačítko Odmaskovat."));
        QVERIFY(m->NDVIPanel->isVisible());
        QVERIFY(m->JehlicePanel2->isVisible());
        QVERIFY(m->MaskaBtn->isVisible());
        QVERIFY(m->SpektraSpin->isVisible());
        QVERIFY(!m->OBandechPanel->isVisible());
        QVERIFY(!m->Obandech1->isChecked());
        QVERIFY(!m->NDVI1->isChecked());  // panel shown, item unchecked: they disagree
        m->NDVI1->trigger();
        QVERIFY(m->NDVI1->isChecked());
        QVERIFY(!m->NDVIPanel->isVisible());

        m->Odmaskov8n1->trigger();
        QVERIFY(!m->Odmaskov8n1->isChecked());
        QVERIFY(m->NDVIPanel->isHidden());
        QVERIFY(m->JehlicePanel2->isHidden());
        QVERIFY(m->MaskaBtn->isHidden());
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

    void ndviFillsTheResultsPanelAndPaintsTheLowerPicture()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        const TData cube = LoadRandomCutout(f);
        m->NDVIBtn->click();
        const AnalysisResult expected = RunNdvi(cube, NdviSettings{});
        QCOMPARE(m->VyslNadpisLabel->text(), QString::fromUtf8("Výsledky analýzy vegetačního indexu:"));
        QCOMPARE(m->VyslMinLabel->text().toStdString(), FormatNumber(expected.Figures.Min, ','));
        QVERIFY(m->VyslMaxLabel->text().contains(','));
        QCOMPARE(m->VyslHmezLabel->text().toStdString(), FormatNumber(expected.Figures.Upper, ','));
        QVERIFY(m->BandMapImage->Picture() == expected.Picture);

        // A stopped run keeps picture and panel.
        const std::size_t messages = f.reporter.messages.size();
        m->RedbSpin1->setValue(34);
        m->NDVIBtn->click();
        QCOMPARE(f.reporter.messages.size(), messages + 1);
        QCOMPARE(LastMessage(f), std::string("Nesmyslný rozsah u RED a NIR."));
        QVERIFY(m->BandMapImage->Picture() == expected.Picture);
        QCOMPARE(m->VyslMinLabel->text().toStdString(), FormatNumber(expected.Figures.Min, ','));
    }

    void needleRefusesCustomWeightBeforeTheEditor()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        LoadRandomCutout(f);
        m->Vaha2Combo->setCurrentIndex(15);
        m->Jehlice2BtnClick();
        QCOMPARE(LastMessage(f), std::string("Použití vlastní váhové funkce bez jejího nastavení je nesmysl!"));
        QCOMPARE(m->VyslNadpisLabel->text(), QString::fromUtf8("Výsledky analýzy:"));
        m->Vaha2Btn->click();
        QCOMPARE(LastMessage(f), std::string("Editor vlastních váhových funkcí zatím není k dispozici."));
        m->Protivaha2Btn->click();
        QCOMPARE(LastMessage(f), std::string("Editor vlastních váhových funkcí zatím není k dispozici."));
    }

    void analysesBeforeAnyCutoutSaySo()
    {
        GuiFixture f;
        auto* m = f.app->MainForm.get();
        for (QPushButton* button : {m->NDVIBtn, m->Jehlice2Btn, m->MaskaBtn}) {
            button->click();
            QCOMPARE(LastMessage(f), std::string("Nejprve nahrajte datový výřez (Data, Nahrávání)."));
        }
    }

    void maskPaintsWhatTheBatchToolPaints()
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

    void missingReferenceFilesAreNamedAndTheProgramStillOpens()
    {
        GuiFixture f(NoReferenceFiles);
        QCOMPARE(f.reporter.messages.size(), std::size_t(2));
        QVERIFY(f.reporter.messages[0].text.find("RefSpE34.txt") != std::string::npos);
        QVERIFY(f.reporter.messages[1].text.find("AllRefSp.dat") != std::string::npos);
        auto* m = f.app->MainForm.get();
        QCOMPARE(m->Memo1->toPlainText().split('\n').size(), 65);
        QVERIFY(f.app->VahFceForm != nullptr);
        LoadRandomCutout(f);
        m->Jehlice2BtnClick();
        QVERIFY(LastMessage(f).find("AllRefSp.dat") != std::string::npos);
        m->NDVIBtnClick();
        QCOMPARE(m->VyslNadpisLabel->text(), QString::fromUtf8("Výsledky analýzy vegetačního indexu:"));
    }

    void shortReferenceFilesAreRefused()
    {
        GuiFixture f([](const TempDir& dir) {
            InstallReferenceFiles(dir.Path());
            std::filesystem::resize_file(dir.Path() / "data/refsp/AllRefSp.dat", 7679);
            std::ofstream(dir.File("data/refsp/RefSpE34.txt"), std::ios::trunc) << "0.1\r\n0.2\r\n";
        });
        QCOMPARE(f.reporter.messages.size(), std::size_t(2));
        QVERIFY(f.reporter.messages[0].text.find("RefSpE34.txt") != std::string::npos);
        QVERIFY(f.reporter.messages[0].text.find("601") != std::string::npos);
        QVERIFY(f.reporter.messages[1].text.find("AllRefSp.dat") != std::string::npos);
        QVERIFY(f.app->Spectral.ReferenceTable.empty());
        QVERIFY(f.app->Spectral.CurrentReference.empty());
    }

    void closingReleasesTheSpectralState()
    {
        GuiFixture f;
        f.reporter.answers = {false, true};
        QVERIFY(!f.app->MainForm->FormCloseQuery());
        QCOMPARE(f.app->Spectral.ReferenceTable.size(), std::size_t(15));
        QVERIFY(f.app->MainForm->FormCloseQuery());
        QVERIFY(f.app->Spectral.ReferenceTable.empty());
        QVERIFY(f.app->Spectral.CurrentReference.empty());
    }
};

QTEST_MAIN(SpectralPanelsTest)
#include "test_spectral_panels.moc"
