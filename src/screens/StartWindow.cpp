#include "screens/StartWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/GameScreens.h"
#include "screens/NetworkTexts.h"
#include "screens/ScreenKeys.h"
#include "screens/PieceEditorWindow.h"
#include "screens/PiecePreview.h"
#include "screens/ScreenTexts.h"
#include "base/CheckBox.h"
#include "screens/SettingsControls.h"
#include "settings/SettingsTexts.h"

namespace zel::screens {
namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }

QString Indexed(const char* name, int i) { return QString::fromUtf8(name) + QString::number(i); }

Qt::CheckState CheckStateOf(std::int16_t mark) {
    if (mark == kBoxChecked) return Qt::Checked;
    if (mark == kBoxGreyed) return Qt::PartiallyChecked;
    return Qt::Unchecked;
}

}  // namespace

StartWindow::StartWindow(GameScreens& screens)
    : screens_(screens), model_(screens.Env().Store->Start) {
    setObjectName("frmStart");
    setWindowTitle(QString::fromStdString(screens_.Env().AppTitle));

    auto* heading = new QLabel(Q(texts::kQuickMatch), this);
    heading->setObjectName("Label3");
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
    heading->setFont(headingFont);
    auto* prompt = new QLabel(Q(texts::kStartPrompt), this);
    prompt->setObjectName("Label1");
    prompt->setWordWrap(true);

    auto* grid = new QGridLayout;
    auto* plays = new QLabel(Q(texts::kColumnPlays), this);
    plays->setObjectName("Label2");
    auto* names = new QLabel(Q(texts::kColumnName), this);
    names->setObjectName("Label4");
    auto* models = new QLabel(Q(texts::kColumnModel), this);
    models->setObjectName("Label5");
    auto* players = new QLabel(Q(texts::kColumnPlayer), this);
    players->setObjectName("lblPlayer");
    grid->addWidget(plays, 0, 0);
    grid->addWidget(names, 0, 1);
    grid->addWidget(players, 0, 2);
    grid->addWidget(models, 0, 3);
    whereHeading_ = new QLabel(Q(texts::kNetWhereColumn), this);
    whereHeading_->setObjectName("lblWhere");
    grid->addWidget(whereHeading_, 0, 5);
    for (int i = 0; i < StartScreenModel::kSlots; ++i) {
        Row& row = rows_[static_cast<std::size_t>(i)];
        row.mark = new QCheckBox(this);
        row.mark->setObjectName(Indexed("chk", i));
        row.mark->setAccessibleName(Q(texts::kColumnPlays) + " " + QString::number(i + 1));
        row.name = new QLineEdit(this);
        row.name->setObjectName(Indexed("txtG", i));
        row.name->setAccessibleName(Q(texts::kColumnName) + " " + QString::number(i + 1));
        row.player = new QComboBox(this);
        row.player->setObjectName(Indexed("cmbPlayer", i));
        row.player->setAccessibleName(Q(texts::kColumnPlayer) + " " + QString::number(i + 1));
        for (int k = 0; k < kPlayerKindCount; ++k) row.player->addItem(Q(kPlayerKindNames[k]));
        row.model = new QComboBox(this);
        row.model->setObjectName(Indexed("cmb", i));
        row.model->setAccessibleName(Q(texts::kColumnModel) + " " + QString::number(i + 1));
        for (int m = 0; m < zel::texts::kModelEntryCount; ++m)
            row.model->addItem(Q(StartScreenModel::ModelName(m)));
        row.editor = new QPushButton(Q(texts::kMyVemba), this);
        row.editor->setObjectName(Indexed("cmdMyVemba", i));
        row.editor->setAutoDefault(false);
        grid->addWidget(row.mark, i + 1, 0, Qt::AlignCenter);
        grid->addWidget(row.name, i + 1, 1);
        grid->addWidget(row.player, i + 1, 2);
        grid->addWidget(row.model, i + 1, 3);
        grid->addWidget(row.editor, i + 1, 4);
        row.where = new QComboBox(this);
        row.where->setObjectName(Indexed("cmbWhere", i));
        row.where->setAccessibleName(Q(texts::kNetWhereColumn) + " " + QString::number(i + 1));
        row.where->addItem(Q(texts::kNetHere));
        row.where->addItem(Q(texts::kNetThere));
        grid->addWidget(row.where, i + 1, 5);
        connect(row.where, &QComboBox::activated, this, [this, i](int index) {
            model_.SetPlayedThere(i, index == 1);
            Refresh();
        });

        connect(row.mark, &QCheckBox::clicked, this, [this, i] { MarkClicked(i); });
        connect(row.name, &QLineEdit::textEdited, this,
                [this, i](const QString& t) { model_.SetName(i, t.toStdString()); });
        connect(row.player, &QComboBox::activated, this,
                [this, i](int index) { model_.SetPlayer(i, PlayerKindFromNumber(index)); });
        connect(row.model, &QComboBox::activated, this, [this, i](int index) { ModelChosen(i, index); });
        connect(row.editor, &QPushButton::clicked, this, [this, i] { EditPiece(i); });
    }
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(3, 1);

    count_ = new QLabel(Q(zel::texts::kGamersKolvoCaption), this);
    count_->setObjectName("lblGamersKolvo");

    go_ = new QPushButton(Q(texts::kGo), this);
    go_->setObjectName("cmdGo");
    go_->setToolTip(Q(texts::kGoTip));
    go_->setDefault(true);
    QFont goFont = go_->font();
    goFont.setBold(true);
    goFont.setPointSizeF(goFont.pointSizeF() * 1.3);
    go_->setFont(goFont);
    auto* control = new QPushButton(Q(texts::kControl), this);
    control->setObjectName("cmdControl");
    control->setToolTip(Q(texts::kControlTip));
    auto* help = new QPushButton(Q(texts::kHelp), this);
    help->setObjectName("cmdHelp");
    auto* options = new QPushButton(Q(texts::kOptions), this);
    options->setObjectName("cmdOption");
    options->setToolTip(Q(texts::kOptionsTip));
    auto* back = new QPushButton(Q(texts::kBack), this);
    back->setObjectName("cmdBack");
    auto* exitButton = new QPushButton(Q(texts::kExit), this);
    exitButton->setObjectName("cmdExit");
    for (QPushButton* b : {control, help, options, back, exitButton}) b->setAutoDefault(false);

    auto* side = new QHBoxLayout;
    side->addWidget(control);
    side->addWidget(help);
    side->addWidget(options);
    side->addStretch(1);
    side->addWidget(back);
    side->addWidget(exitButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(prompt);
    layout->addLayout(grid);
    layout->addWidget(count_);
    layout->addWidget(go_);
    layout->addLayout(side);

    // Row by row, then the start button and the others in reading order.
    QWidget* previous = nullptr;
    auto chain = [&](QWidget* w) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    };
    for (Row& row : rows_) {
        chain(row.mark);
        chain(row.name);
        chain(row.player);
        chain(row.model);
        chain(row.editor);
        chain(row.where);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{go_, control, help, options, back, exitButton}) chain(w);

    connect(go_, &QPushButton::clicked, this, [this] { Go(); });
    connect(back, &QPushButton::clicked, this, [this] { Back(); });
    connect(exitButton, &QPushButton::clicked, this, [this] { ExitGame(); });
    connect(options, &QPushButton::clicked, this, [this] { Options(); });
    connect(help, &QPushButton::clicked, this, [this] { Help(); });
    connect(control, &QPushButton::clicked, this, [this] { ShowControls(); });
    Refresh();
}

