#include "ui/main_window.h"

#include "ui/calculator/calculator_window.h"
#include "ui/calculator/window_layouts.h"
#include "ui/common/announcer.h"
#include "ui/common/colours.h"
#include "ui/common/fonts.h"
#include "ui/common/icons.h"
#include "ui/common/message_box.h"
#include "ui/common/qt_text.h"
#include "ui/common/twips.h"
#include "ui/common/window_placement.h"
#include "ui/help/help_window.h"
#include "ui/paper/paper_service.h"
#include "ui/paper/print_service.h"
#include "ui/plan/plan_window.h"
#include "ui/record/record_model.h"
#include "ui/record/record_window.h"
#include "ui/window_host.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScreen>
#include <QShortcut>
#include <QStyleOptionMenuItem>
#include <QTimer>

namespace kinri::ui {
namespace {

// The menu bar in keyboard mode (Alt pressed and released, then Left and Right) shows the title
// that Enter or Down would open, as it does while a menu is open; some styles highlight a title
// only while its menu is open, which leaves the keyboard user without a cue.
class MenuBarStyle : public QProxyStyle {
public:
    MenuBarStyle() : QProxyStyle(QApplication::style()->name()) {}

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_MenuBar_AltKeyNavigation) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_MenuBarItem && (option->state & State_Selected) && widget != nullptr &&
            widget->hasFocus()) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                QStyleOptionMenuItem selected = *item;
                selected.state |= State_Sunken | State_HasFocus;
                QProxyStyle::drawControl(element, &selected, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

} // namespace

MainWindow::MainWindow(LinePrinter& printer, HelpViewer& help, QWidget* parent)
    : QMainWindow(parent), help_(help), printing_(std::make_unique<PrintService>(printer)),
      paper_(std::make_unique<PaperService>(*printing_, state_)) {
    setObjectName(QStringLiteral("ZOVAN1"));
    setWindowTitle(QStringLiteral("  金利計算"));
    setWindowIcon(artworkIcon(QStringLiteral("kinri")));
    QApplication::setWindowIcon(windowIcon()); // the record, schedules, dialogs and message boxes too
    setAttribute(Qt::WA_QuitOnClose, false);   // closing is handled in closeEvent
    withoutMaximise(*this);
    installAccessibility();
    installContrastFrames();

    // The client area is practically empty: the window is its caption and its menu bar.
    setCentralWidget(new QWidget(this));
    buildMenu();
    scale_.addMenu(*menuBar());
    addRecordMenu();
    addKeys(); // before the window takes the menu bar's size: it sets the bar's style
    fitToMenuBar();
    connect(&scale_, &ViewScale::changed, this, &MainWindow::rescale);
    scale_.setFits([this](double factor) { return fitsScreen(factor); });
    help_.setScale(scale_.factor());

    // Load: placed, nothing selected, printing off.
    placeOnScreen(*this);
    state_.reset();
    // Said once, over the window, when there is nothing to read its captions in.
    if (!hasJapaneseFont()) QTimer::singleShot(0, this, [this] { showMessage(this, kNoJapaneseFontBox); });
}

// The windows go first; then the print service stops its thread, or ends the program at once
// where the print system still holds it (see PrintService).
MainWindow::~MainWindow() {
    host_.reset(); // the calculator windows go, none handed back
    windows_ = {};
    hide();
}

// As wide as the design, or as the menu bar needs at the user's font size: no title is ever put
// away behind the bar's overflow button.
void MainWindow::fitToMenuBar() {
    centralWidget()->setFixedSize(scale_.px(8100, *this), std::max(1, scale_.px(15, *this)));
    const int width = std::max(centralWidget()->width(), menuBar()->sizeHint().width());
    setFixedSize(width,
                 sizeHint().height() - menuBar()->sizeHint().height() + menuBar()->heightForWidth(width));
}

// Whether every calculator window, as designed and with its frame, fits the free area of the
// screen at `factor`: a zoom that would push the table window's Menu button off the screen of a
// laptop is no zoom a user wants.
bool MainWindow::fitsScreen(double factor) const {
    const QScreen* s = screen();
    if (s == nullptr) return true;
    const QSize frame = frameGeometry().size() - size(); // the title bar and borders
    const QSize area = s->availableGeometry().size() - frame;
    const double dpi = logicalDpiY() * factor;
    for (const WindowInfo& w : windows()) {
        const WindowLayout& l = windowLayout(w.id);
        if (twipsToPixels(l.clientWidth, dpi) > area.width() ||
            twipsToPixels(l.clientHeight, dpi) > area.height())
            return false;
    }
    return true;
}

// A new zoom or desktop text size: every window redrawn at it, each kept on the screen.
void MainWindow::rescale() {
    help_.setScale(scale_.factor());
    if (!host_ || host_->hosted() == nullptr) fitToMenuBar();
    keepOnScreen(*this);
    for (const auto& window : windows_) {
        if (!window) continue;
        window->rescale();
        keepOnScreen(*window);
    }
    if (host_) host_->fit();
}

CalculatorWindow* MainWindow::calculatorWindow(WindowId id) const {
    return windows_.at(static_cast<std::size_t>(id)).get();
}

// 「記録」 after every other title: the record of this run's calculations.
void MainWindow::addRecordMenu() {
    record_ = new RecordModel(state_.record, this);
    QMenu* menu = menuBar()->addMenu(QStringLiteral("記録"));
    menu->setObjectName(QStringLiteral("menuRecord"));
    QAction* show = menu->addAction(QStringLiteral("計算記録を表示"), this, &MainWindow::showRecord);
    show->setObjectName(QStringLiteral("actionShowRecord"));
    show->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));

    QMenu* plans = menuBar()->addMenu(QStringLiteral("返済プラン"));
    plans->setObjectName(QStringLiteral("menuPlan"));
    QAction* plan = plans->addAction(QStringLiteral("返済プランを作る…"), this, [this] {
        auto* window = new PlanWindow(*paper_, help_, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        connect(window, &PlanWindow::recorded, record_,
                qOverload<std::shared_ptr<const kinri::Calculation>>(&RecordModel::add));
        placeBeside(*window, *this, window->sizeHint());
        window->show();
        window->activateWindow();
    });
    plan->setObjectName(QStringLiteral("actionPlan"));
    plan->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
}

