// Long random sessions through the real windows, headless: menu entries, typing, 計算, クリヤ,
// Menu and the print switch in a seeded random order, with thousands of steps. After every step
// the windows must agree with the compute core (result box, table, print job, message boxes) and
// with the rules that tie the windows together (one selection at a time, one window shown, the
// print switch's caption and look following PrintAfterCalc). Memory must not creep.
#include "number/number_text.h"
#include "support/program.h"
#include "ui/record/record_model.h"

#include <QAction>
#include <QElapsedTimer>
#include <QtTest>

#include <malloc.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define KINRI_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KINRI_SOAK_ASAN 1
#endif
#endif

namespace {

using kinri::CalcFamily;
using kinri::CatalogueEntry;
using kinri::Message;
using kinri::Outcome;
using kinri::PrintLine;
using kinri::WindowId;
using kinri::test::BoxKind;
using kinri::test::FailingPrinter;
using kinri::test::MessageBoxAnswerer;
using kinri::test::qs;
using kinri::ui::CalculatorWindow;
using kinri::ui::CaptionLabel;
using kinri::ui::MainWindow;

constexpr std::uint64_t kDefaultSeed = 0x6b696e7269ULL;
constexpr int kDefaultSteps = 5000;
constexpr int kWarmUpSteps = 300;
constexpr double kMaxResidentGrowthMiB = 20.0;
constexpr double kMaxHeapGrowthMiB = 2.0;

std::size_t index(WindowId w) {
    return static_cast<std::size_t>(w);
}

QString exampleInput(const CatalogueEntry& e, int box) {
    return kinri::test::exampleInputs(e.item).value(box);
}

int inputCount(const CatalogueEntry& e) {
    return kinri::windowInfo(e.window).inputCount;
}

// splitmix64: small, fast and the same sequence on every platform.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool percent(int p) { return below(100) < p; }
    bool perMille(int p) { return below(1000) < p; }
    int weighted(std::initializer_list<int> weights) {
        int total = 0;
        for (int w : weights)
            total += w;
        int r = below(total);
        int i = 0;
        for (int w : weights) {
            if (r < w) return i;
            r -= w;
            ++i;
        }
        return i - 1;
    }
    template <class T, std::size_t N>
    const T& pick(const std::array<T, N>& items) {
        return items.at(static_cast<std::size_t>(below(static_cast<int>(N))));
    }

private:
    std::uint64_t state_;
};

// What the process holds, in KiB: resident pages (VmRSS), and the heap blocks in use, after the
// allocator has handed back what it can.
struct MemoryUse {
    long residentKiB = -1;
    long heapKiB = -1;
};

MemoryUse memoryUse() {
    MemoryUse use;
#if defined(__GLIBC__)
    malloc_trim(0);
    const struct mallinfo2 info = mallinfo2();
    use.heapKiB = static_cast<long>((info.uordblks + info.hblkhd) / 1024);
#endif
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) use.residentKiB = std::strtol(line.c_str() + 6, nullptr, 10);
    return use;
}

// What a digit key gives with the input method in full-width mode.
QString fullWidth(const QString& text) {
    QString out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= u'0' && u <= u'9') || u == u'.' || u == u'-' || u == u'+' || u == u',')
            out.append(QChar(static_cast<char16_t>(u - 0x20 + 0xFF00)));
        else if (u == u' ')
            out.append(QChar(u'\u3000'));
        else
            out.append(c);
    }
    return out;
}

// What the windows of one calculator should hold, as far as the user's actions and the compute
// core determine it.
struct WindowModel {
    bool created = false;
    std::array<QString, 4> inputs{};
    QString result;
    std::vector<std::string> list;
    bool listDirty = true;     // compare every line at the next check
    bool switchPlaced = false; // the print switch has been put in its on or off place at least once
    bool switchOn = false;
};

// One program run: the main window with its recording printer, driven like a user would, with a
// model of what every window must show.
class Session {
public:
    explicit Session(MessageBoxAnswerer& boxes) : boxes_(boxes), window_(printer_, help_) {
        window_.show();
        boxes_.takeSeen();
        boxes_.strayModals = 0;
    }

