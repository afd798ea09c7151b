#pragma once

#include "ui/captions/caption_label.h"

#include <QPointer>

namespace kinri::ui {

// The print switch of a calculator window: a caption label that is also a control. Tab gives it
// the keyboard focus, a frame round it shows that it has it, and Space or Enter on it does what a
// click does. Assistive technology sees a button named by its caption.
class PrintSwitch : public CaptionLabel {
    Q_OBJECT
public:
    explicit PrintSwitch(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool spaceDown_ = false; // Space went down here: its release is the click
    QPointer<QWidget> ring_; // the focus frame, beside the switch in its window
};

} // namespace kinri::ui
