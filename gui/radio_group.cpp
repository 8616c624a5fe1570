#include "radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumera::gui {

RadioGroup::RadioGroup(const QString& name, const QString& caption, const QStringList& items, int itemIndex,
                       QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this))
{
    setObjectName(name);
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* item = new QRadioButton(items[i]);
        buttons_->addButton(item, i);
        layout->addWidget(item);
    }
    SetItemIndex(itemIndex);
}

int RadioGroup::ItemIndex() const { return buttons_->checkedId(); }

void RadioGroup::SetItemIndex(int index) { buttons_->button(index)->setChecked(true); }

}  // namespace lumera::gui
