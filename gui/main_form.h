#pragma once
#include <string>

#include <QMainWindow>

#include "crowns/tree_matrix.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace lumera {
struct PixelRect;
struct AnalysisFigures;
struct AnalysisResult;
struct MaskSettings;
struct NdviSettings;
struct NeedleSettings;
enum class WeightEditorMode;
}  // namespace lumera

namespace lumera::gui {

class PictureView;
class Workbench;

// The main window: the menu to everything else, the views of the loaded
// cut-out and the panels of the spectral analysis.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(Workbench& workbench);

    // Loads a cut-out file into the cube; on failure reports it and changes nothing.
    bool LoadCutout(const std::string& path);
    // Imports a window of a scene into a cut-out file in the cut-out folder
    // (with its georeference beside it) and loads that; on failure reports it
    // and changes nothing. The wavelength file and the scale as the user
    // wrote them: "" for the scene's wavelengths and a guessed scale.
    bool ImportSceneWindow(const std::string& scenePath, const PixelRect& window, const std::string& wavelengthFile,
                           const std::string& scale, bool allowPartial);
    // The close question; true when the user agreed and the data were released.
    bool FormCloseQuery();

    // Pixel controls
    PictureView* SpektrumImage;
    QPushButton* Button3;
    QPushButton* TrueColorBtn;
    QFrame* ValuePanel;
    QLabel *Label1, *Label2, *Label3, *Label4, *ValueLabel;
    QSpinBox *XSpin, *YSpin, *BandSpin;
    QPushButton* SpektrumBtn;
    QPushButton* BandMapBtn;
    QPlainTextEdit* SpektrumMemo;
    // Pictures
    QScrollArea* VzorScrollBox;
    PictureView* VzorImage;
    QScrollArea* BandMapScrollBox;
    PictureView* BandMapImage;
    QLabel* SouborLabel;
    QLabel *Label17, *DetailLabel;
    PictureView* DetailImage;
    QCheckBox* SavePictureCheck;
    QPushButton* SavePictureBtn;
    // Panels sharing the left part of the window
    QFrame* OBandechPanel;
    QLabel* Label14;
    QPlainTextEdit* Memo1;
    QFrame* NDVIPanel;
    QFrame* JehlicePanel2;
    QFrame* VysledkyPanel;
    // Menu
    QMenuBar* MainMenu1;
    QMenu *Data1, *Informace1, *Analza1, *Anal1, *Vsledky1;
    QAction *Nahrvn1, *Importsnmku1, *Obandech1, *NDVI1, *Jehlice21, *Odmaskov8n1, *Vsledkyanalzy1, *Adaptivnekvalizace1,
        *Loklnextrmy1, *Zpracovnloklnchextrm1, *Automatickvymezenkorun1, *Upravykorun1, *Srovnvn1;

