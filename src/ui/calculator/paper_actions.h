#pragma once

#include <QObject>

#include <memory>

class QAction;
class QKeySequence;
class QWidget;

namespace kinri {
struct CatalogueEntry;
struct Calculation;
} // namespace kinri

namespace kinri::ui {

class CalculatorKeys;
class ClickController;
class PaperService;

// Paper from a calculator window without 計算後印刷, for the controller's last calculation:
// 「印刷プレビュー」, 「PDFとして保存…」 and 「印刷…」 (the system's print dialog), each the pages
// 計算後印刷 would send; 「返済予定表」 (「明細」), the schedule behind a loan or a growing sum,
// where the calculation has one; and 「計算記録を表示」, the record of the whole run. In the
// window's context menus, with their keys; offered once a calculation has succeeded.
class PaperActions : public QObject {
    Q_OBJECT
public:
    PaperActions(QWidget& window, CalculatorKeys& keys, const ClickController& clicks, PaperService& paper);

    // A menu entry has dressed the window: the schedule is offered where it has one.
    void setDressed(const CatalogueEntry& entry);

signals:
    void recordRequested();
    void planRecorded(std::shared_ptr<const kinri::Calculation> plan);

private:
    QAction* add(const QString& text, const QKeySequence& keys, const char* name);
    void openSchedule();
    // A plan of `calculation`'s loan (the defaults without one), beside `beside`.
    void openPlan(std::shared_ptr<const kinri::Calculation> calculation, QWidget& beside);

    QWidget& window_;
    CalculatorKeys& keys_;
    const ClickController& clicks_;
    PaperService& paper_;
    QAction* schedule_ = nullptr;
    QAction* plan_ = nullptr;
};

} // namespace kinri::ui