    MainWindow& window() { return window_; }
    const CatalogueEntry* current() const { return current_; }
    bool printOn() const { return printOn_; }
    QStringList errors;
    std::deque<QString> trace;
    long computes = 0, jobsPrinted = 0, bigTables = 0, faultsInjected = 0;
    std::array<long, 4> outcomes{}; // none, input required, calculation error, printer failure

    QString report() const {
        QStringList lines = errors;
        lines << QStringLiteral("last actions:");
        for (const QString& t : trace)
            lines << QStringLiteral("  ") + t;
        return lines.join(QLatin1Char('\n'));
    }

    void expect(bool ok, const QString& what) {
        if (!ok) errors << what;
    }

    void note(const QString& action) {
        trace.push_back(action);
        if (trace.size() > 12) trace.pop_front();
    }

    CalculatorWindow* calc(WindowId id) const { return window_.calculatorWindow(id); }

    QLineEdit* inputBox(WindowId id, int k) const {
        return calc(id) == nullptr ? nullptr : kinri::test::inputBox(calc(id), k + 1);
    }
    QLineEdit* resultBox(WindowId id) const {
        return calc(id) == nullptr ? nullptr : calc(id)->form().resultBox;
    }

    // --- actions -------------------------------------------------------------------------------

    void choose(const CatalogueEntry& e) {
        note(QStringLiteral("menu entry %1").arg(qs(e.item)));
        expect(current_ == nullptr && window_.isVisible(),
               QStringLiteral("menu entry chosen while ZOVAN1 is hidden"));
        auto* action = window_.findChild<QAction*>(qs(e.item));
        expect(action != nullptr && action->isEnabled(),
               QStringLiteral("no enabled menu action %1").arg(qs(e.item)));
        if (action == nullptr) return;
        expectBoxes({});
        action->trigger();
        current_ = &e;
        WindowModel& m = model(e.window);
        m.created = true;
        m.inputs.fill(QString());
        m.result.clear();
        m.list.clear();
        m.listDirty = true;
        checkDress(e);
    }

    void typeInput(int k, const QString& text) {
        note(QStringLiteral("type Text%1 \"%2\"").arg(k + 1).arg(text));
        QLineEdit* edit = inputBox(current_->window, k);
        if (edit == nullptr) return expect(false, QStringLiteral("Text%1 missing").arg(k + 1));
        expectBoxes({});
        kinri::test::typeKeys(edit, text);
        forgetUndo(edit);
        model(current_->window).inputs.at(static_cast<std::size_t>(k)) = text;
    }

    void typeResult(const QString& text) {
        note(QStringLiteral("type into the result box \"%1\"").arg(text));
        QLineEdit* edit = resultBox(current_->window);
        if (edit == nullptr) return;
        expectBoxes({});
        kinri::test::typeKeys(edit, text);
        forgetUndo(edit);
        model(current_->window).result = text;
    }

