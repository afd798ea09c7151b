// Peak and current resident set of the real program's windows after a working session: the main
// window, each of the four calculator windows opened through its menu entry (Menu pressed
// between), and the 10000-row FA table computed and shown. Figures come from /proc/self/status.
// bench/memory runs it on Xvfb next to `kinri_minimal_menu --rss`.
#include "compute/app_state.h"
#include "ui/calculator/calculator_window.h"
#include "ui/common/fonts.h"
#include "ui/controls/table_list.h"
#include "ui/help/help_window.h"
#include "ui/main_window.h"
#include "ui/paper/paper_service.h"
#include "ui/paper/print_service.h"
#include "ui/record/record_model.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

struct NullPrinter : kinri::ui::LinePrinter {
    bool printJob(const std::vector<kinri::PrintLine>&) override { return true; }
};

void printMemory(const char* stage) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0 || line.rfind("VmRSS:", 0) == 0)
            std::printf("kinri_rss_probe %-22s %s\n", stage, line.c_str());
    std::fflush(stdout);
}

// Lets the windows map and paint.
void settle() {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

QWidget* open(kinri::ui::MainWindow& main, const char* item, kinri::WindowId id) {
    main.findChild<QAction*>(QString::fromLatin1(item))->trigger();
    settle();
    return main.calculatorWindow(id);
}

void backToMenu(QWidget* w) {
    w->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    settle();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    kinri::ui::applyJapaneseDefaults(app);
    NullPrinter printer;
    kinri::ui::BuiltInHelpViewer help;
    kinri::ui::MainWindow main(printer, help);
    main.show();
    settle();
    printMemory("main-window");

    backToMenu(open(main, "SP", kinri::WindowId::Zovan2));
    backToMenu(open(main, "KA3R", kinri::WindowId::Zovan4));
    backToMenu(open(main, "TA2", kinri::WindowId::Zovan5));
    QWidget* table = open(main, "FA", kinri::WindowId::Zovan3);
    const char* inputs[] = {"1000", "0.0001", "10000"};
    for (int k = 0; k < 3; ++k)
        table->findChild<QLineEdit*>(QStringLiteral("Text%1").arg(k + 1))
            ->setText(QString::fromLatin1(inputs[k]));
    table->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    settle();
    const int rows = table->findChild<kinri::ui::TableList*>(QStringLiteral("List1"))->count();
    if (rows != 10000) {
        std::fprintf(stderr, "kinri_rss_probe: List1 holds %d rows, not 10000\n", rows);
        return 1;
    }
    printMemory("four-windows+FA-table");

    // 計算記録 full to its bound with 10000-row tables, then all of it saved as one PDF.
    while (main.record().record().dropped() == 0)
        table->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    settle();
    printMemory("record-full");
    std::size_t lines = 0;
    for (const kinri::Calculation* c : main.record().entriesAt({}))
        lines += c->printout.size();
    kinri::ui::PrintParts job = kinri::ui::RecordModel::paperOf(main.record().entriesAt({}));
    QTemporaryDir dir;
    kinri::AppState state;
    kinri::ui::PrintService printing(printer);
    kinri::ui::PaperService paper(printing, state);
    QElapsedTimer clock;
    clock.start();
    const bool written = paper.writePdfFile(nullptr, dir.filePath(QStringLiteral("record.pdf")), job,
                                            QStringLiteral("計算記録"));
    std::printf("kinri_rss_probe record-pdf            %zu entries, %zu lines, %s in %lld ms, %lld bytes\n",
                main.record().record().entries().size(), lines, written ? "written" : "NOT WRITTEN",
                static_cast<long long>(clock.elapsed()),
                static_cast<long long>(QFileInfo(dir.filePath(QStringLiteral("record.pdf"))).size()));
    job = {};
    settle();
    printMemory("record-pdf-written");
    main.record().clear();
    settle();
    printMemory("record-cleared");
    return written ? 0 : 1;
}
