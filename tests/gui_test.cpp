// The real windows, driven headless through their menu actions, buttons and message boxes the
// way a user drives them, checked against what the user sees and what the printer receives.

#include "compute/flow.h"
#include "ui/calculator_window.h"
#include "ui/caption_label.h"
#include "ui/fonts.h"
#include "ui/help_window.h"
#include "ui/main_window.h"
#include "ui/system_printer.h"
#include "ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageLayout>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QQueue>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <memory>
#include <stdexcept>

namespace {

namespace ui = kinri::ui;
using kinri::CalcFamily;
using kinri::WindowId;
using Button = QMessageBox::StandardButton;

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::vector<std::string> toStd(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& s : list)
        out.push_back(s.toStdString());
    return out;
}

QStringList toQt(const std::vector<std::string>& list) {
    QStringList out;
    for (const std::string& s : list)
        out.append(QString::fromStdString(s));
    return out;
}

// A print job as text, "column|text" per line, so that jobs compare with a readable diff.
QStringList jobLines(const std::vector<kinri::PrintLine>& job) {
    QStringList lines;
    for (const kinri::PrintLine& line : job)
        lines.append(QString::number(line.column) + u'|' + QString::fromStdString(line.text));
    return lines;
}

// Keeps every job it is handed. It can be told to report that it could not print, or to fail
// part-way through a job by throwing.
class RecordingPrinter : public ui::LinePrinter {
public:
    bool printJob(const std::vector<kinri::PrintLine>& job) override {
        jobs.append(QStringList{});
        for (const kinri::PrintLine& line : job) {
            if (failAfterLines >= 0 && jobs.last().size() == failAfterLines)
                throw std::runtime_error("the printer stopped");
            jobs.last().append(jobLines({line}));
        }
        return accepts;
    }

    QList<QStringList> jobs; // every job handed over, as far as it went out
    bool accepts = true;
    qsizetype failAfterLines = -1;
};

class RecordingHelpViewer : public ui::HelpViewer {
public:
    void showContents(const QString& helpFile) override { asked.append(helpFile); }
    QStringList asked;
};

QString iconName(QMessageBox::Icon icon) {
    switch (icon) {
    case QMessageBox::NoIcon:
        return QStringLiteral("no icon");
    case QMessageBox::Information:
        return QStringLiteral("information");
    case QMessageBox::Warning:
        return QStringLiteral("exclamation");
    case QMessageBox::Critical:
        return QStringLiteral("critical");
    case QMessageBox::Question:
        return QStringLiteral("question");
    }
    return QStringLiteral("?");
}

QString buttonNames(QMessageBox::StandardButtons buttons) {
    QStringList names;
    if (buttons & QMessageBox::Ok) names << QStringLiteral("OK");
    if (buttons & QMessageBox::Yes) names << QStringLiteral("Yes");
    if (buttons & QMessageBox::No) names << QStringLiteral("No");
    if (buttons & ~(QMessageBox::Ok | QMessageBox::Yes | QMessageBox::No)) names << QStringLiteral("other");
    return names.join(u'/');
}

// One message box as the user sees it: title, text (line breaks shown as \n), icon, buttons.
QString describeBox(const QString& title, const QString& text, QMessageBox::Icon icon,
                    QMessageBox::StandardButtons buttons) {
    return QStringLiteral("[%1] [%2] %3 %4")
        .arg(title, QString(text).replace(u'\n', QStringLiteral("\\n")), iconName(icon),
             buttonNames(buttons));
}

const QString kInputRequired = describeBox(QStringLiteral("メッセージ"), QStringLiteral("入力してください"),
                                           QMessageBox::Information, QMessageBox::Ok);
const QString kCalculationError = describeBox(QStringLiteral("                            お知らせ"),
                                              QStringLiteral("           エラーが発生しました\n"
                                                             "（0で除算・不合理な設定等が原因です）"),
                                              QMessageBox::Warning, QMessageBox::Ok);
const QString kPrintQuestion =
    describeBox(QStringLiteral("メッセージ"), QStringLiteral("実行後、計算条件・結果\nを印刷します"),
                QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No);

// Answers the modal message boxes while a handler waits in one. A box offering only OK is
// acknowledged; any other box takes the next queued answer. A box nobody expected an answer for
// is recorded as such and closed, so that the test fails instead of hanging.
class MessageBoxes : public QObject {
public:
    MessageBoxes() {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &MessageBoxes::poll);
        timer_.start();
    }

    void answer(Button button) { answers_.enqueue(button); }

    // The boxes seen since the last call; unused answers are dropped.
    QStringList take() {
        QStringList seen = seen_;
        seen_.clear();
        answers_.clear();
        return seen;
    }

private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == handled_) return;
        handled_ = modal;
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            seen_.append(QStringLiteral("UNEXPECTED WINDOW ") + modal->objectName());
            modal->close();
            return;
        }
        QString seen = describeBox(box->windowTitle(), box->text(), box->icon(), box->standardButtons());
        QAbstractButton* button = nullptr;
        if (box->standardButtons() == QMessageBox::Ok) {
            button = box->button(QMessageBox::Ok);
        } else if (!answers_.isEmpty()) {
            button = box->button(answers_.dequeue());
        }
        if (button == nullptr) {
            seen_.append(QStringLiteral("UNANSWERED ") + seen);
            box->done(QMessageBox::Cancel);
            return;
        }
        seen_.append(seen);
        button->click();
    }

    QTimer timer_;
    QQueue<Button> answers_;
    QStringList seen_;
    QPointer<QWidget> handled_;
};

// Controls of a calculator window, by their object names.
template <class T = QWidget>
T* control(const QWidget* w, const QString& name) {
    return w == nullptr ? nullptr : w->findChild<T*>(name, Qt::FindDirectChildrenOnly);
}
QLineEdit* textBox(const QWidget* w, int k) {
    return control<QLineEdit>(w, QStringLiteral("Text%1").arg(k));
}
ui::CaptionLabel* label(const QWidget* w, int k) {
    return control<ui::CaptionLabel>(w, QStringLiteral("Label%1").arg(k));
}
QPushButton* command(const QWidget* w, int k) {
    return control<QPushButton>(w, QStringLiteral("Command%1").arg(k));
}
QListWidget* list(const QWidget* w) {
    return control<QListWidget>(w, QStringLiteral("List1"));
}

int inputCount(const QWidget* w) {
    const QString name = w->objectName();
    return name == QLatin1String("ZOVAN4") ? 2 : name == QLatin1String("ZOVAN5") ? 4 : 3;
}

QLineEdit* resultBox(const QWidget* w) {
    const QString name = w->objectName();
    if (name == QLatin1String("ZOVAN2")) return textBox(w, 6);
    if (name == QLatin1String("ZOVAN4")) return textBox(w, 3);
    if (name == QLatin1String("ZOVAN5")) return textBox(w, 5);
    return nullptr;
}

ui::CaptionLabel* resultLabel(const QWidget* w) {
    const QString name = w->objectName();
    if (name == QLatin1String("ZOVAN2")) return label(w, 6);
    if (name == QLatin1String("ZOVAN4")) return label(w, 3);
    return label(w, 5);
}

ui::CaptionLabel* switchLabel(const QWidget* w) {
    return label(w, w->objectName() == QLatin1String("ZOVAN2") ? 4 : 6);
}

QStringList listLines(const QWidget* w) {
    QStringList lines;
    if (const QListWidget* l = list(w))
        for (int i = 0; i < l->count(); ++i)
            lines.append(l->item(i)->text());
    return lines;
}

// What the window shows as its result: the result box's text, or the lines of the table.
QStringList shownResult(const QWidget* w) {
    if (const QLineEdit* box = resultBox(w)) return {box->text()};
    return listLines(w);
}

QStringList expectedResult(const kinri::Outcome& out) {
    if (out.resultText) return {QString::fromStdString(*out.resultText)};
    return toQt(out.listLines);
}

void typeInputs(QWidget* w, const QStringList& inputs) {
    for (int k = 0; k < inputs.size(); ++k)
        textBox(w, k + 1)->setText(inputs.at(k));
}

int px(const QWidget* w, double twips) {
    return ui::twipsToPixels(twips, w->logicalDpiY());
}
QPoint px(const QWidget* w, QPoint twips) {
    return {px(w, twips.x()), px(w, twips.y())};
}

