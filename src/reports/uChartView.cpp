#include "uChartView.h"

#include <QFontMetrics>
#include <QLocale>
#include <QMouseEvent>
#include <QRubberBand>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace telmora {
namespace {

const QColor kLegendSilver(192, 192, 192);
const QColor kFootNavy(0, 0, 128);
const QColor kWallGrey(236, 236, 236);
const QColor kFloorGrey(222, 222, 222);
const QColor kGridGrey(200, 200, 200);
constexpr int kRightMarginPercent = 2;
constexpr int kDragThreshold = 4;   // pixels: a shorter drag is a click
constexpr int kMarkGap = 4;         // pixels between a point and its mark
constexpr double kHeadroom = 1.12;  // room above the highest point for its mark

QFont chartFont() {
    return QFont(QStringLiteral("Tahoma"), 8);
}

}  // namespace

// Draws what QCustomPlot has no element for: in the 3D view the walls, the grid on the back wall
// and each series as a ribbon with depth; in both views the marks and the legend's shadow.
class ChartDepthLayer final : public QCPLayerable {
public:
    explicit ChartDepthLayer(ChartView* view)
        : QCPLayerable(view, QStringLiteral("depth")), view_(view) {}

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override {
        painter->setAntialiasing(true);
    }

    QRect clipRect() const override {
        const QRect area = view_->axisRect()->rect();
        if (!view_->view3D()) return area.adjusted(0, 0, 1, 1);
        const QPointF back = view_->depthOffset(1);
        return area.adjusted(0, static_cast<int>(std::floor(back.y())),
                             static_cast<int>(std::ceil(back.x())) + 1, 1);
    }

    void draw(QCPPainter* painter) override {
        drawLegendShadow(painter);
        if (view_->view3D()) {
            drawWalls(painter);
            for (int i = 0; i < view_->seriesCount(); ++i) drawRibbon(painter, i);
        }
        if (view_->marksVisible()) {
            for (int i = 0; i < view_->seriesCount(); ++i) drawMarks(painter, i);
        }
    }

private:
    // The depth slot of a series: the first series stands behind the second.
    double frontDepth(int index) const {
        const int count = std::max(1, view_->seriesCount());
        return static_cast<double>(count - 1 - index) / count;
    }
    double backDepth(int index) const {
        return frontDepth(index) + 1.0 / std::max(1, view_->seriesCount());
    }

    // The points of a series on the front plane, none for a null point.
    std::vector<std::optional<QPointF>> pixels(int index) const {
        const ChartSeries& points = view_->seriesPoints(index);
        std::vector<std::optional<QPointF>> out;
        out.reserve(points.size());
        for (size_t x = 0; x < points.size(); ++x) {
            if (!points[x].minutes) {
                out.emplace_back();
                continue;
            }
            out.emplace_back(QPointF(view_->xAxis->coordToPixel(static_cast<double>(x)),
                                     view_->yAxis->coordToPixel(*points[x].minutes)));
        }
        return out;
    }

    // The runs of consecutive points as polylines, stepped when the stair view is on.
    std::vector<QPolygonF> polylines(int index) const {
        std::vector<QPolygonF> lines;
        QPolygonF current;
        for (const std::optional<QPointF>& p : pixels(index)) {
            if (!p) {
                if (!current.isEmpty()) lines.push_back(current);
                current.clear();
                continue;
            }
            if (!current.isEmpty() && view_->stairs())
                current << QPointF(p->x(), current.back().y());
            current << *p;
        }
        if (!current.isEmpty()) lines.push_back(current);
        return lines;
    }

    void drawWalls(QCPPainter* painter) {
        const QRectF area = view_->axisRect()->rect();
        const QPointF back = view_->depthOffset(1);
        painter->setPen(QPen(Qt::gray, 1));
        painter->setBrush(Qt::white);
        painter->drawPolygon(QPolygonF(area.translated(back)).mid(0, 4));
        painter->setBrush(kWallGrey);
        painter->drawPolygon(QPolygonF{area.topLeft(), area.topLeft() + back,
                                       area.bottomLeft() + back, area.bottomLeft()});
        painter->setBrush(kFloorGrey);
        painter->drawPolygon(QPolygonF{area.bottomLeft(), area.bottomRight(),
                                       area.bottomRight() + back, area.bottomLeft() + back});
        painter->setPen(QPen(kGridGrey, 1, Qt::DotLine));
        for (const double tick : view_->yAxis->tickVector()) {
            const double y = view_->yAxis->coordToPixel(tick);
            if (y < area.top() || y > area.bottom()) continue;
            const QPointF left(area.left(), y);
            painter->drawLine(left, left + back);
            painter->drawLine(left + back, QPointF(area.right(), y) + back);
        }
    }

