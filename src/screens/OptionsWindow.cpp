#include "screens/OptionsWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "screens/GameScreens.h"
#include "screens/ScreenKeys.h"
#include "screens/ScreenTexts.h"
#include "base/CheckBox.h"
#include "settings/SettingsTexts.h"

namespace zel::screens {
namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }

QLabel* Caption(const char* name, const char* text, QWidget* parent, bool wrap = false) {
    auto* label = new QLabel(Q(text), parent);
    label->setObjectName(name);
    label->setWordWrap(wrap);
    return label;
}

// Shows a box state; a greyed box (only ever loaded from a file) shows as such.
void ShowBox(QCheckBox* box, std::int16_t state) {
    box->setTristate(state == kBoxGreyed);
    box->setCheckState(state == kBoxChecked  ? Qt::Checked
                       : state == kBoxGreyed ? Qt::PartiallyChecked
                                             : Qt::Unchecked);
}

// A click clears a checked box and checks any other.
int ClickedState(std::int16_t state) { return state == kBoxChecked ? kBoxClear : kBoxChecked; }

// Selects button `index` of an exclusive group, or none for -1.
void ShowChoice(QButtonGroup* group, int index) {
    if (QAbstractButton* b = group->button(index)) {
        b->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons()) b->setChecked(false);
    group->setExclusive(true);
}

}  // namespace

OptionsWindow::OptionsWindow(GameScreens& screens)
    : screens_(screens), model_(screens.Env().Store->Options) {
    setObjectName("frmOptions");

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("SSTab1");
    tabs_->addTab(MakeGraphicsTab(), Q(texts::kTabGraphics));
    tabs_->addTab(MakeGameTab(), Q(texts::kTabGame));
    tabs_->addTab(MakeTableTab(), Q(texts::kTabTable));
    tabs_->addTab(MakeSoundTab(), Q(texts::kTabSound));

    ok_ = new QPushButton(Q(texts::kDone), this);
    ok_->setObjectName("cmdOK");
    ok_->setDefault(true);
    auto* cancel = new QPushButton(Q(texts::kBack), this);
    cancel->setObjectName("cmdCancel");
    auto* exitButton = new QPushButton(Q(texts::kExit), this);
    exitButton->setObjectName("cmdExit");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    buttons->addWidget(exitButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(buttons);

    setTabOrder(tabs_, ok_);
    setTabOrder(ok_, cancel);
    setTabOrder(cancel, exitButton);

    connect(ok_, &QPushButton::clicked, this, [this] { Apply(); });
    connect(cancel, &QPushButton::clicked, this, [this] { Back(); });
    connect(exitButton, &QPushButton::clicked, this, [this] { Quit(); });
    Refresh();
}

QCheckBox* OptionsWindow::Box(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(Q(caption), parent);
    box->setObjectName(name);
    return box;
}

QWidget* OptionsWindow::MakeGraphicsTab() {
    auto* page = new QWidget;
    auto* frame = new QGroupBox(Q(texts::kFrameGraphics), page);
    frame->setObjectName("Frame2");

    video_ = new QComboBox(frame);
    video_->setObjectName("cmbVideo");
    auto* deviceLabel = Caption("Label9", texts::kLabelDevice, frame);
    device_ = new QListWidget(frame);
    device_->setObjectName("lstDevice");
    for (const char* name : zel::texts::kDeviceNames) device_->addItem(Q(name));
    device_->setMaximumHeight(device_->sizeHintForRow(0) * 3 + 2 * device_->frameWidth());
    deviceLabel->setBuddy(device_);
    auto* modeLabel = Caption("Label8", texts::kLabelMode, frame);
    mode_ = new QComboBox(frame);
    mode_->setObjectName("cmbGList");
    mode_->setEditable(true);
    mode_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* m : zel::texts::kDisplayModes) mode_->addItem(Q(m));
    modeLabel->setBuddy(mode_);
    auto* mayFail = Caption("Label10", texts::kLabelMayFail, frame, true);
    auto* accelOnly = Caption("Label5", texts::kLabelAccelOnly, frame, true);
    tex_ = Box("chkTex", texts::kTex, frame);
    room_ = Box("chkUseRoom", texts::kUseRoom, frame);
    auto* unsupported = Caption("Label4", texts::kLabelUnsupported, frame, true);

    auto* box = new QVBoxLayout(frame);
    box->addWidget(video_);
    box->addWidget(deviceLabel);
    box->addWidget(device_);
    box->addWidget(modeLabel);
    box->addWidget(mode_);
    box->addWidget(mayFail);
    box->addWidget(accelOnly);
    box->addWidget(tex_);
    box->addWidget(room_);
    box->addWidget(unsupported);
    box->addStretch(1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frame);

    connect(video_, &QComboBox::activated, this, [this](int index) {
        if (refreshing_) return;
        model_.SelectDriver(index);
        Refresh();
    });
    connect(device_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (refreshing_) return;
        model_.SelectDevice(row);
        Refresh();
    });
    connect(mode_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (refreshing_) return;
        model_.SetModeText(text.toStdString());
    });
    connect(tex_, &QCheckBox::clicked, this, [this] {
        if (refreshing_) return;
        model_.SetTexBox(ClickedState(model_.TexBox()));
        Refresh();
    });
    connect(room_, &QCheckBox::clicked, this, [this] {
        if (refreshing_) return;
        model_.SetUseRoomBox(ClickedState(model_.UseRoomBox()));
        Refresh();
    });
    return page;
}