QList<int> codes(const kinri::AppState& state) {
    QList<int> out;
    for (CalcFamily f : {CalcFamily::Simple, CalcFamily::Compound, CalcFamily::Savings, CalcFamily::Annuity,
                         CalcFamily::Installment})
        out.append(state.code(f));
    return out;
}

// The program as main() puts it together, with a recording printer and help viewer.
struct Program {
    RecordingPrinter printer;
    RecordingHelpViewer help;
    MessageBoxes boxes;
    ui::MainWindow main{printer, help};
    QSignalSpy ends{&main, &ui::MainWindow::programEndRequested};

    Program() { main.show(); }

    QAction* action(const QString& name) const { return main.findChild<QAction*>(name); }

    // Chooses a calculation from the menu; returns the window it is meant to show.
    ui::CalculatorWindow* choose(const QString& item) {
        QAction* a = action(item);
        const kinri::CatalogueEntry* entry = kinri::findEntry(item.toStdString());
        if (a == nullptr || entry == nullptr) return nullptr;
        a->trigger();
        return main.calculatorWindow(entry->window);
    }

    QStringList compute(QWidget* w) {
        command(w, 1)->click();
        return boxes.take();
    }

    QStringList switchPrinting(QWidget* w, Button answer) {
        boxes.answer(answer);
        QTest::mouseClick(switchLabel(w), Qt::LeftButton);
        return boxes.take();
    }

    QList<ui::CalculatorWindow*> visibleCalculators() const {
        QList<ui::CalculatorWindow*> shown;
        for (WindowId id : {WindowId::Zovan2, WindowId::Zovan3, WindowId::Zovan4, WindowId::Zovan5})
            if (ui::CalculatorWindow* w = main.calculatorWindow(id); w != nullptr && w->isVisible())
                shown.append(w);
        return shown;
    }
};

// Whether `w` sits where the program places its windows: centred, a third of the free height above.
bool placedOnScreen(const QWidget* w) {
    const QRect screen = w->screen()->geometry();
    const QRect frame = w->frameGeometry();
    const double left = screen.left() + (screen.width() - frame.width()) / 2.0;
    const double top = screen.top() + (screen.height() - frame.height()) / 3.0;
    // A few pixels for twips rounding and for the frame, which the platform adds once the window shows.
    return std::abs(frame.left() - left) <= 3 && std::abs(frame.top() - top) <= 3;
}

struct PdfWord {
    double xMin, yMin;
    QString text;
};

// pdftotext reads some kanji of the CJK font back as their look-alike radicals (金 as ⾦);
// compatibility normalisation undoes that.
QList<PdfWord> pdfWords(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression re(QStringLiteral(
        R"re(<word xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="[-\d.]+" yMax="[-\d.]+">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words.append({m.captured(1).toDouble(), m.captured(2).toDouble(),
                      m.captured(3).normalized(QString::NormalizationForm_KC)});
    }
    return words;
}

QString pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

QtMessageHandler previousHandler = nullptr;

// The offscreen platform cannot size or raise windows and says so every time.
void quietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support"))) return;
    previousHandler(type, context, message);
}

} // namespace

class GuiTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void mainWindowLoad();
    void menuEntryOpensItsWindow_data();
    void menuEntryOpensItsWindow();
    void windowDesign_data();
    void windowDesign();
    void compoundTableEndToEnd();
    void workedExamples_data();
    void workedExamples();
    void emptyInputStopsTheClick_data();
    void emptyInputStopsTheClick();
    void calculationError_data();
    void calculationError();
    void resultBoxAcceptsTyping_data();
    void resultBoxAcceptsTyping();
    void tableRowLimit_data();
    void tableRowLimit();
    void printerFailure_data();
    void printerFailure();
    void clearEmptiesTheBoxes_data();
    void clearEmptiesTheBoxes();
    void printSwitch_data();
    void printSwitch();
    void windowReuse_data();
    void windowReuse();
    void simpleThenCompoundRunsTheCompoundTable();
    void labelLayoutAcrossEntries_data();
    void labelLayoutAcrossEntries();
    void closingAnyWindowEndsTheProgram_data();
    void closingAnyWindowEndsTheProgram();
    void helpEntry();
    void versionBox();
    void builtInHelpViewer();
    void printedPageLayout();
    void longPrintoutContinuesOnTheNextPage();
    void noPrinterInstalled();

private:
    std::unique_ptr<Program> p_;
};

void GuiTest::initTestCase() {
    previousHandler = qInstallMessageHandler(quietPlatform);
    ui::applyJapaneseDefaults(*static_cast<QApplication*>(QCoreApplication::instance()));
}

void GuiTest::init() {
    p_ = std::make_unique<Program>();
}

void GuiTest::cleanup() {
    const QStringList leftOver = p_->boxes.take();
    p_.reset();
    QVERIFY2(leftOver.isEmpty(), qPrintable(leftOver.join(u'\n')));
}

void GuiTest::mainWindowLoad() {
    ui::MainWindow& main = p_->main;
    QCOMPARE(main.objectName(), QStringLiteral("ZOVAN1"));
    QCOMPARE(main.windowTitle(), QStringLiteral("  金利計算"));
    QVERIFY(main.isVisible());
    QVERIFY(placedOnScreen(&main));
    QCOMPARE(main.centralWidget()->width(), px(&main, 8100));
    QCOMPARE(codes(main.state()), (QList<int>{0, 0, 0, 0, 0}));
    QVERIFY(!main.state().printAfterCalc());

    // Six titles on the menu bar, then each menu's entries in order.
    QStringList titles;
    for (const QAction* a : main.menuBar()->actions())
        titles << a->objectName() + u'=' + a->text();
    QCOMPARE(titles, (QStringList{"S=単利の利息計算", "F=複利の利息計算", "T=積立金の利息計算",
                                  "N=年金の計算", "K=割賦返済の計算", "HE=ヘルプ"}));
    const QList<std::pair<QString, QStringList>> menus{
        {"S", {"SP", "SA", "SR", "SA2", "SR2", "SC", "SR3"}},
        {"F", {"FA", "FR", "FN", "FC"}},
        {"T", {"TH", "TT", "TR", "TA", "TC", "TC2", "TN", "TA2", "TA3"}},
        {"N", {"NC", "NA", "NN", "NC2", "NN2"}},
        {"K", {"KA", "KA2", "KA3", "KA4"}},
        {"KA", {"KAA", "KAP"}},
        {"KA2", {"KA2C", "KA2N", "KA2P", "KA2A"}},
        {"KA3", {"KA3A", "KA3C", "KA3R"}},
        {"KA4", {"KA4C", "KA4A", "KA4N"}},
        {"HE", {"HE01", "SKIP", "VER"}},
    };
    for (const auto& [name, entries] : menus) {
        const QMenu* menu = main.findChild<QMenu*>(name);
        QVERIFY2(menu != nullptr, qPrintable(name));
        QStringList actual;
        for (const QAction* a : menu->actions())
            actual << a->objectName();
        QCOMPARE(actual, entries);
    }
    const QList<QAction*> help = main.findChild<QMenu*>(QStringLiteral("HE"))->actions();
    QCOMPARE(help.at(0)->text(), QStringLiteral("ヘルプ"));
    QVERIFY(help.at(1)->isSeparator());
    QCOMPARE(help.at(2)->text(), QStringLiteral("バージョン情報"));

    // Every calculation of the catalogue has its entry, captioned as the catalogue says.
    int calculations = 0;
    for (const kinri::CatalogueEntry& e : kinri::catalogue()) {
        const QAction* a = p_->action(qs(e.item));
        QVERIFY2(a != nullptr, e.item.data());
        QCOMPARE(a->text(), qs(e.menuCaption));
        ++calculations;
    }
    QCOMPARE(calculations, 37);

    // The separator and the titles do nothing of their own.
    main.findChild<QAction*>(QStringLiteral("SKIP"))->trigger();
    for (const auto& [name, entries] : menus)
        main.findChild<QMenu*>(name)->menuAction()->trigger();
    QVERIFY(main.isVisible());
    QVERIFY(p_->visibleCalculators().isEmpty());
    QCOMPARE(codes(main.state()), (QList<int>{0, 0, 0, 0, 0}));
    QVERIFY(p_->help.asked.isEmpty());
}

