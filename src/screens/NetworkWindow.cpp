#include "screens/NetworkWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/GameScreens.h"
#include "screens/NetworkTexts.h"
#include "screens/ScreenKeys.h"
#include "screens/SettingsControls.h"

namespace zel::screens {
namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

QPushButton* Button(const char* name, const char* text, const char* tip, QWidget* parent) {
    auto* button = new QPushButton(Q(text), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    if (tip) button->setToolTip(Q(tip));
    return button;
}

QLineEdit* Box(const char* name, const char* label, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(Q(label));
    return box;
}

}  // namespace

NetworkWindow::NetworkWindow(GameScreens& screens, NetConnector& net) : screens_(screens), model_(net) {
    setObjectName("frmNet");
    setWindowTitle(Q(screens_.Env().AppTitle));

    auto* heading = new QLabel(Q(texts::kNetHeading), this);
    heading->setObjectName("Label1");
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
    heading->setFont(headingFont);
    auto* prompt = new QLabel(Q(texts::kNetPrompt), this);
    prompt->setObjectName("Label2");
    prompt->setWordWrap(true);

    auto* hostFrame = new QGroupBox(Q(texts::kNetHostFrame), this);
    hostFrame->setObjectName("fraHost");
    hostPort_ = Box("txtHostPort", texts::kNetPortLabel, hostFrame);
    host_ = Button("cmdHost", texts::kNetHost, texts::kNetHostTip, hostFrame);
    addresses_ = new QLabel(hostFrame);
    addresses_->setObjectName("lblAddresses");
    addresses_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Room for the two lines of addresses and port from the start, so
    // hosting does not squeeze the boxes.
    addresses_->setMinimumHeight(2 * addresses_->fontMetrics().lineSpacing() + 4);
    auto* hostGrid = new QGridLayout(hostFrame);
    hostGrid->addWidget(new QLabel(Q(texts::kNetPortLabel), hostFrame), 0, 0);
    hostGrid->addWidget(hostPort_, 0, 1);
    hostGrid->addWidget(host_, 0, 2);
    hostGrid->addWidget(addresses_, 1, 0, 1, 3);
    hostGrid->setColumnStretch(1, 1);

    auto* joinFrame = new QGroupBox(Q(texts::kNetJoinFrame), this);
    joinFrame->setObjectName("fraJoin");
    address_ = Box("txtAddress", texts::kNetAddressLabel, joinFrame);
    port_ = Box("txtPort", texts::kNetPortLabel, joinFrame);
    join_ = Button("cmdJoin", texts::kNetJoin, texts::kNetJoinTip, joinFrame);
    auto* joinGrid = new QGridLayout(joinFrame);
    joinGrid->addWidget(new QLabel(Q(texts::kNetAddressLabel), joinFrame), 0, 0);
    joinGrid->addWidget(address_, 0, 1);
    joinGrid->addWidget(new QLabel(Q(texts::kNetPortLabel), joinFrame), 1, 0);
    joinGrid->addWidget(port_, 1, 1);
    joinGrid->addWidget(join_, 1, 2);
    joinGrid->setColumnStretch(1, 1);

    status_ = new QLabel(this);
    status_->setObjectName("lblStatus");
    status_->setWordWrap(true);
    QFont statusFont = status_->font();
    statusFont.setBold(true);
    status_->setFont(statusFont);
    status_->setMinimumHeight(2 * QFontMetrics(statusFont).lineSpacing() + 4);

    auto* back = Button("cmdBack", texts::kBack, texts::kNetBackTip, this);
    auto* exitButton = Button("cmdExit", texts::kExit, nullptr, this);
    auto* navRow = new QHBoxLayout;
    navRow->addStretch(1);
    navRow->addWidget(back);
    navRow->addWidget(exitButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(prompt);
    layout->addWidget(hostFrame);
    layout->addWidget(joinFrame);
    layout->addWidget(status_);
    layout->addStretch(1);
    layout->addLayout(navRow);
    // The addresses and the status take lines as they come: the window
    // grows with them instead of squeezing the boxes.
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    setTabOrder(hostPort_, host_);
    setTabOrder(host_, address_);
    setTabOrder(address_, port_);
    setTabOrder(port_, join_);
    setTabOrder(join_, back);
    setTabOrder(back, exitButton);

    connect(hostPort_, &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.SetHostPortText(t.toStdString()); });
    connect(address_, &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.SetAddressText(t.toStdString()); });
    connect(port_, &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.SetPortText(t.toStdString()); });
    connect(host_, &QPushButton::clicked, this, [this] { Host(); });
    connect(join_, &QPushButton::clicked, this, [this] { Join(); });
    connect(back, &QPushButton::clicked, this, [this] { Back(); });
    connect(exitButton, &QPushButton::clicked, this, [this] { ExitGame(); });
    Refresh();
}

void NetworkWindow::Open() {
    model_.Open(screens_.Env().Store->Net);
    Refresh();
    host_->setFocus();
}

void NetworkWindow::Refresh() {
    auto show = [](QLineEdit* box, const std::string& text) {
        const QString q = QString::fromStdString(text);
        if (box->text() != q) box->setText(q);
    };
    show(hostPort_, model_.HostPortText());
    show(address_, model_.AddressText());
    show(port_, model_.PortText());
    const bool choosing = model_.Choosing();
    for (QWidget* w : std::initializer_list<QWidget*>{hostPort_, address_, port_, host_, join_})
        w->setEnabled(choosing);
    addresses_->setText(Q(model_.Addresses()));
    status_->setText(Q(model_.Status()));
}

void NetworkWindow::Host() {
    ScreenEnvironment& env = screens_.Env();
    if (model_.Host(env.Store->Net, *env.Messages))
        SaveSettings(env.SettingsFile, *env.Store, *env.State, *env.Messages);
    Refresh();
}

void NetworkWindow::Join() {
    ScreenEnvironment& env = screens_.Env();
    const std::vector<std::string> names = env.Store->Start.CheckedNames();
    // The status line reads "connecting" before the answer can come.
    const bool started = model_.Join(env.Store->Net, names, *env.Messages);
    Refresh();
    if (started) SaveSettings(env.SettingsFile, *env.Store, *env.State, *env.Messages);
}

void NetworkWindow::Back() {
    model_.Cancel();
    Refresh();
    ScreenEnvironment& env = screens_.Env();
    if (env.ShowMainMenu) env.ShowMainMenu(this);
}

void NetworkWindow::ExitGame() {
    model_.Cancel();
    if (screens_.Env().ExitProgram) screens_.Env().ExitProgram();
}

void NetworkWindow::GuestArrived(const std::vector<std::string>& names) {
    if (!model_.GuestArrived(names)) return;
    Refresh();
    screens_.OpenNetworkSetup(this, names);
}

void NetworkWindow::Connected() {
    model_.Connected();
    Refresh();
}

void NetworkWindow::Failed(const std::string& message) {
    model_.Failed(message, *screens_.Env().Messages);
    Refresh();
}

void NetworkWindow::closeEvent(QCloseEvent* e) {
    e->ignore();
    ExitGame();
}

void NetworkWindow::keyPressEvent(QKeyEvent* e) {
    if (HandleScreenKeys(e, focusWidget(), [this] { Back(); }, nullptr)) return;
    QWidget::keyPressEvent(e);
}

}  // namespace zel::screens
