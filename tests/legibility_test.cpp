// Every caption and every number of the calculator windows legible: captions whole and unbroken
// inside words, lines apart, nothing under another control or beyond the window; results shown
// whole or visibly cut; every table row reachable. Run once per resolution (QT_FONT_DPI).

#include "support/program.h"
#include "ui/captions/caption_label.h"
#include "ui/common/colours.h"
#include "ui/controls/result_box.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTableView>
#include <QtTest>

#include <cmath>

using namespace kinri;
using namespace kinri::test;

namespace {

const QStringList kPrintQuestion{"print question"};

// The part of its window a control takes: its rectangle, or for a caption running wider below a
// box, its rectangle less the box's corner.
QRegion areaOf(const QWidget* w) {
    if (const auto* label = qobject_cast<const ui::CaptionLabel*>(w)) return label->area();
    return QRegion(w->geometry());
}

// Rows of the label's own picture that hold ink: darker than the lightest background by far.
QList<bool> inkRows(const QImage& image, int* rightmostInk) {
    QList<bool> rows(image.height(), false);
    *rightmostInk = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 64 && qGray(c.rgb()) < 150) {
                rows[y] = true;
                *rightmostInk = std::max(*rightmostInk, x);
            }
        }
    }
    return rows;
}

// What a user reads in a caption label, checked from its layout and from its pixels.
void checkCaption(ui::CaptionLabel* label, const QWidget* window) {
    const ui::CaptionLayout& l = label->captionLayout();
    const QString name = window->objectName() + u'.' + label->objectName() + u' ' + label->text();
    const QByteArray whatBytes = name.toUtf8();
    const char* what = whatBytes.constData();
    QVERIFY2(l.fits, what);
    QCOMPARE(label->geometry(), l.geometry);
    QCOMPARE(l.lines.join(QString()), label->text());

    // Breaks only where the caption permits one.
    QList<int> permitted{0};
    for (const ui::CaptionBreak& b : label->caption().breaks)
        permitted.append(b.at);
    for (int start : l.lineStarts)
        QVERIFY2(permitted.contains(start), what);

    // No smaller than 8 pixels a full-width character at 96 dpi.
    QVERIFY2(QFontMetricsF(l.font, label).horizontalAdvance(QChar(0x56FD)) >=
                 8.0 * label->logicalDpiY() / 96 - 0.01,
             what);

    // Each line's ink clear of the next line's, the first and last inside the label, every line as
    // wide as the label at most.
    for (int i = 0; i < l.lines.size(); ++i) {
        QVERIFY2(l.lineLeft(i) + l.inkLefts.at(i) >= 0, what);
        QVERIFY2(l.lineLeft(i) + std::max(l.lineWidths.at(i), l.inkRights.at(i)) <= l.geometry.width() + 1e-6,
                 what);
        if (i + 1 < l.lines.size())
            QVERIFY2(l.baseline(i) + l.inkBottoms.at(i) + l.lineGap <=
                         l.baseline(i + 1) + l.inkTops.at(i + 1) + 1e-6,
                     what);
    }
    if (!l.lines.isEmpty()) {
        QVERIFY2(l.baseline(0) + l.inkTops.front() >= 0, what);
        QVERIFY2(l.baseline(static_cast<int>(l.lines.size()) - 1) + l.inkBottoms.back() <=
                     l.geometry.height(),
                 what);
    }

    // Inside the window, over no other control.
    QVERIFY2(window->rect().contains(label->geometry()), what);
    const QRegion area = areaOf(label);
    for (int i = 0; i < l.lines.size(); ++i)
        QVERIFY2(area.contains(l.lineBox(i).toAlignedRect().translated(label->pos())), what);
    for (const QWidget* other : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other == label || other->isHidden()) continue;
        QVERIFY2(!area.intersects(areaOf(other)),
                 qPrintable(name + QStringLiteral(" over ") + other->objectName()));
    }

    // The pixels agree: ink in no edge row and not in the last column, and a blank row between
    // every two lines.
    const QImage image = label->grab().toImage();
    const double dpr = image.devicePixelRatio();
    int rightmost = -1;
    const QList<bool> rows = inkRows(image, &rightmost);
    QVERIFY2(!rows.isEmpty() && !rows.front() && !rows.back(), what);
    QVERIFY2(rightmost < image.width() - 1, what);
    for (int i = 0; i + 1 < l.lines.size(); ++i) {
        const int from = static_cast<int>(std::ceil((l.baseline(i) + l.inkBottoms.at(i)) * dpr));
        const int to = static_cast<int>(std::floor((l.baseline(i + 1) + l.inkTops.at(i + 1)) * dpr));
        bool blank = false;
        for (int y = std::max(0, from); y <= std::min(to, static_cast<int>(rows.size()) - 1); ++y)
            blank = blank || !rows.at(y);
        QVERIFY2(blank, qPrintable(name + QStringLiteral(": lines %1 and %2 touch").arg(i + 1).arg(i + 2)));
    }
}

