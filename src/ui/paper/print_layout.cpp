#include "ui/paper/print_layout.h"

#include "ui/common/fonts.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <string_view>

namespace kinri::ui {
namespace {

bool continuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

// Where `line` wraps to fit `room` (device pixels from its column to the sheet's right edge): the
// pieces of its text, top to bottom. A reader takes in "caption=value" best with the value whole
// on a line of its own, so the first choice is the break between caption and value; a caption
// wider than the room breaks at the last phrase break that leaves the piece within it, else at
// the last break between the words of a compound noun. Between any two characters only where
// nothing else fits: a caption phrase or a value wider than the sheet itself.
std::vector<std::string_view> wrapped(const kinri::PrintLine& line, double room, const QFontMetricsF& fm) {
    const std::string_view text = line.text;
    const std::size_t captionEnd = std::min(line.valueStart, text.size());
    auto fits = [&](std::size_t from, std::size_t to) {
        return fm.horizontalAdvance(
                   QString::fromUtf8(text.data() + from, static_cast<qsizetype>(to - from))) <= room;
    };
    // The longest run from `from` that fits, ending at a break of `kind`; `from` when none does.
    auto atBreak = [&](std::size_t from, kinri::BreakKind kind) {
        std::size_t cut = from;
        for (const kinri::BreakPoint& b : line.breaks) {
            if (b.offset <= from || b.kind != kind) continue;
            if (b.offset >= captionEnd || !fits(from, b.offset)) break;
            cut = b.offset;
        }
        return cut;
    };
    // The longest run of whole characters from `from` to at most `limit` that fits, and at
    // least one character, for a sheet narrower than any.
    auto atCharacter = [&](std::size_t from, std::size_t limit) {
        std::size_t cut = from;
        for (std::size_t next = from + 1; next <= limit; ++next) {
            if (next < text.size() && continuationByte(text[next])) continue;
            if (cut > from && !fits(from, next)) break;
            cut = next;
        }
        return cut;
    };

    std::vector<std::string_view> pieces;
    std::size_t pos = 0;
    while (!fits(pos, text.size())) {
        std::size_t cut = pos;
        if (pos < captionEnd) {
            if (fits(pos, captionEnd)) cut = captionEnd;
            if (cut == pos) cut = atBreak(pos, kinri::BreakKind::Phrase);
            if (cut == pos) cut = atBreak(pos, kinri::BreakKind::Word);
            if (cut == pos) cut = atCharacter(pos, captionEnd);
        } else {
            cut = atCharacter(pos, text.size());
        }
        pieces.push_back(text.substr(pos, cut - pos));
        pos = cut;
    }
    pieces.push_back(text.substr(pos));
    return pieces;
}

// The lines set on pages: `place` is told where each piece of text goes (its baseline and
// column, in layout units, on the current page), `pageBreak` of each new page, and either stops
// the work by answering false.
struct Sheet {
    const QFontMetricsF& fm;
    double column; // a print column: one half-width character
    double lineStep;
    double height; // the room for lines on a page
    double width;
};

template <class Place, class Break>
bool setLines(const PrintParts& job, const Sheet& sheet, Place place, Break pageBreak) {
    double baseline = sheet.fm.ascent();
    for (const std::span<const kinri::PrintLine> part : job.parts()) {
        for (const kinri::PrintLine& line : part) {
            const double x = (line.column - 1) * sheet.column;
            const std::vector<std::string_view> pieces = line.text.empty()
                                                             ? std::vector<std::string_view>(1)
                                                             : wrapped(line, sheet.width - x, sheet.fm);
            for (const std::string_view piece : pieces) {
                if (baseline + sheet.fm.descent() > sheet.height) {
                    if (!pageBreak()) return false;
                    baseline = sheet.fm.ascent();
                }
                if (!piece.empty() && !place(QPointF(x, baseline), piece)) return false;
                baseline += sheet.lineStep;
            }
        }
    }
    return true;
}

constexpr double kLayoutDpi = 1200.0;

} // namespace

bool paintPrintout(QPagedPaintDevice& device, const PrintParts& job, const PagePainter& lastPage,
                   const PageStep& step) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double dpi = device.logicalDpiY();
    // 10 points at the layout's resolution, drawn through a scale to the device's: the same font
    // engine at the same size measures alike on every device.
    QFont font(paperFontFamily());
    font.setPointSizeF(10.0 * kLayoutDpi / dpi);
    painter.setFont(font);
    painter.scale(dpi / kLayoutDpi, dpi / kLayoutDpi);
    const QFontMetricsF fm(font, &device);
    // A print column is one half-width character: averageCharWidth() of a CJK font is a
    // full-width advance, which would put column 34 where column 66 belongs.
    const QSizeF page = device.pageLayout().paintRect(QPageLayout::Point).size() * (kLayoutDpi / 72.0);
    // A numbered page keeps its last line and the one above it for the number.
    const double footer = job.numbered() ? 2 * fm.lineSpacing() : 0.0;
    const Sheet sheet{fm, fm.horizontalAdvance(QLatin1Char('0')), fm.lineSpacing(), page.height() - footer,
                      page.width()};

    int total = 1;
    if (job.numbered())
        setLines(
            job, sheet, [](QPointF, std::string_view) { return true; }, [&total] { return ++total, true; });
    int pages = 1;
    const auto number = [&] {
        if (!job.numbered()) return;
        const QString text = QStringLiteral("%1 / %2").arg(pages).arg(total);
        painter.drawText(
            QPointF((page.width() - fm.horizontalAdvance(text)) / 2, page.height() - fm.descent()), text);
    };
    // A new page, unless the work is to stop: then a printer is told to print nothing.
    const auto nextPage = [&] {
        number();
        if (step && !step(pages)) {
            if (auto* printer = dynamic_cast<QPrinter*>(&device)) printer->abort();
            return false;
        }
        ++pages;
        return device.newPage();
    };
    const bool set = setLines(
        job, sheet,
        [&painter](QPointF at, std::string_view piece) {
            painter.drawText(at, QString::fromUtf8(piece.data(), static_cast<qsizetype>(piece.size())));
            return true;
        },
        nextPage);
    if (!set) return false;
    if (lastPage) {
        if (!nextPage()) return false;
        painter.resetTransform();
        lastPage(painter, QRectF(QPointF(0, 0), device.pageLayout().paintRectPixels(qRound(dpi)).size()));
    } else {
        number();
    }
    return painter.end();
}

bool writePdf(QIODevice& device, const PrintParts& job, const QString& title,
              const std::optional<QPageSize>& pageSize, const PagePainter& lastPage, const PageStep& step) {
    constexpr int kResolution = 1200;
    QPdfWriter writer(&device);
    writer.setResolution(kResolution);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("金利計算"));
    if (pageSize && pageSize->isValid() && !writer.setPageSize(*pageSize)) return false;
    return paintPrintout(writer, job, lastPage, step);
}

std::optional<QByteArray> pdfDocument(const std::vector<kinri::PrintLine>& job, const QString& title,
                                      const std::optional<QPageSize>& pageSize, const PagePainter& lastPage) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    if (!buffer.open(QIODevice::WriteOnly) || !writePdf(buffer, PrintParts{job}, title, pageSize, lastPage))
        return std::nullopt;
    buffer.close();
    return pdf;
}

} // namespace kinri::ui