    void drawRibbon(QCPPainter* painter, int index) {
        if (!view_->seriesGraph(index)->visible()) return;
        const QColor colour = view_->series_[static_cast<size_t>(index)].colour;
        const QPointF front = view_->depthOffset(frontDepth(index));
        const QPointF back = view_->depthOffset(backDepth(index));
        const QColor top = colour.lighter(150);
        for (const QPolygonF& line : polylines(index)) {
            painter->setPen(QPen(colour.darker(120), 1));
            painter->setBrush(top);
            for (qsizetype i = 0; i + 1 < line.size(); ++i) {
                painter->drawPolygon(QPolygonF{line[i] + front, line[i + 1] + front,
                                               line[i + 1] + back, line[i] + back});
            }
            painter->setPen(QPen(colour, 2));
            painter->setBrush(Qt::NoBrush);
            painter->drawPolyline(line.translated(front));
            if (line.size() == 1) painter->drawLine(line[0] + front, line[0] + back);
        }
        if (!view_->pointsVisible()) return;
        painter->setPen(QPen(colour, 1));
        painter->setBrush(colour);
        for (const std::optional<QPointF>& p : pixels(index)) {
            if (p) painter->drawRect(QRectF(*p + front - QPointF(1, 1), QSizeF(2, 2)));
        }
    }

    void drawMarks(QCPPainter* painter, int index) {
        if (!view_->seriesGraph(index)->visible()) return;
        const ChartView::Series& s = view_->series_[static_cast<size_t>(index)];
        const QPointF shift = view_->view3D() ? view_->depthOffset(frontDepth(index)) : QPointF();
        painter->setFont(chartFont());
        const QFontMetrics metrics(chartFont());
        const std::vector<std::optional<QPointF>> points = pixels(index);
        for (size_t x = 0; x < points.size(); ++x) {
            const QString text = view_->markText(index, static_cast<int>(x));
            if (!points[x] || text.isEmpty()) continue;
            const QPointF anchor = *points[x] + shift;
            QRectF box = metrics.boundingRect(text);
            box.setSize(box.size() + QSizeF(6, 2));
            box.moveCenter(QPointF(anchor.x(), anchor.y() - kMarkGap - box.height() / 2));
            painter->setPen(QPen(Qt::gray, 1));
            painter->setBrush(s.colour);
            painter->drawRect(box);
            painter->setPen(s.markColour);
            painter->drawText(box, Qt::AlignCenter, text);
        }
    }

    void drawLegendShadow(QCPPainter* painter) {
        QCPLegend* legend = view_->chartLegend();
        if (!legend->visible() || view_->seriesCount() == 0) return;
        painter->save();
        painter->setClipping(false);
        painter->setPen(Qt::NoPen);
        painter->setBrush(Qt::black);
        painter->drawRect(QRectF(legend->outerRect()).translated(1, 1));
        painter->restore();
    }

    ChartView* view_;
};

ChartView::ChartView(QWidget* parent) : QCustomPlot(parent) {
    setBackground(Qt::white);
    setFont(chartFont());
    addLayer(QStringLiteral("series"), layer(QStringLiteral("main")), QCustomPlot::limAbove);
    addLayer(QStringLiteral("depth"), layer(QStringLiteral("series")), QCustomPlot::limAbove);

    bottomTicker_ = QSharedPointer<QCPAxisTickerText>::create();
    xAxis->setTicker(bottomTicker_);
    xAxis->setTickLabelFont(chartFont());
    xAxis->setSubTicks(false);
    xAxis->grid()->setVisible(false);

    leftTicker_ = QSharedPointer<QCPAxisTickerFixed>::create();
    leftTicker_->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    yAxis->setTicker(leftTicker_);
    yAxis->setLabel(QStringLiteral("TEMPO (min)"));
    yAxis->setLabelFont(chartFont());
    yAxis->setTickLabelFont(chartFont());
    yAxis->setNumberFormat(QStringLiteral("f"));
    yAxis->setNumberPrecision(0);
    yAxis->setSubTicks(false);

    legend->setFont(chartFont());
    legend->setBrush(kLegendSilver);
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    legend->setVisible(true);
    legendRow_ = new QCPLayoutInset;
    plotLayout()->insertRow(0);
    plotLayout()->addElement(0, 0, legendRow_);
    axisRect()->insetLayout()->take(legend);
    legendRow_->addElement(legend, QRectF(0, 0, 1, 1));

    foot_ = new QCPTextElement(this, QString(), chartFont());
    foot_->setTextColor(kFootNavy);
    plotLayout()->addElement(2, 0, foot_);

    depth_ = new ChartDepthLayer(this);
    rubberBand_ = new QRubberBand(QRubberBand::Rectangle, this);
    connect(this, &QCustomPlot::beforeReplot, this, &ChartView::placeLayout);
    clearSeries();
}