// The record opened afresh goes beside the window it was asked from, on its screen and no larger
// than the screen; an open one stays where the user has it.
void MainWindow::showRecord() {
    if (!recordWindow_) recordWindow_ = std::make_unique<RecordWindow>(*record_, *paper_);
    if (!recordWindow_->isVisible()) {
        const auto* asking = qobject_cast<const QWidget*>(sender()); // a calculator, or the menu's action
        placeBeside(*recordWindow_, asking != nullptr && asking->isVisible() ? *asking : *this,
                    recordWindow_->size());
    }
    recordWindow_->present();
}

void MainWindow::buildMenu() {
    for (const MenuNode& title : menuTree()) {
        QMenu* menu = menuBar()->addMenu(qs(title.caption));
        menu->setObjectName(qs(title.name));
        menu->menuAction()->setObjectName(qs(title.name));
        for (const MenuNode& child : title.children)
            addMenuNode(menu, child);
    }
}

void MainWindow::addMenuNode(QMenu* parent, const MenuNode& node) {
    switch (node.kind) {
    case MenuKind::Title: {
        QMenu* sub = parent->addMenu(qs(node.caption));
        sub->setObjectName(qs(node.name));
        sub->menuAction()->setObjectName(qs(node.name));
        for (const MenuNode& child : node.children)
            addMenuNode(sub, child);
        return;
    }
    case MenuKind::Separator:
        parent->addSeparator()->setObjectName(qs(node.name));
        return;
    case MenuKind::Calculation: {
        QAction* action = parent->addAction(qs(node.caption));
        action->setObjectName(qs(node.name));
        const CatalogueEntry* entry = findEntry(node.name);
        connect(action, &QAction::triggered, this, [this, entry] { choose(*entry); });
        return;
    }
    case MenuKind::Help: {
        QAction* action = parent->addAction(qs(node.caption));
        action->setObjectName(qs(node.name));
        connect(action, &QAction::triggered, this, &MainWindow::openHelp);
        return;
    }
    case MenuKind::Version: {
        QAction* action = parent->addAction(qs(node.caption));
        action->setObjectName(qs(node.name));
        connect(action, &QAction::triggered, this, &MainWindow::showVersion);
        return;
    }
    }
}

