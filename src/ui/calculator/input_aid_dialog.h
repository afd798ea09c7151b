#pragma once

#include "catalogue/catalogue.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kinri::ui {

// The aid of a rate or count box: 年利 in % (or years) and the periods in a year go in, the
// arithmetic is shown as a person would write it (「1.5 % ÷ 100 ÷ 12 = 0.00125」) and 入力 hands
// the per-period figure to the box. The dialog itself changes no box.
class InputAidDialog : public QDialog {
    Q_OBJECT
public:
    // `fixedPerYear` is the entry's own (12 for the monthly ones) or 0; `perYear` the one chosen
    // last; `start` the annual figure the box already stands for, if any.
    InputAidDialog(QWidget* parent, InputKind kind, int fixedPerYear, int perYear, const QString& start);

    // What the box gets on 入力: 「0.00125」; empty while the value is no number.
    QString value() const { return value_; }
    int perYear() const;

private:
    void update();

    InputKind kind_;
    QString what_;                    // 年利, 年率 or 年数
    QLineEdit* annual_ = nullptr;     // AidValue
    QComboBox* perYearBox_ = nullptr; // AidPerYear
    QLabel* arithmetic_ = nullptr;
    QLabel* rounding_ = nullptr;
    QPushButton* enter_ = nullptr;
    QString value_;
};

} // namespace kinri::ui