double widestLineGap(const ui::CaptionLayout& l) {
    double widest = 0;
    for (int i = 0; i + 1 < l.lines.size(); ++i)
        widest = std::max(widest, l.lineBox(i + 1).top() - l.lineBox(i).bottom());
    return widest;
}

// Each caption reads as its box's: the box's middle runs through the caption's ink, centred on it
// within a pixel unless something on the side it would move to is within a line of it; and two
// neighbours stand at least twice as far apart as the lines of either.
void checkCaptionsBeside(const ui::CalculatorWindow* window) {
    const ui::CalculatorForm& f = window->form();
    QList<std::pair<const ui::CaptionLabel*, const QWidget*>> beside;
    for (std::size_t k = 0; k < f.inputs.size(); ++k)
        beside.append({f.inputCaptions[k], f.inputs[k]});
    if (f.resultBox != nullptr) beside.append({f.resultCaption, f.resultBox});
    QList<std::pair<const QWidget*, QRectF>> taken{
        {nullptr, QRectF(0, -1, window->width(), 1)},
        {nullptr, QRectF(0, window->height(), window->width(), 1)}};
    for (const QWidget* other : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const auto* label = qobject_cast<const ui::CaptionLabel*>(other);
        if (!other->isHidden())
            taken.append({other, label ? label->captionLayout().inkBox().translated(label->pos())
                                       : QRectF(other->geometry())});
    }
    const ui::CaptionLabel* above = nullptr;
    for (const auto& [label, box] : beside) {
        const ui::CaptionLayout& l = label->captionLayout();
        const QRectF ink = l.inkBox().translated(label->pos());
        const double middle = box->y() + box->height() / 2.0, off = middle - ink.center().y();
        const QByteArray what = (window->objectName() + u'.' + label->text()).toUtf8();
        QVERIFY2(ink.top() < middle && middle < ink.bottom(), what.constData());
        double room = window->height();
        for (int i = 0; i < l.lines.size(); ++i) {
            const QRectF line = l.lineBox(i).translated(label->pos());
            for (const auto& [other, t] : taken)
                if (other != label && t.left() < line.right() && line.left() < t.right()) {
                    if (off > 0 && t.top() >= line.bottom()) room = std::min(room, t.top() - line.bottom());
                    if (off < 0 && t.bottom() <= line.top()) room = std::min(room, line.top() - t.bottom());
                }
        }
        QVERIFY2(std::abs(off) <= 1 || room < l.pitch, qPrintable(what + ' ' + QByteArray::number(off)));
        if (above != nullptr) {
            const double apart =
                ink.top() - above->captionLayout().inkBox().translated(above->pos()).bottom();
            QVERIFY2(apart >= 2 * std::max(widestLineGap(l), widestLineGap(above->captionLayout())),
                     what.constData());
        }
        above = label;
    }
}

void checkCaptions(const ui::CalculatorWindow* window) {
    for (ui::CaptionLabel* label : window->findChildren<ui::CaptionLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->isHidden() || label->text().isEmpty()) continue;
        checkCaption(label, window);
        if (QTest::currentTestFailed()) return;
    }
    checkCaptionsBeside(window);
}

// A palette of one background, one box colour and one text colour, as a theme sets them.
QPalette themed(const QColor& window, const QColor& base, const QColor& text) {
    QPalette palette(window, window);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    palette.setColor(QPalette::Base, base);
    return palette;
}

// The contrast of a widget's text on its background, from its pixels: the commonest colour is the
// background, the pixel farthest from it the ink.
double inkContrast(QWidget* w) {
    const QImage image = w->grab().toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    const QRgb background =
        std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
            return a.second < b.second;
        })->first;
    double best = 1.0;
    for (auto it = counts.keyBegin(); it != counts.keyEnd(); ++it)
        best = std::max(best, ui::contrastRatio(QColor(*it), QColor(background)));
    return best;
}

