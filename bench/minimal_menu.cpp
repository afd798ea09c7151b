// The floor for start-up: a bare Qt Widgets program with the same main window title and the same
// menu tree, built the same way, and nothing else (no fonts, translations, icons or calculator
// windows). bench/startup compares the real program's launch-to-mapped time against this one.
//
// With --rss it prints its peak and current resident set once the window is shown and has had
// 300 ms of events to map and paint (as kinri_rss_probe allows the real windows), and exits
// (bench/memory).
#include "catalogue/catalogue.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void addNode(QMenu* parent, const kinri::MenuNode& node) {
    switch (node.kind) {
    case kinri::MenuKind::Title: {
        QMenu* sub = parent->addMenu(qs(node.caption));
        sub->setObjectName(qs(node.name));
        sub->menuAction()->setObjectName(qs(node.name));
        for (const kinri::MenuNode& child : node.children)
            addNode(sub, child);
        return;
    }
    case kinri::MenuKind::Separator:
        parent->addSeparator()->setObjectName(qs(node.name));
        return;
    case kinri::MenuKind::Calculation:
    case kinri::MenuKind::Help:
    case kinri::MenuKind::Version:
        parent->addAction(qs(node.caption))->setObjectName(qs(node.name));
        return;
    }
}

// VmHWM and VmRSS lines of /proc/self/status, as printed by kinri_rss_probe too.
void printMemory(const char* who) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0 || line.rfind("VmRSS:", 0) == 0)
            std::printf("%s %s\n", who, line.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool rss = argc > 1 && std::strcmp(argv[1], "--rss") == 0;

    QMainWindow window;
    window.setObjectName(QStringLiteral("ZOVAN1"));
    window.setWindowTitle(QStringLiteral("  金利計算"));
    for (const kinri::MenuNode& title : kinri::menuTree()) {
        QMenu* menu = window.menuBar()->addMenu(qs(title.caption));
        menu->setObjectName(qs(title.name));
        menu->menuAction()->setObjectName(qs(title.name));
        for (const kinri::MenuNode& child : title.children)
            addNode(menu, child);
    }
    window.show();

    if (rss) {
        QTimer::singleShot(0, &app, [] {
            QElapsedTimer settle;
            settle.start();
            while (settle.elapsed() < 300)
                QApplication::processEvents(QEventLoop::AllEvents, 50);
            printMemory("kinri_minimal_menu");
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
