// Cost of the real windows: the largest table (FA, 10000 rows) from the compute click until List1
// holds every row, one single-value click, opening a calculator window from the menu, building
// the main window, 計算記録 (adding to it, opening its window, a PDF of a 10000-row table), and the
// schedule of 10000 payments (its window, its chart, its CSV), and 返済プラン (its window, an edit
// with ten events). Runs on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "compute/flow.h"
#include "schedule/schedule.h"
#include "support/worked_examples.h"
#include "ui/calculator/calculator_window.h"
#include "ui/common/fonts.h"
#include "ui/controls/table_list.h"
#include "ui/help/help_window.h"
#include "ui/main_window.h"
#include "ui/paper/paper_service.h"
#include "ui/paper/print_layout.h"
#include "ui/paper/print_service.h"
#include "ui/paper/whole_file.h"
#include "ui/plan/plan_events.h"
#include "ui/plan/plan_window.h"
#include "ui/record/record_model.h"
#include "ui/record/record_window.h"
#include "ui/schedule/schedule_chart.h"
#include "ui/schedule/schedule_model.h"
#include "ui/schedule/schedule_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

struct NullPrinter : kinri::ui::LinePrinter {
    bool printJob(const std::vector<kinri::PrintLine>&) override { return true; }
};

// A message box would wait for a user; the guard closes it and the benchmark reports an error.
int gModalsClosed = 0;

void startModalGuard(QApplication& app) {
    auto* timer = new QTimer(&app);
    QObject::connect(timer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ++gModalsClosed;
            modal->close();
        }
    });
    timer->start(200);
}

// The real program's windows: Japanese defaults are applied once in main().
struct Program {
    NullPrinter printer;
    kinri::ui::BuiltInHelpViewer help;
    kinri::ui::MainWindow main{printer, help};

    Program() {
        main.show();
        QApplication::processEvents();
    }

    QWidget* open(const char* item, kinri::WindowId id) {
        main.findChild<QAction*>(QString::fromLatin1(item))->trigger();
        QApplication::processEvents();
        return main.calculatorWindow(id);
    }
};

// Paper and files for a record or schedule window opened on its own.
struct Paper {
    NullPrinter printer;
    kinri::ui::PrintService printing{printer};
    kinri::AppState state;
    kinri::ui::PaperService paper{printing, state};
};

void setInputs(QWidget* w, const QStringList& inputs) {
    for (int k = 0; k < inputs.size(); ++k)
        w->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(k + 1))->setText(inputs[k]);
}

