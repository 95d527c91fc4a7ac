#include "screens/LoadGameWindow.h"

#include <filesystem>

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStorageInfo>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "screens/GameScreens.h"
#include "screens/LoadGameTexts.h"
#include "screens/ScreenKeys.h"

namespace zel::screens {
namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

QPushButton* Button(const char* name, const char* text, QWidget* parent) {
    auto* button = new QPushButton(Q(text), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

std::string FolderOf(const std::string& file) {
    const std::string dir = std::filesystem::path(file).parent_path().string();
    return dir.empty() ? std::string("./") : dir + "/";
}

// The game's folder, the home folder and the volumes the system has mounted
// and ready, by their names.
std::vector<Place> PlacesFor(const ScreenEnvironment& env) {
    std::vector<Place> volumes;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        if (!v.isValid() || !v.isReady()) continue;
        volumes.push_back(Place{v.displayName().toStdString(), v.rootPath().toStdString()});
    }
    return MakePlaces(env.SaveFolder, QDir::homePath().toStdString(), volumes);
}

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;

}  // namespace

LoadGameWindow::LoadGameWindow(GameScreens& screens)
    : screens_(screens),
      model_(PlacesFor(screens.Env()), FolderOf(screens.Env().ReplayFile), screens.Env().SavesFolder) {
    setObjectName("frmLoadGame");
    setWindowTitle(Q(screens_.Env().AppTitle + texts::kLoadGameCaptionSuffix));

    title_ = new QLabel(this);
    title_->setObjectName("lbl");
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    title_->setFont(titleFont);
    dir_ = new QLabel(this);
    dir_->setObjectName("lblDir");
    dir_->setWordWrap(true);

    places_ = new QComboBox(this);
    places_->setObjectName("Drive1");
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("Dir1");
    tree_->setHeaderHidden(true);
    files_ = new QListWidget(this);
    files_->setObjectName("File");

    auto* showLabel = new QLabel(Q(texts::kShowLabel), this);
    showReplays_ = new QRadioButton(Q(texts::kShowReplays), this);
    showReplays_->setObjectName("optReplays");
    showSaved_ = new QRadioButton(Q(texts::kShowSavedGames), this);
    showSaved_->setObjectName("optSavedGames");
    auto* modes = new QButtonGroup(this);
    modes->addButton(showReplays_);
    modes->addButton(showSaved_);

    auto* stored = new QLabel(Q(texts::kStoredGames), this);
    stored->setObjectName("Label1");
    auto* hint = new QLabel(Q(texts::kSelectAndLoad), this);
    hint->setObjectName("Label2");
    hint->setWordWrap(true);

    auto* info = Button("cmdInfo", texts::kInfo, this);
    auto* update = Button("cmdUpdateWindow", texts::kUpdateWindow, this);
    update->setToolTip(Q(texts::kUpdateWindowTip));
    delete_ = Button("cmdDel", texts::kDelete, this);
    load_ = Button("cmdLoad", texts::kLoad, this);
    QFont loadFont = load_->font();
    loadFont.setBold(true);
    load_->setFont(loadFont);
    auto* back = Button("cmdBack", zel::texts::kBack, this);
    auto* exitButton = Button("cmdExit", zel::texts::kExit, this);

    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(showLabel);
    modeRow->addWidget(showReplays_);
    modeRow->addWidget(showSaved_);
    modeRow->addStretch(1);

    auto* lists = new QGridLayout;
    lists->addWidget(places_, 0, 0);
    lists->addWidget(stored, 0, 1);
    lists->addWidget(tree_, 1, 0);
    lists->addWidget(files_, 1, 1);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 1);

    auto* fileButtons = new QHBoxLayout;
    fileButtons->addWidget(info);
    fileButtons->addWidget(update);
    fileButtons->addWidget(delete_);
    fileButtons->addStretch(1);
    fileButtons->addWidget(load_);
    auto* navRow = new QHBoxLayout;
    navRow->addStretch(1);
    navRow->addWidget(back);
    navRow->addWidget(exitButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addLayout(modeRow);
    layout->addWidget(dir_);
    layout->addLayout(lists, 1);
    layout->addWidget(hint);
    layout->addLayout(fileButtons);
    layout->addLayout(navRow);
    resize(720, 520);

    connect(places_, &QComboBox::activated, this, [this](int index) {
        if (syncing_) return;
        model_.ChangePlace(index);
        ShowAll();
    });
    connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { FillChildren(item); });
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item, QTreeWidgetItem*) {
        if (syncing_ || !item) return;
        model_.ChangeDir(item->data(0, kPathRole).toString().toStdString());
        dir_->setText(Q(model_.Dir()));
        ShowFiles();
    });
    connect(files_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!syncing_) FileClicked();
    });
    connect(files_, &QListWidget::itemDoubleClicked, this, [this] { Load(); });
    connect(showReplays_, &QRadioButton::clicked, this, [this] { ModeChosen(kLoadReplays); });
    connect(showSaved_, &QRadioButton::clicked, this, [this] { ModeChosen(kLoadSavedGames); });
    connect(info, &QPushButton::clicked, this, [this] { Info(); });
    connect(update, &QPushButton::clicked, this, [this] { UpdateWindow(); });
    connect(delete_, &QPushButton::clicked, this, [this] { Delete(); });
    connect(load_, &QPushButton::clicked, this, [this] { Load(); });
    connect(back, &QPushButton::clicked, this, [this] { Back(); });
    connect(exitButton, &QPushButton::clicked, this, [this] { ExitGame(); });

    // The window's load: the new-match defaults, then UpdateInfo with the
    // mode not yet set (it reads as saved games).
    ResetMatchDefaults(*screens_.Env().State);
    UpdateInfo();
}

