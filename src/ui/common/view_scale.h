#pragma once

#include <QObject>

#include <functional>

class QFont;
class QMenuBar;
class QWidget;

namespace kinri::ui {

// How large the program draws its windows. The design (9-point texts in a twips geometry) is
// the program at the desktop's standard text size; a larger desktop text size scales every
// window in proportion, and the zoom the user chooses while the program runs (100 to 200 %)
// scales it further. Both apply to geometry and fonts alike, on top of the screen's resolution.
// Nothing is stored: the desktop's setting is the lasting one.
class ViewScale : public QObject {
    Q_OBJECT
public:
    static constexpr int kLeastZoom = 100;
    static constexpr int kMostZoom = 200;
    static constexpr int kZoomStep = 25;

    // Takes the desktop's text size from the system font and watches every window of the program
    // for the zoom keys: Ctrl+Plus (or Ctrl+=), Ctrl+Minus and Ctrl+0.
    explicit ViewScale(QObject* parent = nullptr);

    // The desktop's text size against this platform's standard, times the zoom.
    double factor() const { return factorAt(zoom_); }
    double factorAt(int zoom) const { return desktop_ * zoom / 100.0; }
    int zoom() const { return zoom_; }
    // The nearest step to `percent` at which the windows still fit (100 % always does).
    void setZoom(int percent);
    // Whether every window of the program fits the screen at a factor; a zoom that would make
    // one larger than the screen is not offered.
    void setFits(std::function<bool(double factor)> fits) { fits_ = std::move(fits); }
    // What the desktop's standard text is set to (by the user, or by a test).
    void setDesktopFont(const QFont& font);

    // Designed twips in pixels of `widget`'s screen, and designed points, at this scale.
    int px(double twips, const QWidget& widget) const;
    double points(double designed) const { return designed * factor(); }

    // The 表示倍率 menu: each zoom step, then larger, smaller and as designed with their keys.
    void addMenu(QMenuBar& bar);

signals:
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyFont() const;

    bool offered(int zoom) const { return zoom == kLeastZoom || !fits_ || fits_(factorAt(zoom)); }

    double desktop_ = 1.0;
    int zoom_ = kLeastZoom;
    std::function<bool(double)> fits_;
};

// The point size of the desktop's standard text on this platform, for which the program is
// drawn as designed.
double desktopStandardPoints();
// How much larger than its standard the desktop's text is; never below 1 (a smaller desktop font
// keeps the design's size).
double desktopTextScale(double desktopPoints, double standardPoints);

} // namespace kinri::ui
