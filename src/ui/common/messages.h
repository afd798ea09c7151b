#pragma once

#include "ui/common/version.h"

#include <string_view>

namespace kinri::ui {

// The texts of the program's message boxes. A line break inside a text is "\n"; each window
// system shows it as its own line break.
enum class MessageIcon { None, Information, Exclamation };

struct MessageBoxText {
    std::string_view title;
    std::string_view text;
    MessageIcon icon;
};

inline constexpr MessageBoxText kInputRequiredBox{"メッセージ", "入力してください", MessageIcon::Information};

inline constexpr MessageBoxText kCalculationErrorBox{
    "                            お知らせ",
    "           エラーが発生しました\n（0で除算・不合理な設定等が原因です）", MessageIcon::Exclamation};

// Under 「詳細」 of the calculation error box when the printer failed: why.
inline constexpr std::string_view kPrintFailedPrefix = "印刷できませんでした：";
inline constexpr std::string_view kNoDestinationReason = "既定のプリンタが見つかりません";
inline constexpr std::string_view kRefusedReason = "プリンタが印刷を受け付けませんでした";
inline constexpr std::string_view kInterruptedReason = "印刷が途中で止まりました";
inline constexpr std::string_view kUnreachableReason = "印刷サーバに接続できません";
inline constexpr std::string_view kTimedOutReason = "印刷サーバが時間内に応答しませんでした";
inline constexpr std::string_view kRenderingReason = "印刷するページを作れませんでした";
inline constexpr std::string_view kCancelledReason = "印刷を取り消しました";

// 返済予定表 or 明細 asked for where there is no calculation to show: none yet, or the last one
// failed or was cleared.
inline constexpr MessageBoxText kNoScheduleYetBox{
    "メッセージ", "表示できる計算結果がありません。\n入力して「計算」を押し、計算が成功すると表示できます。",
    MessageIcon::Information};

// Asked by the print switch of every calculator window; Yes switches printing on, No off.
inline constexpr MessageBoxText kPrintQuestionBox{"メッセージ", "実行後、計算条件・結果\nを印刷します",
                                                  MessageIcon::Exclamation};

// Once at start where no installed font can show Japanese; its second line is readable even then.
inline constexpr MessageBoxText kNoJapaneseFontBox{
    "メッセージ",
    "日本語を表示できるフォントが見つかりません。日本語のフォント（IPAゴシック、Noto Sans CJK など）を"
    "インストールしてください。\n"
    "No font with Japanese characters is installed, so the program's texts cannot be shown. Please install "
    "one, such as fonts-noto-cjk or fonts-ipafont-gothic.",
    MessageIcon::Exclamation};

// The version line: ten half-width spaces, then "Ver" and the project's version.
inline constexpr MessageBoxText kVersionBox{
    "    バージョン情報", "金利計算\n          Ver" KINRI_VERSION "\n金利計算 開発チーム", MessageIcon::None};

} // namespace kinri::ui