    // Presses 計算; `fault` makes the printer fail on this click's job (the printer may also have
    // been told to fail after a number of jobs).
    void compute(std::optional<FailingPrinter::Fault> fault = std::nullopt) {
        const CatalogueEntry& e = *current_;
        WindowModel& m = model(e.window);
        std::vector<std::string> in;
        QStringList shown;
        for (int k = 0; k < inputCount(e); ++k) {
            in.push_back(m.inputs.at(static_cast<std::size_t>(k)).toStdString());
            shown << m.inputs.at(static_cast<std::size_t>(k));
        }
        note(QStringLiteral("計算 %1 [%2] printing %3%4")
                 .arg(qs(e.item), shown.join(QLatin1Char('|')),
                      printOn_ ? QStringLiteral("on") : QStringLiteral("off"),
                      fault ? QStringLiteral(", printer fails") : QString()));
        const Outcome want = kinri::runCalculation(e.item, in, printOn_);
        ++computes;
        if (want.listLines.size() > 1000) ++bigTables;
        const bool prints = printOn_ && want.message == Message::None;
        expect(want.printJob.empty() != prints,
               QStringLiteral("core: a print job must come exactly with printing on and success"));

        if (fault) {
            printer_.failAfter(0, *fault);
            ++faultsInjected;
        }
        const long attemptsBefore = printer_.attempts;
        const bool printerFails = prints && printer_.failsNext();

        if (want.message == Message::InputRequired)
            expectBoxes({BoxKind::InputRequired});
        else if (want.message == Message::CalculationError || printerFails)
            expectBoxes({BoxKind::CalculationError});
        else
            expectBoxes({});
        outcomes.at(printerFails ? 3 : static_cast<std::size_t>(want.message)) += 1;

        click(calc(e.window)->form().compute);

        if (want.resultText) m.result = qs(*want.resultText);
        if (e.window == WindowId::Zovan3) {
            m.list = want.listLines;
            m.listDirty = true;
        }
        expect(printer_.attempts - attemptsBefore == (prints ? 1 : 0),
               QStringLiteral("printer called %1 times, expected %2")
                   .arg(printer_.attempts - attemptsBefore)
                   .arg(prints ? 1 : 0));
        if (prints && !printerFails) {
            if (printer_.jobs.size() != 1) {
                expect(false, QStringLiteral("%1 print jobs recorded, expected 1").arg(printer_.jobs.size()));
            } else {
                const QString difference = kinri::test::jobDifference(printer_.jobs.front(), want.printJob);
                expect(difference.isEmpty(), QStringLiteral("print job, ") + difference);
                ++jobsPrinted;
            }
        } else {
            expect(printer_.jobs.empty(), QStringLiteral("a print job was recorded although none was due"));
        }
        if (want.message != Message::InputRequired) {
            const auto& stored = window_.state().inputs;
            for (std::size_t k = 0; k < in.size(); ++k)
                expect(stored.at(k) == in[k], QStringLiteral("input %1 stored as \"%2\", typed \"%3\"")
                                                  .arg(k + 1)
                                                  .arg(qs(stored.at(k)), qs(in[k])));
        }
        printer_.jobs.clear();
        if (fault) printer_.disarm(); // a fault this click armed does not outlive it
    }

    void clear() {
        note(QStringLiteral("クリヤ"));
        expectBoxes({});
        click(calc(current_->window)->form().clear);
        WindowModel& m = model(current_->window);
        m.inputs.fill(QString());
        m.result.clear();
        m.list.clear();
        m.listDirty = true;
    }

    void menu() {
        note(QStringLiteral("Menu"));
        expectBoxes({});
        const WindowId id = current_->window;
        click(calc(id)->form().menu);
        current_ = nullptr;
        printOn_ = false;
        model(id).switchPlaced = true;
        model(id).switchOn = false;
    }

    void togglePrint(bool yes) {
        note(QStringLiteral("print switch, answer %1")
                 .arg(yes ? QStringLiteral("Yes") : QStringLiteral("No")));
        const WindowId id = current_->window;
        auto* label = calc(id)->form().printSwitch;
        if (label == nullptr) return expect(false, QStringLiteral("print switch label missing"));
        expectBoxes({BoxKind::PrintQuestion});
        boxes_.answer(yes ? QMessageBox::Yes : QMessageBox::No);
        QTest::mouseClick(label, Qt::LeftButton);
        printOn_ = yes;
        model(id).switchPlaced = true;
        model(id).switchOn = yes;
    }

    // --- invariants ----------------------------------------------------------------------------

