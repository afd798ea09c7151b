#include "ui/calculator/calculator_window.h"

#include "ui/calculator/calculator_form.h"
#include "ui/calculator/calculator_keys.h"
#include "ui/calculator/click_controller.h"
#include "ui/calculator/input_assist.h"
#include "ui/calculator/paper_actions.h"
#include "ui/captions/caption_label.h"
#include "ui/common/icons.h"
#include "ui/common/qt_text.h"
#include "ui/common/window_placement.h"
#include "ui/controls/print_switch.h"
#include "ui/paper/paper_service.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QPushButton>

namespace kinri::ui {

CalculatorWindow::CalculatorWindow(const WindowLayout& layout, AppState& state, const ViewScale& scale,
                                   PaperService& paper, HelpViewer& help, QWidget& menuWindow)
    : QWidget(nullptr), layout_(layout) {
    setObjectName(qs(windowInfo(layout.id).name));
    setWindowTitle(QStringLiteral("  割賦返済の計算"));
    setWindowIcon(artworkIcon(qs(layout.icon)));
    setAttribute(Qt::WA_QuitOnClose, false); // closing is handled below: it ends the program
    withoutMaximise(*this);
    form_ = std::make_unique<CalculatorForm>(*this, layout, scale);
    clicks_ = new ClickController(*this, *form_, state, paper.printing(), menuWindow);
    keys_ = new CalculatorKeys(*this, *form_, help, *clicks_);
    connect(form_->compute, &QPushButton::clicked, clicks_, &ClickController::compute);
    connect(form_->clear, &QPushButton::clicked, clicks_, &ClickController::clear);
    connect(form_->menu, &QPushButton::clicked, clicks_, &ClickController::backToMenu);
    connect(form_->printSwitch, &CaptionLabel::clicked, clicks_, &ClickController::askPrintOption);
    connect(clicks_, &ClickController::calculated, this, &CalculatorWindow::calculated);
    paper_ = new PaperActions(*this, *keys_, *clicks_, paper);
    connect(paper_, &PaperActions::recordRequested, this, &CalculatorWindow::recordRequested);
    connect(paper_, &PaperActions::planRecorded, this, &CalculatorWindow::planRecorded);
    connect(clicks_, &ClickController::programEndRequested, this, &CalculatorWindow::programEndRequested);
    // After the click's own work, message box included: the hint comes last.
    assist_ = new InputAssist(*this, *form_, state);
    connect(form_->compute, &QPushButton::clicked, assist_, &InputAssist::afterCompute);
    connect(form_->menu, &QPushButton::clicked, assist_, &InputAssist::hideNotes);
}

// The assist watches the boxes' focus through the form: it goes before the form does, not with
// the window's children after it.
CalculatorWindow::~CalculatorWindow() {
    delete assist_;
}

void CalculatorWindow::dress(const CatalogueEntry& entry) {
    clicks_->forget();
    paper_->setDressed(entry);
    setWindowTitle(qs(familyInfo(entry.family).windowCaption));
    activateWindow();
    form_->dress(entry);
    assist_->setDressed(entry);
}

void CalculatorWindow::rescale() {
    form_->rescale();
    assist_->hideNotes();
    assist_->refresh();
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    clicks_->endProgram();
}

// Right click on the window's background, its captions or its buttons.
void CalculatorWindow::contextMenuEvent(QContextMenuEvent* event) {
    keys_->showWindowMenu(event->globalPos());
}

} // namespace kinri::ui
