#pragma once
#include <string>

#include "crowns/crown_state.h"
#include "filter_panel.h"
#include "imaging/drawing.h"
#include "tool_window.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace lumera::gui {

class PictureView;
class RadioGroup;

// The local extrema processing window: from the tree tops of an extrema file
// it builds the Voronoi network, moves it onto the dark gaps of the filtered
// picture, grows one region per tree and saves the tree matrix. Two working
// pictures side by side (left "vstup", right "zpracovane") hold backgrounds,
// networks and results; the steps are gated by enabling their buttons.
class TExtrForm2 : public ToolWindow {
    Q_OBJECT
public:
    explicit TExtrForm2(Workbench& workbench);

    // The doing halves of the dialog buttons; each reports a failure and then
    // leaves the window's state as it was. True when done.
    bool LoadMaxima(const std::string& path);
    bool SaveMaxima(const std::string& path);
    bool LoadMinima(const std::string& path);
    bool SaveMinima(const std::string& path);
    bool SavePicture(const std::string& path);
    bool SaveTreeMatrix(const std::string& path);

    // The lists, matrices and networks of the steps. The maxima and minima are
    // this window's own, filled only from extrema files.
    TCrownState State;

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *Label11;
    QPushButton *LoadMaxBtn, *SaveMaxBtn, *ShowMaxBtn;
    QPushButton *LoadMinBtn, *SaveMinBtn, *ShowMinBtn;
    RadioGroup* ShowKam;
    QLineEdit* PodkladCesta;
    QPushButton *LoadPodkladBtn, *ShowPodkladBtn;
    QPushButton *VoroPocitatBtn, *VoroPlochyBtn, *VoroHraniceBtn, *VoroHrShowBtn;
    QPushButton *SousediBtn, *SmeryBtn, *PresunyBtn, *PropojitBtn, *Voro2ShowBtn;
    QPushButton* HraniceObrazBtn;
    QSpinBox* MaxPresunuSpin;
    QPushButton* PresunyIterBtn;
    QSpinBox* prahSpin;
    QPushButton *StromyGoBtn, *StromyShowBtn, *SaveDataBtn;
    QPushButton *FiltrovatBtn, *FiltrShowBtn;
    // The filter matrix controls: FiltrPanel, HranaFiltru, MaticeFiltru and their buttons.
    FilterPanel Filter;
    QPushButton *VsZprBtn, *ZprVsBtn, *doRplusLBtn, *doLplusRBtn, *bilyBtn, *cernyBtn;
    QFrame* VstupPanel;
    QScrollArea* VstupScrollBox;
    PictureView* VstupImage;
    QFrame* ZpracovanePanel;
    QScrollArea* ZpracovaneScrollBox;
    PictureView* ZpracovaneImage;
    QLabel *Label17, *DetailLabel;
    PictureView *DetailImage1, *DetailImage2;
    RadioGroup* SavePictureRadio;
    QPushButton* SavePictureBtn;

public slots:
    void LoadMaxBtnClick();
    void SaveMaxBtnClick();
    void ShowMaxBtnClick();
    void LoadMinBtnClick();
    void SaveMinBtnClick();
    void ShowMinBtnClick();
    void LoadPodkladBtnClick();
    void ShowPodkladBtnClick();
    void VsZprBtnClick();
    void ZprVsBtnClick();
    void doRplusLBtnClick();
    void doLplusRBtnClick();
    void bilyBtnClick();
    void cernyBtnClick();
    void SavePictureBtnClick();
    void VoroPocitatBtnClick();
    void VoroPlochyBtnClick();
    void VoroHraniceBtnClick();
    void VoroHrShowBtnClick();
    void HraniceObrazBtnClick();
    void SousediBtnClick();
    void SmeryBtnClick();
    void FiltrovatBtnClick();
    void FiltrShowBtnClick();
    void HranaBtnClick();
    void NormBtnClick();
    void GaussBtnClick();
    void FiltrLoadBtnClick();
    void FiltrSaveBtnClick();
    void PresunyBtnClick();
    void PresunyIterBtnClick();
    void Voro2ShowBtnClick();
    void PropojitBtnClick();
    void StromyGoBtnClick();
    void StromyShowBtnClick();
    void SaveDataBtnClick();
    void VstupImageMouseDown(int x, int y, Qt::MouseButton button);
    void ZpracovaneImageMouseDown(int x, int y, Qt::MouseButton button);

private:
    void CreateControls();
    void CreateExtremaControls();
    void CreateCrownControls();
    void CreatePictureControls();
    void Click(QPushButton* button, void (TExtrForm2::*slot)());
    void ConnectControls();
    void ConnectCrownControls();
    void LayOut();
    QLayout* ControlColumns();
    QLayout* PictureArea();

    std::string Folder(const char* relative) const;
    // The picture ShowKam chooses, the other one, and the one SavePictureRadio chooses.
    PictureView* ChosenPicture() const;
    PictureView* OtherPicture(const PictureView* picture) const;
    PictureView* PictureToSave() const;
    void PaintList(const TExtremaList& points, BgrColour colour);
    bool LoadList(const std::string& path, TExtremaList& list);
    bool SaveList(const std::string& path, const TExtremaList& list);
    // Moves the network with or without a step limit and enables its display.
    void Move(std::optional<int> stepLimit);
    // Enables the moves once both the filtered image and the normals exist.
    void EnableMovesWhenReady();
    // True when the trees have been computed; otherwise tells the user so.
    bool TreesReady();
};

}  // namespace lumera::gui