void GuiTest::menuEntryOpensItsWindow_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("code");
    const auto row = [](const char* item, const char* menu, const char* caption, const char* window,
                        CalcFamily f, int code) {
        QTest::newRow(item) << menu << QString::fromUtf8(caption) << window << static_cast<int>(f) << code;
    };
    using F = CalcFamily;
    row("SP", "S", "単利の利息", "ZOVAN2", F::Simple, 1);
    row("SA", "S", "単利の元利合計", "ZOVAN3", F::Simple, 2);
    row("SR", "S", "単利の利率", "ZOVAN2", F::Simple, 3);
    row("SA2", "S", "割引手取額", "ZOVAN2", F::Simple, 4);
    row("SR2", "S", "割引率", "ZOVAN2", F::Simple, 5);
    row("SC", "S", "利息先払いの元金（期日支払額面）", "ZOVAN2", F::Simple, 6);
    row("SR3", "S", "定期預金の解約と預金担保借入の損益分岐点となる預金期間の預入日からの割合", "ZOVAN5",
        F::Simple, 7);
    row("FA", "F", "複利の元利合計", "ZOVAN3", F::Compound, 1);
    row("FR", "F", "複利の利率", "ZOVAN2", F::Compound, 2);
    row("FN", "F", "複利で必要とする期間数", "ZOVAN2", F::Compound, 3);
    row("FC", "F", "複利の当初必要な元金", "ZOVAN2", F::Compound, 4);
    row("TH", "T", "月掛定期積金の給付補填金", "ZOVAN2", F::Savings, 1);
    row("TT", "T", "月掛定期積金の1回分の積立額", "ZOVAN2", F::Savings, 2);
    row("TR", "T", "月掛定期積金の利率", "ZOVAN2", F::Savings, 3);
    row("TA", "T", "任意期間の中期の定期･定額の積立複利の元利合計（年金終価額）", "ZOVAN2", F::Savings, 4);
    row("TC", "T", "回数を定めた定期・定額の複利積立の元利合計", "ZOVAN2", F::Savings, 5);
    row("TC2", "T", "複利運用の目標達成のための１回分の定額積立所要額", "ZOVAN2", F::Savings, 6);
    row("TN", "T", "複利運用の目標達成のための定額積立の所要期間", "ZOVAN2", F::Savings, 7);
    row("TA2", "T", "回数を定め定期に一定割合で貯蓄額を増額した場合の複利の元利合計", "ZOVAN5", F::Savings,
        8);
    row("TA3", "T",
        "回数を定め定期に一定割合で貯蓄額を増額して所定期間後に期待する複利の元利合計を得るための初回の貯蓄"
        "額",
        "ZOVAN5", F::Savings, 9);
    row("NC", "N", "所定期間定額の年金を受領する当初預託金", "ZOVAN2", F::Annuity, 1);
    row("NA", "N", "1回の年金受領額", "ZOVAN2", F::Annuity, 2);
    row("NN", "N", "年金受領可能期間数", "ZOVAN2", F::Annuity, 3);
    row("NC2", "N", "インフレを加味した年金受領のために必要な当初原資", "ZOVAN5", F::Annuity, 4);
    row("NN2", "N", "インフレを加味した年金受領可能期間数", "ZOVAN5", F::Annuity, 5);
    row("KAA", "KA", "元金均等償還方式における各回次の元利合計返済額", "ZOVAN3", F::Installment, 1);
    row("KAP", "KA", "元金均等償還方式の全期間の利息合計", "ZOVAN2", F::Installment, 2);
    row("KA2C", "KA2", "元利均等償還方式における毎返済回次の均等返済額", "ZOVAN2", F::Installment, 3);
    row("KA2N", "KA2", "元利均等償還方式の返済回数", "ZOVAN2", F::Installment, 4);
    row("KA2P", "KA2", "元利均等償還方式による借入可能額", "ZOVAN2", F::Installment, 5);
    row("KA2A", "KA2", "元利均等償還方式における中間時点の借入金元金残高", "ZOVAN3", F::Installment, 6);
    row("KA3A", "KA3", "アドオン方式の利息合計", "ZOVAN2", F::Installment, 7);
    row("KA3C", "KA3", "アドオン方式の毎回の元利合計返済額", "ZOVAN5", F::Installment, 8);
    row("KA3R", "KA3", "アドオン方式による表示利率(月次返済の場合）", "ZOVAN4", F::Installment, 9);
    row("KA4C", "KA4", "元利合計返済額逓増方式の第１回の返済額", "ZOVAN5", F::Installment, 10);
    row("KA4A", "KA4", "元利合計返済額逓増方式による借入可能額", "ZOVAN5", F::Installment, 11);
    row("KA4N", "KA4", "元利合計返済額逓増方式の返済期間(回数)", "ZOVAN5", F::Installment, 12);
}

void GuiTest::menuEntryOpensItsWindow() {
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QString, window);
    QFETCH(int, family);
    QFETCH(int, code);
    const QString item = QString::fromLatin1(QTest::currentDataTag());
    static const QStringList kWindowCaptions{"  単利の利息計算", "  複利の利息計算", "  積立金の利息計算",
                                             "  年金の計算", "  割賦返済の計算"};

    QAction* a = p_->action(item);
    QVERIFY(a != nullptr);
    QCOMPARE(a->text(), caption);
    QVERIFY(p_->main.findChild<QMenu*>(menu)->actions().contains(a));

    // First visit: leave something in every box, then come back through Menu.
    a->trigger();
    QList<ui::CalculatorWindow*> shown = p_->visibleCalculators();
    QCOMPARE(shown.size(), 1);
    QWidget* w = shown.front();
    for (QLineEdit* box : w->findChildren<QLineEdit*>())
        box->setText(QStringLiteral("前回の値"));
    if (QListWidget* l = list(w)) l->addItem(QStringLiteral("前回の行"));
    command(w, 3)->click();
    QVERIFY(!w->isVisible());

    a->trigger();
    QVERIFY(!p_->main.isVisible());
    shown = p_->visibleCalculators();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.front(), w);
    QCOMPARE(w->objectName(), window);
    QCOMPARE(w->windowTitle(), kWindowCaptions.at(family));
    QList<int> expectedCodes{0, 0, 0, 0, 0};
    expectedCodes[family] = code;
    QCOMPARE(codes(p_->main.state()), expectedCodes);
    QVERIFY(!p_->main.state().printAfterCalc());
    QCOMPARE(w->focusWidget(), textBox(w, 1));

    const kinri::CatalogueEntry* entry = kinri::findEntry(item.toStdString());
    for (int k = 1; k <= inputCount(w); ++k) {
        QCOMPARE(label(w, k)->text(), qs(entry->labels.at(static_cast<std::size_t>(k - 1))));
        QCOMPARE(textBox(w, k)->text(), QString());
    }
    QCOMPARE(resultLabel(w)->text(), qs(entry->resultCaption));
    QVERIFY(resultLabel(w)->isVisible());
    if (QLineEdit* result = resultBox(w)) {
        QCOMPARE(result->text(), QString());
    } else {
        QCOMPARE(list(w)->count(), 0);
        QVERIFY(label(w, 4)->isVisible());
        QCOMPARE(label(w, 4)->text(), qs(entry->columnHead));
    }
    QCOMPARE(switchLabel(w)->text(), QStringLiteral("印刷なし"));
}

void GuiTest::windowDesign_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QSize>("clientSize"); // twips
    QTest::addColumn<QStringList>("tabChain");

    QTest::newRow("ZOVAN2") << "SP" << QSize(3345, 3615)
                            << QStringList{"Text1",    "Text2",    "Text3",    "Text6",
                                           "Command1", "Command2", "Command3", "Text1"};
    QTest::newRow("ZOVAN3") << "FA" << QSize(3390, 6795)
                            << QStringList{"Text1",    "Text2",    "Text3", "Command1",
                                           "Command2", "Command3", "List1", "Text1"};
    QTest::newRow("ZOVAN4") << "KA3R" << QSize(3210, 3210)
                            << QStringList{"Text1",    "Text2",    "Text3", "Command1",
                                           "Command2", "Command3", "Text1"};
    QTest::newRow("ZOVAN5") << "KA3C" << QSize(3180, 4125)
                            << QStringList{"Text1",    "Text2",    "Text3",    "Text4", "Text5",
                                           "Command1", "Command2", "Command3", "Text1"};
}

