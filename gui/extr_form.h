#pragma once
#include <memory>
#include <optional>
#include <string>

#include "data/matice.h"
#include "extrema/extremum.h"
#include "imaging/drawing.h"
#include "tool_window.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace lumera {
struct SearchRule;
}

namespace lumera::gui {

class FilterPanel;
class PictureView;
class RadioGroup;

// The local extrema search window: finds the maxima (tree tops) and the
// minima grid (gaps between crowns) on the cube or on a source picture,
// paints them, and stores and loads them as extrema files.
class TExtrForm : public ToolWindow {
    Q_OBJECT
public:
    explicit TExtrForm(Workbench& workbench);
    ~TExtrForm() override;

    // The doing behind the buttons; each reports a failure and then changes nothing.
    bool LoadSource(const std::string& path);
    bool LoadBackground(const std::string& path);
    bool SavePicture(const std::string& path);
    bool SaveMaxima(const std::string& path);
    bool SaveMinima(const std::string& path);
    bool LoadMaxima(const std::string& path);
    bool LoadMinima(const std::string& path);

    TExtremaList Maxima;
    TExtremaList Minima;

    RadioGroup *VypocetPodle, *VypocetPodle2, *VypocetPodle3, *VypocetPodle4;
    QPushButton* ZdrojBtn;
    QLabel* Label2;
    QPushButton *LokalMaxBtn, *SaveMaxBtn, *LoadMaxBtn, *ShowMaxBtn;
    QLabel *Label5, *Label6, *Label7;
    QSpinBox *KolikSmeru, *KolikMensich, *KolikBandu;
    QLabel* Label4;
    QPushButton *LokalMinBtn, *SaveMinBtn, *LoadMinBtn, *ShowMinBtn;
    QLabel *Label8, *Label9, *Label11;
    QSpinBox *KolikSmeru2, *KolikMensich2, *KolikBandu2;
    QCheckBox* FiltrCheck;
    std::unique_ptr<FilterPanel> Filtr;
    QFrame* VstupPanel;
    QScrollArea* VstupScrollBox;
    PictureView* VstupImage;
    QFrame* ZpracovanePanel;
    QScrollArea* ZpracovaneScrollBox;
    PictureView* ZpracovaneImage;
    QPushButton *PodkladBtn, *SavePictureBtn;
    QLabel *Label17, *DetailLabel;
    PictureView *DetailImage1, *DetailImage2;

public slots:
    void FormCreate();
    void ZdrojBtnClick();
    void PodkladBtnClick();
    void SavePictureBtnClick();
    void LokalMaxBtnClick();
    void LokalMinBtnClick();
    void SaveMaxBtnClick();
    void SaveMinBtnClick();
    void LoadMaxBtnClick();
    void LoadMinBtnClick();
    void ShowMaxBtnClick();
    void ShowMinBtnClick();
    void HranaBtnClick();
    void NormBtnClick();
    void GaussBtnClick();
    void FiltrLoadBtnClick();
    void FiltrSaveBtnClick();
    void ZpracovaneImageMouseDown(int x, int y, Qt::MouseButton button);

private:
    void CreateControls();
    void CreateSearchControls();
    void ConnectControls();
    void LayOut();
    std::string ListFolder() const;
    std::string PictureFolder() const;
    bool SourceLoaded() const;
    bool LoadPictureInto(PictureView* view, const std::string& path);
    // The brightness matrix of the source picture, filtered when FiltrCheck
    // is checked; nothing after telling the user why there is none.
    std::optional<TMatice> SourceBrightness();
    // Runs a search on the chosen source into the list (on the cube a position
    // needs `bands` votes) and opens the list's buttons; a missing source or an
    // unusable filter changes nothing. The status line tells how many points
    // were found, in the text `found` (%1: the count).
    void Search(const SearchRule& rule, int bands, TExtremaList& points, QPushButton* saveBtn,
                QPushButton* showBtn, const QString& found);
    bool SaveList(const std::string& path, const TExtremaList& points);
    bool LoadList(const std::string& path, TExtremaList& points, QPushButton* saveBtn, QPushButton* showBtn);
    void ShowList(const TExtremaList& points, BgrColour colour);
};

}  // namespace lumera::gui
