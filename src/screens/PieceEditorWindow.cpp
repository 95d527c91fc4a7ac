#include "screens/PieceEditorWindow.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/ScreenTexts.h"
#include "screens/ToggleLabel.h"

namespace zel::screens {
namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }

}  // namespace

PieceEditorWindow::PieceEditorWindow(MatchState& s, DisplaySettings& display, Dialogs& d, QWidget* parent)
    : QDialog(parent), s_(s), display_(display), d_(d) {
    setObjectName("frmEditVemba");
    setWindowTitle(Q(texts::kEditorTitle));
    setModal(true);

    auto* heading = new QLabel(Q(texts::kEditorHeading), this);
    heading->setObjectName("Label1");
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
    heading->setFont(headingFont);

    auto* frame1 = new QGroupBox(Q(texts::kFramePiece), this);
    frame1->setObjectName("Frame1");
    auto* massLabel = new QLabel(Q(texts::kLabelMass), frame1);
    massLabel->setObjectName("Label2");
    mass_ = new QLineEdit(frame1);
    mass_->setObjectName("txtMass");
    massLabel->setBuddy(mass_);
    auto* massRow = new QHBoxLayout(frame1);
    massRow->addWidget(massLabel);
    massRow->addWidget(mass_, 1);

    info_ = new QLabel(Q(texts::kInfoDesign), this);
    info_->setObjectName("lblInfo");
    info_->setWordWrap(true);

    auto* frame2 = new QGroupBox(Q(texts::kFramePreview), this);
    frame2->setObjectName("Frame2");
    auto* hint = new QLabel(Q(texts::kPreviewHint), frame2);
    hint->setObjectName("Label3");
    hint->setWordWrap(true);
    preview_ = new QPushButton(Q(texts::kPreviewButton), frame2);
    preview_->setObjectName("cmdPreviewVemba");
    preview_->setAutoDefault(false);
    mode_ = new ToggleLabel(frame2);
    mode_->setObjectName("Label4");
    auto* previewBox = new QVBoxLayout(frame2);
    previewBox->addWidget(hint);
    previewBox->addWidget(preview_, 0, Qt::AlignLeft);
    previewBox->addWidget(mode_);

    done_ = new QPushButton(Q(texts::kAccept), this);
    done_->setObjectName("cmdDone");
    done_->setDefault(true);
    cancel_ = new QPushButton(Q(texts::kBack), this);
    cancel_->setObjectName("cmdCancel");
    cancel_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(done_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(frame1);
    layout->addWidget(info_);
    layout->addWidget(frame2);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    setTabOrder(mass_, preview_);
    setTabOrder(preview_, mode_);
    setTabOrder(mode_, done_);
    setTabOrder(done_, cancel_);

    connect(mass_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.SetMassText(t.toStdString()); });
    connect(done_, &QPushButton::clicked, this, [this] { Done(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
    connect(preview_, &QPushButton::clicked, this, [this] { Preview(); });
    mode_->OnClick = [this] {
        model_.ToggleMode();
        Refresh();
    };
    Refresh();
}

void PieceEditorWindow::Open(int n, const std::string& name, const std::string& modelText) {
    model_.Open(n, name, modelText, s_);
    previewBusy_ = false;
    Refresh();
    mass_->setFocus();
    mass_->selectAll();
}

void PieceEditorWindow::Refresh() {
    info_->setText(QString::fromStdString(model_.InfoText().empty() ? texts::kInfoDesign : model_.InfoText()));
    if (mass_->text().toStdString() != model_.MassText())
        mass_->setText(QString::fromStdString(model_.MassText()));
    mode_->setText(Q(model_.ModeText()));
}

void PieceEditorWindow::Done() {
    if (model_.Accept(s_, d_)) accept();
}

void PieceEditorWindow::Preview() {
    if (previewBusy_) return;
    previewBusy_ = true;
    const bool ready = model_.PreparePreview(s_, display_, d_);
    previewBusy_ = false;
    if (ready) done(kPreviewRequested);
}

}  // namespace zel::screens
