#include "screens/TeamEditorDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/SharedTexts.h"

namespace zel::screens {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TeamEditorDialog::TeamEditorDialog(TeamEditorModel model, TeamList& teams, Dialogs& d,
                                   const std::string& namesFile, std::function<double()> random,
                                   QWidget* parent)
    : QDialog(parent), model_(std::move(model)), teams_(teams), d_(d), random_(std::move(random)) {
    setObjectName("frmNewCom");
    setModal(true);
    setWindowTitle(Q(model_.Title()));

    auto* intro = new QLabel(
        Q("Здесь вы можете создать новую команду. Сначала введите ее название, потом задайте "
          "количество игроков и их имена. Чтобы вернуться в предыдущее окно, не создавая команду, "
          "нажмите \"Назад\"."),
        this);
    intro->setObjectName("Label1");
    intro->setWordWrap(true);
    auto* nameLabel = new QLabel(Q("Название команды:"), this);
    nameLabel->setObjectName("Label2");
    name_ = new QLineEdit(Q(model_.TeamName()), this);
    name_->setObjectName("txtComName");
    nameLabel->setBuddy(name_);

    auto* frame = new QGroupBox(Q("Игроки"), this);
    frame->setObjectName("Frame1");
    auto* grid = new QGridLayout(frame);
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::number(i + 1) + ")", frame);
        players_[i] = new QLineEdit(Q(model_.Player(i)), frame);
        players_[i]->setObjectName("txt" + QString::number(i));
        pick_[i] = new QPushButton(Q("Выбрать..."), frame);
        pick_[i]->setObjectName("cmdName" + QString::number(i));
        kinds_[i] = new QComboBox(frame);
        kinds_[i]->setObjectName("cmbKind" + QString::number(i));
        kinds_[i]->setAccessibleName(Q("Кто играет: игрок ") + QString::number(i + 1));
        for (int k = 0; k < kPlayerKindCount; ++k) kinds_[i]->addItem(Q(kPlayerKindNames[k]));
        kinds_[i]->setCurrentIndex(PlayerKindNumber(model_.Kind(i)));
        grid->addWidget(label, i, 0);
        grid->addWidget(players_[i], i, 1);
        grid->addWidget(pick_[i], i, 2);
        grid->addWidget(kinds_[i], i, 3);
        connect(pick_[i], &QPushButton::clicked, this, [this, i] { PickName(i); });
    }

    auto* done = new QPushButton(Q(model_.DoneCaption()), this);
    done->setObjectName("cmdDone");
    done->setDefault(true);
    auto* cancel = new QPushButton(Q(zel::texts::kBack), this);
    cancel->setObjectName("cmdCancel");
    connect(done, &QPushButton::clicked, this, [this] { Done(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(done);
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(nameLabel);
    layout->addWidget(name_);
    layout->addWidget(frame);
    layout->addLayout(buttons);

    names_.Load(namesFile, d_);
    for (QPushButton* b : pick_) b->setEnabled(names_.Available());
}

void TeamEditorDialog::TakeBoxes() {
    model_.SetTeamName(name_->text().toStdString());
    for (int i = 0; i < 4; ++i) {
        model_.SetPlayer(i, players_[i]->text().toStdString());
        model_.SetKind(i, PlayerKindFromNumber(kinds_[i]->currentIndex()));
    }
}

void TeamEditorDialog::Done() {
    TakeBoxes();
    if (model_.Done(teams_, d_)) accept();
}

void TeamEditorDialog::PickName(int i) {
    if (i < 0 || i >= 4 || !names_.Available()) return;
    players_[static_cast<std::size_t>(i)]->setText(Q(names_.Pick(random_)));
}

}  // namespace zel::screens