void LoadGameWindow::Open(std::int16_t mode) {
    model_.SetLoadMode(mode);
    UpdateInfo();
}

void LoadGameWindow::UpdateInfo() {
    model_.UpdateInfo(*screens_.Env().State);
    ShowAll();
}

void LoadGameWindow::ShowAll() {
    syncing_ = true;
    title_->setText(Q(model_.Title()));
    dir_->setText(Q(model_.Dir()));
    const bool replays = model_.LoadMode() == kLoadReplays;
    showReplays_->setChecked(replays);
    showSaved_->setChecked(!replays);
    places_->clear();
    for (const Place& p : model_.Places()) places_->addItem(Q(p.Name), Q(p.Path));
    places_->setCurrentIndex(model_.CurrentPlace());
    syncing_ = false;
    BuildTree();
    ShowFiles();
}

void LoadGameWindow::BuildTree() {
    syncing_ = true;
    tree_->clear();
    const int place = model_.CurrentPlace();
    const std::string dir = model_.Dir();
    const std::string root =
        place >= 0 ? model_.Places()[static_cast<std::size_t>(place)].Path : dir;
    auto* item = new QTreeWidgetItem(tree_, QStringList(Q(root)));
    item->setData(0, kPathRole, Q(root));
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    // Open the tree down to the folder shown.
    std::string path = root;
    std::string rest = dir.size() > root.size() ? dir.substr(root.size()) : "";
    while (!rest.empty()) {
        FillChildren(item);
        item->setExpanded(true);
        const std::size_t slash = rest.find('/');
        const std::string name = rest.substr(0, slash);
        rest = slash == std::string::npos ? "" : rest.substr(slash + 1);
        path += name + "/";
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount(); ++i)
            if (item->child(i)->text(0) == Q(name)) next = item->child(i);
        if (!next) break;
        item = next;
    }
    tree_->setCurrentItem(item);
    if (QTreeWidgetItem* top = tree_->topLevelItem(0)) top->setExpanded(true);
    syncing_ = false;
}

void LoadGameWindow::FillChildren(QTreeWidgetItem* item) {
    if (!item || item->data(0, kFilledRole).toBool()) return;
    item->setData(0, kFilledRole, true);
    const std::string path = item->data(0, kPathRole).toString().toStdString();
    const std::vector<std::string> folders = ListFolders(path);
    for (const std::string& name : folders) {
        auto* child = new QTreeWidgetItem(item, QStringList(Q(name)));
        child->setData(0, kPathRole, Q(GetPath(path, name) + "/"));
        child->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    if (folders.empty()) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

void LoadGameWindow::ShowFiles() {
    syncing_ = true;
    files_->clear();
    for (const std::string& name : model_.Files()) files_->addItem(Q(name));
    if (model_.Selected() >= 0) files_->setCurrentRow(model_.Selected());
    syncing_ = false;
}

void LoadGameWindow::FileClicked() {
    model_.SelectFile(files_->selectedItems().isEmpty() ? -1 : files_->currentRow());
    load_->setEnabled(model_.CanLoadOrDelete());
    delete_->setEnabled(model_.CanLoadOrDelete());
}

void LoadGameWindow::ModeChosen(std::int16_t mode) {
    if (mode == model_.LoadMode()) return;
    Open(mode);
}

void LoadGameWindow::Info() { model_.Info(*screens_.Env().Messages); }

void LoadGameWindow::UpdateWindow() {
    model_.Refresh();
    ShowFiles();
}

void LoadGameWindow::Delete() {
    model_.Delete(*screens_.Env().Messages);
    ShowFiles();
}

void LoadGameWindow::Load() {
    ScreenEnvironment& env = screens_.Env();
    const LoadRequest request = model_.Load(*env.Messages);
    ShowFiles();
    if (request.Action == LoadAction::None) return;
    const LoadTarget target{*env.State, *env.Store, *env.Messages, [this](bool on) { setEnabled(on); }};
    if (request.Action == LoadAction::Start) {
        if (StartReplay(request.Path, target)) screens_.RunFromBrowser(this, request.Path);
    } else if (ContinueSavedGame(request.Path, target)) {
        screens_.RunFromBrowser(this, "");
    }
}

void LoadGameWindow::Back() {
    // Whichever screen opened the browser, "< Назад" leads to the main menu.
    if (screens_.Env().ShowMainMenu) screens_.Env().ShowMainMenu(this);
}

void LoadGameWindow::ExitGame() {
    if (screens_.Env().ExitProgram) screens_.Env().ExitProgram();
}

void LoadGameWindow::closeEvent(QCloseEvent* e) {
    // Closing the browser ends the program, without a question.
    e->ignore();
    ExitGame();
}

void LoadGameWindow::keyPressEvent(QKeyEvent* e) {
    if (HandleScreenKeys(e, focusWidget(), [this] { Back(); }, [this] { Load(); })) return;
    QWidget::keyPressEvent(e);
}

}  // namespace zel::screens
