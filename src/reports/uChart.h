#pragma once
// The usage chart window: a month per day or a year per month, minutes of PC and of Internet,
// with the options of the left panel, bitmap export and print preview. The data comes from
// ChartData and the drawing from ChartView; this class only wires the controls to them.

#include <QDialog>

#include "uChartData.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;

namespace telmora {

class ChartView;
class IMessages;
class ReportError;

class TformChart : public QDialog {
    Q_OBJECT
public:
    TformChart(TDataModule1& module, const IClock& clock, IMessages& messages,
               ReportError& reportError, QWidget* parent = nullptr);
    ~TformChart() override;

    static constexpr int kInfoHiddenTop = -40;
    static constexpr int kInfoShownTop = -1;

    // The file name offered by the save dialog, from the foot text and today's date.
    QString proposedFileName() const;

    // Controls, by the names the program uses for them.
    QComboBox* combomese = nullptr;
    QComboBox* comboanno = nullptr;
    QPushButton* btnsalva = nullptr;
    QPushButton* btnstampa = nullptr;
    QCheckBox* chPC = nullptr;
    QCheckBox* chInternet = nullptr;
    QCheckBox* chstairs = nullptr;
    QCheckBox* chetichette = nullptr;
    QCheckBox* chpunti = nullptr;
    QCheckBox* ch3d = nullptr;
    QCheckBox* chorto = nullptr;
    QCheckBox* chlegenda = nullptr;
    QSlider* tracklegenda = nullptr;
    QLabel* lblzoom = nullptr;
    QSlider* trackZoom = nullptr;
    ChartView* chartT = nullptr;
    QLabel* memoinfo = nullptr;
    QTimer* timerChart = nullptr;

public slots:
    void combomeseChange();
    void comboannoChange();
    void chPCClick();
    void chInternetClick();
    void chstairsClick();
    void chetichetteClick();
    void chpuntiClick();
    void ch3dClick();
    void chortoClick();
    void chlegendaClick();
    void tracklegendaChange();
    void trackZoomChange();
    void chartTZoom();
    void chartTUndoZoom();
    void btnsalvaClick();
    void btnstampaClick();
    void timerChartTimer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPanel(QWidget* panel);
    void FormCreate();
    void FillChart(QObject* origin);
    void memoinfoMouseMove();
    void moveZoomSlider(int value);

    const IClock& clock_;
    IMessages& messages_;
    ReportError& reportError_;
    ChartData chartData_;
    bool zoomGuard_ = false;  // set while the window itself moves the slider or zooms
};

}  // namespace telmora
