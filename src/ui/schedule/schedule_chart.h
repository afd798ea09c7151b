#pragma once

#include "schedule/schedule.h"

#include <QWidget>

class QPainter;

namespace kinri::ui {

// The schedule as a chart, drawn with QPainter: for a loan the balance over the periods (a line,
// yen on the left axis) and each payment split into principal and interest (stacked bars, yen on
// the right axis); for a growing sum its total (line) and the interest (bars). A cursor follows the
// mouse, or the arrow keys (Home, End, Page Up and Down too), and shows that row's figures; a click
// or a key chooses the row, the pointer passing over only shows it.
class ScheduleChart : public QWidget {
    Q_OBJECT
public:
    ScheduleChart(const Schedule& schedule, QWidget* parent);

    int currentRow() const { return current_; }
    void setCurrentRow(int row);
    // Where the cursor's line is drawn, in the chart's own coordinates.
    int cursorX() const;
    // A second line on the left axis, dashed: another plan's balance, one figure per period from
    // the first, under `name` in the legend. The periods run to the longer of the two.
    void setComparison(std::vector<double> line, const QString& name);
    const std::vector<double>& comparison() const { return comparison_; }

    // The chart in `area` of any painter (a page), in the colours of `palette`, with the cursor
    // where it is when `cursor` is set.
    void paintChart(QPainter& painter, const QRectF& area, const QPalette& palette, bool cursor) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void currentRowChanged(int row);
    // The user chose a row here: a click, or a key.
    void rowChosen(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Frame; // where the plot, its axes and scales lie in an area
    Frame frameFor(const QRectF& area, const QFontMetricsF& fm) const;
    int rowAt(double x) const;
    void choose(int row);
    QString heading(int column) const;
    double periods() const;
    // The legend's entries in order (the line, the other plan's line, the bars) and where each
    // starts in a row from `left` to `right` under `top`, a new row where one would not fit.
    QStringList legendNames() const;
    std::vector<QPointF> legendPlaces(const QFontMetricsF& fm, double left, double right, double top) const;

    const Schedule& schedule_;
    int current_ = -1;                // no cursor
    int lineColumn_ = -1;             // the column drawn as a line (the balance, or the total)
    std::vector<int> barColumns_;     // the columns stacked as bars
    int counterColumn_ = -1;          // the periods along the axis
    double lineMax_ = 0, barMax_ = 0; // the largest figure on each axis
    double lineMin_ = 0;
    std::vector<double> comparison_;
    QString comparisonName_;
};

} // namespace kinri::ui
