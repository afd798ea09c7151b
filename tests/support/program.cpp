#include "support/program.h"

#include "support/worked_examples.h"
#include "ui/common/fonts.h"
#include "ui/common/twips.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QScreen>
#include <QtTest>

#include <cmath>

namespace kinri::test {
namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform cannot size or raise windows and says so every time.
void quietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support"))) return;
    if (previousHandler != nullptr) previousHandler(type, context, message);
}

} // namespace

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QStringList toQt(const std::vector<std::string>& list) {
    QStringList out;
    for (const std::string& s : list)
        out.append(QString::fromStdString(s));
    return out;
}

std::vector<std::string> toStd(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& s : list)
        out.push_back(s.toStdString());
    return out;
}

void setUpGuiTests() {
    previousHandler = qInstallMessageHandler(quietPlatform);
    ui::applyJapaneseDefaults(*qobject_cast<QApplication*>(QCoreApplication::instance()));
}

const WindowInfo& info(const ui::CalculatorWindow* w) {
    return windowInfo(w->id());
}

const ui::WindowLayout& layout(const ui::CalculatorWindow* w) {
    return ui::windowLayout(w->id());
}

QLineEdit* inputBox(const ui::CalculatorWindow* w, int k) {
    return qobject_cast<QLineEdit*>(w->form().control({ControlRole::Input, k}));
}

ui::CaptionLabel* label(const ui::CalculatorWindow* w, int k) {
    for (const ui::ControlDesign& c : layout(w).controls)
        if (c.name == "Label" + std::to_string(k))
            return qobject_cast<ui::CaptionLabel*>(w->form().control(c.role));
    return nullptr;
}

bool saveAs(QWidget* window, const QString& action, const QString& file) {
    window->findChild<QAction*>(action)->trigger();
    auto* save = window->findChild<QFileDialog*>(QStringLiteral("SaveDialog"));
    if (save == nullptr) return false;
    save->selectFile(file);
    QMetaObject::invokeMethod(save, "accept");
    return true;
}

QStringList listLines(const ui::CalculatorWindow* w) {
    QStringList lines;
    if (const ui::TableList* list = w->form().list)
        for (int i = 0; i < list->count(); ++i)
            lines.append(list->text(i));
    return lines;
}

QStringList shownResult(const ui::CalculatorWindow* w) {
    if (const QLineEdit* box = w->form().resultBox) return {box->text()};
    return listLines(w);
}

QStringList shownResult(const Outcome& out) {
    if (out.resultText) return {QString::fromStdString(*out.resultText)};
    return toQt(out.listLines);
}

void typeInputs(const ui::CalculatorWindow* w, const QStringList& inputs) {
    for (int k = 0; k < inputs.size(); ++k)
        inputBox(w, k + 1)->setText(inputs.at(k));
}

void typeKeys(QLineEdit* edit, const QString& text) {
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    qsizetype i = 0;
    while (i < text.size()) {
        const bool ascii = text.at(i).unicode() < 0x80;
        qsizetype j = i;
        while (j < text.size() && (text.at(j).unicode() < 0x80) == ascii)
            ++j;
        const QString run = text.mid(i, j - i);
        if (ascii) {
            QTest::keyClicks(edit, run);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(run);
            QCoreApplication::sendEvent(edit, &commit);
        }
        i = j;
    }
}

QStringList exampleInputs(std::string_view item) {
    QStringList inputs;
    for (const examples::Example& example : examples::kExamples) {
        if (example.item != item) continue;
        for (std::string_view text : example.inputs)
            if (!text.empty()) inputs.append(qs(text));
    }
    return inputs;
}

int px(const QWidget* w, double twips) {
    return ui::twipsToPixels(twips, w->logicalDpiY());
}

QPoint px(const QWidget* w, QPoint twips) {
    return {px(w, twips.x()), px(w, twips.y())};
}

QPoint px(const QWidget* w, ui::TwipsPoint twips) {
    return {px(w, twips.left), px(w, twips.top)};
}

QRect px(const QWidget* w, const ui::ControlDesign& control) {
    return {px(w, control.left), px(w, control.top), px(w, control.width), px(w, control.height)};
}

QRect designed(const ui::CalculatorWindow* w, std::string_view name) {
    for (const ui::ControlDesign& control : layout(w).controls)
        if (control.name == name) return px(w, control);
    return {};
}

QList<int> codes(const AppState& state) {
    QList<int> out;
    for (const FamilyInfo& family : families())
        out.append(state.code(family.family));
    return out;
}

bool placedOnScreen(const QWidget* w) {
    const QRect screen = w->screen()->geometry();
    const QRect frame = w->frameGeometry();
    const double left = screen.left() + (screen.width() - frame.width()) / 2.0;
    const double top = screen.top() + (screen.height() - frame.height()) / 3.0;
    // A few pixels for twips rounding and for the frame, which the platform adds once the window shows.
    return std::abs(frame.left() - left) <= 3 && std::abs(frame.top() - top) <= 3;
}

// The legibility tests run again with a larger desktop font (windows built at that scale) and
// zoomed (each window laid out again once dressed).
Program::Program() {
    if (const int points = qEnvironmentVariableIntValue("KINRI_TEST_DESKTOP_POINTS"); points > 0)
        main.viewScale().setDesktopFont(QFont(QString(), points));
    main.show();
}

QAction* Program::action(const QString& name) const {
    return main.findChild<QAction*>(name);
}

ui::CalculatorWindow* Program::choose(const QString& item) {
    QAction* a = action(item);
    const CatalogueEntry* entry = findEntry(item.toStdString());
    if (a == nullptr || entry == nullptr) return nullptr;
    a->trigger();
    main.viewScale().setZoom(ui::ViewScale::kLeastZoom);
    main.viewScale().setZoom(qEnvironmentVariableIntValue("KINRI_TEST_ZOOM"));
    return main.calculatorWindow(entry->window);
}

QStringList Program::compute(const ui::CalculatorWindow* w) {
    w->form().compute->click();
    return boxes.take();
}

QStringList Program::switchPrinting(const ui::CalculatorWindow* w, QMessageBox::StandardButton answer) {
    boxes.answer(answer);
    QTest::mouseClick(w->form().printSwitch, Qt::LeftButton);
    return boxes.take();
}

ui::CalculatorWindow* Program::computeExample(const QString& item, const QStringList& inputs) {
    ui::CalculatorWindow* w = choose(item);
    if (w == nullptr || switchPrinting(w, QMessageBox::Yes) != QStringList{boxName(BoxKind::PrintQuestion)})
        return nullptr;
    typeInputs(w, inputs.isEmpty() ? exampleInputs(item.toStdString()) : inputs);
    const int jobs = printer.attempts;
    return compute(w).isEmpty() && printer.attempts == jobs + 1 ? w : nullptr;
}

QList<ui::CalculatorWindow*> Program::visibleCalculators() const {
    QList<ui::CalculatorWindow*> shown;
    for (const WindowInfo& window : windows())
        if (ui::CalculatorWindow* w = main.calculatorWindow(window.id); w != nullptr && w->isVisible())
            shown.append(w);
    return shown;
}

void endProgram(std::unique_ptr<Program>& program) {
    const QStringList leftOver = program->boxes.take();
    program.reset();
    QVERIFY2(leftOver.isEmpty(), qPrintable(leftOver.join(u'\n')));
}

} // namespace kinri::test
