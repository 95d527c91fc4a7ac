#include "frontend/AboutWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/ClickLabel.h"
#include "frontend/FrontendTexts.h"
#include "settings/SettingsTexts.h"
#include "base/TextFile.h"

namespace zel {
namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

std::string AboutWindow::CreditsText() {
    using namespace texts;
    return std::string(kCreditsHeading) + kBlankLine + kLeadProgrammerRole + kNewLine +
           kLeadProgrammer + kBlankLine + kMathEngineRole + kNewLine + kMathEngineAuthor;
}

std::string AboutWindow::HistoryNoteText() {
    using namespace texts;
    return std::string(kPreviousEdition) + kNewLine + kLegalNotice + kBlankLine + kProjectOpened;
}

AboutWindow::AboutWindow(const std::string& appPath, Dialogs& dialogs,
                         const DesktopLauncher& launcher, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), launcher_(launcher) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(Q(texts::kAboutTitle));
    setModal(true);

    logo_ = new ClickLabel(this);
    logo_->setObjectName(QStringLiteral("Image1"));
    logo_->setAlignment(Qt::AlignCenter);
    logo_->setMinimumSize(200, 120);
    const std::string logoPath = appPath + texts::kLogoPicture;
    if (FileExists(logoPath)) {
        logo_->setPixmap(QPixmap(Q(logoPath)));
    } else {
        dialogs_.Ask({texts::kLogoMissing, "", MsgIcon::Critical, MsgButtons::Ok});
    }
    logo_->OnPress = [this](QMouseEvent* e) {
        if (e->button() == Qt::RightButton && (e->modifiers() & Qt::ControlModifier))
            ShowHistoryNote();
    };

    auto* versionGrid = new QGridLayout;
    versionGrid->addWidget(NamedLabel("lblVersionCaption", Q(texts::kVersionCaption), this), 0, 0);
    versionGrid->addWidget(NamedLabel("lblVersion", Q(VersionText()), this), 0, 1);
    versionGrid->addWidget(NamedLabel("lblUpdateCaption", Q(texts::kBuildCaption), this), 1, 0);
    versionGrid->addWidget(NamedLabel("lblUpdate", QString::number(kBuildNumber), this), 1, 1);
    auto* beta = NamedLabel("lblBeta", Q(texts::kBetaLabel), this);
    beta->setStyleSheet(QStringLiteral("font-weight: bold; color: #a03020;"));
    versionGrid->addWidget(beta, 2, 0, 1, 2);

    auto* top = new QHBoxLayout;
    top->addWidget(logo_);
    top->addLayout(versionGrid);

    auto* technologies = new QListWidget(this);
    technologies->setObjectName(QStringLiteral("List1"));
    technologies->addItems({Q(texts::kTechEngine), Q(texts::kTechGraphics), Q(texts::kTechPhysics)});
    technologies->setMaximumHeight(72);

    auto* link = new ClickLabel(Q(texts::kProductHomePage), this);
    link->setObjectName(QStringLiteral("lblLinkZEL"));
    link->setToolTip(Q(texts::kProductLinkTip));
    link->setCursor(Qt::PointingHandCursor);
    link->setStyleSheet(QStringLiteral("color: #1a4fa0; text-decoration: underline;"));
    link->OnPress = [this](QMouseEvent*) { launcher_.StartNet(texts::kProductHomePage); };

    auto* support = NamedLabel("lblSupport", Q(texts::kSupportInvitation), this);
    support->setWordWrap(true);
    auto* legal = NamedLabel("lblLegal", Q(texts::kLegalNotice), this);
    legal->setWordWrap(true);

    auto* credits = new QPushButton(Q(texts::kCreditsButton), this);
    credits->setObjectName(QStringLiteral("cmdSotr"));
    connect(credits, &QPushButton::clicked, this, [this] { ShowCredits(); });
    auto* ok = new QPushButton(Q(texts::kCloseButton), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(credits);
    buttons->addStretch(1);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(NamedLabel("lblTechnologies", Q(texts::kTechnologiesCaption), this));
    layout->addWidget(technologies);
    layout->addWidget(link);
    layout->addWidget(support);
    layout->addWidget(legal);
    layout->addLayout(buttons);
    setFixedWidth(460);
}

void AboutWindow::ShowCredits() {
    dialogs_.Ask({CreditsText(), "", MsgIcon::Information, MsgButtons::Ok});
}

void AboutWindow::ShowHistoryNote() {
    dialogs_.Ask({HistoryNoteText(), "", MsgIcon::None, MsgButtons::Ok});
}

}  // namespace zel