void GuiTest::windowDesign() {
    QFETCH(QString, item);
    QFETCH(QSize, clientSize);
    QFETCH(QStringList, tabChain);

    ui::CalculatorWindow* w = p_->choose(item);
    QVERIFY(w != nullptr);
    QCOMPARE(w->size(), QSize(px(w, clientSize.width()), px(w, clientSize.height())));
    QCOMPARE(command(w, 1)->text(), QStringLiteral("計算"));
    QCOMPARE(command(w, 2)->text(), QStringLiteral("クリヤ"));
    QCOMPARE(command(w, 3)->text(), QStringLiteral("Menu"));
    QCOMPARE(command(w, 3)->font().pointSizeF(), 11.25);
    QCOMPARE(switchLabel(w)->font().pointSizeF(), 8.25);
    for (int k = 1; k <= inputCount(w); ++k)
        QCOMPARE(textBox(w, k)->size(), QSize(px(w, 972), px(w, 264)));

    // Tab walks the boxes and buttons in their designed order.
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QCOMPARE(QApplication::focusWidget(), textBox(w, 1));
    QStringList chain{QApplication::focusWidget()->objectName()};
    while (chain.size() < tabChain.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(chain, tabChain);

    // No button is the window's default: Return in a box computes nothing.
    const kinri::CatalogueEntry* entry = kinri::findEntry(item.toStdString());
    QStringList inputs;
    for (int k = 0; k < inputCount(w); ++k)
        inputs << QStringLiteral("1");
    typeInputs(w, inputs);
    textBox(w, 1)->setFocus();
    QTest::keyClick(textBox(w, 1), Qt::Key_Return);
    QTest::keyClick(textBox(w, 1), Qt::Key_Enter);
    QCOMPARE(p_->boxes.take(), QStringList{});
    QCOMPARE(shownResult(w).join(QString()), QString());
    QCOMPARE(p_->main.state().code(entry->family), entry->code);
    QVERIFY(w->isVisible());
}

void GuiTest::compoundTableEndToEnd() {
    ui::CalculatorWindow* w = p_->choose(QStringLiteral("FA"));
    QVERIFY(w != nullptr);
    QVERIFY(!p_->main.isVisible());
    QVERIFY(w->isVisible());
    QCOMPARE(w->objectName(), QStringLiteral("ZOVAN3"));
    QCOMPARE(w->windowTitle(), QStringLiteral("  複利の利息計算"));
    QCOMPARE(label(w, 1)->text(), QStringLiteral("元金"));
    QCOMPARE(label(w, 2)->text(), QStringLiteral("利率"));
    QCOMPARE(label(w, 3)->text(), QStringLiteral("期間"));
    QCOMPARE(label(w, 4)->text(), QStringLiteral("期間"));
    QCOMPARE(label(w, 5)->text(), QStringLiteral("複利の元利合計"));
    QVERIFY(label(w, 4)->isVisible());
    QVERIFY(label(w, 5)->isVisible());
    for (int k = 1; k <= 3; ++k)
        QVERIFY(textBox(w, k)->text().isEmpty());
    QCOMPARE(list(w)->count(), 0);
    QCOMPARE(p_->main.state().code(CalcFamily::Compound), 1);

    QTest::keyClicks(textBox(w, 1), QStringLiteral("1000"));
    QTest::keyClicks(textBox(w, 2), QStringLiteral("0.05"));
    QTest::keyClicks(textBox(w, 3), QStringLiteral("3"));
    QCOMPARE(p_->switchPrinting(w, Button::Yes), QStringList{kPrintQuestion});
    QCOMPARE(switchLabel(w)->text(), QStringLiteral("計算後印刷"));

    QTest::mouseClick(command(w, 1), Qt::LeftButton);
    QCOMPARE(p_->boxes.take(), QStringList{});
    QCOMPARE(listLines(w), (QStringList{"    1     1050.000", "    2     1102.500", "    3     1157.625"}));
    const QStringList expectedJob =
        jobLines(kinri::runCalculation("FA", {"1000", "0.05", "3"}, true).printJob);
    QCOMPARE(expectedJob.size(), 18);
    QCOMPARE(p_->printer.jobs.size(), 1);
    QCOMPARE(p_->printer.jobs.at(0), expectedJob);

    // Each calculation is a job of its own, and the table is rebuilt, not extended.
    QCOMPARE(p_->compute(w), QStringList{});
    QCOMPARE(list(w)->count(), 3);
    QCOMPARE(p_->printer.jobs.size(), 2);
    QCOMPARE(p_->printer.jobs.at(1), expectedJob);

    // The table's columns line up on screen: digits and spaces are equally wide.
    const QFontMetrics fm(list(w)->font());
    QCOMPARE(fm.horizontalAdvance(u' '), fm.horizontalAdvance(u'0'));
    QCOMPARE(list(w)->palette().color(QPalette::Text), QColor(Qt::red));

    QTest::mouseClick(command(w, 3), Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QVERIFY(p_->main.isVisible());
    QCOMPARE(codes(p_->main.state()), (QList<int>{0, 0, 0, 0, 0}));
    QVERIFY(!p_->main.state().printAfterCalc());
    QCOMPARE(switchLabel(w)->text(), QStringLiteral("印刷なし"));
    QCOMPARE(switchLabel(w)->pos(), px(w, QPoint(1390, 1845)));
}

void GuiTest::workedExamples_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("SP simple interest")
        << "SP" << QStringList{"1000000", "0.05", "3"} << QStringList{"150000.000"};
    QTest::newRow("SP zero shows 0") << "SP" << QStringList{"0", "0.05", "3"} << QStringList{"0"};
    QTest::newRow("SP inputs printed as typed")
        << "SP" << QStringList{" 1000000", "5E-2", "3"} << QStringList{"150000.000"};
    QTest::newRow("FR five decimals")
        << "FR" << QStringList{"1157.625", "1000", "3"} << QStringList{"0.05000"};
    QTest::newRow("NC annuity") << "NC" << QStringList{"100000", "0.05", "10"} << QStringList{"772173.493"};
    QTest::newRow("TA2 ZOVAN5") << "TA2" << QStringList{"10000", "0.01", "12", "0.02"}
                                << QStringList{"142830.932"};
    QTest::newRow("KA4C ZOVAN5") << "KA4C" << QStringList{"1000000", "0.01", "0.02", "12"}
                                 << QStringList{"79681.149"};
    QTest::newRow("SR3 ZOVAN5") << "SR3" << QStringList{"0.03", "0.04", "0.01", "1"}
                                << QStringList{"0.35897"};
    QTest::newRow("KA3R ZOVAN4") << "KA3R" << QStringList{"0.01", "12"} << QStringList{"0.00552"};
    QTest::newRow("SA table") << "SA" << QStringList{"1000", "0.05", "3"}
                              << QStringList{"    1     1050.000", "    2     1100.000",
                                             "    3     1150.000"};
    QTest::newRow("KA2A table counts down")
        << "KA2A" << QStringList{"88848.79", "0.01", "3"}
        << QStringList{"    3      261302.977", "    2      175067.217", "    1      87969.099"};
    QTest::newRow("KAA table, two-digit rows")
        << "KAA" << QStringList{"1200000", "12", "0.005"}
        << QStringList{"    1      106000.00000", "    2      105500.00000", "    3      105000.00000",
                       "    4      104500.00000", "    5      104000.00000", "    6      103500.00000",
                       "    7      103000.00000", "    8      102500.00000", "    9      102000.00000",
                       "   10      101500.00000", "   11      101000.00000", "   12      100500.00000"};
}

void GuiTest::workedExamples() {
    QFETCH(QString, item);
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, expected);
    const kinri::Outcome core = kinri::runCalculation(item.toStdString(), toStd(inputs), true);
    QCOMPARE(core.message, kinri::Message::None);

    ui::CalculatorWindow* w = p_->choose(item);
    QVERIFY(w != nullptr);
    QCOMPARE(inputCount(w), inputs.size());
    QCOMPARE(p_->switchPrinting(w, Button::Yes), QStringList{kPrintQuestion});
    typeInputs(w, inputs);
    QCOMPARE(p_->compute(w), QStringList{});

    QCOMPARE(shownResult(w), expectedResult(core));
    QCOMPARE(shownResult(w), expected);
    for (int k = 1; k <= inputs.size(); ++k)
        QCOMPARE(textBox(w, k)->text(), inputs.at(k - 1));
    QCOMPARE(p_->printer.jobs.size(), 1);
    QCOMPARE(p_->printer.jobs.at(0), jobLines(core.printJob));
    if (QLineEdit* result = resultBox(w)) QCOMPARE(result->palette().color(QPalette::Text), QColor(Qt::red));
}