QWidget* OptionsWindow::MakeGameTab() {
    auto* page = new QWidget;
    auto* frame = new QGroupBox(Q(texts::kFrameAdvanced), page);
    frame->setObjectName("FrameAdvanced");
    showSgin_ = Box("chkShowSgin", texts::kShowSgin, frame);
    auto* box = new QVBoxLayout(frame);
    box->addWidget(showSgin_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    layout->addStretch(1);
    connect(showSgin_, &QCheckBox::clicked, this, [this] {
        if (refreshing_) return;
        model_.SetShowSginBox(ClickedState(model_.ShowSginBox()));
        Refresh();
    });
    return page;
}

QWidget* OptionsWindow::MakeTableTab() {
    auto* page = new QWidget;
    MatchState& s = *screens_.Env().State;

    auto* sizeFrame = new QGroupBox(Q(texts::kFrameSize), page);
    sizeFrame->setObjectName("Frame1");
    auto* sizePrompt = Caption("Label1", texts::kLabelSize, sizeFrame, true);
    lengthLabel_ = Caption("Label2", texts::kLabelLength, sizeFrame);
    sizeG_ = new QLineEdit(sizeFrame);
    sizeG_->setObjectName("txtSizeG");
    lengthLabel_->setBuddy(sizeG_);
    widthLabel_ = Caption("Label3", texts::kLabelWidth, sizeFrame);
    sizeV_ = new QLineEdit(sizeFrame);
    sizeV_->setObjectName("txtSizeV");
    widthLabel_->setBuddy(sizeV_);
    maxSize_ = Box("chkMaxSize", texts::kMaxSize, sizeFrame);
    auto* sizeGrid = new QGridLayout(sizeFrame);
    sizeGrid->addWidget(sizePrompt, 0, 0, 1, 4);
    sizeGrid->addWidget(lengthLabel_, 1, 0);
    sizeGrid->addWidget(sizeG_, 1, 1);
    sizeGrid->addWidget(widthLabel_, 1, 2);
    sizeGrid->addWidget(sizeV_, 1, 3);
    sizeGrid->addWidget(maxSize_, 2, 0, 1, 4);

    auto* frictionFrame = new QGroupBox(Q(texts::kFrameFriction), page);
    frictionFrame->setObjectName("frameFtr");
    frictionGroup_ = new QButtonGroup(this);
    auto* frictionRow = new QHBoxLayout(frictionFrame);
    for (int i = 0; i < 3; ++i) {
        friction_[static_cast<std::size_t>(i)] = new QRadioButton(Q(texts::kFriction[i]), frictionFrame);
        friction_[static_cast<std::size_t>(i)]->setObjectName(QString("opTr%1").arg(i));
        frictionGroup_->addButton(friction_[static_cast<std::size_t>(i)], i);
        frictionRow->addWidget(friction_[static_cast<std::size_t>(i)]);
    }

    auto* borderFrame = new QGroupBox(Q(texts::kFrameBorder), page);
    borderFrame->setObjectName("Frame3");
    border_ = Box("chkBorder", texts::kBorder, borderFrame);
    borderLabel_ = Caption("Label6", texts::kLabelBorderPos, borderFrame);
    borderGroup_ = new QButtonGroup(this);
    auto* borderRow = new QHBoxLayout;
    borderRow->addWidget(borderLabel_);
    for (int i = 0; i < 2; ++i) {
        borderPos_[static_cast<std::size_t>(i)] = new QRadioButton(Q(texts::kBorderPos[i]), borderFrame);
        borderPos_[static_cast<std::size_t>(i)]->setObjectName(QString("opBord%1").arg(i));
        borderGroup_->addButton(borderPos_[static_cast<std::size_t>(i)], i);
        borderRow->addWidget(borderPos_[static_cast<std::size_t>(i)]);
    }
    borderRow->addStretch(1);
    simm_ = Box("chkSimm", texts::kBorderSimm, borderFrame);
    auto* borderBox = new QVBoxLayout(borderFrame);
    borderBox->addWidget(border_);
    borderBox->addLayout(borderRow);
    borderBox->addWidget(simm_);

    auto* pipaFrame = new QGroupBox(Q(texts::kFramePipa), page);
    pipaFrame->setObjectName("Frame4");
    pipa_ = Box("chkPipa", texts::kPipa, pipaFrame);
    auto* pipaLabel = Caption("Label7", texts::kLabelPipaPos, pipaFrame);
    pipaGroup_ = new QButtonGroup(this);
    auto* pipaRow = new QHBoxLayout;
    pipaRow->addWidget(pipaLabel);
    for (int i = 0; i < 2; ++i) {
        pipaPos_[static_cast<std::size_t>(i)] = new QRadioButton(Q(texts::kPipaPos[i]), pipaFrame);
        pipaPos_[static_cast<std::size_t>(i)]->setObjectName(QString("opPipa%1").arg(i));
        pipaGroup_->addButton(pipaPos_[static_cast<std::size_t>(i)], i);
        pipaRow->addWidget(pipaPos_[static_cast<std::size_t>(i)]);
    }
    pipaRow->addStretch(1);
    pipaSimm_ = Box("chkPipaSimm", texts::kPipaSimm, pipaFrame);
    auto* pipaBox = new QVBoxLayout(pipaFrame);
    pipaBox->addWidget(pipa_);
    pipaBox->addLayout(pipaRow);
    pipaBox->addWidget(pipaSimm_);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(sizeFrame);
    layout->addWidget(frictionFrame);
    layout->addWidget(borderFrame);
    layout->addWidget(pipaFrame);
    layout->addStretch(1);

    connect(sizeG_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.SetSizeGText(t.toStdString()); });
    connect(sizeV_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.SetSizeVText(t.toStdString()); });
    connect(maxSize_, &QCheckBox::clicked, this, [this] {
        if (refreshing_) return;
        model_.SetMaxSizeBox(ClickedState(model_.MaxSizeBox()));
        Refresh();
    });
    connect(frictionGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        if (refreshing_) return;
        model_.SelectFriction(id);
        Refresh();
    });
    connect(border_, &QCheckBox::clicked, this, [this] {
        if (refreshing_) return;
        model_.SetBorderBox(ClickedState(model_.BorderBox()));
        Refresh();
    });
    connect(borderGroup_, &QButtonGroup::idClicked, this, [this, &s](int id) {
        if (refreshing_) return;
        model_.SelectBorderPosition(id, s);
        Refresh();
    });
    connect(simm_, &QCheckBox::clicked, this, [this, &s] {
        if (refreshing_) return;
        model_.SetSimmBox(ClickedState(model_.SimmBox()), s);
        Refresh();
    });
    connect(pipa_, &QCheckBox::clicked, this, [this] {
        if (refreshing_) return;
        model_.SetPipaBox(ClickedState(model_.PipaBox()));
        Refresh();
    });
    connect(pipaGroup_, &QButtonGroup::idClicked, this, [this, &s](int id) {
        if (refreshing_) return;
        model_.SelectPipaPosition(id, s);
        Refresh();
    });
    connect(pipaSimm_, &QCheckBox::clicked, this, [this, &s] {
        if (refreshing_) return;
        model_.SetPipaSimmBox(ClickedState(model_.PipaSimmBox()), s);
        Refresh();
    });
    return page;
}