// The contrast of a control's edge, its frame, with the window round it: the outermost three
// pixels across its middle.
double edgeContrast(QWidget* w) {
    const QImage image = w->grab().toImage();
    double best = 1.0;
    for (int x = 0; x < 3; ++x)
        best = std::max(best, ui::contrastRatio(image.pixelColor(x, image.height() / 2),
                                                w->palette().color(QPalette::Window)));
    return best;
}

} // namespace

class LegibilityTest : public ProgramTest {
    Q_OBJECT

private slots:
    // Every caption of every dressed window, the print switch in both its looks.
    void captionsFit_data() {
        QTest::addColumn<QString>("item");
        for (const CatalogueEntry& e : catalogue())
            QTest::newRow(e.item.data()) << qs(e.item);
    }

    void captionsFit() {
        QFETCH(QString, item);
        ui::CalculatorWindow* w = p_->choose(item);
        QVERIFY(w != nullptr);
        checkCaptions(w);
        if (QTest::currentTestFailed()) return;
        QCOMPARE(p_->switchPrinting(w, QMessageBox::Yes), kPrintQuestion);
        QCOMPARE(w->form().printSwitch->text(), QStringLiteral("計算後印刷"));
        checkCaptions(w);
    }

    // The print switch widens only between 計算 and クリヤ, to both sides alike, and keeps its top.
    void printSwitchWidensSymmetrically_data() {
        QTest::addColumn<QString>("item");
        QTest::newRow("ZOVAN2") << "SP";
        QTest::newRow("ZOVAN3") << "FA";
        QTest::newRow("ZOVAN4") << "KA3R";
        QTest::newRow("ZOVAN5") << "KA3C";
    }

    void printSwitchWidensSymmetrically() {
        QFETCH(QString, item);
        ui::CalculatorWindow* w = p_->choose(item);
        QCOMPARE(p_->switchPrinting(w, QMessageBox::Yes), kPrintQuestion);
        const ui::CaptionLabel* s = w->form().printSwitch;
        const QRect designed = s->designedGeometry();
        QCOMPARE(s->y(), designed.y());
        QCOMPARE(s->height(), designed.height());
        QVERIFY(s->width() >= designed.width());
        QCOMPARE(2 * s->x() + s->width(), 2 * designed.x() + designed.width());
        const QRect compute = w->form().compute->geometry();
        const QRect clear = w->form().clear->geometry();
        QVERIFY(s->x() > compute.right() || s->width() == designed.width());
        QVERIFY(s->geometry().right() < clear.left() || s->width() == designed.width());
    }