ChartView::~ChartView() = default;

void ChartView::clearSeries() {
    clearGraphs();
    series_.clear();
    pointCount_ = 0;
    bottomTicker_->clear();
    foot_->setText(QString());
    legend->setVisible(false);
    xAxis->setRange(0, 1);
    yAxis->setRange(0, labelStep_);
    replot();
}

void ChartView::setPeriod(const ChartPeriod& period) {
    pointCount_ = static_cast<int>(period.labels.size());
    labelStep_ = period.labelStep;
    leftTicker_->setTickStep(labelStep_);
    bottomTicker_->clear();
    for (int i = 0; i < pointCount_; ++i) bottomTicker_->addTick(i, period.labels[i]);
    foot_->setText(period.foot);
    undoZoom();
}

void ChartView::addSeries(const QString& title, const QColor& colour, const QColor& markColour,
                          const ChartSeries& points, bool visible) {
    Series s;
    s.graph = addGraph();
    s.graph->setLayer(QStringLiteral("series"));
    s.graph->setName(title);
    s.graph->setPen(QPen(colour, 1.5));
    s.graph->setVisible(visible);
    QVector<double> keys, values;
    for (size_t i = 0; i < points.size(); ++i) {
        keys << static_cast<double>(i);
        values << (points[i].minutes ? *points[i].minutes
                                     : std::numeric_limits<double>::quiet_NaN());
    }
    s.graph->setData(keys, values, true);
    s.points = points;
    s.colour = colour;
    s.markColour = markColour;
    applyStyle(s);
    series_.push_back(std::move(s));
    legend->setVisible(legendVisible_);
    undoZoom();
}

QString ChartView::markText(int seriesIndex, int pointIndex) const {
    const ChartPoint& point = seriesPoints(seriesIndex).at(static_cast<size_t>(pointIndex));
    if (!point.minutes) return {};
    return chartMarkText(QLocale(QLocale::Italian, QLocale::Italy).toString(*point.minutes));
}

void ChartView::applyStyle(const Series& s) {
    s.graph->setLineStyle(stairs_ ? QCPGraph::lsStepLeft : QCPGraph::lsLine);
    s.graph->setScatterStyle(points_
                                 ? QCPScatterStyle(QCPScatterStyle::ssSquare, s.colour, s.colour, 2)
                                 : QCPScatterStyle(QCPScatterStyle::ssNone));
}

void ChartView::setSeriesVisible(int index, bool visible) {
    if (index >= seriesCount()) return;
    seriesGraph(index)->setVisible(visible);
    replot();
}

void ChartView::setStairs(bool on) {
    stairs_ = on;
    for (const Series& s : series_) applyStyle(s);
    replot();
}

void ChartView::setMarksVisible(bool on) {
    marks_ = on;
    replot();
}

void ChartView::setPointsVisible(bool on) {
    points_ = on;
    for (const Series& s : series_) applyStyle(s);
    replot();
}

void ChartView::setView3D(bool on) {
    view3D_ = on;
    layer(QStringLiteral("series"))->setVisible(!on);
    yAxis->grid()->setVisible(!on);
    replot();
}

void ChartView::setOrthogonal(bool on) {
    orthogonal_ = on;
    replot();
}

void ChartView::setBottomMarginPercent(int percent) {
    bottomMargin_ = percent;
    replot();
}

void ChartView::setLegendVisible(bool on) {
    legendVisible_ = on;
    legend->setVisible(on && seriesCount() > 0);
    replot();
}

void ChartView::setLegendOffset(int percent) {
    legendOffset_ = percent;
    replot();
}

QString ChartView::footText() const {
    return foot_->text();
}

int ChartView::depthPixels() const {
    if (!view3D_) return 0;
    return static_cast<int>(std::lround(std::min(width(), height()) * kDepthPercent / 100.0));
}

// Orthogonal: depth runs up and to the right at 45 degrees. Otherwise the view is turned, so
// depth climbs steeply and the front plane leans back.
QPointF ChartView::depthOffset(double z) const {
    const double d = depthPixels() * z;
    if (orthogonal_) return {d, -d};
    return {d * 0.45, -d * 1.1};
}

QCPRange ChartView::fullValueRange() const {
    double highest = 0;
    for (const Series& s : series_) {
        if (!s.graph->visible()) continue;
        for (const ChartPoint& p : s.points) {
            if (p.minutes) highest = std::max(highest, static_cast<double>(*p.minutes));
        }
    }
    const double step = labelStep_;
    return {0, std::max(step, std::ceil(highest * kHeadroom / step) * step)};
}

