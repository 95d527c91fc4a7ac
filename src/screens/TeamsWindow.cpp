#include "screens/TeamsWindow.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/SharedTexts.h"
#include "screens/GameScreens.h"
#include "screens/ScreenKeys.h"
#include "screens/ScreenTexts.h"
#include "screens/SettingsControls.h"
#include "screens/StartWindow.h"
#include "screens/TeamEditorDialog.h"

namespace zel::screens {
namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }

QLabel* Hint(const char* name, const char* text, QWidget* parent) {
    auto* l = new QLabel(Q(text), parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
}

QPushButton* Button(const char* name, const char* text, QWidget* parent) {
    auto* b = new QPushButton(Q(text), parent);
    b->setObjectName(name);
    return b;
}

void Fill(QListWidget* list, const std::vector<std::string>& names) {
    list->clear();
    for (const std::string& n : names) list->addItem(QString::fromStdString(n));
}

}  // namespace

TeamsWindow::TeamsWindow(GameScreens& screens) : screens_(screens), model_(screens.Teams()) {
    setObjectName("frmCom");
    setWindowTitle(QString::fromStdString(screens_.Env().AppTitle));

    auto* heading = new QLabel(Q(screens::texts::kTeamHeading), this);
    heading->setObjectName("Label1");
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.6);
    heading->setFont(font);

    auto* frame2 = new QGroupBox(Q("Существующие команды"), this);
    frame2->setObjectName("Frame2");
    existing_ = new QListWidget(frame2);
    existing_->setObjectName("List1");
    auto* f2 = new QVBoxLayout(frame2);
    f2->addWidget(existing_);
    f2->addWidget(Hint("Label2",
                       "Дважды щелкните на названии команды, чтобы добавить ее в список играющих "
                       "команд.",
                       frame2));

    auto* frame1 = new QGroupBox(Q("Играющие команды"), this);
    frame1->setObjectName("Frame1");
    playing_ = new QListWidget(frame1);
    playing_->setObjectName("ListPlay");
    players_ = new QScrollBar(Qt::Horizontal, frame1);
    players_->setObjectName("VS");
    players_->setRange(1, 4);
    players_->setPageStep(1);
    playersLabel_ = new QLabel(frame1);
    playersLabel_->setObjectName("lblKolvo");
    auto* f1 = new QVBoxLayout(frame1);
    f1->addWidget(playing_);
    f1->addWidget(Hint("Label3",
                       "В этом списке находятся те две команды, которые примут участие в игре. "
                       "Чтобы удалить команду из списка, дважды щелкните на ее названии.",
                       frame1));
    f1->addWidget(Hint("Label5", "Выберите количество играющих игроков у каждой команды:", frame1));
    auto* vs = new QHBoxLayout;
    vs->addWidget(players_, 1);
    vs->addWidget(playersLabel_);
    f1->addLayout(vs);

    auto* lists = new QHBoxLayout;
    lists->addWidget(frame2);
    lists->addWidget(frame1);

    auto* create = Button("cmdNew", "Создать...", this);
    auto* change = Button("cmdChange", "Изменить...", this);
    auto* remove = Button("cmdDel", "Удалить", this);
    go_ = Button("cmdGo", "Вемба!", this);
    auto* options = Button("cmdOptions", "Параметры >>", this);
    auto* back = Button("cmdBack", zel::texts::kBack, this);
    auto* exitButton = Button("cmdExit", zel::texts::kExit, this);
    auto* teamButtons = new QHBoxLayout;
    teamButtons->addWidget(create);
    teamButtons->addWidget(change);
    teamButtons->addWidget(remove);
    teamButtons->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(options);
    bottom->addStretch();
    bottom->addWidget(back);
    bottom->addWidget(exitButton);

    status_ = new QLabel(this);
    status_->setObjectName("lbl");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(lists, 1);
    layout->addLayout(teamButtons);
    layout->addWidget(Hint("Label4",
                           "В режиме \"Командная игра\" вембиться могут две команды, состоящие из 4 "
                           "игроков (и меньше). Создайте вашу команду нажатием на кнопку \"Создать\".",
                           this));
    layout->addWidget(go_);
    layout->addLayout(bottom);
    layout->addWidget(status_);

    Dialogs& d = *screens_.Env().Messages;
    connect(existing_, &QListWidget::itemActivated, this, [this, &d](QListWidgetItem* item) {
        model_.MoveToPlaying(existing_->row(item), d);
        Refresh();
    });
    connect(playing_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        model_.MoveToExisting(playing_->row(item));
        Refresh();
    });
    connect(players_, &QScrollBar::valueChanged, this, [this](int v) {
        model_.SetPlayersPerTeam(v);
        playersLabel_->setText(QString::fromStdString(model_.PlayersLabel()));
    });
    connect(create, &QPushButton::clicked, this, [this] { Create(); });
    connect(change, &QPushButton::clicked, this, [this] { Change(); });
    connect(remove, &QPushButton::clicked, this, [this] { Delete(); });
    connect(go_, &QPushButton::clicked, this, [this] { Go(); });
    connect(options, &QPushButton::clicked, this, [this] { Options(); });
    connect(back, &QPushButton::clicked, this, [this] { Back(); });
    connect(exitButton, &QPushButton::clicked, this, [this] { ExitGame(); });
    Refresh();
}

