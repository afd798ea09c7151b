#include "ui/common/view_scale.h"

#include "ui/common/fonts.h"
#include "ui/common/twips.h"

#include <QActionGroup>
#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolTip>
#include <QWidget>

#include <algorithm>

namespace kinri::ui {
namespace {

// The design's text: captions, boxes, buttons and menus are 9-point.
constexpr double kDesignedPoints = 9.0;

double pointsOf(const QFont& font) {
    if (font.pointSizeF() > 0) return font.pointSizeF();
    return font.pixelSize() > 0 ? font.pixelSize() * 72.0 / 96.0 : kDesignedPoints;
}

} // namespace

// What each desktop sets its standard text to out of the box: Windows' message font at 100 %
// text size is 9-point Segoe UI, macOS draws 13-point text; GNOME (and the desktops built on its
// settings) 11-point Cantarell, KDE Plasma and qt6ct 10-point. Without a desktop Qt falls back to
// 9 points, below every standard, so the design's size stays.
double desktopStandardPoints() {
#if defined(Q_OS_WIN)
    return 9.0;
#elif defined(Q_OS_MACOS)
    return 13.0;
#else
    const QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP").toUpper();
    for (const char* gnomeLike : {"GNOME", "UNITY", "BUDGIE", "PANTHEON"})
        if (desktop.contains(gnomeLike)) return 11.0;
    return 10.0;
#endif
}

double desktopTextScale(double desktopPoints, double standardPoints) {
    if (!(desktopPoints > standardPoints) || !(standardPoints > 0)) return 1.0;
    return desktopPoints / standardPoints;
}

ViewScale::ViewScale(QObject* parent) : QObject(parent) {
    desktop_ = desktopTextScale(pointsOf(QFontDatabase::systemFont(QFontDatabase::GeneralFont)),
                                desktopStandardPoints());
    applyFont();
    qApp->installEventFilter(this);
}

void ViewScale::setZoom(int percent) {
    percent = std::clamp(percent, kLeastZoom, kMostZoom);
    const int asked = percent;
    while (!offered(percent))
        percent -= kZoomStep;
    if (percent < asked) { // a key asked for more than the screen holds: said, not silently ignored
        if (const QWidget* window = QApplication::activeWindow())
            QToolTip::showText(window->mapToGlobal(window->rect().center()),
                               QStringLiteral("%1% にすると画面に収まりません").arg(asked), nullptr, {},
                               3000);
    }
    if (percent == zoom_) return;
    zoom_ = percent;
    applyFont();
    emit changed();
}

void ViewScale::setDesktopFont(const QFont& font) {
    const double desktop = desktopTextScale(pointsOf(font), desktopStandardPoints());
    if (desktop == desktop_) return;
    desktop_ = desktop;
    applyFont();
    emit changed();
}

int ViewScale::px(double twips, const QWidget& widget) const {
    return twipsToPixels(twips, widget.logicalDpiY() * factor());
}

// Every control that keeps the application's font (buttons, boxes, menus, message boxes, help)
// follows it; the calculator windows set their designed fonts themselves. A window hears of a new
// application font only later, so each takes it now, before it is laid out at the new scale.
void ViewScale::applyFont() const {
    const QFont font = uiFont(points(kDesignedPoints));
    if (QApplication::font() == font) return;
    QApplication::setFont(font);
    for (QWidget* window : QApplication::topLevelWidgets())
        window->setFont(QFont());
}

void ViewScale::addMenu(QMenuBar& bar) {
    QMenu* menu = bar.addMenu(QStringLiteral("表示倍率"));
    menu->setObjectName(QStringLiteral("menuZoom"));
    menu->menuAction()->setObjectName(QStringLiteral("menuZoom"));
    auto* steps = new QActionGroup(menu);
    for (int percent = kLeastZoom; percent <= kMostZoom; percent += kZoomStep) {
        QAction* step = menu->addAction(QStringLiteral("%1%").arg(percent));
        step->setObjectName(QStringLiteral("actionZoom%1").arg(percent));
        step->setData(percent);
        step->setCheckable(true);
        step->setChecked(percent == zoom_);
        steps->addAction(step);
        connect(step, &QAction::triggered, this, [this, percent] { setZoom(percent); });
        connect(this, &ViewScale::changed, step,
                [this, step, percent] { step->setChecked(percent == zoom_); });
    }
    // Steps that would make a window larger than the screen are shown, but not offered, and say why.
    connect(menu, &QMenu::aboutToShow, this, [this, steps] {
        for (QAction* step : steps->actions()) {
            const int percent = step->data().toInt();
            step->setEnabled(offered(percent));
            step->setText(QStringLiteral("%1%").arg(percent) +
                          (step->isEnabled() ? QString() : QStringLiteral("（画面に収まりません）")));
        }
    });
    menu->addSeparator();
    // The keys are shown, not bound: the event filter takes them in every window.
    const auto keyed = [&](const QString& text, const QKeySequence& keys, const char* name, auto zoomTo) {
        QAction* a = menu->addAction(text + u'\t' + keys.toString(QKeySequence::NativeText));
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, [this, zoomTo] { setZoom(zoomTo(zoom_)); });
    };
    keyed(QStringLiteral("拡大"), QKeySequence(QKeySequence::ZoomIn), "actionZoomIn",
          [](int z) { return z + kZoomStep; });
    keyed(QStringLiteral("縮小"), QKeySequence(QKeySequence::ZoomOut), "actionZoomOut",
          [](int z) { return z - kZoomStep; });
    keyed(QStringLiteral("標準の大きさ"), QKeySequence(Qt::CTRL | Qt::Key_0), "actionZoomReset",
          [](int) { return kLeastZoom; });
}

// Ctrl with Plus (Shift+; on a Japanese keyboard, Shift+= on a US one, or the keypad's), with =,
// with Minus or with 0, in any window of the program, the focus wherever it is.
bool ViewScale::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (mods != Qt::ControlModifier) return false;
    switch (key->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        setZoom(zoom_ + kZoomStep);
        return true;
    case Qt::Key_Minus:
        setZoom(zoom_ - kZoomStep);
        return true;
    case Qt::Key_0:
        setZoom(kLeastZoom);
        return true;
    default:
        return false;
    }
}

} // namespace kinri::ui