StartWindow::~StartWindow() = default;

void StartWindow::Refresh() {
    for (int i = 0; i < StartScreenModel::kSlots; ++i) {
        Row& row = rows_[static_cast<std::size_t>(i)];
        const std::int16_t mark = model_.Mark(i);
        row.mark->setTristate(mark == kBoxGreyed);
        row.mark->setCheckState(CheckStateOf(mark));
        const QString name = QString::fromStdString(model_.Name(i));
        if (row.name->text() != name) row.name->setText(name);
        row.player->setCurrentIndex(PlayerKindNumber(model_.Player(i)));
        row.model->setCurrentIndex(model_.Model(i));
        const bool network = model_.NetworkMode();
        row.where->setVisible(network);
        row.where->setCurrentIndex(model_.PlayedThere(i) ? 1 : 0);
        // The other computer's players are people at its keyboard.
        row.player->setEnabled(!model_.PlayedThere(i));
    }
    whereHeading_->setVisible(model_.NetworkMode());
    // A match between two computers is headed so.
    if (auto* heading = findChild<QLabel*>("Label3"))
        heading->setText(Q(model_.NetworkMode() ? texts::kNetHeading : texts::kQuickMatch));
    count_->setText(QString::fromStdString(model_.GamersKolvoText()));
    go_->setEnabled(model_.GoEnabled());
}