void TeamsWindow::Open() {
    model_.Open(screens_.Env().TeamFile, *screens_.Env().Messages);
    Refresh();
}

void TeamsWindow::Refresh() {
    Fill(existing_, model_.Existing());
    Fill(playing_, model_.Playing());
    const QSignalBlocker block(players_);
    players_->setValue(screens_.Teams().PlayersPerTeam());
    playersLabel_->setText(QString::fromStdString(model_.PlayersLabel()));
    status_->setText(QString::fromStdString(model_.Status()));
    go_->setEnabled(model_.GoEnabled());
}

void TeamsWindow::RunEditor(TeamEditorModel model) {
    ScreenEnvironment& env = screens_.Env();
    TeamEditorDialog editor(std::move(model), screens_.Teams(), *env.Messages,
                            env.State->AppPath + "gamedata/zel.nam",
                            [] { return QRandomGenerator::global()->generateDouble(); }, this);
    if (OnEditorShown) OnEditorShown(editor);
    if (editor.result() == QDialog::Accepted || editor.exec() == QDialog::Accepted) {
        model_.TeamsChanged();
        Refresh();
    }
}

void TeamsWindow::Create() {
    if (!model_.MayCreate(*screens_.Env().Messages)) return;
    RunEditor(TeamEditorModel::ForNewTeam(screens_.Teams()));
}

void TeamsWindow::Change() {
    const int n = model_.SelectedTeam(existing_->currentRow(), *screens_.Env().Messages);
    if (n == 0) return;
    RunEditor(TeamEditorModel::ForTeam(screens_.Teams(), n));
}

void TeamsWindow::Delete() {
    model_.Delete(existing_->currentRow(), *screens_.Env().Messages);
    Refresh();
}

void TeamsWindow::SaveAll() {
    ScreenEnvironment& env = screens_.Env();
    model_.Save(env.TeamFile, *env.Messages);
    SaveSettings(env.SettingsFile, *env.Store, *env.State, *env.Messages);
    status_->setText(QString::fromStdString(model_.Status()));
}

void TeamsWindow::Go() {
    ScreenEnvironment& env = screens_.Env();
    model_.Start(*env.State, env.Store->Start, screens_.Starter(), screens_.HooksFor(this),
                 env.TeamFile,
                 [&env] { SaveSettings(env.SettingsFile, *env.Store, *env.State, *env.Messages); },
                 *env.Messages);
    Refresh();
}

void TeamsWindow::Options() {
    // A team match is being set up: the options screen leads back here.
    screens_.Env().State->TeamGame = kTrue;
    screens_.OpenOptions(this, false);
}

void TeamsWindow::Back() {
    ScreenEnvironment& env = screens_.Env();
    setWindowTitle(Q("Сохранение команд..."));
    SaveAll();
    env.State->TeamGame = kFalse;
    setWindowTitle(QString::fromStdString(env.AppTitle));
    if (env.ShowMainMenu) env.ShowMainMenu(this);
}

void TeamsWindow::ExitGame() {
    SaveAll();
    if (screens_.Env().ExitProgram) screens_.Env().ExitProgram();
}

void TeamsWindow::closeEvent(QCloseEvent* e) {
    e->ignore();
    ExitGame();
}

void TeamsWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Delete && focusWidget() == existing_) {
        Delete();
        return;
    }
    if (HandleScreenKeys(e, focusWidget(), [this] { Back(); }, {})) return;
    QWidget::keyPressEvent(e);
}

}  // namespace zel::screens