    // After every step: the boxes raised were the expected ones; the selection, the windows shown,
    // the print switch and every box of every window agree with the model.
    void check() {
        checkBoxes();
        const kinri::AppState& state = window_.state();
        int nonZero = 0;
        for (const kinri::FamilyInfo& family : kinri::families()) {
            const CalcFamily f = family.family;
            const std::int16_t code = state.code(f);
            if (code != 0) ++nonZero;
            const std::int16_t want = current_ != nullptr && current_->family == f ? current_->code : 0;
            expect(code == want, QStringLiteral("selection variable of family %1 is %2, expected %3")
                                     .arg(static_cast<int>(f))
                                     .arg(code)
                                     .arg(want));
        }
        expect(nonZero <= 1, QStringLiteral("%1 selection variables are non-zero").arg(nonZero));
        expect(state.printAfterCalc() == printOn_,
               QStringLiteral("PrintAfterCalc is %1, expected %2").arg(state.printAfterCalc()).arg(printOn_));
        expect(printOn_ == false || current_ != nullptr, QStringLiteral("printing on while ZOVAN1 is shown"));

        // Exactly one window of the program is visible: ZOVAN1 or the current calculator window.
        QWidget* shown = current_ == nullptr ? static_cast<QWidget*>(&window_) : calc(current_->window);
        expect(shown != nullptr && shown->isVisible(), QStringLiteral("the window in use is not visible"));
        expect(window_.isVisible() == (current_ == nullptr),
               QStringLiteral("ZOVAN1 visible=%1 while a calculator window is %2")
                   .arg(window_.isVisible())
                   .arg(current_ != nullptr ? QStringLiteral("shown") : QStringLiteral("not shown")));
        int visible = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) ++visible;
        expect(visible == 1, QStringLiteral("%1 top-level windows visible").arg(visible));

        for (const kinri::WindowInfo& window : kinri::windows())
            checkWindow(window.id);
        expect(help_.asked.isEmpty(), QStringLiteral("the help viewer was asked for"));
    }

    // Back to the menu, and every window emptied by choosing one of its entries, so that what the
    // windows hold (a 10000-row table in a hidden window, say) does not count as memory growth.
    void emptyAllWindows() {
        if (current_ != nullptr) menu();
        window_.record().clear(); // the record keeps calculations by design: what it holds is no leak
        for (const kinri::WindowInfo& window : kinri::windows()) {
            const WindowId id = window.id;
            if (!model(id).created) continue;
            for (const CatalogueEntry& e : kinri::catalogue()) {
                if (e.window != id) continue;
                choose(e);
                menu();
                break;
            }
        }
    }

    // The full check of the table of every window, next time round.
    void markAllListsDirty() {
        for (WindowModel& m : models_)
            m.listDirty = true;
    }

