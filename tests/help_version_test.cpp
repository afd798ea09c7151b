// Help and version: the help entry asks the help viewer for the help file through its hidden
// holder window, the built-in help viewer shows it, and the version box.
#include "support/program.h"
#include "ui/help/help_window.h"

#include <QAction>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

using namespace kinri;
using namespace kinri::test;

class HelpVersionTest : public ProgramTest {
    Q_OBJECT

private slots:

    void helpEntry();
    void versionBox();
    void builtInHelpViewer();
};

void HelpVersionTest::helpEntry() {
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

// The version box: three lines, the second exactly ten half-width spaces and the version, no
// icon, OK only; the main window is unchanged after it.
void HelpVersionTest::versionBox() {
    const QPoint pos = p_->main.frameGeometry().topLeft();
    p_->action(QStringLiteral("VER"))->trigger();
    const std::vector<SeenBox> seen = p_->boxes.takeSeen();
    QCOMPARE(seen.size(), 1u);
    QCOMPARE(seen[0].title, QStringLiteral("    バージョン情報"));
    const QStringList lines = seen[0].text.split(u'\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(1), QStringLiteral("          Ver1.20"));
    QVERIFY(!lines.at(0).trimmed().isEmpty());
    QVERIFY(!lines.at(2).trimmed().isEmpty());
    QCOMPARE(seen[0].icon, QMessageBox::NoIcon);
    QCOMPARE(seen[0].buttons, QMessageBox::Ok);
    // Wide enough for its title in a bold title bar beside an icon, three buttons and padding.
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    QVERIFY(seen[0].width >= fm.horizontalAdvance(seen[0].title) + 6 * fm.height());

    QVERIFY(p_->main.isVisible());
    QCOMPARE(p_->main.frameGeometry().topLeft(), pos);
    QVERIFY(p_->visibleCalculators().isEmpty());
    QCOMPARE(codes(p_->main.state()), (QList<int>{0, 0, 0, 0, 0}));
    QVERIFY(!p_->main.state().printAfterCalc());
    // The menu still works afterwards.
    QVERIFY(p_->choose(QStringLiteral("SP")) != nullptr);
    QCOMPARE(p_->main.state().code(CalcFamily::Simple), 1);
}

void HelpVersionTest::builtInHelpViewer() {
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

QTEST_MAIN(HelpVersionTest)
#include "help_version_test.moc"
