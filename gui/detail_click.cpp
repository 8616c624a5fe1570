#include "detail_click.h"

#include <QLabel>

#include "imaging/detail_click.h"
#include "picture_view.h"

namespace lumera::gui {

void ShowDetails(QLabel* detailLabel, int x, int y, std::initializer_list<DetailPair> pairs)
{
    const DetailClick click = RaiseDetailClick(x, y);
    ShowDetailsAt(detailLabel, QString::fromStdString(DetailRangeText(click.X, click.Y)), click.X, click.Y, pairs);
}

void ShowDetailsAt(QLabel* detailLabel, const QString& text, int x, int y, std::initializer_list<DetailPair> pairs)
{
    detailLabel->setText(text);
    for (const DetailPair& pair : pairs) {
        if (!ShowDetail(pair.Source->Picture(), pair.Detail->Picture(), x, y))
            pair.Detail->Picture().SetSize(kDetailSide, kDetailSide);
        pair.Detail->Repaint();
    }
}

}  // namespace lumera::gui