    // Results (box 0) and typed inputs (box k: Text k, the focus gone on) of 1 to 25 characters:
    // shown whole, or their leading characters and 「…」 inside the box; the box's own text stays
    // exact and the tooltip and the clipboard carry it whole.
    void resultShownWholeOrVisiblyCut_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("k");
        for (const auto& [item, k] : {std::pair{"SP", 0}, {"KA3R", 0}, {"TA2", 0}, {"TA3", 1}, {"KA3R", 2}})
            for (int n = 1; n <= 25; ++n)
                QTest::newRow(qPrintable(QStringLiteral("%1 box %2, %3").arg(item).arg(k).arg(n)))
                    << item << n << k;
    }

    void resultShownWholeOrVisiblyCut() {
        QFETCH(QString, item);
        QFETCH(int, length);
        QFETCH(int, k);
        ui::CalculatorWindow* w = p_->choose(item);
        ui::TextBox* box =
            k == 0 ? w->form().resultBox : w->form().inputs.at(static_cast<std::size_t>(k - 1));
        const QString value = QStringLiteral("1500000000000000000000.000").right(length);
        k == 0 ? box->setText(value) : typeKeys(box, value);
        w->form().compute->setFocus();
        QApplication::processEvents();

        QCOMPARE(box->text(), value);
        QCOMPARE(box->toolTip(), value);
        QVERIFY(QFontMetricsF(box->font(), box).horizontalAdvance(QChar(0x56FD)) >=
                8.0 * box->logicalDpiY() / 96 - 0.01);
        const QString shown = box->shownText();
        QVERIFY2(std::ceil(QFontMetricsF(box->font(), box).horizontalAdvance(shown)) <= box->textWidth(),
                 qPrintable(shown));
        if (shown != value) {
            QVERIFY2(shown.endsWith(QChar(0x2026)) && shown.size() >= 2 && value.startsWith(shown.chopped(1)),
                     qPrintable(shown));
        }
        QVERIFY(w->rect().contains(box->geometry()));
        for (const QWidget* other : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (other != box && !other->isHidden())
                QVERIFY2(!areaOf(other).intersects(box->geometry()), qPrintable(other->objectName()));

        box->selectAll();
        box->copy();
        QCOMPARE(QApplication::clipboard()->text(), value);
    }

    // The print switch in both its looks, an input, a caption, a button, results and tables read
    // at 4.5:1 or better in a light, a dark and a high-contrast theme.
    void readableInEveryTheme_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QPalette>("palette");
        const std::pair<const char*, QPalette> themes[] = {
            {"light", themed(QColor(0xEF, 0xEF, 0xEF), Qt::white, Qt::black)},
            {"dark", themed(QColor(0x2D, 0x2D, 0x2D), QColor(0x1E, 0x1E, 0x1E), QColor(0xEE, 0xEE, 0xEE))},
            {"high contrast", themed(Qt::black, Qt::black, Qt::white)}};
        for (const auto& [name, palette] : themes)
            for (const char* item : {"SP", "FA"})
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(item, name))) << item << palette;
    }

    void readableInEveryTheme() {
        QFETCH(QString, item);
        QFETCH(QPalette, palette);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(palette);
        ui::CalculatorWindow* w = p_->choose(item);
        typeInputs(w, exampleInputs(item.toStdString()));
        QCOMPARE(p_->compute(w), QStringList{});
        QWidget* result = w->form().resultBox != nullptr ? static_cast<QWidget*>(w->form().resultBox)
                                                         : w->form().list->viewport();
        const double off = inkContrast(w->form().printSwitch);
        QCOMPARE(p_->switchPrinting(w, QMessageBox::Yes), kPrintQuestion);
        QList<double> contrasts{off, inkContrast(w->form().printSwitch), inkContrast(w->form().inputs.at(0)),
                                inkContrast(w->form().inputCaptions.at(0)), inkContrast(w->form().compute)};
        contrasts << inkContrast(result);
        // A box and a button show where they are: their edges at 3:1 where the theme's contrast is high.
        const double edges = std::min(edgeContrast(w->form().inputs.at(0)), edgeContrast(w->form().compute));
        QApplication::setPalette(before);
        if (palette.color(QPalette::Window) == palette.color(QPalette::Base))
            QVERIFY2(edges >= 3.0, qPrintable(QString::number(edges)));
        for (double c : contrasts)
            QVERIFY2(c >= ui::kReadableContrast, qPrintable(QString::number(c)));
    }

    // Every row of a table shows whole without scrolling, its widest wherever it is: the list and
    // its window widen for it, the other controls stay where they are.
    void tableRowsReachableWhole_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("inputs");
        QTest::newRow("KAA, rows shrink") << "KAA" << QStringList{"120000000", "150", "0.005"};
        QTest::newRow("KAA, a mortgage") << "KAA" << QStringList{"35000000", "360", "0.00125"};
        QTest::newRow("KA2A, a mortgage") << "KA2A" << QStringList{"120792.07", "0.00125", "360"};
        QTest::newRow("FA, rows shrink") << "FA" << QStringList{"10000000000", "-0.9", "6"};
        QTest::newRow("FA, rows grow") << "FA" << QStringList{"1000", "0.5", "40"};
        QTest::newRow("FA, large") << "FA" << QStringList{"10000000000", "0.05", "12"};
        QTest::newRow("KA2A, counts down") << "KA2A" << QStringList{"88848.79", "0.01", "3"};
    }

    void tableRowsReachableWhole() {
        QFETCH(QString, item);
        QFETCH(QStringList, inputs);
        ui::CalculatorWindow* w = p_->choose(item);
        const QRect menu = w->form().menu->geometry();
        const int designedWidth = w->width();
        typeInputs(w, inputs);
        QCOMPARE(p_->compute(w), QStringList{});
        ui::TableList* list = w->form().list;
        QVERIFY(list->count() > 1);
        QApplication::processEvents();
        QCOMPARE(list->textElideMode(), Qt::ElideNone);

        const QFontMetrics fm(list->font());
        QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
        // The values right-aligned: the ink of every row shown ends within half a digit of the others.
        const QImage shown = list->viewport()->grab().toImage();
        QList<int> inkEnds;
        for (int row = 0; row < list->count(); ++row) {
            const QString text = list->text(row);
            const QRect cell = list->visualRect(list->model()->index(row, 0));
            QVERIFY2(cell.left() + fm.horizontalAdvance(text) <= list->viewport()->width(), qPrintable(text));
            const QRect pixels(cell.topLeft() * shown.devicePixelRatio(),
                               cell.size() * shown.devicePixelRatio());
            if (!shown.rect().contains(pixels)) continue;
            int end = -1;
            for (int x = pixels.left(); x <= pixels.right(); ++x)
                for (int y = pixels.top(); y <= pixels.bottom(); ++y)
                    if (qGray(shown.pixel(x, y)) < 200) end = x;
            inkEnds.append(end);
        }
        const auto [first, last] = std::minmax_element(inkEnds.begin(), inkEnds.end());
        QVERIFY2(2 * (*last - *first) < fm.horizontalAdvance(u'0') * shown.devicePixelRatio(),
                 qPrintable(QString::number(*last - *first)));
        QVERIFY(w->rect().contains(list->geometry()));
        QCOMPARE(w->form().menu->geometry(), menu);
        w->form().clear->click();
        QCOMPARE(w->width(), designedWidth);
    }

    // The reading of every rate and count box, and the hint at a rate of 5, cover no caption, box
    // or button and stay inside the window, at every dpi and zoom; where there is no room beside
    // the box the window makes room below its controls, and gives it back.
    void notesCoverNothing_data() { captionsFit_data(); }

    void notesCoverNothing() {
        QFETCH(QString, item);
        ui::CalculatorWindow* w = p_->choose(item);
        const CatalogueEntry& entry = *findEntry(item.toStdString());
        const QStringList inputs = exampleInputs(entry.item);
        typeInputs(w, inputs);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->form().compute->setFocus(); // no note yet
        const int designed = w->height();
        const auto covered = [w](const QWidget* note) {
            QStringList under;
            for (const QWidget* c : w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (c != note && c->isVisible() && c->objectName() != QLatin1String("FocusRing") &&
                    c->geometry().intersects(note->geometry()))
                    under << c->objectName();
            if (!w->rect().contains(note->geometry())) under << QStringLiteral("outside");
            return under;
        };
        for (int k = 1; k <= info(w).inputCount; ++k) {
            const InputKind kind = entry.kinds.at(static_cast<std::size_t>(k - 1));
            if (!isRate(kind) && !isCount(kind)) continue;
            w->activateWindow(); // again, after an error box
            QVERIFY(QTest::qWaitForWindowActive(w));
            inputBox(w, k)->setFocus();
            auto* reading = w->findChild<QWidget*>(QStringLiteral("InputReading"));
            QVERIFY(reading->isVisible());
            QCOMPARE(covered(reading), QStringList{});
            if (!isRate(kind)) continue;
            inputBox(w, k)->setText(QStringLiteral("5"));
            p_->compute(w); // the calculation as it always was, maybe an error box
            auto* hint = w->findChild<QWidget*>(QStringLiteral("InputHint"));
            QVERIFY(hint->isVisible());
            QCOMPARE(covered(hint), QStringList{});
            if (!w->form().printSwitch->text().contains(
                    QStringLiteral("計算後"))) { // the question over the hint
                QCOMPARE(p_->switchPrinting(w, QMessageBox::Yes), kPrintQuestion);
                checkCaptions(w); // nothing shrank
            }
            inputBox(w, k)->setText(inputs.at(k - 1)); // the hint goes
        }
        w->form().compute->setFocus();
        QCOMPARE(w->height(), designed);
    }

    // A schedule's totals stand under their columns, each whole in its cell, at every dpi and zoom.
    void scheduleTotalsUnderTheirColumns() {
        ui::CalculatorWindow* w = p_->choose(QStringLiteral("FA"));
        typeInputs(w, {"500000", "0.006", "20"});
        QCOMPARE(p_->compute(w), QStringList{});
        w->findChild<QAction*>(QStringLiteral("actionSchedule"))->trigger();
        auto* window = w->findChild<QWidget*>(QStringLiteral("ScheduleWindow"));
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto* view = window->findChild<QTableView*>(QStringLiteral("ScheduleView"));
        auto* totals = window->findChild<QTableView*>(QStringLiteral("ScheduleTotals"));
        const QFontMetrics bold(totals->font());
        for (int c = 0; c < view->model()->columnCount(); ++c) {
            const auto x = [c](QTableView* t) {
                return t->viewport()->mapToGlobal(QPoint(t->columnViewportPosition(c), 0)).x();
            };
            QCOMPARE(x(totals), x(view));
            QCOMPARE(totals->columnWidth(c), view->columnWidth(c));
            const QString total = totals->model()->index(0, c).data().toString();
            QVERIFY2(bold.horizontalAdvance(total) < totals->columnWidth(c), qPrintable(total));
        }
    }
};

QTEST_MAIN(LegibilityTest)
#include "legibility_test.moc"