void GuiTest::emptyInputStopsTheClick_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<int>("emptied");

    QTest::newRow("ZOVAN2 first box") << "SP" << QStringList{"1000000", "0.05", "3"} << 1;
    QTest::newRow("ZOVAN2 last box") << "KA2C" << QStringList{"1000000", "0.01", "12"} << 3;
    QTest::newRow("ZOVAN3 middle box") << "FA" << QStringList{"1000", "0.05", "3"} << 2;
    QTest::newRow("ZOVAN4 second box") << "KA3R" << QStringList{"0.01", "12"} << 2;
    QTest::newRow("ZOVAN5 fourth box") << "TA2" << QStringList{"10000", "0.01", "12", "0.02"} << 4;
}

void GuiTest::emptyInputStopsTheClick() {
    QFETCH(QString, item);
    QFETCH(QStringList, inputs);
    QFETCH(int, emptied);

    ui::CalculatorWindow* w = p_->choose(item);
    QVERIFY(w != nullptr);
    QCOMPARE(p_->switchPrinting(w, Button::Yes), QStringList{kPrintQuestion});
    typeInputs(w, inputs);
    QCOMPARE(p_->compute(w), QStringList{});
    const QStringList first = shownResult(w);
    QVERIFY(!first.isEmpty());
    QCOMPARE(p_->printer.jobs.size(), 1);

    textBox(w, emptied)->clear();
    QCOMPARE(p_->compute(w), QStringList{kInputRequired});
    if (resultBox(w) != nullptr) {
        QCOMPARE(shownResult(w), first);
    } else {
        QCOMPARE(list(w)->count(), 0); // the table goes before the boxes are looked at
    }
    QCOMPARE(p_->printer.jobs.size(), 1);
    QVERIFY(p_->main.state().printAfterCalc());
}

void GuiTest::calculationError_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("bad");

    QTest::newRow("letters, ZOVAN2") << "SP" << QStringList{"1000000", "0.05", "3"} << 1 << "abc";
    QTest::newRow("spaces are not empty") << "SP" << QStringList{"1000000", "0.05", "3"} << 2 << "   ";
    QTest::newRow("division by zero") << "SR" << QStringList{"1100", "1000", "1"} << 3 << "0";
    QTest::newRow("logarithm of a negative number")
        << "FN" << QStringList{"1157.625", "1000", "0.05"} << 3 << "-2";
    QTest::newRow("kanji numerals, ZOVAN4") << "KA3R" << QStringList{"0.01", "12"} << 2 << "十二";
    QTest::newRow("letters, ZOVAN5") << "TA2" << QStringList{"10000", "0.01", "12", "0.02"} << 4 << "x";
    QTest::newRow("letters, ZOVAN3") << "FA" << QStringList{"1000", "0.05", "3"} << 1 << "abc";
    QTest::newRow("letters in the rate, ZOVAN3")
        << "KAA" << QStringList{"1200000", "12", "0.005"} << 3 << "率";
}

void GuiTest::calculationError() {
    QFETCH(QString, item);
    QFETCH(QStringList, inputs);
    QFETCH(int, box);
    QFETCH(QString, bad);
    QStringList badInputs = inputs;
    badInputs[box - 1] = bad;
    const kinri::Outcome core = kinri::runCalculation(item.toStdString(), toStd(badInputs), true);
    QCOMPARE(core.message, kinri::Message::CalculationError);

    ui::CalculatorWindow* w = p_->choose(item);
    QVERIFY(w != nullptr);
    QCOMPARE(p_->switchPrinting(w, Button::Yes), QStringList{kPrintQuestion});
    typeInputs(w, inputs);
    QCOMPARE(p_->compute(w), QStringList{});
    const QStringList before = shownResult(w);
    const auto jobs = p_->printer.jobs.size();

    textBox(w, box)->setText(bad);
    QCOMPARE(p_->compute(w), QStringList{kCalculationError});
    if (resultBox(w) != nullptr) {
        QCOMPARE(shownResult(w), before);
    } else {
        QCOMPARE(listLines(w), toQt(core.listLines));
    }
    QCOMPARE(textBox(w, box)->text(), bad);
    QCOMPARE(p_->printer.jobs.size(), jobs);
}

void GuiTest::resultBoxAcceptsTyping_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("inputs");
    QTest::newRow("ZOVAN2") << "SC" << QStringList{"1000", "0.05", "1"};
    QTest::newRow("ZOVAN4") << "KA3R" << QStringList{"0.01", "12"};
    QTest::newRow("ZOVAN5") << "TA2" << QStringList{"10000", "0.01", "12", "0.02"};
}

void GuiTest::resultBoxAcceptsTyping() {
    QFETCH(QString, item);
    QFETCH(QStringList, inputs);
    const kinri::Outcome core = kinri::runCalculation(item.toStdString(), toStd(inputs), true);

    ui::CalculatorWindow* w = p_->choose(item);
    QVERIFY(w != nullptr);
    QLineEdit* result = resultBox(w);
    QCOMPARE(p_->switchPrinting(w, Button::Yes), QStringList{kPrintQuestion});
    typeInputs(w, inputs);
    QCOMPARE(p_->compute(w), QStringList{});

    // The user selects the shown result and types over it.
    result->setFocus();
    result->selectAll();
    QTest::keyClicks(result, QStringLiteral("123.4"));
    QCOMPARE(result->text(), QStringLiteral("123.4"));
    const QString typed = result->text();

    // A failed calculation leaves the typed text; a successful one overwrites it before printing.
    textBox(w, 1)->setText(QStringLiteral("x"));
    QCOMPARE(p_->compute(w), QStringList{kCalculationError});
    QCOMPARE(result->text(), typed);
    typeInputs(w, inputs);
    QCOMPARE(p_->compute(w), QStringList{});
    QCOMPARE(result->text(), QString::fromStdString(*core.resultText));
    QCOMPARE(p_->printer.jobs.size(), 2);
    QCOMPARE(p_->printer.jobs.last(), jobLines(core.printJob));
}

void GuiTest::tableRowLimit_data() {
    QTest::addColumn<QString>("rows");
    QTest::addColumn<bool>("fails");
    QTest::newRow("10000 rows fit") << "10000" << false;
    QTest::newRow("10001 rows are one too many") << "10001" << true;
}

void GuiTest::tableRowLimit() {
    QFETCH(QString, rows);
    QFETCH(bool, fails);
    const int n = rows.toInt();

    ui::CalculatorWindow* w = p_->choose(QStringLiteral("FA"));
    QVERIFY(w != nullptr);
    QCOMPARE(p_->switchPrinting(w, Button::Yes), QStringList{kPrintQuestion});
    typeInputs(w, {"1", "0", rows});
    QCOMPARE(p_->compute(w), fails ? QStringList{kCalculationError} : QStringList{});

    const QStringList lines = listLines(w);
    QCOMPARE(lines.size(), n);
    QCOMPARE(lines.at(8), QStringLiteral("    9     1.000"));
    QCOMPARE(lines.at(9), QStringLiteral("   10     1.000"));
    QCOMPARE(lines.at(999), QStringLiteral("  1000     1.000"));
    QCOMPARE(lines.last(), QStringLiteral("  %1     1.000").arg(n));
    if (fails) {
        QVERIFY(p_->printer.jobs.isEmpty());
    } else {
        QCOMPARE(p_->printer.jobs.size(), 1);
        QCOMPARE(p_->printer.jobs.at(0).size(), n + 15); // 12 lines of frame, 3 inputs, the rows
        QCOMPARE(p_->printer.jobs.at(0).last(), QStringLiteral("34|  %1     1.000").arg(n));
    }
}

