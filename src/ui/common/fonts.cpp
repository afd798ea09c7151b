#include "ui/common/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kinri::ui {
namespace {

// Latin spellings under which the designed Japanese fonts may be registered.
QString latinAlias(const QString& family) {
    if (family == QStringLiteral("ＭＳ Ｐゴシック")) return QStringLiteral("MS PGothic");
    if (family == QStringLiteral("ＭＳ ゴシック")) return QStringLiteral("MS Gothic");
    return family;
}

QString firstInstalled(const QStringList& candidates) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& c : candidates)
        if (installed.contains(c, Qt::CaseInsensitive)) return c;
    return {};
}

} // namespace

// Where the designed fonts are missing, the IPA gothics come first: they were drawn to the
// designed fonts' metrics, a line about 1.08 em high, so captions laid out in the designed
// rectangles fit as they were meant to. Noto Sans CJK (lines of about 1.45 em) is the last resort.
QString uiFontFamily(const QString& designed) {
    QStringList candidates{designed, latinAlias(designed)};
#ifdef Q_OS_WIN
    // Outside Japanese installations of Windows 10 and later the MS Gothic family is an optional
    // feature; Yu Gothic UI is the system's own Japanese UI font, Meiryo the one before it.
    candidates << QStringLiteral("Yu Gothic UI") << QStringLiteral("Meiryo UI") << QStringLiteral("Meiryo");
#endif
    candidates << QStringLiteral("IPAPGothic") << QStringLiteral("Noto Sans CJK JP")
               << QStringLiteral("Noto Sans JP");
    const QString found = firstInstalled(candidates);
    return found.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : found;
}

// The table's rows keep Noto Sans Mono CJK where the designed font is missing: its full stop is a
// clear round dot at 9 points, where IPAGothic's is a flat one that reads like a comma
// (1100.000 as 1100,000).
QString fixedFontFamily() {
    QStringList candidates{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic")};
#ifdef Q_OS_WIN
    // The newer fixed-pitch Japanese face of Windows 10 and later (full width = two half widths).
    candidates << QStringLiteral("BIZ UDGothic");
#endif
    candidates << QStringLiteral("Noto Sans Mono CJK JP") << QStringLiteral("IPAGothic");
    const QString found = firstInstalled(candidates);
    return found.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont).family() : found;
}

QFont uiFont(double pointSize, const QString& designed) {
    QFont font(uiFontFamily(designed));
    font.setPointSizeF(pointSize);
    return font;
}

bool hasJapaneseFont() {
    return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

bool applyJapaneseDefaults(QApplication& app) {
    QApplication::setFont(uiFont(9.0));
    auto* translator = new QTranslator(&app); // owned by the application
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
        return true;
    }
    delete translator;
    return false;
}

} // namespace kinri::ui
