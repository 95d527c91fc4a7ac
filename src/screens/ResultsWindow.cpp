#include "screens/ResultsWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/TextFile.h"
#include "screens/GameScreens.h"
#include "screens/LoadGameModel.h"
#include "screens/LoadGameTexts.h"
#include "screens/ScreenKeys.h"
#include "screens/QtSaveFileChooser.h"
#include "screens/ReplaySaver.h"
#include "screens/ScreenTexts.h"

namespace zel::screens {
namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

QLabel* Caption(const char* name, const char* text, QWidget* parent) {
    auto* label = new QLabel(Q(text), parent);
    label->setObjectName(name);
    return label;
}

QPushButton* Button(const char* name, const char* text, QWidget* parent) {
    auto* button = new QPushButton(Q(text), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

ResultsWindow::ResultsWindow(GameScreens& screens) : screens_(screens) {
    setObjectName("frmResult");
    setWindowTitle(Q(screens_.Env().AppTitle));

    auto* heading = Caption("Label1", texts::kResultHeading, this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
    heading->setFont(headingFont);
    status_ = Caption("lblStatus", "", this);
    winner_ = Caption("lblWiner", "", this);
    QFont winnerFont = winner_->font();
    winnerFont.setBold(true);
    winnerFont.setPointSizeF(winnerFont.pointSizeF() * 1.3);
    winner_->setFont(winnerFont);
    auto* matchLabel = Caption("Label2", texts::kResultMatchPiece, this);
    matchPiece_ = Caption("lblVembaMatcha", "", this);
    auto* knockedLabel = Caption("Label3", texts::kResultKnocked, this);
    knocked_ = Caption("lblUron", "", this);

    teamGroup_ = new QWidget(this);
    teamGroup_->setObjectName("TeamGroup");
    auto* scoreHeading = Caption("lblScore", texts::kTeamScore, teamGroup_);
    team1_ = Caption("lblCom1", texts::kTeam1Design, teamGroup_);
    team2_ = Caption("lblCom2", texts::kTeam2Design, teamGroup_);
    score1_ = Caption("lblScore1", "0", teamGroup_);
    score2_ = Caption("lblScore2", "0", teamGroup_);
    auto* teamGrid = new QGridLayout(teamGroup_);
    teamGrid->setContentsMargins(0, 0, 0, 0);
    teamGrid->addWidget(scoreHeading, 0, 0, 1, 2);
    teamGrid->addWidget(team1_, 1, 0);
    teamGrid->addWidget(score1_, 1, 1);
    teamGrid->addWidget(team2_, 2, 0);
    teamGrid->addWidget(score2_, 2, 1);
    teamGrid->setColumnStretch(2, 1);

    auto* facts = new QGridLayout;
    facts->addWidget(status_, 0, 0);
    facts->addWidget(winner_, 0, 1);
    facts->addWidget(matchLabel, 1, 0);
    facts->addWidget(matchPiece_, 1, 1);
    facts->addWidget(knockedLabel, 2, 0);
    facts->addWidget(knocked_, 2, 1);
    facts->setColumnStretch(1, 1);

    waiting_ = Caption("lblWaiting", "", this);
    go_ = Button("cmdGo", texts::kPlayAgain, this);
    go_->setToolTip(Q(texts::kPlayAgainTip));
    QFont goFont = go_->font();
    goFont.setBold(true);
    goFont.setPointSizeF(goFont.pointSizeF() * 1.3);
    go_->setFont(goFont);
    save_ = Button("cmdSavePovt", texts::kSaveReplay, this);
    load_ = Button("cmdLoadGame", texts::kLoadReplay, this);
    auto* options = Button("cmdOptions", texts::kOptions, this);
    auto* back = Button("cmdBack", texts::kBack, this);
    auto* exitButton = Button("cmdExit", texts::kExit, this);
    auto* replayRow = new QHBoxLayout;
    replayRow->addWidget(save_);
    replayRow->addWidget(load_);
    replayRow->addStretch(1);
    auto* navRow = new QHBoxLayout;
    navRow->addWidget(options);
    navRow->addStretch(1);
    navRow->addWidget(back);
    navRow->addWidget(exitButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(facts);
    layout->addWidget(teamGroup_);
    layout->addStretch(1);
    layout->addWidget(waiting_);
    layout->addWidget(go_);
    layout->addLayout(replayRow);
    layout->addLayout(navRow);

    setTabOrder(go_, save_);
    setTabOrder(save_, load_);
    setTabOrder(load_, options);
    setTabOrder(options, back);
    setTabOrder(back, exitButton);

    connect(go_, &QPushButton::clicked, this, [this] { PlayAgain(); });
    connect(save_, &QPushButton::clicked, this, [this] { SaveReplay(); });
    connect(load_, &QPushButton::clicked, this, [this] { LoadReplay(); });
    connect(options, &QPushButton::clicked, this, [this] { Options(); });
    connect(back, &QPushButton::clicked, this, [this] { Back(); });
    connect(exitButton, &QPushButton::clicked, this, [this] { ExitGame(); });
    Refresh();
}

void ResultsWindow::ShowMatchEnd(bool gameOver, bool enableSaveReplay) {
    model_.SetGameOver(ToFlag(gameOver));
    model_.Update(*screens_.Env().State, screens_.Env().Teams);
    model_.EnableSaveReplay(enableSaveReplay);
    model_.EnableLoadReplay(FileExists(screens_.Env().ReplayFile));
    Refresh();
    // A continued game records no replay of its own: the button says why it is off.
    save_->setToolTip(IsSet(screens_.Env().State->Win.ContinueGame) ? Q(texts::kNoReplayOfContinuedGame)
                                                                     : QString());
    go_->setFocus();
}

void ResultsWindow::Refresh() {
    const ResultsView& v = model_.View();
    status_->setText(Q(v.Status));
    winner_->setText(Q(v.Winner));
    matchPiece_->setText(Q(v.MatchPiece));
    knocked_->setText(Q(v.Knocked));
    teamGroup_->setVisible(v.TeamGroupVisible);
    team1_->setText(Q(v.Team1));
    team2_->setText(Q(v.Team2));
    score1_->setText(Q(v.Score1));
    score2_->setText(Q(v.Score2));
    go_->setEnabled(v.GoEnabled);
    save_->setEnabled(v.SaveReplayEnabled);
    load_->setEnabled(v.LoadReplayEnabled);
    waiting_->setText(Q(v.Waiting));
    waiting_->setVisible(!v.Waiting.empty());
}

void ResultsWindow::PlayAgain() {
    if (screens_.Starter().Busy() || model_.WaitingForPeer()) return;
    if (screens_.InNetworkGame()) {
        if (screens_.Env().Net->AskRestart()) {
            model_.SetWaitingForPeer(true);
            Refresh();
        }
        return;
    }
    PlayAgainNow();
}

void ResultsWindow::PlayAgainNow() {
    if (screens_.Starter().Busy()) return;
    model_.SetWaitingForPeer(false);
    Refresh();
    model_.PreparePlayAgain(*screens_.Env().State);
    screens_.StartGameFrom(this);
}

void ResultsWindow::WaitForHost() {
    model_.SetWaitingForPeer(true);
    Refresh();
}

void ResultsWindow::RestartRefused() {
    model_.SetWaitingForPeer(false);
    Refresh();
}

void ResultsWindow::SaveReplay() {
    ScreenEnvironment& env = screens_.Env();
    std::unique_ptr<SaveFileChooser> chooser =
        env.MakeSaveChooser ? env.MakeSaveChooser(this)
                            : std::make_unique<QtSaveFileChooser>(this, env.SaveFolder);
    if (chooser) SaveReplayAs(*chooser, *env.Messages, env.ReplayFile);
}

void ResultsWindow::LoadReplay() { screens_.OpenLoadGame(this, kLoadReplays); }

void ResultsWindow::Options() { screens_.OpenOptions(this, true); }

void ResultsWindow::Back() { screens_.ReturnFromResults(); }

void ResultsWindow::ExitGame() {
    if (screens_.Env().ExitProgram) screens_.Env().ExitProgram();
}

void ResultsWindow::closeEvent(QCloseEvent* e) {
    e->ignore();
    ExitGame();
}

void ResultsWindow::keyPressEvent(QKeyEvent* e) {
    if (HandleScreenKeys(e, focusWidget(), [this] { Back(); }, nullptr)) return;
    QWidget::keyPressEvent(e);
}

}  // namespace zel::screens
