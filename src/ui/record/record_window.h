#pragma once

#include <QSize>
#include <QWidget>

#include <functional>

class QHBoxLayout;
class QLabel;
class QListView;

namespace kinri::ui {

class PaperService;
class RecordModel;

// The window of 計算記録: every calculation of this run that succeeded, oldest first, one block
// each (its family and time, then its conditions and result), in step with the calculator windows
// while it is open. The selected entries — or all, when none is selected — can be copied, saved
// as text or PDF, previewed and printed; the record can be cleared. Closing the window only hides
// it: the record stays until the program ends, and nothing of it is written unless saved.
class RecordWindow : public QWidget {
    Q_OBJECT
public:
    RecordWindow(RecordModel& model, PaperService& paper);
    ~RecordWindow() override;

    // Shown, raised and active, at its newest entry.
    void present();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void addCommand(const QString& text, const QKeySequence& keys, void (RecordWindow::*slot)(),
                    const char* name);
    void copy();
    void saveText();
    void savePdf();
    void preview();
    void print();
    void askToClear();
    void updateStatus();
    void fitFont();
    QSize rowSize(const QString& text) const;

    RecordModel& model_;
    PaperService& paper_;
    QListView* view_ = nullptr;
    QLabel* status_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    bool following_ = true;                        // the view keeps to the newest entry
    std::function<QSize(const QString&)> measure_; // a row's size as the view draws it
    // What rowSize measures with, taken from the style once per font.
    mutable QSize rowPad_;
    mutable int lineHeight_ = 0;
    mutable int column_ = 0;
};

} // namespace kinri::ui
