#include "ui/schedule/schedule_chart.h"

#include "ui/common/colours.h"
#include "ui/common/qt_text.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace kinri::ui {
namespace {

// A step of 1, 2 or 5 × 10^k that divides `range` into about `parts` parts.
double niceStep(double range, int parts) {
    if (!(range > 0)) return 1;
    const double raw = range / parts;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (m * magnitude >= raw) return m * magnitude;
    return 10 * magnitude;
}

// Yen on an axis: grouped digits, whole yen, or as many decimals as the axis's step has (a sum
// of 1 yen growing by 0.0001 a period is marked 0.0001, 0.0002 …, not 0 at every tick).
QString yen(double value, double step) {
    const int decimals = step >= 1 ? 0 : std::min(5, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(value, 'f', decimals);
}

bool isDark(const QPalette& palette) {
    return palette.color(QPalette::Base).lightnessF() < 0.5;
}

// Principal and interest in hues that read on light and dark bases alike, told apart by lightness
// too, for those who do not see the hues apart.
QColor barColour(int k, const QPalette& palette) {
    const bool dark = isDark(palette);
    if (k == 0) return dark ? QColor(0x63, 0xB3, 0xED) : QColor(0x1F, 0x5F, 0xA8);
    return dark ? QColor(0xF6, 0xAD, 0x55) : QColor(0xF0, 0x8A, 0x24);
}

} // namespace

struct ScheduleChart::Frame {
    QRectF plot;
    double lineTop = 0, lineBottom = 0, lineStep = 1; // the left axis's range and tick step
    double barTop = 0, barStep = 1;                   // the right axis's, from zero
};

ScheduleChart::ScheduleChart(const Schedule& schedule, QWidget* parent)
    : QWidget(parent), schedule_(schedule) {
    setObjectName(QStringLiteral("ScheduleChart"));
    setAccessibleName(QStringLiteral("グラフ"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const auto firstOf = [&schedule](std::initializer_list<ColumnMeaning> meanings) {
        for (const ColumnMeaning m : meanings)
            if (const int c = schedule.column(m); c >= 0) return c;
        return -1;
    };
    // The line: what is still owed, or the sum grown so far. The bars: what each payment is made
    // of, or a sum's interest (of the period where the schedule has it, else to date).
    lineColumn_ = firstOf({ColumnMeaning::Balance, ColumnMeaning::Total});
    counterColumn_ = schedule.column(ColumnMeaning::Period);
    const int principal = schedule.column(ColumnMeaning::Principal);
    const int interest = schedule.column(ColumnMeaning::Interest);
    if (principal >= 0 && interest >= 0) {
        barColumns_ = {principal, interest};
    } else if (const int c = firstOf({ColumnMeaning::PeriodInterest, ColumnMeaning::InterestToDate});
               c >= 0) {
        barColumns_ = {c};
    }
    if (lineColumn_ < 0 || counterColumn_ < 0) return; // nothing it knows how to draw
    for (const auto& row : schedule.values) {
        lineMax_ = std::max(lineMax_, row[static_cast<std::size_t>(lineColumn_)]);
        lineMin_ = std::min(lineMin_, row[static_cast<std::size_t>(lineColumn_)]);
        double bar = 0;
        for (const int c : barColumns_)
            bar += std::max(0.0, row[static_cast<std::size_t>(c)]);
        barMax_ = std::max(barMax_, bar);
    }
}

QSize ScheduleChart::sizeHint() const {
    return {fontMetrics().averageCharWidth() * 80, fontMetrics().height() * 16};
}

QSize ScheduleChart::minimumSizeHint() const {
    return {fontMetrics().averageCharWidth() * 40, fontMetrics().height() * 10};
}

QStringList ScheduleChart::legendNames() const {
    QStringList names{heading(lineColumn_) + QStringLiteral("（左）")};
    if (!comparison_.empty()) names << comparisonName_;
    for (const int c : barColumns_)
        names << heading(c) + QStringLiteral("（右）");
    return names;
}

// Each entry is its swatch (a dashed line twice as long), a gap and its name, then a space.
std::vector<QPointF> ScheduleChart::legendPlaces(const QFontMetricsF& fm, double left, double right,
                                                 double top) const {
    std::vector<QPointF> places;
    QPointF at(left, top);
    const QStringList names = legendNames();
    for (qsizetype k = 0; k < names.size(); ++k) {
        const bool dashed = !comparison_.empty() && k == 1;
        const double width =
            fm.height() * (dashed ? 1.8 : 0.9) + fm.height() * 1.3 + fm.horizontalAdvance(names[k]);
        if (at.x() > left && at.x() + width - fm.height() > right)
            at = QPointF(left, at.y() + fm.height() * 1.1);
        places.push_back(at);
        at.rx() += width;
    }
    return places;
}

ScheduleChart::Frame ScheduleChart::frameFor(const QRectF& area, const QFontMetricsF& fm) const {
    Frame f;
    f.lineStep = niceStep(lineMax_ - lineMin_, 5);
    f.lineTop = std::ceil(lineMax_ / f.lineStep) * f.lineStep;
    f.lineBottom = std::floor(lineMin_ / f.lineStep) * f.lineStep;
    if (f.lineTop <= f.lineBottom) f.lineTop = f.lineBottom + f.lineStep;
    f.barStep = niceStep(barMax_, 5);
    f.barTop = std::max(f.barStep, std::ceil(barMax_ / f.barStep) * f.barStep);
    const double left =
        fm.horizontalAdvance(yen(std::max(std::fabs(f.lineTop), std::fabs(f.lineBottom)), f.lineStep)) +
        fm.height();
    const double right = fm.horizontalAdvance(yen(f.barTop, f.barStep)) + fm.height();
    // Room above for the legend (a row more for each it wraps onto) and two lines of the cursor's
    // figures, below for the periods.
    const std::vector<QPointF> legend = legendPlaces(fm, area.left() + left, area.right(), 0);
    const double wrapped = legend.empty() ? 0 : legend.back().y();
    f.plot = area.adjusted(left, fm.height() * 3.6 + wrapped, -right, -fm.height() * 1.8);
    return f;
}

QString ScheduleChart::heading(int column) const {
    return qs(schedule_.columns[static_cast<std::size_t>(column)].heading);
}

double ScheduleChart::periods() const {
    return static_cast<double>(std::max(schedule_.rows.size(), comparison_.size()));
}

void ScheduleChart::setComparison(std::vector<double> line, const QString& name) {
    comparison_ = std::move(line);
    comparisonName_ = name;
    for (const double v : comparison_) {
        lineMax_ = std::max(lineMax_, v);
        lineMin_ = std::min(lineMin_, v);
    }
    update();
}

int ScheduleChart::rowAt(double x) const {
    const Frame f = frameFor(rect(), QFontMetricsF(font()));
    const auto rows = static_cast<int>(schedule_.rows.size());
    if (rows == 0 || f.plot.width() <= 0) return -1;
    return std::clamp(static_cast<int>((x - f.plot.left()) / f.plot.width() * periods()), 0, rows - 1);
}

int ScheduleChart::cursorX() const {
    const Frame f = frameFor(rect(), QFontMetricsF(font()));
    const double n = std::max(periods(), 1.0);
    return static_cast<int>(f.plot.left() + (std::max(current_, 0) + 0.5) / n * f.plot.width());
}

void ScheduleChart::choose(int row) {
    setCurrentRow(row);
    emit rowChosen(current_);
}

void ScheduleChart::setCurrentRow(int row) {
    row = schedule_.rows.empty() ? -1 : std::clamp(row, 0, static_cast<int>(schedule_.rows.size()) - 1);
    if (row == current_) return;
    current_ = row;
    if (row >= 0) {
        // What a screen reader says of the cursor: the row, column by column.
        QStringList said;
        for (std::size_t c = 0; c < schedule_.columns.size(); ++c)
            said << heading(static_cast<int>(c)) + u' ' +
                        QString::fromStdString(schedule_.rows[static_cast<std::size_t>(row)][c]);
        setAccessibleDescription(said.join(QStringLiteral("、")));
    }
    update();
    emit currentRowChanged(row);
}

void ScheduleChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    paintChart(painter, rect(), palette(), current_ >= 0);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ScheduleChart::paintChart(QPainter& painter, const QRectF& area, const QPalette& palette,
                               bool cursor) const {
    if (lineColumn_ < 0 || counterColumn_ < 0) return;
    const QFontMetricsF fm(painter.font());
    const Frame f = frameFor(area, fm);
    const QRectF& plot = f.plot;
    if (plot.width() <= 1 || plot.height() <= 1) return;
    const QColor text = palette.color(QPalette::Text);
    QColor grid = text;
    grid.setAlphaF(0.18);
    const double n = periods();
    const auto yLine = [&](double v) {
        return plot.bottom() - (v - f.lineBottom) / (f.lineTop - f.lineBottom) * plot.height();
    };
    const auto yBar = [&](double v) { return plot.bottom() - v / f.barTop * plot.height(); };

    // Axes: yen for the line on the left, for the bars on the right, periods below.
    painter.setPen(text);
    for (double v = f.lineBottom; v <= f.lineTop + f.lineStep / 2; v += f.lineStep) {
        const double y = yLine(v);
        painter.setPen(grid);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(text);
        painter.drawText(QRectF(area.left(), y - fm.height() / 2, plot.left() - area.left() - fm.height() / 3,
                                fm.height()),
                         Qt::AlignRight | Qt::AlignVCenter, yen(v, f.lineStep));
    }
    for (double v = 0; v <= f.barTop + f.barStep / 2; v += f.barStep) {
        const double y = yBar(v);
        painter.drawText(QRectF(plot.right() + fm.height() / 3, y - fm.height() / 2,
                                area.right() - plot.right(), fm.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, yen(v, f.barStep));
    }
    const double periodStep = std::max(1.0, niceStep(n, 8));
    for (double p = periodStep; p <= n; p += periodStep) {
        const double x = plot.left() + (p - 0.5) / n * plot.width();
        painter.drawText(
            QRectF(x - fm.height() * 3, plot.bottom() + fm.height() * 0.3, fm.height() * 6, fm.height()),
            Qt::AlignHCenter | Qt::AlignTop, QString::number(p));
    }
    painter.drawText(QRectF(plot.left(), plot.bottom() + fm.height() * 0.3, plot.width(), fm.height()),
                     Qt::AlignLeft | Qt::AlignTop, heading(counterColumn_));
    painter.drawRect(plot);

    // The bars, one per period, or one per device pixel where the periods are more than the
    // pixels (each pixel shows the first period that falls on it).
    const double width = plot.width() / std::max(1.0, n);
    const int step = std::max(1, static_cast<int>(std::floor(1.0 / std::max(width, 1e-9))));
    for (std::size_t r = 0; r < schedule_.values.size(); r += static_cast<std::size_t>(step)) {
        const double x = plot.left() + static_cast<double>(r) * width;
        double base = 0;
        for (std::size_t k = 0; k < barColumns_.size(); ++k) {
            const double v = std::max(0.0, schedule_.values[r][static_cast<std::size_t>(barColumns_[k])]);
            const QRectF bar(QPointF(x, yBar(base + v)),
                             QPointF(x + std::max(width * 0.8, width * step), yBar(base)));
            painter.fillRect(bar, barColour(static_cast<int>(k), palette));
            base += v;
        }
    }
    // The line over the bars.
    QPainterPath path;
    for (std::size_t r = 0; r < schedule_.values.size(); r += static_cast<std::size_t>(step)) {
        const QPointF p(plot.left() + (static_cast<double>(r) + 0.5) * width,
                        yLine(schedule_.values[r][static_cast<std::size_t>(lineColumn_)]));
        r == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const QPen linePen(text, std::max(1.5, fm.height() / 8));
    painter.strokePath(path, linePen);
    // The other plan's balance, dashed, where there is one.
    QPen dashed = linePen;
    dashed.setStyle(Qt::DashLine);
    QPainterPath other;
    for (std::size_t r = 0; r < comparison_.size(); r += static_cast<std::size_t>(step)) {
        const QPointF p(plot.left() + (static_cast<double>(r) + 0.5) * width, yLine(comparison_[r]));
        r == 0 ? other.moveTo(p) : other.lineTo(p);
    }
    painter.strokePath(other, dashed);
    painter.setRenderHint(QPainter::Antialiasing, false);

    // The legend, then the cursor's figures under it.
    const QStringList names = legendNames();
    const std::vector<QPointF> places =
        legendPlaces(fm, plot.left(), area.right(), area.top() + fm.height() * 0.2);
    for (qsizetype k = 0; k < names.size(); ++k) {
        const QPointF at = places[static_cast<std::size_t>(k)];
        const bool dashedEntry = !comparison_.empty() && k == 1;
        const bool bar = k > (comparison_.empty() ? 0 : 1);
        const double swatchWidth = fm.height() * (dashedEntry ? 1.8 : 0.9);
        const QRectF swatch(at.x(), at.y() + fm.height() * 0.25, swatchWidth, fm.height() * 0.5);
        if (dashedEntry) {
            painter.setPen(dashed);
            painter.drawLine(QPointF(swatch.left(), swatch.center().y()),
                             QPointF(swatch.right(), swatch.center().y()));
        } else if (bar) {
            painter.fillRect(swatch, barColour(static_cast<int>(k - (comparison_.empty() ? 1 : 2)), palette));
        } else {
            painter.fillRect(swatch.adjusted(0, swatch.height() * 0.35, 0, -swatch.height() * 0.35), text);
        }
        painter.setPen(text);
        painter.drawText(QPointF(swatch.right() + fm.height() * 0.3, at.y() + fm.ascent()), names[k]);
    }
    const double legendY = places.empty() ? area.top() : places.back().y();
    if (!cursor || current_ < 0 || schedule_.rows.empty()) return;
    // The cursor: a line two pixels wide (three at 144 dpi), and a ring where it meets the line.
    const double cx = plot.left() + (current_ + 0.5) * width;
    const double thick = std::max(2.0, fm.height() / 8);
    painter.setPen(QPen(palette.color(QPalette::Highlight), thick));
    painter.drawLine(QPointF(cx, plot.top()), QPointF(cx, plot.bottom()));
    const double at =
        yLine(schedule_.values[static_cast<std::size_t>(current_)][static_cast<std::size_t>(lineColumn_)]);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(palette.color(QPalette::Base));
    painter.drawEllipse(QPointF(cx, at), fm.height() / 3, fm.height() / 3);
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    QStringList figures;
    for (std::size_t c = 0; c < schedule_.columns.size(); ++c)
        figures << heading(static_cast<int>(c)) + u' ' +
                       QString::fromStdString(schedule_.rows[static_cast<std::size_t>(current_)][c]);
    // The row's figures on one line above the plot, or on two where one is too narrow.
    painter.setPen(text);
    QString said = figures.join(QStringLiteral("　"));
    if (fm.horizontalAdvance(said) > area.width() - plot.left() + area.left()) {
        const auto half = (figures.size() + 1) / 2;
        said = figures.mid(0, half).join(QStringLiteral("　")) + u'\n' +
               figures.mid(half).join(QStringLiteral("　"));
    }
    painter.drawText(
        QRectF(plot.left(), legendY + fm.height() * 1.1, area.right() - plot.left(), fm.height() * 2.2),
        Qt::AlignLeft | Qt::AlignTop, said);
}

void ScheduleChart::mouseMoveEvent(QMouseEvent* event) {
    setCurrentRow(rowAt(event->position().x()));
}

void ScheduleChart::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() == Qt::LeftButton) choose(rowAt(event->position().x()));
}

void ScheduleChart::keyPressEvent(QKeyEvent* event) {
    const int page = std::max(1, static_cast<int>(schedule_.rows.size()) / 10);
    const int row = current_ < 0 ? 0 : current_;
    switch (event->key()) {
    case Qt::Key_Left:
        choose(row - 1);
        break;
    case Qt::Key_Right:
        choose(current_ < 0 ? 0 : row + 1);
        break;
    case Qt::Key_PageUp:
        choose(row - page);
        break;
    case Qt::Key_PageDown:
        choose(row + page);
        break;
    case Qt::Key_Home:
        choose(0);
        break;
    case Qt::Key_End:
        choose(static_cast<int>(schedule_.rows.size()) - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace kinri::ui