void GuiTest::printerFailure_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<int>("failAfterLines"); // -1: the printer reports failure instead

    QTest::newRow("ZOVAN2 printer reports failure") << "SP" << QStringList{"1000000", "0.05", "3"} << -1;
    QTest::newRow("ZOVAN2 printer stops part-way") << "SP" << QStringList{"1000000", "0.05", "3"} << 9;
    QTest::newRow("ZOVAN3 printer reports failure") << "FA" << QStringList{"1000", "0.05", "3"} << -1;
    QTest::newRow("ZOVAN3 printer stops on the first line") << "FA" << QStringList{"1000", "0.05", "3"} << 0;
    QTest::newRow("ZOVAN4 printer stops part-way") << "KA3R" << QStringList{"0.01", "12"} << 13;
    QTest::newRow("ZOVAN5 printer reports failure")
        << "TA2" << QStringList{"10000", "0.01", "12", "0.02"} << -1;
}

void GuiTest::printerFailure() {
    QFETCH(QString, item);
    QFETCH(QStringList, inputs);
    QFETCH(int, failAfterLines);
    const kinri::Outcome core = kinri::runCalculation(item.toStdString(), toStd(inputs), true);

    ui::CalculatorWindow* w = p_->choose(item);
    QVERIFY(w != nullptr);
    QCOMPARE(p_->switchPrinting(w, Button::Yes), QStringList{kPrintQuestion});
    const QList<int> codesBefore = codes(p_->main.state());
    p_->printer.accepts = failAfterLines >= 0;
    p_->printer.failAfterLines = failAfterLines;
    typeInputs(w, inputs);
    QCOMPARE(p_->compute(w), QStringList{kCalculationError});
    QCOMPARE(shownResult(w), expectedResult(core));
    QCOMPARE(p_->printer.jobs.size(), 1);
    QCOMPARE(codes(p_->main.state()), codesBefore);
    QVERIFY(p_->main.state().printAfterCalc());
    QCOMPARE(switchLabel(w)->text(), QStringLiteral("計算後印刷"));

    // Once the printer works again, so does printing.
    p_->printer.accepts = true;
    p_->printer.failAfterLines = -1;
    QCOMPARE(p_->compute(w), QStringList{});
    QCOMPARE(p_->printer.jobs.size(), 2);
    QCOMPARE(p_->printer.jobs.at(1), jobLines(core.printJob));
}

void GuiTest::clearEmptiesTheBoxes_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("inputs");
    QTest::newRow("ZOVAN2") << "SP" << QStringList{"1000000", "0.05", "3"};
    QTest::newRow("ZOVAN3") << "KA2A" << QStringList{"88848.79", "0.01", "3"};
    QTest::newRow("ZOVAN4") << "KA3R" << QStringList{"0.01", "12"};
    QTest::newRow("ZOVAN5") << "NN2" << QStringList{"10000000", "600000", "0.01", "0.03"};
}

void GuiTest::clearEmptiesTheBoxes() {
    QFETCH(QString, item);
    QFETCH(QStringList, inputs);

    ui::CalculatorWindow* w = p_->choose(item);
    QVERIFY(w != nullptr);
    QCOMPARE(p_->switchPrinting(w, Button::Yes), QStringList{kPrintQuestion});
    typeInputs(w, inputs);
    QCOMPARE(p_->compute(w), QStringList{});
    QVERIFY(!shownResult(w).join(QString()).isEmpty());

    QStringList captions;
    for (const ui::CaptionLabel* l : w->findChildren<ui::CaptionLabel*>())
        captions << l->text();
    const QPoint switchPos = switchLabel(w)->pos();
    const QList<int> codesBefore = codes(p_->main.state());

    command(w, 2)->click();
    QCOMPARE(p_->boxes.take(), QStringList{});
    for (const QLineEdit* box : w->findChildren<QLineEdit*>())
        QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
    if (const QListWidget* l = list(w)) QCOMPARE(l->count(), 0);
    QStringList after;
    for (const ui::CaptionLabel* l : w->findChildren<ui::CaptionLabel*>())
        after << l->text();
    QCOMPARE(after, captions);
    QCOMPARE(switchLabel(w)->pos(), switchPos);
    QVERIFY(p_->main.state().printAfterCalc());
    QCOMPARE(codes(p_->main.state()), codesBefore);
    QVERIFY(w->isVisible());
    QCOMPARE(p_->printer.jobs.size(), 1);
}

void GuiTest::printSwitch_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QPoint>("designed");
    QTest::addColumn<QPoint>("off");
    QTest::addColumn<QPoint>("on");

    QTest::newRow("ZOVAN2") << "SP" << QStringList{"1000000", "0.05", "3"} << QPoint(1365, 2055)
                            << QPoint(1365, 2055) << QPoint(1365, 2000);
    QTest::newRow("ZOVAN3") << "FA" << QStringList{"1000", "0.05", "3"} << QPoint(1395, 1845)
                            << QPoint(1390, 1845) << QPoint(1380, 1790);
    QTest::newRow("ZOVAN4") << "KA3R" << QStringList{"0.01", "12"} << QPoint(1320, 1635) << QPoint(1320, 1650)
                            << QPoint(1320, 1620);
    QTest::newRow("ZOVAN5") << "KA3C" << QStringList{"1000000", "0.05", "1", "12"} << QPoint(1290, 2580)
                            << QPoint(1290, 2580) << QPoint(1290, 2500);
}

void GuiTest::printSwitch() {
    QFETCH(QString, item);
    QFETCH(QStringList, inputs);
    QFETCH(QPoint, designed);
    QFETCH(QPoint, off);
    QFETCH(QPoint, on);

    ui::CalculatorWindow* w = p_->choose(item);
    QVERIFY(w != nullptr);
    ui::CaptionLabel* s = switchLabel(w);
    const QSize size(px(w, 630), px(w, 300));
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    const QColor lightGreen(192, 255, 192);
    const auto background = [s] { return s->palette().color(s->backgroundRole()); };

    // Until the first answer the switch sits where the window's design puts it.
    QCOMPARE(s->text(), QStringLiteral("印刷なし"));
    QCOMPARE(s->size(), size);
    QCOMPARE(s->pos(), px(w, designed));

    // Only the left button asks.
    QTest::mouseClick(s, Qt::RightButton);
    QCOMPARE(p_->boxes.take(), QStringList{});

    for (int round = 0; round < 2; ++round) { // Yes while printing is on keeps it on
        QCOMPARE(p_->switchPrinting(w, Button::Yes), QStringList{kPrintQuestion});
        QVERIFY(p_->main.state().printAfterCalc());
        QCOMPARE(s->text(), QStringLiteral("計算後印刷"));
        QCOMPARE(s->geometry(), QRect(px(w, on), size));
        QVERIFY(s->autoFillBackground());
        QCOMPARE(background(), lightGreen);
    }
    QCOMPARE(p_->switchPrinting(w, Button::No), QStringList{kPrintQuestion});
    QVERIFY(!p_->main.state().printAfterCalc());
    QCOMPARE(s->text(), QStringLiteral("印刷なし"));
    QCOMPARE(s->geometry(), QRect(px(w, off), size));
    QCOMPARE(background(), buttonFace);

    // No while printing is off keeps it off.
    QCOMPARE(p_->switchPrinting(w, Button::No), QStringList{kPrintQuestion});
    QVERIFY(!p_->main.state().printAfterCalc());
    QCOMPARE(s->geometry(), QRect(px(w, off), size));

    // Menu switches printing off; the next calculation prints nothing.
    QCOMPARE(p_->switchPrinting(w, Button::Yes), QStringList{kPrintQuestion});
    command(w, 3)->click();
    QVERIFY(!p_->main.state().printAfterCalc());
    QCOMPARE(p_->choose(item), w);
    QCOMPARE(s->text(), QStringLiteral("印刷なし"));
    QCOMPARE(s->geometry(), QRect(px(w, off), size));
    QCOMPARE(background(), buttonFace);
    typeInputs(w, inputs);
    QCOMPARE(p_->compute(w), QStringList{});
    QVERIFY(p_->printer.jobs.isEmpty());
}

void GuiTest::windowReuse_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("ZOVAN2") << "SP"
                            << "KA2C";
    QTest::newRow("ZOVAN3") << "FA"
                            << "KAA";
    QTest::newRow("ZOVAN4") << "KA3R"
                            << "KA3R";
    QTest::newRow("ZOVAN5") << "SR3"
                            << "NN2";
}

