#pragma once

#include <QChar>
#include <QFont>
#include <QString>

class QApplication;

namespace kinri::ui {

// The Japanese UI font: the designed family where it is installed, else the Japanese font the
// system has. `designed` is a family name such as "ＭＳ Ｐゴシック".
QString uiFontFamily(const QString& designed = QStringLiteral("ＭＳ Ｐゴシック"));

// A fixed-pitch Japanese font whose full-width glyphs are exactly two half-widths, so that
// columns padded with spaces line up on screen and on paper.
QString fixedFontFamily();
// The fixed-pitch face of paper (print and PDF): one whose glyphs of kanji serve no other code
// point first, so that a PDF's text layer holds the characters printed. (Qt names each glyph in a
// PDF by its lowest code point, and in the Noto CJK faces 入, 方, 金, 高 share their glyphs with
// the Kangxi radicals ⼊, ⽅, ⾦, ⾼: searching and copying from such a PDF fail.)
QString paperFontFamily();
// How many half-width columns `c` takes in that face: 1 for ASCII and half-width kana, 2 for the
// rest.
inline int columnsOf(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x80 || (u >= 0xFF61 && u <= 0xFF9F) ? 1 : 2;
}

QFont uiFont(double pointSize, const QString& designed = QStringLiteral("ＭＳ Ｐゴシック"));

// Whether any installed font has Japanese glyphs; without one every caption is a row of boxes.
bool hasJapaneseFont();

// Application-wide set-up: the default UI font and Qt's own Japanese texts for dialog buttons
// (はい / いいえ / OK) when the system has the translation. Returns whether it was loaded.
bool applyJapaneseDefaults(QApplication& app);

} // namespace kinri::ui
