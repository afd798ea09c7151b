// 金利計算: the real printer and help viewer, and the main window.
#include "ui/common/fonts.h"
#include "ui/help/help_window.h"
#include "ui/main_window.h"
#include "ui/system_printer.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("io.github.kinri_keisan.Kinri"));
    kinri::ui::applyJapaneseDefaults(app);
    kinri::ui::SystemLinePrinter printer;
    kinri::ui::BuiltInHelpViewer help;
    kinri::ui::MainWindow window(printer, help);
    QObject::connect(&window, &kinri::ui::MainWindow::programEndRequested, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    window.show();
    return QApplication::exec();
}