void GuiTest::windowReuse() {
    QFETCH(QString, first);
    QFETCH(QString, second);

    ui::CalculatorWindow* w = p_->choose(first);
    QVERIFY(w != nullptr);
    QVERIFY(w->isVisible());
    QVERIFY(placedOnScreen(w));
    const QPoint moved = w->frameGeometry().topLeft() + QPoint(37, 23);
    w->move(moved);
    for (QLineEdit* box : w->findChildren<QLineEdit*>())
        box->setText(QStringLiteral("123"));
    const QPoint menuPos = p_->main.frameGeometry().topLeft();

    command(w, 3)->click();
    QVERIFY(!w->isVisible());
    QVERIFY(p_->main.isVisible());
    QCOMPARE(p_->main.frameGeometry().topLeft(), menuPos);
    for (const QLineEdit* box : w->findChildren<QLineEdit*>())
        QCOMPARE(box->text(), QStringLiteral("123"));

    QCOMPARE(p_->choose(second), w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->frameGeometry().topLeft(), moved);
    const kinri::CatalogueEntry* entry = kinri::findEntry(second.toStdString());
    for (int k = 1; k <= inputCount(w); ++k)
        QCOMPARE(label(w, k)->text(), qs(entry->labels.at(static_cast<std::size_t>(k - 1))));
    QCOMPARE(resultLabel(w)->text(), qs(entry->resultCaption));
    for (const QLineEdit* box : w->findChildren<QLineEdit*>())
        QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
}

void GuiTest::simpleThenCompoundRunsTheCompoundTable() {
    ui::CalculatorWindow* w = p_->choose(QStringLiteral("SA"));
    QVERIFY(w != nullptr);
    command(w, 3)->click();
    QCOMPARE(p_->choose(QStringLiteral("FA")), w);
    QCOMPARE(codes(p_->main.state()), (QList<int>{0, 1, 0, 0, 0}));
    typeInputs(w, {"1000", "0.05", "3"});
    QCOMPARE(p_->compute(w), QStringList{});
    QCOMPARE(listLines(w), (QStringList{"    1     1050.000", "    2     1102.500", "    3     1157.625"}));
}

void GuiTest::labelLayoutAcrossEntries_data() {
    QTest::addColumn<QString>("before"); // an entry of the same window chosen first, or none
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("labelNumber");
    QTest::addColumn<int>("top");    // twips; -1: not checked
    QTest::addColumn<int>("height"); // twips; -1: not checked
    QTest::addColumn<double>("fontSize");

    QTest::newRow("TA first: designed top") << ""
                                            << "TA" << 6 << 2625 << 960 << 9.0;
    QTest::newRow("TA after FR keeps 2641") << "FR"
                                            << "TA" << 6 << 2641 << 960 << 9.0;
    QTest::newRow("TA after TC keeps 2625") << "TC"
                                            << "TA" << 6 << 2625 << 960 << 9.0;
    QTest::newRow("NA lowers the result label") << ""
                                                << "NA" << 6 << 2641 << 960 << 9.0;
    QTest::newRow("SP after NA raises it again") << "NA"
                                                 << "SP" << 6 << 2625 << 960 << 9.0;
    QTest::newRow("TA3 result label") << ""
                                      << "TA3" << 5 << 3105 << 975 << 8.0;
    QTest::newRow("TA2 after TA3") << "TA3"
                                   << "TA2" << 5 << 3135 << 945 << 8.5;
    QTest::newRow("NC2 after TA3") << "TA3"
                                   << "NC2" << 5 << 3135 << 945 << 9.0;
    QTest::newRow("SR3 result label") << ""
                                      << "SR3" << 5 << 3135 << 945 << 8.5;
    QTest::newRow("KA3R Label1 raised") << ""
                                        << "KA3R" << 1 << 320 << 585 << 8.7;
    QTest::newRow("KA3R Label2") << ""
                                 << "KA3R" << 2 << 1020 << 495 << 8.7;
    QTest::newRow("KA3R result label") << ""
                                       << "KA3R" << 3 << 2295 << 870 << 8.7;
    QTest::newRow("KAA right column head") << ""
                                           << "KAA" << 5 << 2310 << 570 << 8.0;
    QTest::newRow("KAA left column head") << ""
                                          << "KAA" << 4 << 2505 << 255 << 8.0;
    QTest::newRow("SA after KAA right head") << "KAA"
                                             << "SA" << 5 << 2503 << 570 << 9.0;
    QTest::newRow("SA after KAA left head") << "KAA"
                                            << "SA" << 4 << 2505 << 255 << 9.0;
    QTest::newRow("KA2A after FA left head") << "FA"
                                             << "KA2A" << 4 << -1 << -1 << 8.0;
}

void GuiTest::labelLayoutAcrossEntries() {
    QFETCH(QString, before);
    QFETCH(QString, item);
    QFETCH(int, labelNumber);
    QFETCH(int, top);
    QFETCH(int, height);
    QFETCH(double, fontSize);

    if (!before.isEmpty()) {
        ui::CalculatorWindow* first = p_->choose(before);
        QVERIFY(first != nullptr);
        command(first, 3)->click();
    }
    ui::CalculatorWindow* w = p_->choose(item);
    QVERIFY(w != nullptr);
    const ui::CaptionLabel* l = label(w, labelNumber);
    QVERIFY(l != nullptr);
    if (top >= 0) QCOMPARE(l->y(), px(w, top));
    if (height >= 0) QCOMPARE(l->height(), px(w, height));
    QCOMPARE(l->font().pointSizeF(), fontSize);
}

void GuiTest::closingAnyWindowEndsTheProgram_data() {
    QTest::addColumn<QString>("item"); // empty: the main window itself
    QTest::newRow("ZOVAN1") << "";
    QTest::newRow("ZOVAN2") << "SP";
    QTest::newRow("ZOVAN3") << "FA";
    QTest::newRow("ZOVAN4") << "KA3R";
    QTest::newRow("ZOVAN5") << "TA2";
}

void GuiTest::closingAnyWindowEndsTheProgram() {
    QFETCH(QString, item);
    if (item.isEmpty()) {
        QVERIFY(p_->main.close());
        QCOMPARE(p_->ends.count(), 1);
        QVERIFY(p_->boxes.take().isEmpty());
        return;
    }
    ui::CalculatorWindow* w = p_->choose(item);
    QVERIFY(w != nullptr);
    QCOMPARE(p_->ends.count(), 0);
    QVERIFY(w->close());
    QCOMPARE(p_->ends.count(), 1);
    QVERIFY(!p_->main.isVisible()); // no way back to the menu
    QVERIFY(p_->boxes.take().isEmpty());
}

void GuiTest::helpEntry() {
    QAction* help = p_->action(QStringLiteral("HE01"));
    QVERIFY(help != nullptr);
    QCOMPARE(p_->main.helpHolder(), nullptr);
    help->trigger();
    QCOMPARE(p_->help.asked, QStringList{"MEPTAL.hlp"});
    QPointer<QWidget> holder = p_->main.helpHolder();
    QVERIFY(holder != nullptr);
    QCOMPARE(holder->objectName(), QStringLiteral("HELPFRM"));
    QVERIFY(!holder->isVisible());

    help->trigger();
    QCOMPARE(p_->help.asked, (QStringList{"MEPTAL.hlp", "MEPTAL.hlp"}));
    QCOMPARE(p_->main.helpHolder(), holder.data());
    QVERIFY(!holder->isVisible());
    QVERIFY(p_->main.isVisible());
    QCOMPARE(codes(p_->main.state()), (QList<int>{0, 0, 0, 0, 0}));
    QCOMPARE(p_->ends.count(), 0);

    // The holder is a window of the program like any other: closing it ends the program.
    holder->close();
    QCOMPARE(p_->ends.count(), 1);
}

