// The local extrema search window's two searches.
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>

#include "extr_form.h"
#include "extrema/brightness.h"
#include "extrema/extrema_search.h"
#include "filter_panel.h"
#include "picture_view.h"
#include "radio_group.h"
#include "workbench.h"

namespace lumera::gui {

namespace {

ExtremumTest ChosenTest(const RadioGroup* group)
{
    return group->ItemIndex() == 0 ? ExtremumTest::Directions : ExtremumTest::Neighbourhood;
}

}  // namespace

std::optional<TMatice> TExtrForm::SourceBrightness()
{
    if (!SourceLoaded()) {
        App.Messages.Information("Je nutné nahrad podkladovy obraz!");
        return std::nullopt;
    }
    if (FiltrCheck->isChecked()) return Filtr->FilteredBrightnessOf(VstupImage->Picture());
    return BrightnessMatrix(VstupImage->Picture());
}

void TExtrForm::Search(const SearchRule& rule, int bands, TExtremaList& points, QPushButton* saveBtn,
                       QPushButton* showBtn, const QString& found)
{
    if (VypocetPodle->ItemIndex() == 0) {
        if (!App.Data.DataLoaded) {
            App.Messages.Information("Nejsou inicializovana zadna data!");
            return;
        }
        points = FindExtrema(App.Data.Cube, bands, rule);
    } else {
        const std::optional<TMatice> brightness = SourceBrightness();
        if (!brightness) return;
        points = FindExtrema(*brightness, rule);
    }
    saveBtn->setEnabled(true);
    showBtn->setEnabled(true);
    Tell(found.arg(qsizetype(points.size())));
}

void TExtrForm::LokalMaxBtnClick()
{
    MaximaSettings settings;
    settings.Test = ChosenTest(VypocetPodle2);
    settings.EqualityAllowed = VypocetPodle3->ItemIndex() == 0;
    settings.Directions = KolikSmeru->value();
    settings.Neighbours = KolikMensich->value();
    settings.Bands = KolikBandu->value();
    Search(MaximaRule(settings), settings.Bands, Maxima, SaveMaxBtn, ShowMaxBtn, QStringLiteral("Nalezeno maxim: %1."));
}

void TExtrForm::LokalMinBtnClick()
{
    MinimaSettings settings;
    settings.Test = ChosenTest(VypocetPodle2);
    settings.EqualityAllowed = VypocetPodle3->ItemIndex() == 0;
    settings.Size = VypocetPodle4->ItemIndex() == 0 ? 3 : 5;
    settings.Directions = KolikSmeru2->value();
    settings.Neighbours = KolikMensich2->value();
    settings.Bands = KolikBandu2->value();
    Search(MinimaRule(settings), settings.Bands, Minima, SaveMinBtn, ShowMinBtn, QStringLiteral("Nalezeno minim: %1."));
}

}  // namespace lumera::gui
