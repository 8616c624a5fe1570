#include "gui_fixture.h"

using namespace lumera;
using namespace lumera::testing;
using gui::TVahFceForm;

namespace {

QString Cell(const TVahFceForm* form, int row, int column) { return form->VahFceGrid->item(row, column)->text(); }

// The weight cells' texts in spectral-vector order.
QStringList Weights(const TVahFceForm* form)
{
    QStringList texts;
    for (int i = 0; i < kSpectralBands; ++i) texts << Cell(form, WeightCell(i).Row, WeightCell(i).Column);
    return texts;
}

void Type(TVahFceForm* form, int i, const QString& text)
{
    form->VahFceGrid->item(WeightCell(i).Row, WeightCell(i).Column)->setText(text);
}

void TypeAll(TVahFceForm* form, const QString& text)
{
    for (int i = 0; i < kSpectralBands; ++i) Type(form, i, text);
}

QStringList All(const QString& text) { return QStringList(kSpectralBands, text); }
SpectralVector Filled(double value) { return SpectralVector(kSpectralBands, value); }

void Apply(TVahFceForm* form, const char* operation)
{
    form->OperaceCombo->setCurrentIndex(form->OperaceCombo->findText(QString::fromUtf8(operation)));
    form->OperaceBtn->click();
}

}  // namespace

class VahFceFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    void operationsTransformTheTableAndTheMemoryQuestionCanStopThem()
    {
        GuiFixture f;
        auto* form = f.app->VahFceForm.get();
        QCOMPARE(Weights(form), All("1"));  // a new table weighs every band alike, under each band's name and nm
        QCOMPARE(Cell(form, WeightCell(0).Row - 2, WeightCell(0).Column), QString("band2"));
        QCOMPARE(Cell(form, WeightCell(0).Row - 1, WeightCell(0).Column), QString("400,3"));
        TypeAll(form, "0,5");
        form->OperaceBtn->click();  // no entry selected: nothing to apply
        QCOMPARE(Weights(form), All("0,5"));
        const struct {
            const char *typed, *operation;
            bool normalised;
            const char *result, *refusal;
        } steps[] = {
            {"0,5", "Mocnina", false, "0,25", nullptr},
            {"1e200", "Mocnina", false, "1e200", "přesahuje rozsah"},  // beyond the doubles: the table kept
            {"0,5", "Mocnina", true, "1", nullptr},
            {"1", "1 - X", false, "0", nullptr},
            {"1", "1 - X", true, "1", "nulové"},  // all zeros cannot be normalised: the table kept
        };
        for (const auto& s : steps) {
            TypeAll(form, s.typed);
            form->NormalCheck->setChecked(s.normalised);
            Apply(form, s.operation);
            QCOMPARE(Weights(form), All(s.result));
            if (s.refusal) QVERIFY(f.LastMessage().find(s.refusal) != std::string::npos);
        }
        form->NormalCheck->setChecked(false);

        TypeAll(form, "3");
        f.reporter.answers = {false, true};
        Apply(form, "Součin s pamětí");
        QCOMPARE(f.LastMessage(), std::string("Hodnota paměti nebyla nastavena, obsahuje jedničky. Pokračovat?"));
        QCOMPARE(Weights(form), All("3"));
        form->OperaceBtn->click();  // Yes: times 64 ones
        QCOMPARE(Weights(form), All("3"));
        form->XtoMBtn->click();
        TypeAll(form, "2");
        Apply(form, "Součet s pamětí");  // memory set: no question
        QCOMPARE(Weights(form), All("5"));
        QCOMPARE(f.reporter.messages.size(), std::size_t(4));
        form->MtoXBtn->click();
        QCOMPARE(Weights(form), All("3"));

        f.app->Spectral.ReferenceTable[6][0] = -4.0;  // "T2" with a negative peak
        form->VyjitZeCombo->setCurrentIndex(6);
        form->VyjitZeBtn->click();
        QCOMPARE(Cell(form, 2, 0), QString("-1"));
    }

    void aCellThatIsNotANumberStopsWhateverReadsTheTable()
    {
        GuiFixture f;
        auto* form = f.app->VahFceForm.get();
        Type(form, 20, "1.5");  // a full stop where the user's separator is a comma
        const Bitmap chart = form->VahFceImage->Picture();
        QVERIFY(std::all_of(chart.Bytes().begin(), chart.Bytes().end(), [](uint8_t b) { return b == 255; }));  // white
        f.dialogs.answers = {f.dir.File("w")};
        for (QPushButton* button : {form->SetBtn, form->XtoMBtn, form->DrawTabBtn, form->SaveBtn, form->OperaceBtn}) {
            button->click();
            QCOMPARE(f.reporter.messages.back().kind, std::string("error"));
            QCOMPARE(f.LastMessage(), std::string("\"1.5\" není platné číslo."));
        }
        QVERIFY(f.app->Spectral.CustomWeight == Filled(1.0) && !f.app->Spectral.CustomFunctionSet);
        QVERIFY(!form->MemorySet());
        QCOMPARE(form->VahFceImage->Picture(), chart);
        QVERIFY(!std::filesystem::exists(f.dir.File("w")));
    }

    void settingStoresThePeakNormalisedTableForTheModeAndKeepsTheTable()
    {
        GuiFixture f;
        auto* form = f.app->VahFceForm.get();
        Type(form, 0, "2");
        Type(form, 1, "4");
        form->SetBtn->click();
        const SpectralVector& weight = f.app->Spectral.CustomWeight;
        QVERIFY(weight[0] == 0.5 && weight[1] == 1.0 && weight[2] == 0.25 && f.app->Spectral.CustomFunctionSet);
        QCOMPARE(Weights(form).mid(0, 3), QStringList({"2", "4", "1"}));
        QCOMPARE(f.app->Spectral.CustomCounterWeight, Filled(1.0));

        form->SetMode(WeightEditorMode::CounterWeight);
        form->SetBtn->click();
        QCOMPARE(f.app->Spectral.CustomCounterWeight, weight);
        TypeAll(form, "0");
        form->SetBtn->click();
        QVERIFY(f.LastMessage().find("nulové") != std::string::npos);
        QCOMPARE(f.app->Spectral.CustomCounterWeight, weight);
    }
};

QTEST_MAIN(VahFceFormTest)
#include "test_vahfce_form.moc"
