#include "ui/common/announcer.h"

#include "ui/common/line_edit_accessible.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>

namespace kinri::ui {
namespace {

class AnnouncerAccessible : public QAccessibleWidget {
public:
    explicit AnnouncerAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Notification) {}
};

// A calculator window, a schedule or the record is a frame of its own named by its title, as the
// main window is, not a bare pane.
class FrameAccessible : public QAccessibleWidget {
public:
    explicit FrameAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Window) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return widget()->windowTitle().trimmed();
        return QAccessibleWidget::text(t);
    }
};

// The application by its name, not by its executable's.
class ProgramAccessible : public QAccessibleApplication {
public:
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return QStringLiteral("金利計算");
        return QAccessibleApplication::text(t);
    }
};

QAccessibleInterface* factory(const QString& className, QObject* object) {
    if (object == nullptr) return nullptr;
    if (className == QLatin1String("QApplication") && object == qApp) return new ProgramAccessible;
    if (!object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object); // the interfaces are owned by Qt's registry
    // The hint beside an input box is news as well: it shows without taking the focus.
    if (className == QLatin1String("kinri::ui::Announcer") ||
        className == QLatin1String("kinri::ui::InputHint"))
        return new AnnouncerAccessible(widget);
    if (className == QLatin1String("kinri::ui::CalculatorWindow") ||
        className == QLatin1String("kinri::ui::ScheduleWindow") ||
        className == QLatin1String("kinri::ui::RecordWindow") ||
        className == QLatin1String("kinri::ui::PlanWindow"))
        return new FrameAccessible(widget);
    return lineEditAccessible(className, object);
}

} // namespace

void installAccessibility() {
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
}

Announcer::Announcer(QWidget* window) : QWidget(window) {
    installAccessibility();
    setObjectName(QStringLiteral("Announcer"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 1, 1); // an empty one is not showing, to some readers
    hide();
}

void Announcer::say(const QString& words) {
    setAccessibleName(words);
    hide();
    show();
}

} // namespace kinri::ui