void MainWindow::choose(const CatalogueEntry& entry) {
    state_.select(entry);
    if (!host_) hide();
    auto& slot = windows_.at(static_cast<std::size_t>(entry.window));
    const bool first = !slot;
    if (first) {
        slot = std::make_unique<CalculatorWindow>(windowLayout(entry.window), state_, scale_, *paper_, help_,
                                                  *this);
        connect(slot.get(), &CalculatorWindow::programEndRequested, this, &MainWindow::programEndRequested);
        connect(slot.get(), &CalculatorWindow::calculated, record_,
                qOverload<std::shared_ptr<const kinri::Calculation>>(&RecordModel::add));
        connect(slot.get(), &CalculatorWindow::recordRequested, this, &MainWindow::showRecord);
        connect(slot.get(), &CalculatorWindow::planRecorded, record_,
                qOverload<std::shared_ptr<const kinri::Calculation>>(&RecordModel::add));
        placeOnScreen(*slot);
    }
    if (host_) {
        host_->host(*slot);
    } else {
        slot->show();
    }
    slot->dress(entry);
    if (host_) host_->announce(); // no new window comes for a screen reader to hear
}

// The menu bar shows where the keyboard is; F10 opens the first menu, F1 the help's contents as
// the help entry does.
void MainWindow::addKeys() {
    auto* style = new MenuBarStyle;
    style->setParent(this);
    menuBar()->setStyle(style);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [this] {
        const QList<QAction*> titles = menuBar()->actions();
        if (titles.isEmpty()) return;
        menuBar()->setActiveAction(titles.front());
        if (QMenu* menu = titles.front()->menu(); menu != nullptr && !menu->actions().isEmpty())
            menu->setActiveAction(menu->actions().front());
    });
    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, &MainWindow::openHelp);
    if (!programPlacesWindows())
        host_ = std::make_unique<WindowHost>(*this, QList<QShortcut*>{f1, f10}, [this] { fitToMenuBar(); });
}

void MainWindow::openHelp() {
    if (!helpHolder_) {
        // The hidden holder of the help request; created once and never shown.
        helpHolder_ = std::make_unique<QWidget>();
        helpHolder_->setObjectName(QStringLiteral("HELPFRM"));
        helpHolder_->setWindowTitle(QStringLiteral("Form1"));
        const double dpi = logicalDpiY();
        helpHolder_->resize(twipsToPixels(3750, dpi), twipsToPixels(2505, dpi));
        helpHolder_->installEventFilter(this); // closing it, like any window, ends the program
    }
    help_.showContents(QLatin1String(kHelpFileName));
}

void MainWindow::showVersion() {
    // F1 in the box closes it and opens the help, which a modal box would otherwise hold still.
    showMessage(this, kVersionBox, QMessageBox::Ok, [this] { openHelp(); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == helpHolder_.get() && event->type() == QEvent::Close) emit programEndRequested();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (host_ && host_->hosted() != nullptr) {
        host_->hosted()->close(); // as if the calculator window itself were closed
        return;
    }
    emit programEndRequested();
}

} // namespace kinri::ui
