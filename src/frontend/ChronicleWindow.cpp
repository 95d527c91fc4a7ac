#include "frontend/ChronicleWindow.h"

#include <algorithm>
#include <cmath>

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QUrl>
#include <QVBoxLayout>

#include "base/BusyPointer.h"
#include "frontend/ChronicleInfoWindow.h"
#include "frontend/ClickLabel.h"
#include "frontend/DisplayText.h"
#include "frontend/FrontendTexts.h"
#include "frontend/GameTheme.h"
#include "frontend/ScreenNavigator.h"
#include "screens/ChronicleTexts.h"
#include "render/PictureFile.h"

namespace zel {

namespace t = screens::texts;

// A colour as the chronicle keeps it, 0xBBGGRR.
static QColor FromBgr(int bgr) { return QColor(bgr & 0xff, (bgr >> 8) & 0xff, (bgr >> 16) & 0xff); }

// shp: a rectangle of the strip, filled with its colour in a gold frame.
class StripBox : public QWidget {
public:
    using QWidget::QWidget;
    void SetFill(QColor c) {
        if (c == fill_) return;
        fill_ = c;
        update();
    }
    QColor Fill() const { return fill_; }
    // The year's picture, drawn small in `area` of the rectangle.
    void SetPicture(const QPixmap& picture, const QRect& area) {
        picture_ = picture;
        pictureArea_ = area;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal pen = std::max(1.0, fontMetrics().height() / 10.0);
        p.setPen(QPen(theme::ColourOf(theme::Colour::Frame), pen));
        p.setBrush(fill_);
        const qreal r = fontMetrics().height() / 2.5;
        p.drawRoundedRect(QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2), r, r);
        if (!picture_.isNull()) {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawPixmap(pictureArea_, picture_);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(pictureArea_).adjusted(-pen / 2, -pen / 2, pen / 2, pen / 2));
        }
    }

private:
    QColor fill_;          // the rectangle's colour
    QPixmap picture_;      // the year's picture, or none
    QRect pictureArea_;    // where it is drawn
};

// lbl: a label of the strip that reports the mouse moving over it and
// clicks; the event label paints a background of its own.
class StripLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> OnMove;
    std::function<void()> OnClick;
    void SetBackground(QColor c) {
        background_ = c;
        update();
    }
    QColor Background() const { return background_; }

protected:
    void mouseMoveEvent(QMouseEvent* e) override {
        if (OnMove) OnMove();
        QLabel::mouseMoveEvent(e);
    }
    void enterEvent(QEnterEvent* e) override {
        if (OnMove) OnMove();
        QLabel::enterEvent(e);
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && OnClick) {
            e->accept();
            OnClick();
            return;
        }
        QLabel::mousePressEvent(e);
    }
    void paintEvent(QPaintEvent* e) override {
        if (background_.isValid()) {
            QPainter p(this);
            p.setRenderHint(QPainter::Antialiasing);
            const qreal pen = std::max(1.0, fontMetrics().height() / 10.0);
            p.setPen(QPen(theme::ColourOf(theme::Colour::Frame), pen));
            p.setBrush(background_);
            const qreal r = fontMetrics().height() / 2.5;
            p.drawRoundedRect(QRectF(rect()).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2), r, r);
        }
        QLabel::paintEvent(e);
    }

private:
    QColor background_;  // invalid: transparent over a rectangle
};

namespace {

// The window onto the strip; reports its size changes.
class StripView : public QWidget {
public:
    using QWidget::QWidget;
    std::function<void()> OnResize;

protected:
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        if (OnResize) OnResize();
    }
};

void TagAsStrip(QWidget* w) { w->setProperty("tag", QStringLiteral("s")); }

}  // namespace

