#pragma once
#include <array>
#include <string>

#include "tool_window.h"

class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;

namespace lumera::gui {

class PictureView;

// The results comparison window: four saved pictures side by side, magnified
// at the same place at once.
class TVyslForm : public ToolWindow {
    Q_OBJECT
public:
    static constexpr int kSlots = 4;

    explicit TVyslForm(Workbench& workbench);

    // Loads a picture file into slot 1..4; on failure reports it and changes nothing.
    bool LoadPicture(int slot, const std::string& path);

    // Slots 1 and 2 on the left (upper, lower), 3 and 4 on the right; detail N
    // always shows a part of picture N.
    QFrame *Panel1, *Panel2, *Panel3, *Panel4;
    QScrollArea *ScrollBox1, *ScrollBox2, *ScrollBox3, *ScrollBox4;
    PictureView *Image1, *Image2, *Image3, *Image4;
    PictureView *DetailImage1, *DetailImage2, *DetailImage3, *DetailImage4;
    QPushButton *Button1, *Button2, *Button3, *Button4;
    QLabel *Label17, *DetailLabel;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    // A click with any button on any of the four pictures magnifies all four.
    void Image1MouseDown(int x, int y, Qt::MouseButton button);

private:
    void CreateControls();
    void LayOut();
    void OpenSlot(int slot);
    std::array<PictureView*, kSlots> Images() const;
};

}  // namespace lumera::gui
