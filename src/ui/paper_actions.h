#pragma once

#include <QObject>

class QAction;
class QWidget;

namespace kinri::ui {

class CalculatorKeys;

// Paper from a calculator window without 計算後印刷, for its last calculation that succeeded:
// 「印刷プレビュー」, 「PDFとして保存…」 and 「印刷…」 (the system's print dialog), each the pages
// 計算後印刷 would send; and 「計算記録を表示」, the record of the whole run. In the window's
// context menus, with their keys.
class PaperActions : public QObject {
    Q_OBJECT
public:
    PaperActions(QWidget& window, CalculatorKeys& keys);

signals:
    void recordRequested();

private:
    QAction* add(const QString& text, const QKeySequence& keys, const char* name);

    QWidget& window_;
    CalculatorKeys& keys_;
};

} // namespace kinri::ui
