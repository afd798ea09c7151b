#include "ui/help/help_window.h"

#include "ui/common/icons.h"
#include "ui/common/twips.h"
#include "ui/common/window_placement.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace kinri::ui {
namespace {

const QString kHelpName = QStringLiteral("金利計算 ヘルプ");

// The pages' style sheet gives sizes in points and pixels for the design's scale; the browser
// hands it on with every size multiplied by the program's scale.
class ScaledBrowser : public QTextBrowser {
public:
    ScaledBrowser(QWidget* parent, const double& scale) : QTextBrowser(parent), scale_(scale) {}

    QVariant loadResource(int type, const QUrl& name) override {
        const QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::StyleSheetResource || scale_ == 1.0) return resource;
        static const QRegularExpression size(QStringLiteral("(\\d+(?:\\.\\d+)?)(pt|px)\\b"));
        QString sheet = QString::fromUtf8(resource.toByteArray());
        QString scaled;
        qsizetype from = 0;
        for (const QRegularExpressionMatch& m : size.globalMatch(sheet)) {
            scaled += sheet.mid(from, m.capturedStart() - from);
            scaled += QString::number(m.captured(1).toDouble() * scale_, 'f', 2) + m.captured(2);
            from = m.capturedEnd();
        }
        return QVariant(scaled + sheet.mid(from));
    }

private:
    const double& scale_;
};

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(kHelpName);
    setWindowIcon(artworkIcon(QStringLiteral("kinri")));
    setAttribute(Qt::WA_QuitOnClose, false); // closing help never ends the program
    resize(sizeHint());

    browser_ = new ScaledBrowser(this, scale_);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenExternalLinks(false);
    browser_->setSearchPaths({QStringLiteral(":/help")});

    auto makeButton = [this](const QString& name, const QString& text, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(text);
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        return b;
    };
    QToolButton* back = makeButton(QStringLiteral("HelpBack"), QStringLiteral("戻る"), QStyle::SP_ArrowBack);
    QToolButton* forward =
        makeButton(QStringLiteral("HelpForward"), QStringLiteral("進む"), QStyle::SP_ArrowForward);
    QToolButton* home =
        makeButton(QStringLiteral("HelpContents"), QStringLiteral("目次"), QStyle::SP_DirHomeIcon);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, &HelpWindow::showContentsPage);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    // A page's own title, then the help's name once; the contents page is titled by the name.
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() || title == kHelpName ? kHelpName
                                                             : title + QStringLiteral(" – ") + kHelpName);
    });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("HelpSearch"));
    search_->setPlaceholderText(QStringLiteral("ページ内を検索"));
    search_->setClearButtonEnabled(true);
    connect(search_, &QLineEdit::returnPressed, this, [this] { find(false); });

    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(home);
    bar->addStretch(1);
    bar->addWidget(search_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);
}

QSize HelpWindow::sizeHint() const {
    return {twipsToPixels(10800, logicalDpiX() * scale_), twipsToPixels(9000, logicalDpiY() * scale_)};
}

// An open window grows (or shrinks) with its pages and stays on the screen.
void HelpWindow::setScale(double factor) {
    if (factor == scale_) return;
    const double ratio = factor / scale_;
    scale_ = factor;
    if (!browser_->source().isEmpty()) browser_->reload();
    if (!isVisible()) {
        resize(sizeHint());
        return;
    }
    resize(QSize(qRound(width() * ratio), qRound(height() * ratio))
               .boundedTo(screen() != nullptr ? screen()->availableGeometry().size() : size()));
    keepOnScreen(*this);
}

void HelpWindow::showContentsPage() {
    browser_->setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
}

void HelpWindow::showCalculationPage(const QString& item) {
    const QString page = QStringLiteral(":/help/%1.html").arg(item);
    if (item.isEmpty() || !QFile::exists(page)) {
        showContentsPage();
        return;
    }
    browser_->setSource(QUrl(QStringLiteral("qrc") + page));
}

void HelpWindow::find(bool backward) {
    const QString needle = search_->text();
    if (needle.isEmpty()) return;
    QTextDocument::FindFlags flags;
    if (backward) flags |= QTextDocument::FindBackward;
    if (!browser_->find(needle, flags)) {
        // Wrap around once from the start of the page.
        QTextCursor cursor = browser_->textCursor();
        cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        browser_->setTextCursor(cursor);
        browser_->find(needle, flags);
    }
}

BuiltInHelpViewer::BuiltInHelpViewer() = default;
BuiltInHelpViewer::~BuiltInHelpViewer() = default;

HelpWindow* BuiltInHelpViewer::windowFor(const QString& helpFile) {
    if (helpFile.compare(QLatin1String(kHelpFileName), Qt::CaseInsensitive) != 0) {
        // As a help viewer does, report a file it does not have; the program never looks itself.
        QMessageBox::warning(nullptr, QStringLiteral("ヘルプ"),
                             QStringLiteral("ヘルプ ファイル %1 が見つかりません。").arg(helpFile));
        return nullptr;
    }
    if (!window_) {
        window_ = std::make_unique<HelpWindow>();
        window_->setScale(scale_);
    }
    return window_.get();
}

// Help opened afresh goes beside the window it was asked from, so that the calculation the user
// reads about stays in view; an open help window stays where the user has it.
void BuiltInHelpViewer::bringToFront() {
    if (!window_->isVisible()) {
        const QWidget* from = QApplication::activeWindow();
        if (from != nullptr && from != window_.get())
            placeBeside(*window_, *from);
        else
            placeOnScreen(*window_);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void BuiltInHelpViewer::setScale(double factor) {
    scale_ = factor;
    if (window_) window_->setScale(factor);
}

void BuiltInHelpViewer::showContents(const QString& helpFile) {
    if (HelpWindow* w = windowFor(helpFile)) {
        w->showContentsPage();
        bringToFront();
    }
}

void BuiltInHelpViewer::showTopic(const QString& helpFile, const QString& item) {
    if (HelpWindow* w = windowFor(helpFile)) {
        w->showCalculationPage(item);
        bringToFront();
    }
}

} // namespace kinri::ui
