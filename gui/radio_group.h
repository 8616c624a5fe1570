#pragma once
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace lumera::gui {

// A captioned group of radio buttons of which exactly one is chosen; the
// chosen item is known by its index, as the windows' options are.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& name, const QString& caption, const QStringList& items, int itemIndex,
               QWidget* parent = nullptr);

    int ItemIndex() const;
    void SetItemIndex(int index);

private:
    QButtonGroup* buttons_;
};

}  // namespace lumera::gui