ChronicleWindow::ChronicleWindow(std::string appPath, Dialogs& dialogs,
                                 const DesktopLauncher& launcher, std::string appTitle)
    : appPath_(std::move(appPath)), dialogs_(dialogs), launcher_(launcher) {
    setObjectName(QStringLiteral("frmXronika"));
    setWindowTitle(ToDisplay(appTitle + t::kChronicleCaptionEnd));
    const int em = fontMetrics().height();

    auto* heading = new QLabel(ToDisplay(t::kChronicleHeading), this);
    heading->setObjectName(QStringLiteral("lblHeading"));
    heading->setAlignment(Qt::AlignCenter);

    auto* view = new StripView(this);
    view->setObjectName(QStringLiteral("picStrip"));
    view_ = view;
    BuildStrip(view_);
    view->OnResize = [this] { UpdateScrollRange(); };

    scroll_ = new QScrollBar(Qt::Horizontal, this);
    scroll_->setObjectName(QStringLiteral("HS"));
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int v) { Scrolled(v); });

    auto* hint = new QLabel(ToDisplay(t::kChronicleHint), this);
    hint->setObjectName(QStringLiteral("lblHint"));
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignCenter);

    auto* club = new ClickLabel(ToDisplay(t::kClubSiteLink), this);
    club->setObjectName(QStringLiteral("lblRK"));
    club->setToolTip(ToDisplay(t::kClubSiteTip));
    club->setCursor(Qt::PointingHandCursor);
    club->setAlignment(Qt::AlignCenter);
    club->OnPress = [this](QMouseEvent*) {
        BusyPointer busy(dialogs_);
        launcher_.StartNet(texts::kClubSite);
    };

    auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(ToDisplay(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    QPushButton* help = button("cmdHelp", t::kHelpSystem);
    QPushButton* dictionary = button("Command3", t::kDictionary);
    QPushButton* links = button("cmdLinks", t::kLinks);
    QPushButton* back = button("cmdBack", t::kBack);
    QPushButton* exit = button("cmdExit", t::kExit);
    connect(help, &QPushButton::clicked, this, [this] { launcher_.OpenHelp(appPath_, dialogs_); });
    connect(links, &QPushButton::clicked, this, [this] { OpenPage(t::kLinksPage, t::kLinksMissing); });
    connect(dictionary, &QPushButton::clicked, this,
            [this] { OpenPage(t::kDictionaryPage, t::kDictionaryMissing); });
    connect(back, &QPushButton::clicked, this, [this] {
        if (OnBack) OnBack(this);
    });
    connect(exit, &QPushButton::clicked, this, [this] { Exit(); });

    auto* pages = new QHBoxLayout;
    pages->addWidget(help);
    pages->addWidget(links);
    pages->addWidget(dictionary);
    pages->addStretch(1);
    pages->addWidget(club);

    auto* leave = new QHBoxLayout;
    leave->addWidget(back);
    leave->addStretch(1);
    leave->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(em * 3 / 2, em, em * 3 / 2, em);
    layout->setSpacing(em / 2);
    layout->addWidget(heading);
    layout->addWidget(view_, 1);
    layout->addWidget(scroll_);
    layout->addWidget(hint);
    layout->addLayout(pages);
    layout->addLayout(leave);
    resize(em * 46, sizeHint().height());
    PaintStrip();
}

ChronicleWindow::~ChronicleWindow() = default;

void ChronicleWindow::BuildStrip(QWidget* view) {
    const int em = fontMetrics().height();
    const char* periodLabels[] = {t::kPeriodLabel0, t::kPeriodLabel1, t::kPeriodLabel2,
                                  t::kPeriodLabel3, t::kEventsLabel};
    struct VariantLabel {
        const char* name;
        const char* caption;
        screens::Variant rules;
        int column;  // the year it stands under
        int row;     // its line under that year
    };
    const VariantLabel variants[] = {
        {"Label3", t::kWallVariant, screens::Variant::Wall, 2, 0},
        {"Label6", t::kWallVariant, screens::Variant::Wall, 3, 0},
        {"Label4", t::kMultiLevelVariant, screens::Variant::MultiLevel, 3, 1},
        {"Label7", t::kProVariant, screens::Variant::Professional, 3, 2},
    };

    for (int i = 0; i < 5; ++i) {
        auto* label = new StripLabel(ToDisplay(periodLabels[i]), view);
        label->setObjectName(QStringLiteral("lbl%1").arg(i));
        label->setProperty("index", i);
        label->setProperty("card", true);
        label->setAlignment(Qt::AlignCenter);
        label->setMouseTracking(true);
        label->setCursor(Qt::PointingHandCursor);
        label->OnMove = [this, i] { Highlight(i); };
        label->OnClick = [this, i] { Sdvig(i); };
        labels_[static_cast<std::size_t>(i)] = label;
    }
    std::vector<ClickLabel*> names;
    for (const VariantLabel& v : variants) {
        auto* label = new ClickLabel(ToDisplay(v.caption), view);
        label->setObjectName(QString::fromLatin1(v.name));
        label->setCursor(Qt::PointingHandCursor);
        label->setAlignment(Qt::AlignCenter);
        const screens::Variant rules = v.rules;
        label->OnPress = [this, rules](QMouseEvent* e) {
            if (e->button() == Qt::LeftButton)
                Tell(dialogs_, screens::VariantRules(rules), MsgIcon::Information);
        };
        names.push_back(label);
    }

    // Sizes from the font, so the strip grows with the letters. Each year's
    // card shows its picture small above its caption.
    const int pictureHeight = em * 9 / 2;
    const int pictureWidth = pictureHeight * 4 / 3;
    const int pictureTop = em / 2;
    int width = std::max(em * 13, pictureWidth + em * 2);
    int textHeight = 0;
    for (StripLabel* l : labels_) {
        width = std::max(width, l->sizeHint().width() + em * 2);
        textHeight = std::max(textHeight, l->sizeHint().height());
    }
    const int cardHeight = pictureTop + pictureHeight + em / 2 + textHeight + em / 2;
    int row = em * 3 / 2;
    for (ClickLabel* l : names) {
        width = std::max(width, l->sizeHint().width() + em);
        row = std::max(row, l->sizeHint().height() + em / 3);
    }
    const int gap = em * 3 / 2;
    const int top = em / 2;
    auto columnX = [&](int column) { return gap + column * (width + gap); };

    for (int i = 0; i < 4; ++i) {
        auto* box = new StripBox(view);
        box->setObjectName(QStringLiteral("shp%1").arg(i));
        box->setGeometry(columnX(i), top, width, cardHeight);
        QString unreadable;  // a picture that cannot be read leaves the card without one
        const QPixmap picture = QPixmap::fromImage(render::ReadPicture(
            QString::fromStdString(screens::PeriodPicturePath(appPath_, i)), unreadable));
        if (!picture.isNull())
            box->SetPicture(picture, QRect((width - pictureWidth) / 2, pictureTop, pictureWidth, pictureHeight));
        TagAsStrip(box);
        boxes_[static_cast<std::size_t>(i)] = box;
    }
    for (int i = 0; i < 5; ++i) {
        StripLabel* l = labels_[static_cast<std::size_t>(i)];
        l->setGeometry(columnX(i), top, width, cardHeight);
        // The years' captions under their pictures; the events' in the middle.
        if (i < 4) l->setContentsMargins(0, pictureTop + pictureHeight + em / 4, 0, em / 4);
        TagAsStrip(l);
        l->raise();
    }
    const int namesTop = top + cardHeight + em / 2;
    for (std::size_t k = 0; k < names.size(); ++k) {
        names[k]->setGeometry(columnX(variants[k].column), namesTop + variants[k].row * row, width, row);
        TagAsStrip(names[k]);
    }
    stripWidth_ = columnX(5);
    view->setMinimumHeight(namesTop + 3 * row + em / 2);
    view->setMinimumWidth(width + 2 * gap);
    // A step of the bar: a little under half a line.
    step_ = std::max(1, static_cast<int>(std::lround(em * 0.4)));
}

std::vector<QWidget*> ChronicleWindow::StripControls() const {
    std::vector<QWidget*> out;
    for (QWidget* w : view_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->property("tag").toString() == QLatin1String("s")) out.push_back(w);
    return out;
}

void ChronicleWindow::Scrolled(int value) {
    const int shift = strip_.Scroll(value) * step_;
    if (shift == 0) return;
    for (QWidget* w : StripControls()) w->move(w->x() + shift, w->y());
}

void ChronicleWindow::UpdateScrollRange() {
    const int view = view_->width();
    scroll_->setRange(0, screens::StripScrollMaximum(stripWidth_, view, step_));
    scroll_->setPageStep(std::max(1, view / step_));
    scroll_->setSingleStep(1);
}

void ChronicleWindow::PaintStrip() {
    for (int i = 0; i < 4; ++i) boxes_[static_cast<std::size_t>(i)]->SetFill(FromBgr(strip_.BoxColour(i)));
    labels_[4]->SetBackground(FromBgr(strip_.EventLabelColour()));
}

void ChronicleWindow::Reset() {
    strip_.Reset();
    PaintStrip();
}

void ChronicleWindow::Highlight(int index) {
    if (strip_.Hover(index)) PaintStrip();
}

ChronicleInfoWindow* ChronicleWindow::Detail() {
    if (!detail_) {
        detail_ = std::make_unique<ChronicleInfoWindow>(appPath_, dialogs_);
        detail_->OnBack = [this](QWidget* from) { ScreenNavigator::HandOver(from, this); };
        detail_->OnExitProgram = [this] {
            SetExiting();
            if (OnExitProgram) OnExitProgram();
        };
    }
    return detail_.get();
}

void ChronicleWindow::Sdvig(int index) {
    ChronicleInfoWindow* detail = Detail();
    if (!detail->Open(index)) return;
    ScreenNavigator::HandOver(this, detail);
}

void ChronicleWindow::OpenPage(const char* page, const char* missing) {
    screens::OpenChroniclePage(appPath_, page, missing, dialogs_, [this](const std::string& path) {
        const QUrl url = QUrl::fromLocalFile(QString::fromStdString(path));
        launcher_.StartNet(url.toString(QUrl::FullyEncoded).toStdString());
    });
}

void ChronicleWindow::SetExiting() {
    exiting_ = true;
    if (detail_) detail_->SetExiting();
}

void ChronicleWindow::Exit() {
    SetExiting();
    if (OnExitProgram) OnExitProgram();
}

void ChronicleWindow::closeEvent(QCloseEvent* e) {
    e->accept();
    if (exiting_) return;
    Exit();
}

}  // namespace zel