void ChartView::undoZoom() {
    xAxis->setRange(-0.5, std::max(1, pointCount_) - 0.5);
    yAxis->setRange(fullValueRange());
    replot();
}

bool ChartView::zoomedIn() const {
    const QCPRange full = fullValueRange();
    return xAxis->range() != QCPRange(-0.5, std::max(1, pointCount_) - 0.5) ||
           yAxis->range() != full;
}

// Percent above 100 narrows each axis by (percent - 100) % of its span from either end, 50
// doubles the span; the narrowing stops short of an empty range.
void ChartView::zoomPercent(int percent) {
    const double narrowing = std::min(kMaxNarrowing, (percent - 100) / 100.0);
    xAxis->setRange(-0.5, std::max(1, pointCount_) - 0.5);
    yAxis->setRange(fullValueRange());
    for (QCPAxis* axis : {xAxis, yAxis}) {
        const QCPRange r = axis->range();
        const double span = r.size();
        axis->setRange(r.lower + span * narrowing, r.upper - span * narrowing);
    }
    replot();
}

void ChartView::placeLayout() {
    const int right = width() * kRightMarginPercent / 100;
    plotLayout()->setMargins(QMargins(0, 0, right, height() * bottomMargin_ / 100));
    const int depth = depthPixels();
    axisRect()->setMinimumMargins(QMargins(0, depth, depth, 0));

    const QFontMetrics metrics(legend->font());
    int widest = 0;
    for (const Series& s : series_)
        widest = std::max(widest, metrics.horizontalAdvance(s.graph->name()));
    legend->setIconSize(std::max(4, widest * 24 / 100), metrics.height() / 2);

    const bool shown = legend->visible();
    const QSize size = legend->minimumOuterSizeHint();
    const int rowHeight = shown ? size.height() + 2 : 0;
    legendRow_->setMinimumSize(0, rowHeight);
    legendRow_->setMaximumSize(QWIDGETSIZE_MAX, rowHeight);
    // Centred at offset 0; the offset is a share of the room to the legend's right.
    const double available = std::max(1, width() - right);
    const double share = std::min(1.0, (size.width() + 1) / available);
    const double room = (1.0 - share) / 2;
    legendRow_->setInsetRect(0, QRectF(room + room * legendOffset_ / 100.0, 0, share, 1));
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    QCustomPlot::mousePressEvent(event);
    dragButton_ = event->button();
    dragStart_ = event->pos();
    lastScroll_ = event->pos();
    if (dragButton_ == Qt::LeftButton) {
        rubberBand_->setGeometry(QRect(dragStart_, QSize()));
        rubberBand_->show();
    }
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    QCustomPlot::mouseMoveEvent(event);
    if (dragButton_ == Qt::LeftButton) {
        rubberBand_->setGeometry(QRect(dragStart_, event->pos()).normalized());
    } else if (dragButton_ == Qt::RightButton) {
        // Scroll: the data follows the pointer.
        const QPoint pos = event->pos();
        xAxis->moveRange(xAxis->pixelToCoord(lastScroll_.x()) - xAxis->pixelToCoord(pos.x()));
        yAxis->moveRange(yAxis->pixelToCoord(lastScroll_.y()) - yAxis->pixelToCoord(pos.y()));
        lastScroll_ = pos;
        replot();
    }
}

void ChartView::mouseReleaseEvent(QMouseEvent* event) {
    QCustomPlot::mouseReleaseEvent(event);
    const Qt::MouseButton button = dragButton_;
    dragButton_ = Qt::NoButton;
    if (button != Qt::LeftButton || event->button() != Qt::LeftButton) return;
    rubberBand_->hide();
    const QPoint end = event->pos();
    const QPoint d = end - dragStart_;
    if (d.x() >= kDragThreshold && d.y() >= kDragThreshold) {
        xAxis->setRange(xAxis->pixelToCoord(dragStart_.x()), xAxis->pixelToCoord(end.x()));
        yAxis->setRange(yAxis->pixelToCoord(end.y()), yAxis->pixelToCoord(dragStart_.y()));
        replot();
        emit zoomed();
    } else if (d.x() <= -kDragThreshold || d.y() <= -kDragThreshold) {
        undoZoom();
        emit zoomUndone();
    }
}

void addUsageSeries(ChartView& view, ChartData& data, const ChartPeriod& period, bool pcVisible,
                    bool internetVisible) {
    view.setPeriod(period);
    view.addSeries(QStringLiteral("ATTIVITA' PC"), Qt::blue, Qt::yellow,
                   data.series(Activity::Pc, period), pcVisible);
    view.addSeries(QStringLiteral("ATTIVITA' INTERNET"), Qt::red, Qt::black,
                   data.series(Activity::Internet, period), internetVisible);
}

}  // namespace telmora