QPushButton* button(QWidget* w, const char* name) {
    return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

// FA, 1000 / 0.0001 / 10000: the click, and optionally the events that lay out and paint the list;
// each click adds its table to the record, which is kept empty before each, or full to its bound
// (the oldest entry goes with each click).
enum class Record { Empty, Full };
void faTable(benchmark::State& state, bool paint, Record record) {
    Program p;
    QWidget* w = p.open("FA", kinri::WindowId::Zovan3);
    setInputs(w, {QStringLiteral("1000"), QStringLiteral("0.0001"), QStringLiteral("10000")});
    QPushButton* compute = button(w, "Command1");
    auto* list = w->findChild<kinri::ui::TableList*>(QStringLiteral("List1"));
    // Each click must empty List1 and insert the whole table again.
    long long inserted = 0;
    QObject::connect(list->model(), &QAbstractItemModel::rowsInserted,
                     [&inserted](const QModelIndex&, int first, int last) { inserted += last - first + 1; });
    const int modalsBefore = gModalsClosed;
    if (record == Record::Full) {
        while (p.main.record().record().dropped() == 0)
            compute->click();
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (record == Record::Empty) p.main.record().clear();
        QApplication::processEvents(); // what the last click left for later
        state.ResumeTiming();
        inserted = 0;
        compute->click();
        if (paint) QApplication::processEvents();
        if (list->count() != 10000 || inserted != 10000 || gModalsClosed != modalsBefore) {
            state.SkipWithError("List1 was not filled with the 10000 rows");
            break;
        }
    }
    state.counters["rows"] = list->count();
}

// SP in ZOVAN2, 1000000 / 0.05 / 3 or 4: the period is edited before each click so that every
// click writes a new result (the result box refits its text only when the text changes).
void singleValue(benchmark::State& state) {
    Program p;
    QWidget* w = p.open("SP", kinri::WindowId::Zovan2);
    setInputs(w, {QStringLiteral("1000000"), QStringLiteral("0.05"), QStringLiteral("3")});
    auto* period = w->findChild<QLineEdit*>(QStringLiteral("Text3"));
    QPushButton* compute = button(w, "Command1");
    auto* result = w->findChild<QLineEdit*>(QStringLiteral("Text6"));
    const QString periods[2] = {QStringLiteral("3"), QStringLiteral("4")};
    const int modalsBefore = gModalsClosed;
    QString previous;
    int k = 0;
    for (auto _ : state) {
        period->setText(periods[k]);
        k = 1 - k;
        compute->click();
        if (result->text().isEmpty() || result->text() == previous || gModalsClosed != modalsBefore) {
            state.SkipWithError("no new result in Text6");
            break;
        }
        previous = result->text();
    }
}

// A menu entry opens its (already built) calculator window, then its Menu button returns.
void openFromMenu(benchmark::State& state, const char* item, kinri::WindowId id) {
    Program p;
    QWidget* w = p.open(item, id);
    QPushButton* menu = button(w, "Command3");
    menu->click();
    QApplication::processEvents();
    auto* action = p.main.findChild<QAction*>(QString::fromLatin1(item));
    for (auto _ : state) {
        action->trigger();
        QApplication::processEvents();
        if (!w->isVisible()) {
            state.SkipWithError("the calculator window did not open");
            break;
        }
        menu->click();
        QApplication::processEvents();
    }
}

// The first time a menu entry needs its window: the window is built, placed, shown and dressed.
void firstOpen(benchmark::State& state, const char* item, kinri::WindowId id) {
    for (auto _ : state) {
        state.PauseTiming();
        auto p = std::make_unique<Program>();
        auto* action = p->main.findChild<QAction*>(QString::fromLatin1(item));
        state.ResumeTiming();
        action->trigger();
        QApplication::processEvents();
        state.PauseTiming();
        if (p->main.calculatorWindow(id) == nullptr || !p->main.calculatorWindow(id)->isVisible()) {
            state.SkipWithError("the calculator window did not open");
            break;
        }
        p.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

// The main window with its menu, shown and painted once.
void mainWindow(benchmark::State& state) {
    for (auto _ : state) {
        Program p;
        benchmark::DoNotOptimize(&p);
    }
}

// 計算記録 at its bound of 1000 calculations (worked examples, tables among them).
std::unique_ptr<kinri::ui::RecordModel> fullRecord(kinri::CalculationRecord& record) {
    auto model = std::make_unique<kinri::ui::RecordModel>(record, nullptr);
    for (std::size_t i = 0; record.entries().size() < kinri::CalculationRecord::kMaxEntries; ++i) {
        const auto& example = kinri::examples::kExamples[i % kinri::examples::kExamples.size()];
        std::vector<std::string> inputs;
        for (std::string_view text : example.inputs)
            if (!text.empty()) inputs.emplace_back(text);
        model->add(*kinri::runCalculation(example.item, inputs, true).calculation);
    }
    return model;
}

// One single-value calculation added to a full record whose window is open: the oldest goes, the
// newest shows.
void recordAppend(benchmark::State& state) {
    kinri::CalculationRecord record;
    auto model = fullRecord(record);
    Paper paper;
    kinri::ui::RecordWindow window(*model, paper.paper);
    window.present();
    QApplication::processEvents();
    const kinri::Calculation sp = *kinri::runCalculation("SP", {"1000000", "0.05", "3"}, true).calculation;
    for (auto _ : state) {
        model->add(sp);
        QApplication::processEvents();
    }
}

// The record window opened on 1000 calculations, shown and painted.
void recordWindowOpen(benchmark::State& state) {
    kinri::CalculationRecord record;
    auto model = fullRecord(record);
    Paper paper;
    for (auto _ : state) {
        kinri::ui::RecordWindow window(*model, paper.paper);
        window.present();
        window.repaint();
        QApplication::processEvents();
    }
}

// 「PDFとして保存…」 of a 10000-row table: the pages made and written.
void pdfOfTable(benchmark::State& state) {
    const auto job = kinri::runCalculation("KAA", {"1200000", "10000", "0.005"}, true).printJob;
    const QString file = QDir::temp().filePath(QStringLiteral("kinri-bench.pdf"));
    for (auto _ : state) {
        const auto pdf = kinri::ui::pdfDocument(job, QStringLiteral("bench"), kinri::ui::localePageSize());
        if (!pdf || !kinri::ui::writeWhole(file, *pdf).isEmpty()) state.SkipWithError("not written");
    }
    QFile::remove(file);
}

// 返済予定表 of 10000 level payments.
const kinri::Calculation kLongLoan =
    *kinri::runCalculation("KA2C", {"35000000", "0.00125", "10000"}, false).calculation;

// From the inputs to the schedule's window shown and painted.
void scheduleOpen(benchmark::State& state) {
    Paper paper;
    for (auto _ : state) {
        kinri::ui::ScheduleWindow window(kinri::makeSchedule(kLongLoan), kLongLoan, paper.paper, nullptr);
        window.show();
        QApplication::processEvents();
    }
}

// One paint of its chart.
void scheduleChartPaint(benchmark::State& state) {
    Paper paper;
    kinri::ui::ScheduleWindow window(kinri::makeSchedule(kLongLoan), kLongLoan, paper.paper, nullptr);
    window.show();
    QApplication::processEvents();
    auto* chart = window.findChild<kinri::ui::ScheduleChart*>();
    for (auto _ : state)
        chart->repaint();
}

// Its rows as CSV, written through a temporary file.
void scheduleCsv(benchmark::State& state) {
    Paper paper;
    kinri::ui::ScheduleWindow window(kinri::makeSchedule(kLongLoan), kLongLoan, paper.paper, nullptr);
    const QString file = QDir::temp().filePath(QStringLiteral("kinri-bench.csv"));
    for (auto _ : state)
        if (!kinri::ui::writeWhole(file, window.csv().toUtf8()).isEmpty()) state.SkipWithError("not written");
    QFile::remove(file);
}

struct NoHelp : kinri::ui::HelpViewer {
    void showContents(const QString&) override {}
};

// 返済プラン from the menu: 35 years of monthly payments, shown and painted.
void planOpen(benchmark::State& state) {
    Paper paper;
    NoHelp help;
    for (auto _ : state) {
        kinri::ui::PlanWindow window(paper.paper, help, nullptr);
        window.show();
        QApplication::processEvents();
    }
}

// One keystroke in the loan's amount with ten events in the list: the plan and the same loan without
// its events recomputed, the table, chart and comparison replaced and painted.
void planEdit(benchmark::State& state) {
    Paper paper;
    NoHelp help;
    kinri::ui::PlanWindow window(paper.paper, help, nullptr);
    auto* events = window.findChild<kinri::ui::PlanEventsModel*>();
    for (int k = 0; k < 10; ++k) {
        events->addEvent();
        events->setData(events->index(k, kinri::ui::PlanEventsModel::At), QString::number(24 * (k + 1)),
                        Qt::EditRole);
    }
    window.show();
    QApplication::processEvents();
    auto* amount = window.findChild<QLineEdit*>(QStringLiteral("PlanAmount"));
    bool odd = false;
    for (auto _ : state) {
        amount->setText((odd = !odd) ? QStringLiteral("35000001") : QStringLiteral("35000000"));
        QApplication::processEvents();
    }
}

// --- floors: bare Qt showing the same data, against which the windows are measured as ratios,
// so that a slower machine or a busier one moves both alike -------------------------------

// A bare list widget given the FA table's 10000 rows (already text), as the click gives List1
// its table: emptied, filled, optionally laid out and painted.
void bareList(benchmark::State& state, bool paint) {
    QStringList rows;
    for (int i = 1; i <= 10000; ++i)
        rows << QStringLiteral("%1    1000.000").arg(i, 5);
    QListWidget list;
    list.setUniformItemSizes(true); // as a table of 10000 rows needs
    list.resize(300, 400);
    list.show();
    QApplication::processEvents();
    for (auto _ : state) {
        list.clear();
        list.addItems(rows);
        if (paint) QApplication::processEvents();
    }
}

// A bare table view on a schedule's own model, shown and painted.
void bareTableView(benchmark::State& state, const kinri::Schedule& schedule) {
    for (auto _ : state) {
        kinri::ui::ScheduleModel model(schedule, kinri::ui::ScheduleModel::Rows::Periods, nullptr);
        QTableView view;
        view.setModel(&model);
        view.resize(800, 600);
        view.show();
        QApplication::processEvents();
    }
}

// The schedule of 10000 payments.
void bareScheduleView(benchmark::State& state) {
    bareTableView(state, kinri::makeSchedule(kLongLoan));
}

// A 35-year plan's rows.
void barePlanView(benchmark::State& state) {
    kinri::plan::Plan plan;
    plan.loan = kinri::plan::Loan{35'000'000, *kinri::plan::Rate::percent("1.5"), 35};
    bareTableView(state, kinri::plan::asSchedule(kinri::plan::run(plan)));
}

// A bare list view on the record's own model of 1000 calculations, shown and painted.
void bareRecordView(benchmark::State& state) {
    kinri::CalculationRecord record;
    auto model = fullRecord(record);
    for (auto _ : state) {
        QListView view;
        view.setModel(model.get());
        view.resize(800, 600);
        view.show();
        QApplication::processEvents();
    }
}

// A bare widget drawing the schedule's balance as one polyline, at the chart's size.
struct BareChart : QWidget {
    QPolygonF line;
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const double w = width(), h = height(), n = static_cast<double>(line.size());
        QPolygonF scaled;
        scaled.reserve(line.size());
        for (const QPointF& p : line)
            scaled << QPointF(p.x() / n * w, h - p.y() * h);
        painter.drawPolyline(scaled);
    }
};

void bareChartPaint(benchmark::State& state) {
    Paper paper;
    kinri::ui::ScheduleWindow window(kinri::makeSchedule(kLongLoan), kLongLoan, paper.paper, nullptr);
    window.show();
    QApplication::processEvents();
    const auto* chart = window.findChild<kinri::ui::ScheduleChart*>();
    BareChart bare;
    for (int i = 0; i < 10000; ++i)
        bare.line << QPointF(i, 1.0 - i / 10000.0);
    bare.resize(chart->size());
    bare.show();
    QApplication::processEvents();
    for (auto _ : state)
        bare.repaint();
}

void registerAll() {
    benchmark::RegisterBenchmark("ui/FA_10000_click", faTable, false, Record::Empty)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ui/FA_10000_click_full_record", faTable, false, Record::Full)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ui/FA_10000_click_and_paint", faTable, true, Record::Empty)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ui/SP_edit_and_click", singleValue)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("ui/open/SP_ZOVAN2", openFromMenu, "SP", kinri::WindowId::Zovan2)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("ui/open/FA_ZOVAN3", openFromMenu, "FA", kinri::WindowId::Zovan3)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("ui/open/KA3R_ZOVAN4", openFromMenu, "KA3R", kinri::WindowId::Zovan4)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("ui/open/TA2_ZOVAN5", openFromMenu, "TA2", kinri::WindowId::Zovan5)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("ui/first_open/FA_ZOVAN3", firstOpen, "FA", kinri::WindowId::Zovan3)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ui/first_open/TA2_ZOVAN5", firstOpen, "TA2", kinri::WindowId::Zovan5)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ui/main_window", mainWindow)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("record/append_SP_to_1000", recordAppend)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("record/window_open_1000", recordWindowOpen)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("record/pdf_KAA_10000", pdfOfTable)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("schedule/open_KA2C_10000", scheduleOpen)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("schedule/chart_paint_10000", scheduleChartPaint)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("schedule/csv_10000", scheduleCsv)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("floor/list_10000_fill", bareList, false)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("floor/list_10000_fill_and_paint", bareList, true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("floor/table_view_10000", bareScheduleView)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("floor/list_view_record_1000", bareRecordView)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("floor/polyline_10000", bareChartPaint)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("plan/window_open_35y", planOpen)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("plan/edit_10_events", planEdit)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("floor/table_view_plan_420", barePlanView)->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    kinri::ui::applyJapaneseDefaults(app);
    startModalGuard(app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    registerAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
