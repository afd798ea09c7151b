#pragma once

#include "ui/platform.h"

#include <QWidget>

#include <memory>

class QLineEdit;
class QTextBrowser;
class QToolButton;

namespace kinri::ui {

// The program's own presentation of its help file: contents, a page per calculation, links,
// back and forward, and search within a page.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void showContentsPage();
    QTextBrowser* browser() const { return browser_; }

private:
    void find(bool backward);

    QTextBrowser* browser_;
    QLineEdit* search_;
};

// Opens "MEPTAL.hlp" (the only help file the program has) in a HelpWindow at its contents.
class BuiltInHelpViewer : public HelpViewer {
public:
    BuiltInHelpViewer();
    ~BuiltInHelpViewer() override;
    void showContents(const QString& helpFile) override;
    HelpWindow* window() const { return window_.get(); }

private:
    std::unique_ptr<HelpWindow> window_;
};

inline constexpr const char* kHelpFileName = "MEPTAL.hlp";

} // namespace kinri::ui