void GuiTest::versionBox() {
    const QPoint pos = p_->main.frameGeometry().topLeft();
    p_->action(QStringLiteral("VER"))->trigger();
    const QStringList seen = p_->boxes.take();
    QCOMPARE(seen.size(), 1);
    // "[title] [line\nline\nline] icon buttons"
    static const QRegularExpression re(QStringLiteral(R"(^\[(.*)\] \[(.*)\] (no icon) (OK)$)"));
    const QRegularExpressionMatch m = re.match(seen.front());
    QVERIFY2(m.hasMatch(), qPrintable(seen.front()));
    QCOMPARE(m.captured(1), QStringLiteral("    バージョン情報"));
    const QStringList lines = m.captured(2).split(QStringLiteral("\\n"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(1), QStringLiteral("          Ver1.20"));
    QVERIFY(!lines.at(0).trimmed().isEmpty());
    QVERIFY(!lines.at(2).trimmed().isEmpty());

    QVERIFY(p_->main.isVisible());
    QCOMPARE(p_->main.frameGeometry().topLeft(), pos);
    QVERIFY(p_->visibleCalculators().isEmpty());
    QCOMPARE(codes(p_->main.state()), (QList<int>{0, 0, 0, 0, 0}));
    QVERIFY(!p_->main.state().printAfterCalc());
    // The menu still works afterwards.
    QVERIFY(p_->choose(QStringLiteral("SP")) != nullptr);
    QCOMPARE(p_->main.state().code(CalcFamily::Simple), 1);
}

void GuiTest::builtInHelpViewer() {
    RecordingPrinter printer;
    ui::BuiltInHelpViewer viewer;
    ui::MainWindow main(printer, viewer);
    QSignalSpy ends(&main, &ui::MainWindow::programEndRequested);
    main.show();
    QCOMPARE(viewer.window(), nullptr);

    main.findChild<QAction*>(QStringLiteral("HE01"))->trigger();
    ui::HelpWindow* help = viewer.window();
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    QTextBrowser* browser = help->browser();
    const QUrl contents(QStringLiteral("qrc:/help/index.html"));
    QCOMPARE(browser->source(), contents);
    const QString index = browser->toPlainText();
    for (const char* family :
         {"単利の利息計算", "複利の利息計算", "積立金の利息計算", "年金の計算", "割賦返済の計算"})
        QVERIFY2(index.contains(QString::fromUtf8(family)), family);

    // Follow a link to a calculation's page, then back to the contents.
    browser->setSource(QUrl(QStringLiteral("FA.html")));
    QVERIFY2(browser->source().toString().endsWith(QStringLiteral("FA.html")),
             qPrintable(browser->source().toString()));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("複利の元利合計")));
    QVERIFY(browser->isBackwardAvailable());
    QToolButton* back = help->findChild<QToolButton*>(QStringLiteral("HelpBack"));
    QVERIFY(back != nullptr);
    QVERIFY(back->isEnabled());
    back->click();
    QCOMPARE(browser->source(), contents);

    // Asking again opens the same window at its contents.
    browser->setSource(QUrl(QStringLiteral("SP.html")));
    main.findChild<QAction*>(QStringLiteral("HE01"))->trigger();
    QCOMPARE(viewer.window(), help);
    QCOMPARE(browser->source(), contents);
    QVERIFY(help->isVisible());

    // Closing the help leaves the program running.
    QVERIFY(help->close());
    QCOMPARE(ends.count(), 0);
    QVERIFY(main.isVisible());
    QVERIFY(main.helpHolder() != nullptr && !main.helpHolder()->isVisible());
}

void GuiTest::printedPageLayout() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("fa.pdf"));
    const kinri::Outcome fa = kinri::runCalculation("FA", {"1000", "0.05", "3"}, true);
    ui::SystemLinePrinter printer(pdf);
    QVERIFY(printer.printJob(fa.printJob));
    QVERIFY(QFile::exists(pdf));

    const QString text = pdfText(pdf);
    for (const char* expected : {"☆☆複利の利息計算☆☆", "元金=1000", "利率=0.05", "期間=3", "複利の元利合計",
                                 "1050.000", "1102.500", "1157.625"})
        QVERIFY2(text.contains(QString::fromUtf8(expected)),
                 qPrintable(QString::fromUtf8(expected) + u'\n' + text));
    QVERIFY(text.indexOf(QStringLiteral("☆☆")) < text.indexOf(QStringLiteral("元金=1000")));
    QVERIFY(text.indexOf(QStringLiteral("1050.000")) < text.indexOf(QStringLiteral("1102.500")));
    QVERIFY(text.indexOf(QStringLiteral("1102.500")) < text.indexOf(QStringLiteral("1157.625")));

    const QList<PdfWord> words = pdfWords(pdf);
    const auto find = [&words](const QString& t, double y = -1) -> const PdfWord* {
        for (const PdfWord& w : words)
            if (w.text == t && (y < 0 || std::abs(w.yMin - y) < 1.0)) return &w;
        return nullptr;
    };
    const PdfWord* header = find(QStringLiteral("☆☆複利の利息計算☆☆"));
    const PdfWord* principal = find(QStringLiteral("元金=1000"));
    const PdfWord* v1 = find(QStringLiteral("1050.000"));
    const PdfWord* v2 = find(QStringLiteral("1102.500"));
    const PdfWord* v3 = find(QStringLiteral("1157.625"));
    QVERIFY(header && principal && v1 && v2 && v3);
    const PdfWord* row1 = find(QStringLiteral("1"), v1->yMin);
    QVERIFY(row1 != nullptr);

    // The rows line up, and every text line starts at the same column.
    QVERIFY(std::abs(v2->xMin - v1->xMin) < 0.1 && std::abs(v3->xMin - v1->xMin) < 0.1);
    QVERIFY(std::abs(principal->xMin - header->xMin) < 0.1);

    // Row "     1     1050.000" at column 34: the number at column 39, the value at column 45.
    const double halfWidth = (v1->xMin - row1->xMin) / 6.0;
    QVERIFY2(halfWidth > 1.0, qPrintable(QString::number(halfWidth)));
    QVERIFY2(std::abs((row1->xMin - header->xMin) - 5 * halfWidth) < 0.5 * halfWidth,
             qPrintable(QStringLiteral("row number at %1, header at %2, half-width %3")
                            .arg(row1->xMin)
                            .arg(header->xMin)
                            .arg(halfWidth)));
    // Column 34 is 33 half-widths from the printable area's left edge, not 33 full widths.
    QPrinter defaults(QPrinter::HighResolution);
    defaults.setOutputFormat(QPrinter::PdfFormat);
    const double leftEdge = defaults.pageLayout().paintRect(QPageLayout::Point).left();
    const double columns = (header->xMin - leftEdge) / halfWidth;
    QVERIFY2(std::abs(columns - 33.0) <= 1.5,
             qPrintable(QStringLiteral("header %1 half-widths from the left edge").arg(columns)));
}

void GuiTest::longPrintoutContinuesOnTheNextPage() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("long.pdf"));
    const kinri::Outcome fa = kinri::runCalculation("FA", {"1", "0", "150"}, true);
    QVERIFY(ui::SystemLinePrinter(pdf).printJob(fa.printJob));

    const QString text = pdfText(pdf);
    const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 2, qPrintable(QString::number(pages.size())));
    static const QRegularExpression row(QStringLiteral(R"(^\s*(\d+)\s+1\.000\s*$)"));
    QList<int> numbers;
    for (const QString& line : text.split(u'\n'))
        if (const auto m = row.match(QString(line).remove(u'\f')); m.hasMatch())
            numbers.append(m.captured(1).toInt());
    QList<int> all;
    for (int i = 1; i <= 150; ++i)
        all.append(i);
    QCOMPARE(numbers, all);
}

void GuiTest::noPrinterInstalled() {
    if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("this machine has a printer");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    struct Restore {
        QString path;
        ~Restore() { QDir::setCurrent(path); }
    } restore{previous};

    ui::SystemLinePrinter printer;
    const kinri::Outcome sp = kinri::runCalculation("SP", {"1000000", "0.05", "3"}, true);
    QVERIFY(!printer.printJob(sp.printJob));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{});

    // Through the window: the result is shown and the user is told that printing failed.
    MessageBoxes& boxes = p_->boxes;
    RecordingHelpViewer help;
    ui::MainWindow main(printer, help);
    main.show();
    main.findChild<QAction*>(QStringLiteral("SP"))->trigger();
    QWidget* w = main.calculatorWindow(WindowId::Zovan2);
    QVERIFY(w != nullptr);
    boxes.answer(Button::Yes);
    QTest::mouseClick(switchLabel(w), Qt::LeftButton);
    typeInputs(w, {"1000000", "0.05", "3"});
    command(w, 1)->click();
    QCOMPARE(boxes.take(), (QStringList{kPrintQuestion, kCalculationError}));
    QCOMPARE(textBox(w, 6)->text(), QStringLiteral("150000.000"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{});
}

QTEST_MAIN(GuiTest)
#include "gui_test.moc"
