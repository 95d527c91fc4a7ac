#include "frontend/SplashWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include "frontend/FrontendTexts.h"
#include "render/PictureFile.h"

namespace zel {
namespace {

// The slides are drawn for this size; the window keeps it.
constexpr int kSplashWidth = 640;
constexpr int kSplashHeight = 480;

// Where a picture of `size` lands in `area`: as large as fits, aspect kept, centred.
QRect Fitted(const QSize& size, const QRect& area) {
    if (size.isEmpty()) return {};
    const QSize scaled = size.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - scaled.width()) / 2,
                 area.y() + (area.height() - scaled.height()) / 2, scaled.width(), scaled.height());
}

}  // namespace

SplashWindow::SplashWindow(Dialogs& dialogs, const ErrorLog& log)
    : player_(*this, dialogs, log) {
    setWindowTitle(QString::fromStdString(ApplicationTitle()));
    setFixedSize(kSplashWidth, kSplashHeight);
    setFocusPolicy(Qt::StrongFocus);

    slideTimer_.setSingleShot(true);
    connect(&slideTimer_, &QTimer::timeout, this, [this] { player_.SlideTimerTick(); });

    waitLabel_ = new QLabel(QString::fromUtf8(texts::kWaitLabel), this);
    waitLabel_->setAlignment(Qt::AlignCenter);
    waitLabel_->setObjectName(QStringLiteral("lblWait"));  // its look is the theme's
    waitLabel_->adjustSize();
    waitLabel_->move((kSplashWidth - waitLabel_->width()) / 2, kSplashHeight - waitLabel_->height() - 24);
    waitLabel_->hide();
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::PrepareReplay() {
    background_ = QPixmap();
    waitLabel_->hide();
    update();
}

void SplashWindow::ShowSlideBox() {
    slideBoxVisible_ = true;
    update();
}

bool SplashWindow::WaitingLabelVisible() const { return waitLabel_->isVisibleTo(this); }

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!background_.isNull())
        p.drawPixmap(Fitted(background_.size(), rect()), background_);
    if (slideBoxVisible_ && !slide_.isNull())
        p.drawPixmap(Fitted(slide_.size(), rect()), slide_);
}

void SplashWindow::keyPressEvent(QKeyEvent* e) {
    e->accept();
    player_.KeyPress();
}

void SplashWindow::closeEvent(QCloseEvent* e) {
    e->ignore();
    player_.KeyPress();
}

bool SplashWindow::ShowSlidePicture(const std::string& path, std::string& error) {
    QString why;
    const QImage picture = render::ReadPicture(QString::fromStdString(path), why);
    if (picture.isNull()) {
        error = why.toStdString();
        return false;
    }
    slide_ = QPixmap::fromImage(picture);
    update();
    return true;
}

void SplashWindow::ProcessEvents() { QCoreApplication::processEvents(); }

void SplashWindow::ArmSlideTimer(int ms) { slideTimer_.start(ms); }

void SplashWindow::DisarmSlideTimer() { slideTimer_.stop(); }

void SplashWindow::HideSlideBox() {
    slideBoxVisible_ = false;
    update();
}

void SplashWindow::StopSound(int slot) {
    if (OnStopSound) OnStopSound(slot);
}

void SplashWindow::ShowWaitingScreen(const std::string& waitingPicture) {
    // A waiting picture that cannot be read leaves the plain background.
    QString why;
    background_ = QPixmap::fromImage(render::ReadPicture(QString::fromStdString(waitingPicture), why));
    waitLabel_->show();
    waitLabel_->raise();
    update();
}

void SplashWindow::HandOverToMenu() {
    if (OnHandOverToMenu) OnHandOverToMenu();
}

}  // namespace zel
