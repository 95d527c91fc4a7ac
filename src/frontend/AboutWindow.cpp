#include "frontend/AboutWindow.h"

#include <algorithm>

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
#include "render/PictureFile.h"

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
    const std::string logoPath = appPath + texts::kLogoPicture;
    if (FileExists(logoPath)) {
        // The picture asks for its own size; a smaller minimum would cut it.
        QString unreadable;  // a damaged logo leaves the place empty, as a missing one
        logo_->setPixmap(QPixmap::fromImage(render::ReadPicture(Q(logoPath), unreadable)));
    } else {
        // The empty picture keeps its place.
        logo_->setMinimumSize(200, 120);
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
    versionGrid->addWidget(beta, 2, 0, 1, 2);

    auto* top = new QHBoxLayout;
    top->addWidget(logo_);
    top->addLayout(versionGrid);

    auto* technologies = new QListWidget(this);
    technologies->setObjectName(QStringLiteral("List1"));
    technologies->addItems({Q(texts::kTechEngine), Q(texts::kTechGraphics), Q(texts::kTechPhysics)});
    // Three rows high, whatever the font.
    technologies->ensurePolished();
    technologies->setMaximumHeight(technologies->sizeHintForRow(0) * technologies->count() +
                                   2 * technologies->frameWidth());

    auto* link = new ClickLabel(Q(texts::kProductHomePage), this);
    link->setObjectName(QStringLiteral("lblLinkZEL"));
    link->setToolTip(Q(texts::kProductLinkTip));
    link->setCursor(Qt::PointingHandCursor);
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
    // Some 66 characters of its font wide, and never narrower than its
    // contents ask: at any font size the texts wrap instead of being cut.
    ensurePolished();
    setFixedWidth(std::max(fontMetrics().averageCharWidth() * 66, layout->minimumSize().width()));
}

void AboutWindow::ShowCredits() {
    dialogs_.Ask({CreditsText(), "", MsgIcon::Information, MsgButtons::Ok});
}

void AboutWindow::ShowHistoryNote() {
    dialogs_.Ask({HistoryNoteText(), "", MsgIcon::None, MsgButtons::Ok});
}

}  // namespace zel