QWidget* OptionsWindow::MakeSoundTab() {
    auto* page = new QWidget;
    sound_ = Box("chkSound", texts::kSound, page);
    sound_->setToolTip(Q(texts::kSoundTip));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(sound_);
    layout->addStretch(1);
    connect(sound_, &QCheckBox::clicked, this, [this] {
        if (refreshing_) return;
        model_.SetSoundBox(ClickedState(model_.SoundBox()));
        Refresh();
    });
    return page;
}

void OptionsWindow::FormLoad() {
    ScreenEnvironment& env = screens_.Env();
    const std::vector<DisplayDriver> drivers = env.DisplayDrivers ? env.DisplayDrivers() : std::vector<DisplayDriver>{};
    model_.FormLoad(*env.State, env.Store->Display, drivers);
    Refresh();
}

void OptionsWindow::Refresh() {
    refreshing_ = true;
    setWindowTitle(QString::fromStdString(model_.Title()));

    video_->clear();
    for (const DisplayDriver& d : model_.Drivers()) video_->addItem(QString::fromStdString(d.Description));
    video_->setCurrentIndex(model_.DriverIndex());
    device_->setCurrentRow(model_.DeviceIndex());
    if (model_.DeviceIndex() < 0) device_->clearSelection();
    if (mode_->currentText().toStdString() != model_.ModeText())
        mode_->setEditText(QString::fromStdString(model_.ModeText()));
    ShowBox(tex_, model_.TexBox());
    ShowBox(room_, model_.UseRoomBox());
    ShowBox(showSgin_, model_.ShowSginBox());

    if (sizeG_->text().toStdString() != model_.SizeGText()) sizeG_->setText(QString::fromStdString(model_.SizeGText()));
    if (sizeV_->text().toStdString() != model_.SizeVText()) sizeV_->setText(QString::fromStdString(model_.SizeVText()));
    const bool sizes = model_.SizeGroupEnabled();
    for (QWidget* w : std::initializer_list<QWidget*>{sizeG_, sizeV_, lengthLabel_, widthLabel_}) w->setEnabled(sizes);
    ShowBox(maxSize_, model_.MaxSizeBox());
    ShowChoice(frictionGroup_, model_.FrictionChoice());

    ShowBox(border_, model_.BorderBox());
    const bool wall = model_.BorderControlsEnabled();
    for (QWidget* w : std::initializer_list<QWidget*>{borderLabel_, borderPos_[0], borderPos_[1], simm_}) w->setEnabled(wall);
    ShowChoice(borderGroup_, model_.BorderPosition());
    ShowBox(simm_, model_.SimmBox());

    ShowBox(pipa_, model_.PipaBox());
    ShowChoice(pipaGroup_, model_.PipaPosition());
    ShowBox(pipaSimm_, model_.PipaSimmBox());
    ShowBox(sound_, model_.SoundBox());
    refreshing_ = false;
}

void OptionsWindow::Apply() {
    ScreenEnvironment& env = screens_.Env();
    // The title tells what is happening while a refusal is on screen.
    setWindowTitle(Q(zel::texts::kOptionsSaving));
    const bool applied = model_.Apply(*env.State, env.Store->Display, *env.Messages);
    setWindowTitle(QString::fromStdString(model_.Title()));
    if (applied) Back();
}

void OptionsWindow::Back() { screens_.ReturnFromOptions(); }

void OptionsWindow::Quit() {
    ScreenEnvironment& env = screens_.Env();
    Message m;
    m.Text = texts::kQuitQuestion;
    m.Icon = MsgIcon::Information;
    m.Buttons = MsgButtons::OkCancel;
    if (env.Messages->Ask(m) == MsgAnswer::Ok && env.ExitProgram) env.ExitProgram();
}

void OptionsWindow::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (screens_.Env().ExitProgram) screens_.Env().ExitProgram();
}

void OptionsWindow::keyPressEvent(QKeyEvent* e) {
    if (HandleScreenKeys(e, focusWidget(), [this] { Back(); }, [this] { Apply(); })) return;
    QWidget::keyPressEvent(e);
}

}  // namespace zel::screens
