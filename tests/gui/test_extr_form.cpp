#include "extr_form.h"
#include "filter_panel.h"
#include "gui_fixture.h"
#include "radio_group.h"

using namespace lumera;
using namespace lumera::testing;

namespace {

// A grey 9 x 9 picture of 100 with one peak of 200 at (4, 4) and a pit of 10
// at (6, 6) in a ring of 50: the only maximum and the only minimum.
Bitmap PeakAndPit()
{
    return GreyPicture(9, 9, [](int x, int y) {
        if (x == 4 && y == 4) return 200;
        return x == 6 && y == 6 ? 10 : x >= 5 && x <= 7 && y >= 5 && y <= 7 ? 50 : 100;
    });
}

}  // namespace

class ExtrFormTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }

    void aSearchWithoutItsSourceSaysWhatIsMissingAndChangesNothing()
    {
        GuiFixture f;
        auto* form = f.app->ExtrForm.get();
        QCOMPARE(QList({form->KolikSmeru->value(), form->KolikMensich->value(), form->KolikBandu->value()}),
                 QList({4, 7, 60}));  // the search's defaults
        form->VypocetPodle->SetItemIndex(0);
        form->LokalMinBtn->click();
        QCOMPARE(f.LastMessage(), std::string("Nejsou inicializovana zadna data!"));

        // A background is not a source picture.
        WriteBmp(f.dir.File("a.bmp"), PeakAndPit());
        QVERIFY(form->LoadBackground(f.dir.File("a.bmp")));
        form->VypocetPodle->SetItemIndex(1);
        form->LokalMaxBtn->click();
        QCOMPARE(f.LastMessage(), std::string("Je nutné nahrad podkladovy obraz!"));
        form->ShowMaxBtn->setEnabled(true);
        form->ShowMaxBtn->click();
        QVERIFY(f.LastMessage().find("zdrojový obraz") != std::string::npos);
        QCOMPARE(form->ZpracovaneImage->Picture(), PeakAndPit());
    }

    void findsTheTopsAndTheGapsAndPaintsThemRedAndBlueSkippingThoseOutsideTheSource()
    {
        GuiFixture f;
        auto* form = f.app->ExtrForm.get();
        WriteBmp(f.dir.File("peak.bmp"), PeakAndPit());
        f.dialogs.answers = {f.dir.File("peak.bmp")};
        form->ZdrojBtn->click();

        form->FiltrCheck->setChecked(false);
        form->LokalMaxBtn->click();
        form->LokalMinBtn->click();
        QCOMPARE(form->Maxima, (TExtremaList{{4, 4}}));
        QCOMPARE(form->Minima, (TExtremaList{{6, 6}}));
        for (QPushButton* button : {form->SaveMaxBtn, form->ShowMaxBtn, form->SaveMinBtn, form->ShowMinBtn})
            QVERIFY(button->isEnabled());

        form->ShowMaxBtn->click();
        form->ShowMinBtn->click();
        const Bitmap& shown = form->ZpracovaneImage->Picture();
        QVERIFY(IsColour(shown, 4, 4, {0, 0, 255}));
        QVERIFY(IsColour(shown, 6, 6, {255, 0, 0}));
        QVERIFY(IsColour(shown, 5, 5, kWhite));  // the white picture's corner is kept

        // With the filter the search runs on the smoothed brightness, where the
        // peak spreads into a plateau of equal values: no strict maximum remains.
        form->FiltrCheck->setChecked(true);
        form->Filtr->HranaFiltru->setValue(3);
        form->Filtr->HranaBtn->click();
        form->Filtr->NormBtn->click();
        form->LokalMaxBtn->click();
        QVERIFY(form->Maxima.empty());

        TData cube = MakeCube(65, 5, 6, 100);  // on the cube the bands vote
        SetBands(cube, 3, 2, 1, 60, 200);
        QVERIFY(f.Load(cube));
        form->VypocetPodle->SetItemIndex(0);
        form->LokalMaxBtn->click();
        QCOMPARE(form->Maxima, (TExtremaList{{3, 2}}));

        // Points outside the source are skipped and counted in one message;
        // the first row and column lie inside.
        form->Minima = {{8, 8}, {9, 0}, {0, 9}, {-1, 2}, {2, 2}, {0, 0}};
        const std::size_t messages = f.reporter.messages.size();
        form->ShowMinBtnClick();
        QCOMPARE(f.reporter.messages.size(), messages + 1);
        QVERIFY(f.LastMessage().find(": 3.") != std::string::npos);
        QVERIFY(IsColour(form->ZpracovaneImage->Picture(), 8, 8, {255, 0, 0}));
        QVERIFY(IsColour(form->ZpracovaneImage->Picture(), 2, 2, {255, 0, 0}));
    }
};

QTEST_MAIN(ExtrFormTest)
#include "test_extr_form.moc"
