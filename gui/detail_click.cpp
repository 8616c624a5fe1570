#include "detail_click.h"

#include <algorithm>

#include <QLabel>

#include "imaging/detail.h"
#include "picture_view.h"

namespace lumera::gui {

void ShowDetails(QLabel* detailLabel, int x, int y, std::initializer_list<DetailPair> pairs)
{
    x = std::max(x, kDetailRadius);
    y = std::max(y, kDetailRadius);
    detailLabel->setText(QString::fromStdString(DetailRangeText(x, y)));
    for (const DetailPair& pair : pairs) {
        if (!ShowDetail(pair.Source->Picture(), pair.Detail->Picture(), x, y))
            pair.Detail->Picture().SetSize(kDetailSide, kDetailSide);
        pair.Detail->Repaint();
    }
}

}  // namespace lumera::gui
