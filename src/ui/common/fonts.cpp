#include "ui/common/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <array>
#include <string_view>
#include <utility>

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

QString paperFontFamily() {
    const QString found = firstInstalled({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                                          QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic")});
    return found.isEmpty() ? fixedFontFamily() : found;
}

QFont uiFont(double pointSize, const QString& designed) {
    QFont font(uiFontFamily(designed));
    font.setPointSizeF(pointSize);
    return font;
}

bool hasJapaneseFont() {
    return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

namespace {

// What Qt's own Japanese catalogue lacks: the kinds of file a file dialog lists (its 「種類」
// column said 「Folder」). Asked first; anything else goes on to the catalogue.
class QtGaps : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kFileKinds{{
            {"Folder", "フォルダ"},
            {"File Folder", "フォルダ"},
            {"File", "ファイル"},
            {"%1 File", "%1 ファイル"},
            {"Drive", "ドライブ"},
            {"Shortcut", "ショートカット"},
            {"Alias", "エイリアス"},
            {"Unknown", "不明"},
        }};
        if (std::string_view(context) != "QAbstractFileIconProvider") return {};
        for (const auto& [english, japanese] : kFileKinds)
            if (english == source)
                return QString::fromUtf8(japanese.data(), static_cast<qsizetype>(japanese.size()));
        return {};
    }
};

} // namespace

bool applyJapaneseDefaults(QApplication& app) {
    QApplication::setFont(uiFont(9.0));
    auto* translator = new QTranslator(&app); // owned by the application
    const bool loaded =
        translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded) {
        QApplication::installTranslator(translator);
    } else {
        delete translator;
    }
    QApplication::installTranslator(new QtGaps(&app)); // installed last, asked first
    return loaded;
}

} // namespace kinri::ui