private:
    WindowModel& model(WindowId id) { return models_.at(index(id)); }

    // A line edit keeps an undo record of every key until a program sets its text, and the
    // windows empty their boxes in the undoable way, so the record grows with all that is ever
    // typed into a box (some 20 bytes a key, and its capacity is never given back). That is the
    // toolkit's; setting the typed text once more keeps it from hiding a leak of the program's own
    // from the heap check.
    static void forgetUndo(QLineEdit* edit) {
        const QString typed = edit->text();
        edit->setText(typed);
    }

    // The boxes an action raises, in order; several actions may run between two checks.
    void expectBoxes(std::initializer_list<BoxKind> kinds) {
        expectedBoxes_.insert(expectedBoxes_.end(), kinds.begin(), kinds.end());
    }

    void click(QPushButton* button) {
        if (button == nullptr) return expect(false, QStringLiteral("a button is missing"));
        expect(button->isVisible() && button->isEnabled(),
               QStringLiteral("%1 cannot be pressed").arg(button->objectName()));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void checkBoxes() {
        std::vector<BoxKind> got;
        for (const kinri::test::SeenBox& box : boxes_.takeSeen()) {
            got.push_back(box.kind());
            if (box.kind() == BoxKind::Unknown)
                expect(false, QStringLiteral("unexpected message box: ") + box.name());
            QWidget* owner = current_ != nullptr ? calc(current_->window) : nullptr;
            expect(box.parent != nullptr && box.parent == owner,
                   QStringLiteral("message box not owned by the calculator window in use"));
            if (!box.answered)
                expect(false, QStringLiteral("the wanted answer was not among the box's buttons"));
        }
        if (got != expectedBoxes_) {
            QStringList g, w;
            for (BoxKind k : got)
                g << kinri::test::boxName(k);
            for (BoxKind k : expectedBoxes_)
                w << kinri::test::boxName(k);
            expect(false,
                   QStringLiteral("message boxes shown [%1], expected [%2]").arg(g.join(u','), w.join(u',')));
        }
        expect(boxes_.strayModals == 0, QStringLiteral("a modal window other than a message box appeared"));
        boxes_.strayModals = 0;
        expectedBoxes_.clear();
    }

    // The captions a menu entry sets, right after it was chosen.
    void checkDress(const CatalogueEntry& e) {
        CalculatorWindow* w = calc(e.window);
        if (w == nullptr)
            return expect(false, QStringLiteral("no calculator window after %1").arg(qs(e.item)));
        expect(w->windowTitle() == qs(kinri::familyInfo(e.family).windowCaption),
               QStringLiteral("window caption \"%1\" after %2").arg(w->windowTitle(), qs(e.item)));
        for (int k = 0; k < inputCount(e); ++k) {
            auto* label = kinri::test::label(w, k + 1);
            expect(label != nullptr && label->text() == qs(e.labels.at(static_cast<std::size_t>(k))),
                   QStringLiteral("Label%1 caption after %2").arg(k + 1).arg(qs(e.item)));
        }
        auto* result = w->form().resultCaption;
        expect(result != nullptr && result->text() == qs(e.resultCaption),
               QStringLiteral("result label caption after %1").arg(qs(e.item)));
        if (e.window == WindowId::Zovan3) {
            auto* head = kinri::test::label(w, 4);
            expect(head != nullptr && head->isVisible() && head->text() == qs(e.columnHead),
                   QStringLiteral("column head after %1").arg(qs(e.item)));
        }
    }

    void checkWindow(WindowId id) {
        WindowModel& m = model(id);
        CalculatorWindow* w = calc(id);
        expect((w != nullptr) == m.created, QStringLiteral("%1 created=%2, expected %3")
                                                .arg(qs(kinri::windowInfo(id).name))
                                                .arg(w != nullptr)
                                                .arg(m.created));
        if (w == nullptr) return;
        const kinri::WindowInfo& info = kinri::windowInfo(id);
        const kinri::ui::WindowLayout& layout = kinri::ui::windowLayout(id);
        const QString name = qs(info.name);
        const bool inUse = current_ != nullptr && current_->window == id;
        expect(w->isVisible() == inUse, QStringLiteral("%1 visible=%2").arg(name).arg(w->isVisible()));

        // Boxes keep their contents while hidden.
        for (int k = 0; k < kinri::windowInfo(id).inputCount; ++k) {
            QLineEdit* edit = inputBox(id, k);
            expect(edit != nullptr && edit->text() == m.inputs.at(static_cast<std::size_t>(k)),
                   QStringLiteral("%1 Text%2 shows \"%3\", expected \"%4\"")
                       .arg(name)
                       .arg(k + 1)
                       .arg(edit != nullptr ? edit->text() : QString(),
                            m.inputs.at(static_cast<std::size_t>(k))));
        }
        if (QLineEdit* result = resultBox(id))
            expect(result->text() == m.result, QStringLiteral("%1 result box shows \"%2\", expected \"%3\"")
                                                   .arg(name, result->text(), m.result));
        if (auto* list = w->form().list) {
            const auto count = static_cast<std::size_t>(list->count());
            expect(
                count == m.list.size(),
                QStringLiteral("%1 List1 has %2 lines, expected %3").arg(name).arg(count).arg(m.list.size()));
            if (count == m.list.size()) {
                // Every line after a change, otherwise the ends of the table.
                for (std::size_t i = 0; i < count; ++i) {
                    if (!m.listDirty && i != 0 && i + 1 != count) continue;
                    const QString line = list->text(static_cast<int>(i));
                    if (line.toStdString() != m.list[i]) {
                        expect(false, QStringLiteral("%1 List1 line %2 is \"%3\", expected \"%4\"")
                                          .arg(name)
                                          .arg(i + 1)
                                          .arg(line, qs(m.list[i])));
                        break;
                    }
                }
            }
            m.listDirty = false;
        }

        // The print switch: caption and colour follow PrintAfterCalc; it sits where the design put
        // it until it is first switched or reset, then in its on or off place.
        const bool on = inUse && printOn_;
        expect(m.switchOn == on, QStringLiteral("model: print switch state"));
        auto* label = w->form().printSwitch;
        if (label == nullptr) return expect(false, QStringLiteral("%1 print switch missing").arg(name));
        expect(label->text() == (on ? QStringLiteral("計算後印刷") : QStringLiteral("印刷なし")),
               QStringLiteral("%1 print switch reads \"%2\" with printing %3")
                   .arg(name, label->text(), on ? QStringLiteral("on") : QStringLiteral("off")));
        const QColor background = on ? QColor(0xC0, 0xFF, 0xC0) : w->palette().color(QPalette::Button);
        expect(label->autoFillBackground() && label->palette().color(QPalette::Window) == background,
               QStringLiteral("%1 print switch colour %2 with printing %3")
                   .arg(name, label->palette().color(QPalette::Window).name(),
                        on ? QStringLiteral("on") : QStringLiteral("off")));
        QRect want = kinri::test::designed(w, info.printOption);
        if (m.switchPlaced) want.moveTopLeft(kinri::test::px(w, on ? layout.printOn : layout.printOff));
        // Its caption may widen it to both sides alike; its place and height stay.
        const QRect place = label->designedGeometry();
        const QRect shown = label->geometry();
        expect(place == want && shown.y() == place.y() && shown.height() == place.height() &&
                   2 * shown.x() + shown.width() == 2 * place.x() + place.width() &&
                   shown.width() >= place.width(),
               QStringLiteral("%1 print switch at (%2,%3) %4x%5, shown %6 wide, expected (%7,%8)")
                   .arg(name)
                   .arg(place.x())
                   .arg(place.y())
                   .arg(place.width())
                   .arg(place.height())
                   .arg(shown.width())
                   .arg(want.x())
                   .arg(want.y()));
    }

    MessageBoxAnswerer& boxes_;
    FailingPrinter printer_;
    kinri::test::RecordingHelpViewer help_;
    MainWindow window_;
    const CatalogueEntry* current_ = nullptr;
    bool printOn_ = false;
    std::array<WindowModel, 4> models_{};
    std::vector<BoxKind> expectedBoxes_;
};