void StartWindow::MarkClicked(int slot) {
    // A click clears a checked mark and checks any other (a greyed one too).
    const std::int16_t next = model_.Mark(slot) == kBoxChecked ? kBoxClear : kBoxChecked;
    model_.SetMark(slot, next);
    Refresh();
}

void StartWindow::ModelChosen(int slot, int index) {
    ScreenEnvironment& env = screens_.Env();
    model_.SelectModel(slot, index, *env.State, *env.Messages);
    Refresh();
}

void StartWindow::Go() {
    GameStarter& starter = screens_.Starter();
    if (starter.Busy() || !model_.GoEnabled()) return;
    ScreenEnvironment& env = screens_.Env();
    MatchState& s = *env.State;
    SaveSettings(env.SettingsFile, *env.Store, s, *env.Messages);
    for (int k = 1; k <= kMaxParticipants; ++k) s.KtoHodit[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(k);
    s.TeamGame = kFalse;
    // A count the teams screen left behind does not carry over: the match
    // has as many participants as marks are checked here.
    model_.SetGamersKolvo(static_cast<std::int16_t>(model_.CheckedCount()));
    screens_.StartGameFrom(this);
    Refresh();
}

void StartWindow::Back() {
    ScreenEnvironment& env = screens_.Env();
    env.State->TeamGame = kFalse;
    SaveSettings(env.SettingsFile, *env.Store, *env.State, *env.Messages);
    if (model_.NetworkMode()) {
        screens_.LeaveNetwork(this);
        return;
    }
    if (env.ShowMainMenu) env.ShowMainMenu(this);
}

void StartWindow::ExitGame() {
    ScreenEnvironment& env = screens_.Env();
    SaveSettings(env.SettingsFile, *env.Store, *env.State, *env.Messages);
    if (env.ExitProgram) env.ExitProgram();
}

void StartWindow::Options() {
    screens_.Env().State->TeamGame = kFalse;
    screens_.OpenOptions(this, false);
}

void StartWindow::Help() {
    if (screens_.Env().OpenHelp) screens_.Env().OpenHelp();
}

void StartWindow::ShowControls() {
    Message m;
    m.Title = texts::kControlTitle;
    m.Text = std::string(texts::kControlText) + zel::texts::kBlankLine + texts::kControlNote;
    m.Icon = MsgIcon::Information;
    screens_.Env().Messages->Ask(m);
}

void StartWindow::EditPiece(int slot) {
    if (slot < 0 || slot >= StartScreenModel::kSlots) return;
    ScreenEnvironment& env = screens_.Env();
    PieceEditorWindow editor(*env.State, env.Store->Display, *env.Messages, this);
    editor.Open(slot + 1, model_.Name(slot), StartScreenModel::ModelName(model_.Model(slot)));
    if (editor.exec() == PieceEditorWindow::kPreviewRequested) RunPreview(slot);
}

void StartWindow::RunPreview(int participant) {
    ScreenEnvironment& env = screens_.Env();
    preview_ = std::make_unique<PiecePreview>(*env.State, model_, env.Store->Display, *env.Messages, *env.Log);
    preview_->OnExit = [this] {
        show();
        activateWindow();
    };
    hide();
    preview_->LoadPreviewVemba(participant);
    preview_.reset();
}

void StartWindow::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (screens_.Env().ExitProgram) screens_.Env().ExitProgram();
}

void StartWindow::keyPressEvent(QKeyEvent* e) {
    if (HandleScreenKeys(e, focusWidget(), [this] { Back(); }, [this] { Go(); })) return;
    QWidget::keyPressEvent(e);
}

void StartWindow::showEvent(QShowEvent* e) {
    Refresh();
    QWidget::showEvent(e);
}

}  // namespace zel::screens