    // Spectral analysis: the NDVI panel
    QLabel *Label22, *Label26, *Label24, *Label25, *Label23, *Label27, *Label28, *Label29;
    QSpinBox *RedbSpin1, *RedbSpin2, *NirbSpin1, *NirbSpin2, *NdviP1Spin, *NdviP2Spin;
    QCheckBox* NDVIAbsolutCheck;
    QPushButton* NDVIBtn;
    // the needle panel
    QPushButton *Jehlice2Btn, *Vaha2Btn, *Protivaha2Btn;
    QLabel *Label30, *Label31, *Label32, *Label33;
    QComboBox *Vaha2Combo, *Normalizace2Combo, *Protivaha2Combo;
    QCheckBox *Normalizace2Check, *Jehlice2AbsolutCheck;
    QSpinBox *MinP2Spin, *MaxP2Spin;
    // the masking controls on the needle panel
    QPushButton* MaskaBtn;
    QLabel *Label34, *Label37, *Label38, *Label41, *Label42;
    QSpinBox *IndexSpin, *SpektraSpin;
    QComboBox* AplikovatCombo;
    // the results panel
    QLabel *VyslNadpisLabel, *Label35, *VyslMinLabel, *Label36, *VyslMaxLabel, *Label39, *VyslDmezLabel, *Label40,
        *VyslHmezLabel;

public slots:
    // Data, information and the tool windows
    void Nahrvn1Click();
    void Importsnmku1Click();  // main_form_import.cpp
    void Obandech1Click();
    void Adaptivnekvalizace1Click();
    void Loklnextrmy1Click();
    void Zpracovnloklnchextrm1Click();
    void Srovnvn1Click();
    void Upravykorun1Click();
    // Views of the loaded cut-out (main_form_views.cpp)
    void XSpinChange();  // any of XSpin, YSpin, BandSpin
    void SpektrumBtnClick();
    void Button3Click();
    void BandMapBtnClick();
    void BandMapImageMouseDown(int X, int Y);
    void VzorImageMouseDown(int X, int Y);
    void DetailImageMouseDown(int X, int Y);
    void SavePictureBtnClick();
    // The true-colour composite into VzorImage (main_form_truecolor.cpp)
    void TrueColorBtnClick();
    // Spectral analysis (main_form_analyses.cpp)
    void NDVIBtnClick();
    void NDVI1Click();
    void NDVIAbsolutCheckMouseUp();
    void Vsledkyanalzy1Click();
    void Jehlice2BtnClick();
    void Jehlice21Click();
    void Jehlice2AbsolutCheckMouseUp();
    void Vaha2BtnClick();
    void Protivaha2BtnClick();
    void MaskaBtnClick();
    void Odmaskov8n1Click();
    void IndexSpinChange();
    void SpektraSpinChange();
    // Scale-aware crown delineation (main_form_delineation.cpp)
    void Automatickvymezenkorun1Click();

public:
    // Writes the upper picture (`VzorImage`) when "horní" is checked, else the
    // lower one (`BandMapImage`), as a 24-bit BMP; ".bmp" is appended to a
    // name without extension. Reports a failure; true when written.
    bool SavePicture(const std::string& path);
    // Writes the crowns of the last automatic delineation as a tree matrix
    // file. Reports a failure; true when written.
    bool SaveDelineatedTrees(const std::string& path);
    // The crowns of the last automatic delineation.
    TTreeMatrix DelineatedTrees;
    // The loaded cut-out's file: its georeference lies beside it.
    std::string CutoutPath;
    // Adds the spectrum of pixel (x, y) (0-based) and, in red, the mean
    // spectrum of its crown in `trees` to the spectrum plot, when the pixel
    // lies in a crown of a matrix of the cut-out's size; true when drawn.
    bool PlotCrownSpectrum(const TTreeMatrix& trees, int x, int y);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void CreateControls();
    void CreateValuePanel();
    void CreateSidePanels();
    void LayOutControls();
    void ConnectViews();
    void CreateMenu();
    void FillBandList();
    // False, after saying so, while no cut-out is loaded.
    bool CutoutLoaded();
    // Views
    // The detail of a click on one of the two pictures.
    void ShowPictureDetail(PictureView* picture, int X, int Y);
    // Limits the spins to the loaded cut-out's columns, rows and bands and shows the value there.
    void LimitSpinsToCutout();
    // Spectral analysis
    void CreateSpectralPanels();
    void CreateNdviPanel();
    void CreateNeedlePanel();
    void CreateResultsPanel();
    void ConnectSpectralPanels();
    void ConnectSpectralMenu();
    void PrepareSpectralState();
    void LoadReferenceTable();
    NdviSettings ReadNdviSettings() const;
    NeedleSettings ReadNeedleSettings() const;
    MaskSettings ReadMaskSettings() const;
    bool ReportStop(const AnalysisResult& result);
    void ShowFigures(const QString& heading, const AnalysisFigures& figures);
    void HideBandInfo();
    void TogglePanel(QFrame* panel);
    void OpenWeightEditor(WeightEditorMode mode);
    QList<QWidget*> MaskingControls() const;

    Workbench& App;
};

}  // namespace lumera::gui
