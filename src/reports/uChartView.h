#pragma once
// The drawing of the usage chart on top of QCustomPlot: the two line series with their marks and
// markers, the axes, the legend along the top, the foot text, a 3D view drawn as ribbons with
// depth, and zoom and scroll with the mouse. It holds the chart's options, so that series built
// later take the options already chosen.

#include <qcustomplot.h>

#include <QColor>
#include <QPoint>
#include <QStringList>
#include <vector>

#include "uChartData.h"

class QRubberBand;

namespace telmora {

class ChartDepthLayer;

class ChartView : public QCustomPlot {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);
    ~ChartView() override;

    static constexpr int kDepthPercent = 10;
    // At full zoom the range narrows to this share of the whole on each axis, never to nothing.
    static constexpr double kMaxNarrowing = 0.45;

    // Empties the chart of its series and its period (the window's state before the first pick).
    void clearSeries();
    // Sets the labels of the bottom axis, the foot text and the left axis's label step.
    void setPeriod(const ChartPeriod& period);
    // Adds the next series; its drawing follows the options already set.
    void addSeries(const QString& title, const QColor& colour, const QColor& markColour,
                   const ChartSeries& points, bool visible);

    int seriesCount() const { return static_cast<int>(series_.size()); }
    QCPGraph* seriesGraph(int index) const { return series_.at(static_cast<size_t>(index)).graph; }
    const ChartSeries& seriesPoints(int index) const {
        return series_.at(static_cast<size_t>(index)).points;
    }
    QColor markColour(int index) const { return series_.at(static_cast<size_t>(index)).markColour; }
    // The mark of one point as drawn: the value rendered with thousands separators, rewritten to
    // hours and minutes; empty for a null point or a point of no minutes.
    QString markText(int seriesIndex, int pointIndex) const;

    void setSeriesVisible(int index, bool visible);
    void setStairs(bool on);
    bool stairs() const { return stairs_; }
    void setMarksVisible(bool on);
    bool marksVisible() const { return marks_; }
    void setPointsVisible(bool on);
    bool pointsVisible() const { return points_; }
    void setView3D(bool on);
    bool view3D() const { return view3D_; }
    void setOrthogonal(bool on);
    bool orthogonal() const { return orthogonal_; }
    void setBottomMarginPercent(int percent);
    int bottomMarginPercent() const { return bottomMargin_; }
    void setLegendVisible(bool on);
    void setLegendOffset(int percent);
    int legendOffset() const { return legendOffset_; }
    QCPLegend* chartLegend() const { return legend; }
    QString footText() const;
    int labelStep() const { return labelStep_; }

    // Zooms to percent about the centre of each axis from the full ranges (100: the full range).
    void zoomPercent(int percent);
    // Shows the full ranges again.
    void undoZoom();
    bool zoomedIn() const;

    // Depth of the 3D view in pixels, and the offset of a depth z (0 front .. 1 back).
    int depthPixels() const;
    QPointF depthOffset(double z) const;

signals:
    void zoomed();      // after a zoom with the mouse
    void zoomUndone();  // after an undo with the mouse

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    friend class ChartDepthLayer;
    struct Series {
        QCPGraph* graph = nullptr;
        ChartSeries points;
        QColor colour;
        QColor markColour;
    };

    void applyStyle(const Series& s);
    void placeLayout();
    QCPRange fullValueRange() const;

    std::vector<Series> series_;
    ChartDepthLayer* depth_ = nullptr;
    QCPLayoutInset* legendRow_ = nullptr;
    QCPTextElement* foot_ = nullptr;
    QSharedPointer<QCPAxisTickerText> bottomTicker_;
    QSharedPointer<QCPAxisTickerFixed> leftTicker_;
    int pointCount_ = 0;
    int labelStep_ = 30;
    bool stairs_ = false;
    bool marks_ = false;
    bool points_ = false;
    bool view3D_ = false;
    bool orthogonal_ = true;
    bool legendVisible_ = true;
    int bottomMargin_ = 0;
    int legendOffset_ = 0;

    QRubberBand* rubberBand_ = nullptr;
    QPoint dragStart_;
    QPoint lastScroll_;
    Qt::MouseButton dragButton_ = Qt::NoButton;
};

// Both series of the usage chart, PC then Internet, with their titles and colours, read from
// data for period; the window and the command-line tool draw the same chart through it. A
// failing statement raises Error and leaves the series added so far on the chart.
void addUsageSeries(ChartView& view, ChartData& data, const ChartPeriod& period, bool pcVisible,
                    bool internetVisible);

}  // namespace telmora
