#pragma once

#include "ui/help/help_viewer.h"

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
    // The page of the calculation `item` ("SP"), or the contents when there is none.
    void showCalculationPage(const QString& item);
    QTextBrowser* browser() const { return browser_; }
    // 720 × 600 pixels at 96 dpi, in proportion at other resolutions and scales.
    QSize sizeHint() const override;
    // Pages, their type and the window drawn `factor` times as large as designed.
    void setScale(double factor);

private:
    void find(bool backward);

    double scale_ = 1.0;
    QTextBrowser* browser_;
    QLineEdit* search_;
};

// Opens "MEPTAL.hlp" (the only help file the program has) in a HelpWindow at its contents or at
// a calculation's page. There is one help window; asking again raises it at the page asked for.
class BuiltInHelpViewer : public HelpViewer {
public:
    BuiltInHelpViewer();
    ~BuiltInHelpViewer() override;
    void showContents(const QString& helpFile) override;
    void showTopic(const QString& helpFile, const QString& item) override;
    void setScale(double factor) override;
    HelpWindow* window() const { return window_.get(); }

private:
    HelpWindow* windowFor(const QString& helpFile); // nullptr for a file it does not have
    void bringToFront();

    std::unique_ptr<HelpWindow> window_;
    double scale_ = 1.0;
};

inline constexpr const char* kHelpFileName = "MEPTAL.hlp";

} // namespace kinri::ui