// Counts that make a table of (about) the most rows allowed, or one row more.
constexpr std::array<std::string_view, 6> kBigCounts{"10000", "10001", "9999.5", "10000.5", "1e308", "1.0e4"};

// What a user types into one input box: mostly numbers that make sense, sometimes nonsense.
QString randomInput(Rng& rng, const CatalogueEntry& e, int box) {
    static constexpr std::array<std::string_view, 12> kInvalid{
        "abc", "1.2.3", "12,34", "--1", "e5", "0x10", "inf", "nan", "1e", "+", "１２a", "1 2"};
    static constexpr std::array<std::string_view, 10> kExtreme{
        "1e308", "-1e308", "9.99e307", "1e400", "1E+300", "1e-320", "123456789012345678901234567890",
        "1e15",  "1e-9",   "-0"};
    const QString example = exampleInput(e, box);
    const bool bound = e.calc.isTable() && box == e.calc.table.boundInput;
    if (bound && rng.perMille(20)) return qs(rng.pick(kBigCounts));

    QString text;
    switch (rng.weighted({32, 6, 24, 3, 5, 6, 4, 3, 4, 5, 3, 3, 2})) {
    case 0:
        text = example;
        break;
    case 1: // the example of another box of the same calculation
        text = exampleInput(e, rng.below(inputCount(e)));
        break;
    case 2: // a small number: a count, a rate or an amount
        switch (rng.below(3)) {
        case 0:
            text = QString::number(rng.below(52) - 2);
            break;
        case 1:
            text = QStringLiteral("0.%1").arg(rng.below(1000), 3, 10, QLatin1Char('0'));
            break;
        default:
            text = QStringLiteral("%1.%2").arg(rng.below(50)).arg(rng.below(100));
            break;
        }
        break;
    case 3:
        text = QStringLiteral("0");
        break;
    case 4:
        text = qs(rng.pick(kInvalid));
        break;
    case 5:
        text = fullWidth(example);
        break;
    case 6:
        text = QString();
        break;
    case 7:
        text = rng.percent(50) ? QStringLiteral("   ") : QStringLiteral("　");
        break;
    case 8:
        text = QStringLiteral(" ") + example + QStringLiteral("  ");
        break;
    case 9:
        text = qs(rng.pick(kExtreme));
        break;
    case 10: // the example in exponent notation
        text = QString::number(kinri::parseNumber(example.toStdString()).value_or(1.0), 'e', 6);
        break;
    case 11:
        text = QStringLiteral("-") + example;
        break;
    default:
        text = (rng.percent(50) ? QStringLiteral("+") : QStringLiteral("00")) + example;
        break;
    }
    if (bound) {
        // Keep tables small: a count that would list more than a few dozen rows becomes one that
        // does not; the big ones come from kBigCounts, now and then.
        const auto value = kinri::parseNumber(text.toStdString());
        if (value && *value > 50) text = QString::number(rng.below(50));
    }
    return text;
}

} // namespace

class GuiSoakTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void randomSession();

private:
    std::optional<MessageBoxAnswerer> boxes_;
};

void GuiSoakTest::initTestCase() {
    kinri::test::setUpGuiTests();
    boxes_.emplace();
}

void GuiSoakTest::randomSession() {
    std::uint64_t seed = kDefaultSeed;
    int steps = kDefaultSteps;
    if (const char* s = std::getenv("KINRI_SOAK_SEED")) seed = std::strtoull(s, nullptr, 0);
    if (const char* s = std::getenv("KINRI_SOAK_STEPS")) steps = std::max(kWarmUpSteps + 1, std::atoi(s));
    qInfo("seed 0x%llx, %d random steps (KINRI_SOAK_SEED / KINRI_SOAK_STEPS to change)",
          static_cast<unsigned long long>(seed), steps);
    Rng rng(seed);
    Session s(*boxes_);
    QElapsedTimer clock;
    clock.start();

#define SOAK_CHECK(where)                                                                                    \
    do {                                                                                                     \
        s.check();                                                                                           \
        if (!s.errors.isEmpty()) QFAIL(qPrintable(QStringLiteral("%1:\n").arg(where) + s.report()));         \
    } while (false)

    // Every calculation once with its worked example, printed, and the biggest tables, so that the
    // memory baseline below is taken with every window and table size already seen.
    for (const CatalogueEntry& e : kinri::catalogue()) {
        s.choose(e);
        SOAK_CHECK(QStringLiteral("warm-up %1").arg(qs(e.item)));
        for (int k = 0; k < inputCount(e); ++k)
            s.typeInput(k, exampleInput(e, k));
        s.compute();
        s.togglePrint(true);
        s.compute();
        SOAK_CHECK(QStringLiteral("warm-up %1").arg(qs(e.item)));
        s.menu();
        SOAK_CHECK(QStringLiteral("warm-up %1").arg(qs(e.item)));
    }
    QCOMPARE(s.outcomes.at(0), 2 * static_cast<long>(kinri::catalogue().size()));
    for (std::string_view item : {"KAA", "KA2A"}) {
        const CatalogueEntry& e = *kinri::findEntry(item);
        s.choose(e);
        for (int k = 0; k < inputCount(e); ++k)
            s.typeInput(k, k == e.calc.table.boundInput ? QStringLiteral("10000") : exampleInput(e, k));
        s.togglePrint(true);
        s.compute();
        s.typeInput(e.calc.table.boundInput, QStringLiteral("10001"));
        s.compute();
        SOAK_CHECK(QStringLiteral("warm-up tables %1").arg(qs(e.item)));
        s.menu();
    }

    const long warmUpBigTables = s.bigTables;
    MemoryUse baseline;
    for (int step = 0; step < steps; ++step) {
        if (step == kWarmUpSteps) {
            s.emptyAllWindows();
            SOAK_CHECK(QStringLiteral("before the memory baseline"));
            baseline = memoryUse();
        }
        s.note(QStringLiteral("-- step %1").arg(step));
        const CatalogueEntry* e = s.current();
        if (e == nullptr) {
            const auto all = kinri::catalogue();
            s.choose(all[static_cast<std::size_t>(rng.below(static_cast<int>(all.size())))]);
        } else {
            const int n = inputCount(*e);
            // After a menu entry or クリヤ every box is empty: mostly the user fills them first.
            bool allEmpty = true;
            for (int k = 0; k < n; ++k)
                allEmpty = allEmpty && s.inputBox(e->window, k)->text().isEmpty();
            switch (allEmpty && rng.percent(85) ? 0 : rng.weighted({28, 32, 5, 9, 10, 3})) {
            case 0: {
                if (e->calc.isTable() && rng.percent(8)) {
                    // Now and then a table of the most rows allowed, or one more.
                    for (int k = 0; k < n; ++k)
                        s.typeInput(k, k == e->calc.table.boundInput ? qs(rng.pick(kBigCounts))
                                                                     : exampleInput(*e, k));
                    break;
                }
                for (int k = 0; k < n; ++k)
                    if (allEmpty || rng.percent(60)) s.typeInput(k, randomInput(rng, *e, k));
                break;
            }
            case 1: {
                std::optional<FailingPrinter::Fault> fault;
                if (s.printOn() && rng.percent(5))
                    fault = rng.percent(50) ? FailingPrinter::Fault::Throw : FailingPrinter::Fault::Refuse;
                s.compute(fault);
                break;
            }
            case 2:
                s.clear();
                break;
            case 3:
                s.menu();
                break;
            case 4:
                s.togglePrint(rng.percent(60));
                break;
            default:
                if (s.resultBox(e->window) != nullptr)
                    s.typeResult(rng.percent(50) ? QStringLiteral("123") : randomInput(rng, *e, 0));
                break;
            }
        }
        if (step % 500 == 0) s.markAllListsDirty();
        SOAK_CHECK(QStringLiteral("step %1").arg(step));
    }
    s.emptyAllWindows();
    SOAK_CHECK(QStringLiteral("at the end"));
    const MemoryUse end = memoryUse();
#undef SOAK_CHECK

    qInfo("warm-up and %d random steps in %lld ms: %ld computes (%ld ok, %ld input required, %ld errors, "
          "%ld printer failures), %ld jobs printed, %ld big tables (%ld of them random), %ld printer faults "
          "injected",
          steps, static_cast<long long>(clock.elapsed()), s.computes, s.outcomes.at(0), s.outcomes.at(1),
          s.outcomes.at(2), s.outcomes.at(3), s.jobsPrinted, s.bigTables, s.bigTables - warmUpBigTables,
          s.faultsInjected);
    const double residentGrowthMiB = static_cast<double>(end.residentKiB - baseline.residentKiB) / 1024.0;
    const double heapGrowthMiB = static_cast<double>(end.heapKiB - baseline.heapKiB) / 1024.0;
    qInfo(
        "after %d steps VmRSS %ld KiB, heap in use %ld KiB; at the end %ld KiB, %ld KiB: %+.2f MiB resident, "
        "%+.2f MiB heap",
        kWarmUpSteps, baseline.residentKiB, baseline.heapKiB, end.residentKiB, end.heapKiB, residentGrowthMiB,
        heapGrowthMiB);

    // Every kind of outcome must have been met, or the session tested less than it claims.
    for (std::size_t k = 0; k < s.outcomes.size(); ++k)
        QVERIFY2(s.outcomes.at(k) > 0, qPrintable(QStringLiteral("outcome kind %1 never seen").arg(k)));
    QVERIFY(s.bigTables > 0);
#if defined(KINRI_SOAK_ASAN)
    qInfo("built with AddressSanitizer: memory growth not checked");
#else
    QVERIFY(baseline.residentKiB > 0 && end.residentKiB > 0);
    QVERIFY2(residentGrowthMiB < kMaxResidentGrowthMiB,
             qPrintable(QStringLiteral("resident memory grew by %1 MiB").arg(residentGrowthMiB)));
#if defined(__GLIBC__)
    QVERIFY2(heapGrowthMiB < kMaxHeapGrowthMiB,
             qPrintable(QStringLiteral("heap in use grew by %1 MiB").arg(heapGrowthMiB)));
#endif
#endif
}

QTEST_MAIN(GuiSoakTest)
#include "gui_soak_test.moc"
