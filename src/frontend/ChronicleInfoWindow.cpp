#include "frontend/ChronicleInfoWindow.h"

#include <QCloseEvent>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/TextFile.h"
#include "frontend/DisplayText.h"
#include "screens/ChronicleTexts.h"
#include "render/PictureFile.h"

namespace zel {

ChronicleInfoWindow::ChronicleInfoWindow(const std::string& appPath, Dialogs& dialogs)
    : appPath_(appPath), dialogs_(dialogs), model_(appPath) {
    namespace t = screens::texts;
    setObjectName(QStringLiteral("frmXronikaInfo"));
    setWindowTitle(ToDisplay(t::kDetailCaption));

    date_ = new QLabel(this);
    date_->setObjectName(QStringLiteral("lblDate"));
    date_->setWordWrap(true);

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("pic"));
    picture_->setAlignment(Qt::AlignCenter);
    // Room for the period pictures (320 x 240) whatever is loaded.
    picture_->setMinimumSize(320, 240);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("List"));
    list_->setMouseTracking(true);
    list_->viewport()->setMouseTracking(true);
    list_->viewport()->installEventFilter(this);
    list_->setMinimumWidth(fontMetrics().height() * 19);
    list_->hide();
    // The chosen entry is the selected one: the list's current row also
    // moves to the first entry when the list merely takes the focus.
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        const int row = SelectedRow();
        if (row < 0) return;
        model_.SelectEvent(row);
        ShowDetail();
    });

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("Text1"));
    text_->setToolTip(ToDisplay(t::kDetailTextTip));
    text_->setReadOnly(true);
    text_->setMinimumWidth(fontMetrics().height() * 22);

    auto* back = new QPushButton(ToDisplay(t::kBack), this);
    back->setObjectName(QStringLiteral("cmdBack"));
    back->setToolTip(ToDisplay(t::kDetailBackTip));
    auto* exit = new QPushButton(ToDisplay(t::kLeaveGame), this);
    exit->setObjectName(QStringLiteral("cmdExit"));
    connect(back, &QPushButton::clicked, this, [this] {
        if (OnBack) OnBack(this);
    });
    connect(exit, &QPushButton::clicked, this, [this] { LeaveGame(); });

    auto* middle = new QHBoxLayout;
    middle->addWidget(picture_);
    middle->addWidget(list_);
    middle->addWidget(text_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addStretch(1);
    buttons->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    const int em = fontMetrics().height();
    layout->setContentsMargins(em * 3 / 2, em, em * 3 / 2, em);
    layout->addWidget(date_);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    resize(em * 44, em * 26);
}

bool ChronicleInfoWindow::Open(int index) {
    if (!model_.Open(index, dialogs_)) return false;
    const screens::ChronicleDetail& d = model_.Detail();
    // The picture box first, the list only for the events.
    picture_->show();
    list_->hide();
    if (d.ShowList) {
        const QSignalBlocker quiet(list_);
        list_->clear();
        for (const screens::ChronicleEvent& e : d.Events) list_->addItem(ToDisplay(e.Title));
        list_->setToolTip(QString());
        picture_->hide();
        list_->show();
    } else {
        LoadPic(d.Picture);
    }
    ShowDetail();
    return true;
}

void ChronicleInfoWindow::LoadPic(int index) {
    picture_->clear();
    const std::string path = screens::PeriodPicturePath(appPath_, index);
    if (!FileExists(path)) return;
    QString unreadable;  // a picture that cannot be read keeps the text
    const QPixmap pixmap = QPixmap::fromImage(render::ReadPicture(QString::fromStdString(path), unreadable));
    if (!pixmap.isNull()) picture_->setPixmap(pixmap);
}

int ChronicleInfoWindow::SelectedRow() const {
    const QList<QListWidgetItem*> chosen = list_->selectedItems();
    return chosen.isEmpty() ? -1 : list_->row(chosen.front());
}

void ChronicleInfoWindow::ShowDetail() {
    const screens::ChronicleDetail& d = model_.Detail();
    date_->setText(ToDisplay(d.Caption));
    text_->setPlainText(ToDisplay(d.Text));
}

void ChronicleInfoWindow::LeaveGame() {
    if (!screens::ConfirmLeaveGame(dialogs_)) return;
    exiting_ = true;
    if (OnExitProgram) OnExitProgram();
}

bool ChronicleInfoWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == list_->viewport() && e->type() == QEvent::MouseMove) {
        const std::string tip = model_.ListTip(SelectedRow());
        if (!tip.empty()) list_->setToolTip(ToDisplay(tip));
    }
    return QWidget::eventFilter(watched, e);
}

void ChronicleInfoWindow::closeEvent(QCloseEvent* e) {
    e->accept();
    if (exiting_) return;
    exiting_ = true;
    if (OnExitProgram) OnExitProgram();
}

}  // namespace zel
