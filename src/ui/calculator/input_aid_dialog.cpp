#include "ui/calculator/input_aid_dialog.h"

#include "ui/common/window_placement.h"

#include "aid/input_aid.h"
#include "ui/common/qt_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kinri::ui {

InputAidDialog::InputAidDialog(QWidget* parent, InputKind kind, int fixedPerYear, int perYear,
                               const QString& start)
    : QDialog(parent), kind_(kind) {
    setObjectName(QStringLiteral("InputAid"));
    const bool rate = isRate(kind);
    const QString what = !rate                           ? QStringLiteral("年数")
                         : kind == InputKind::GrowthRate ? QStringLiteral("年率")
                                                         : QStringLiteral("年利");
    what_ = what;
    setWindowTitle(what + QStringLiteral("から入力"));
    setAccessibleName(windowTitle());
    refuseMaximise(*this); // a dialog of fixed size

    annual_ = new QLineEdit(start, this);
    annual_->setObjectName(QStringLiteral("AidValue"));
    annual_->setAccessibleName(rate ? what + QStringLiteral("（%）") : what);
    auto* unit = new QLabel(rate ? QStringLiteral("%") : QStringLiteral("年"), this);
    auto* valueRow = new QHBoxLayout;
    valueRow->addWidget(annual_);
    valueRow->addWidget(unit);

    perYearBox_ = new QComboBox(this);
    perYearBox_->setObjectName(QStringLiteral("AidPerYear"));
    perYearBox_->setAccessibleName(QStringLiteral("1年の期数"));
    for (const int n : aid::kPerYearChoices) {
        if (fixedPerYear != 0 && n != fixedPerYear) continue;
        perYearBox_->addItem(qs(aid::perYearName(n)) + QStringLiteral("（%1）").arg(n), n);
    }
    // Monthly unless chosen otherwise before: the commonest period of loans and savings.
    const int index = perYearBox_->findData(perYear != 0 ? perYear : 12);
    perYearBox_->setCurrentIndex(index >= 0 ? index : perYearBox_->count() - 1);
    perYearBox_->setEnabled(fixedPerYear == 0); // a monthly calculation is monthly

    auto* form = new QFormLayout;
    auto* valueLabel = new QLabel(what + (rate ? QStringLiteral("(&A)") : QStringLiteral("(&Y)")), this);
    valueLabel->setBuddy(annual_);
    form->addRow(valueLabel, valueRow);
    auto* perYearLabel = new QLabel(QStringLiteral("1年の期数(&P)"), this);
    perYearLabel->setBuddy(perYearBox_);
    form->addRow(perYearLabel, perYearBox_);

    arithmetic_ = new QLabel(this);
    arithmetic_->setObjectName(QStringLiteral("AidArithmetic"));
    arithmetic_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bigger = arithmetic_->font();
    bigger.setBold(true);
    arithmetic_->setFont(bigger);
    rounding_ = new QLabel(QStringLiteral("割り切れないため 15 桁に丸めています"), this);

    auto* buttons = new QDialogButtonBox(this);
    enter_ = buttons->addButton(QStringLiteral("入力"), QDialogButtonBox::AcceptRole);
    enter_->setDefault(true);
    buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(arithmetic_);
    layout->addWidget(rounding_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(annual_, &QLineEdit::textChanged, this, &InputAidDialog::update);
    connect(perYearBox_, &QComboBox::currentIndexChanged, this, &InputAidDialog::update);
    update();
    annual_->selectAll();
}

int InputAidDialog::perYear() const {
    return perYearBox_->currentData().toInt();
}

void InputAidDialog::update() {
    const auto conversion = aid::convert(kind_, annual_->text().toStdString(), perYear());
    value_ = conversion ? qs(conversion->value) : QString();
    QString shown = conversion ? qs(conversion->arithmetic)
                               : what_ + (isRate(kind_) ? QStringLiteral("を % の数値で入力してください")
                                                        : QStringLiteral("を数値で入力してください"));
    arithmetic_->setText(shown);
    arithmetic_->setAccessibleName(shown);
    rounding_->setVisible(conversion && !conversion->exact);
    enter_->setEnabled(conversion.has_value());
}

} // namespace kinri::ui
