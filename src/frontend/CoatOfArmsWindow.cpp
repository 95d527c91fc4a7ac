#include "frontend/CoatOfArmsWindow.h"

#include <functional>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QVBoxLayout>

#include "base/TextFile.h"
#include "frontend/DisplayText.h"
#include "frontend/QtPicturePrinter.h"
#include "render/PictureFile.h"

namespace zel {
namespace {

// Image1: reports where a mouse button was let go.
class ReleaseLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void(Qt::MouseButton, const QPoint&)> OnRelease;

protected:
    void mousePressEvent(QMouseEvent* e) override { e->accept(); }
    void mouseReleaseEvent(QMouseEvent* e) override {
        e->accept();
        if (OnRelease) OnRelease(e->button(), e->globalPosition().toPoint());
    }
};

}  // namespace

CoatOfArmsWindow::CoatOfArmsWindow(const std::string& appPath, Dialogs& dialogs,
                                   const DesktopLauncher& launcher, QWidget* parent)
    : QDialog(parent), picture_(appPath + screens::kCoatOfArmsPicture), dialogs_(dialogs),
      launcher_(launcher), printer_(std::make_unique<QtPicturePrinter>(this)) {
    setObjectName(QStringLiteral("frmGerb"));
    setWindowTitle(ToDisplay(screens::kCoatOfArmsCaption));
    setModal(true);

    auto* image = new ReleaseLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setToolTip(ToDisplay(screens::kCoatOfArmsTip));
    image->setAlignment(Qt::AlignCenter);
    image->setCursor(Qt::PointingHandCursor);
    // A picture that cannot be loaded leaves the window empty.
    QString unreadable;
    if (FileExists(picture_))
        image->setPixmap(QPixmap::fromImage(render::ReadPicture(QString::fromStdString(picture_), unreadable)));
    if (image->pixmap().isNull()) image->setMinimumSize(240, 240);
    image->OnRelease = [this](Qt::MouseButton b, const QPoint& at) { Released(b, at); };
    image_ = image;

    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("mnu1"));
    for (const screens::CoatOfArmsMenuItem& item : screens::kCoatOfArmsMenu) {
        using Kind = screens::CoatOfArmsMenuItem::Kind;
        if (item.What == Kind::Separator) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = menu_->addAction(ToDisplay(item.Caption));
        action->setObjectName(QString::fromLatin1(item.Name));
        switch (item.What) {
            case Kind::Web: {
                const std::string address = item.Address;
                connect(action, &QAction::triggered, this, [this, address] { launcher_.StartNet(address); });
                break;
            }
            case Kind::Print:
                connect(action, &QAction::triggered, this, [this] { Print(); });
                break;
            case Kind::Close:
                connect(action, &QAction::triggered, this, [this] { reject(); });
                break;
            case Kind::Separator: break;
        }
    }

    auto* layout = new QVBoxLayout(this);
    const int em = fontMetrics().height();
    layout->setContentsMargins(em, em, em, em);
    layout->addWidget(image);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CoatOfArmsWindow::~CoatOfArmsWindow() = default;

QLabel* CoatOfArmsWindow::Picture() const { return image_; }

void CoatOfArmsWindow::SetPrinter(std::unique_ptr<screens::PicturePrinter> printer) {
    if (printer) printer_ = std::move(printer);
}

screens::PrintOutcome CoatOfArmsWindow::Print() {
    return screens::PrintCoatOfArms(picture_, dialogs_, *printer_);
}

void CoatOfArmsWindow::Released(Qt::MouseButton button, const QPoint& global) {
    if (button == Qt::LeftButton) {
        reject();
        return;
    }
    menu_->popup(global);
}

}  // namespace zel
