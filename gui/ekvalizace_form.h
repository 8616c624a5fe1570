#pragma once
#include <string>

#include "tool_window.h"

class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace lumera::gui {

class PictureView;

// The adaptive equalization window: loads a grey picture, equalizes it with a
// sliding square window and saves the result.
class TEkvalizaceForm : public ToolWindow {
    Q_OBJECT
public:
    explicit TEkvalizaceForm(Workbench& workbench);

    // Loads the input picture; on failure reports it and changes nothing.
    bool LoadPicture(const std::string& path);
    // Writes the result picture; reports a missing result or a failed write.
    bool SaveResult(const std::string& path);

    QPushButton* LoadBtn;
    QLabel *Label1, *ObrLabel, *Label2, *VelObrLabel;
    QFrame* VstupPanel;
    QScrollArea* VstupScrollBox;
    PictureView* VstupImage;
    QFrame* ZpracovanePanel;
    QScrollArea* ZpracovaneScrollBox;
    PictureView* ZpracovaneImage;
    QLabel* Label3;
    QSpinBox* HranaSpin;
    QPushButton* StupidBtn;
    QPushButton* SaveBtn;
    QLabel *Label17, *DetailLabel;
    PictureView *DetailImage1, *DetailImage2;

public slots:
    void LoadBtnClick();
    void StupidBtnClick();
    void SaveBtnClick();
    // A click with any button on either picture magnifies both at the same place.
    void ZpracovaneImageMouseDown(int x, int y, Qt::MouseButton button);

private:
    void CreateControls();
    void LayOut();
    std::string PictureFolder() const;
    // True when there is a result picture; otherwise tells the user so.
    bool ResultReady();
};

}  // namespace lumera::gui
