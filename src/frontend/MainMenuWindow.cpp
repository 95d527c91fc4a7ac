#include "frontend/MainMenuWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/AboutWindow.h"
#include "frontend/ClickLabel.h"
#include "frontend/FrontendTexts.h"
#include "base/BusyPointer.h"
#include "base/TextFile.h"
#include "render/PictureFile.h"

namespace zel {
namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }

constexpr int kMenuWidth = 600;
constexpr int kMenuHeight = 560;

}  // namespace

MainMenuWindow::MainMenuWindow(const MatchState& s, Dialogs& dialogs,
                               const DesktopLauncher& launcher)
    : s_(s), dialogs_(dialogs), launcher_(launcher) {
    setObjectName(QStringLiteral("frmMainMenu"));
    setWindowTitle(QString::fromStdString(ApplicationTitle()));
    resize(kMenuWidth, kMenuHeight);

    auto* heading = new QLabel(Q(texts::kMenuHeading), this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setAlignment(Qt::AlignCenter);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    quickMatch_ = AddButton("cmdFewGamers", texts::kQuickMatch, texts::kQuickMatchTip);
    QPushButton* team = AddButton("cmdCom", texts::kTeamMatch, texts::kTeamMatchTip);
    QPushButton* load = AddButton("cmdLoadGame", texts::kLoadGame, texts::kLoadGameTip);
    const std::string chronicleTip = std::string(texts::kChronicleTipStart) + texts::kClubSchool;
    QPushButton* chronicle = AddButton("cmdHronika", texts::kChronicle, chronicleTip.c_str());
    QPushButton* help = AddButton("cmdHelp", texts::kHelp, texts::kHelpTip);
    QPushButton* service = AddButton("cmdEway", texts::kService, texts::kServiceTip);
    QPushButton* splash = AddButton("cmdSplash", texts::kSplash, nullptr);
    QPushButton* net = AddButton("cmdNetGame", texts::kNetGame, nullptr);
    QPushButton* exit = AddButton("cmdExit", texts::kExit, texts::kExitTip);
    for (QPushButton* b : {quickMatch_, team, load, chronicle, help, service, splash, net, exit})
        buttons->addWidget(b);

    connect(quickMatch_, &QPushButton::clicked, this, [this] { RunQuickMatch(); });
    connect(team, &QPushButton::clicked, this, [this] { RunTeamMatch(); });
    connect(load, &QPushButton::clicked, this, [this] { RunLoadGame(); });
    connect(chronicle, &QPushButton::clicked, this, [this] { RunChronicle(); });
    connect(help, &QPushButton::clicked, this, [this, help] { PopUp(helpMenu_, help); });
    connect(service, &QPushButton::clicked, this, [this, service] { PopUp(supportMenu_, service); });
    connect(splash, &QPushButton::clicked, this, [this] { RunSplash(); });
    connect(net, &QPushButton::clicked, this, [this] { RunNetGame(); });
    connect(exit, &QPushButton::clicked, this, [this] { close(); });

    auto* arms = new ClickLabel(this);
    arms->setObjectName(QStringLiteral("Image1"));
    arms->setToolTip(Q(texts::kCoatOfArmsTip));
    arms->setAlignment(Qt::AlignCenter);
    arms->setCursor(Qt::PointingHandCursor);
    QString unreadable;  // a missing thumbnail leaves the place empty
    arms->setPixmap(QPixmap::fromImage(
        render::ReadPicture(QString::fromStdString(s_.AppPath + texts::kSmallCoatOfArms), unreadable)));
    arms->OnPress = [this](QMouseEvent*) { RunCoatOfArms(); };

    auto* maker = new ClickLabel(Q(texts::kMakerLink), this);
    maker->setObjectName(QStringLiteral("lblMerovane"));
    maker->setToolTip(Q(texts::kMakerLinkTip));
    auto* club = new ClickLabel(Q(texts::kClubLink), this);
    club->setObjectName(QStringLiteral("lblVembKlub"));
    club->setToolTip(Q(texts::kClubLinkTip));
    for (ClickLabel* link : {maker, club}) {
        link->setCursor(Qt::PointingHandCursor);
        link->setAlignment(Qt::AlignCenter);
    }
    maker->OnPress = [this, maker](QMouseEvent*) { RunWebLabel(maker, texts::kMakerSite); };
    club->OnPress = [this, club](QMouseEvent*) { RunWebLabel(club, texts::kClubSite); };

    auto* side = new QVBoxLayout;
    side->addStretch(1);
    side->addWidget(arms);
    side->addSpacing(18);
    side->addWidget(maker);
    side->addWidget(club);
    side->addStretch(1);

    auto* beta = new QLabel(Q(texts::kBetaNotice), this);
    beta->setObjectName(QStringLiteral("Label2"));
    beta->setWordWrap(true);
    beta->setAlignment(Qt::AlignCenter);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(36, 24, 36, 18);
    grid->addWidget(heading, 0, 0, 1, 2);
    grid->addLayout(buttons, 1, 0);
    grid->addLayout(side, 1, 1);
    grid->addWidget(beta, 2, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(1, 1);

    helpMenu_ = new QMenu(Q(texts::kHelpMenu), this);
    helpMenu_->setObjectName(QStringLiteral("mnuPop"));
    QAction* contents = helpMenu_->addAction(Q(texts::kHelpContents));
    contents->setObjectName(QStringLiteral("mnuItemContents"));
    helpMenu_->addSeparator();
    QAction* about = helpMenu_->addAction(Q(texts::kHelpAbout));
    about->setObjectName(QStringLiteral("mnuItemAbout"));
    connect(contents, &QAction::triggered, this, [this] { RunHelpContents(); });
    connect(about, &QAction::triggered, this, [this] { RunAbout(); });

    supportMenu_ = new QMenu(Q(texts::kSupportMenu), this);
    supportMenu_->setObjectName(QStringLiteral("mnuSupport"));
    QAction* update = supportMenu_->addAction(Q(texts::kSupportUpdate));
    update->setObjectName(QStringLiteral("mnuItemUpdate"));
    QAction* home = supportMenu_->addAction(Q(texts::kSupportHomePage));
    home->setObjectName(QStringLiteral("mnuItemHomePage"));
    supportMenu_->addSeparator();
    QAction* report = supportMenu_->addAction(Q(texts::kSupportReport));
    report->setObjectName(QStringLiteral("mnuItemReport"));
    connect(update, &QAction::triggered, this, [this] { RunUpdatePage(); });
    connect(home, &QAction::triggered, this, [this] { RunHomePage(); });
    connect(report, &QAction::triggered, this, [this] { RunProblemReport(); });
}

MainMenuWindow::~MainMenuWindow() = default;

QPushButton* MainMenuWindow::AddButton(const char* name, const char* caption, const char* tip) {
    auto* button = new QPushButton(Q(caption), this);
    button->setObjectName(QString::fromLatin1(name));
    if (tip) button->setToolTip(Q(tip));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void MainMenuWindow::PopUp(QMenu* menu, QPushButton* under) {
    menu->popup(under->mapToGlobal(QPoint(0, 0)));
}

void MainMenuWindow::FocusQuickMatch() { quickMatch_->setFocus(Qt::OtherFocusReason); }

void MainMenuWindow::RunQuickMatch() {
    BusyPointer busy(dialogs_);
    if (QuickMatch) QuickMatch();
}

void MainMenuWindow::RunTeamMatch() {
    BusyPointer busy(dialogs_);
    setEnabled(false);
    setWindowTitle(Q(texts::kLoadingTeams));
    if (TeamMatch) TeamMatch();
    busy.Release();
    setWindowTitle(QString::fromStdString(ApplicationTitle()));
    setEnabled(true);
}

void MainMenuWindow::RunNetGame() {
    BusyPointer busy(dialogs_);
    if (NetGame) NetGame();
}

void MainMenuWindow::RunLoadGame() {
    if (LoadGame) LoadGame();
}

void MainMenuWindow::RunChronicle() {
    BusyPointer busy(dialogs_);
    if (Chronicle) Chronicle();
}

void MainMenuWindow::RunCoatOfArms() {
    if (!FileExists(s_.AppPath + texts::kBigCoatOfArms)) {
        dialogs_.Ask({texts::kFileNotFound, "", MsgIcon::Information, MsgButtons::Ok});
        return;
    }
    if (CoatOfArms) CoatOfArms();
}

void MainMenuWindow::RunSplash() {
    if (ReplaySlideShow) ReplaySlideShow();
}

void MainMenuWindow::RunAbout() {
    AboutWindow about(s_.AppPath, dialogs_, launcher_, this);
    about.exec();
}

void MainMenuWindow::RunHelpContents() { launcher_.OpenHelp(s_.AppPath, dialogs_); }

void MainMenuWindow::RunHomePage() { launcher_.StartNet(texts::kProductHomePage); }

void MainMenuWindow::RunUpdatePage() { launcher_.StartNet(texts::kProductUpdatePage); }

void MainMenuWindow::RunProblemReport() {
    if (ProblemReport) ProblemReport();
}

void MainMenuWindow::RunWebLabel(ClickLabel* label, const char* address) {
    if (linkBusy_ != 0) return;
    linkBusy_ = -1;
    label->setCursor(Qt::WaitCursor);
    launcher_.StartNet(address);
    label->setCursor(Qt::PointingHandCursor);
    linkBusy_ = 0;
}

void MainMenuWindow::closeEvent(QCloseEvent* e) {
    if (exiting_) {
        e->accept();
        return;
    }
    const MsgAnswer answer =
        dialogs_.Ask({texts::kExitQuestion, "", MsgIcon::Information, MsgButtons::OkCancel});
    if (answer != MsgAnswer::Ok) {
        e->ignore();
        return;
    }
    exiting_ = true;
    e->accept();
    if (OnExitProgram) OnExitProgram();
}

}  // namespace zel
