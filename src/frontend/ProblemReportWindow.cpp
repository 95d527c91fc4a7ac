#include "frontend/ProblemReportWindow.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "frontend/DisplayText.h"
#include "screens/ProblemReportTexts.h"

namespace zel {
namespace {

namespace t = screens::texts;

QLabel* NamedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

ProblemReportWindow::ProblemReportWindow(const screens::ReportLocation& where,
                                         const std::string& appTitle, Dialogs& dialogs,
                                         QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), model_(where.File(), dialogs) {
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(ToDisplay(t::kReportCaption));
    setAttribute(Qt::WA_DeleteOnClose);
    const int em = fontMetrics().height();

    auto* intro = NamedLabel("Label1", ToDisplay(t::kReportIntro), this);
    intro->setWordWrap(true);

    auto* facts = new QGridLayout;
    facts->addWidget(NamedLabel("Label2", ToDisplay(t::kReportTitleCaption), this), 0, 0);
    facts->addWidget(NamedLabel("lblTitle", ToDisplay(appTitle), this), 0, 1);
    facts->addWidget(NamedLabel("Label3", ToDisplay(t::kReportVersionCaption), this), 1, 0);
    facts->addWidget(NamedLabel("lblVersion", ToDisplay(screens::ReportVersionText()), this), 1, 1);
    facts->addWidget(NamedLabel("Label4", ToDisplay(t::kReportDateCaption), this), 2, 0);
    // The release date is left empty, as the game always has it.
    facts->addWidget(NamedLabel("lblDate", QString(), this), 2, 1);
    facts->setColumnStretch(1, 1);

    auto* textCaption = NamedLabel("Label5", ToDisplay(t::kReportTextCaption), this);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("txt"));
    text_->setMinimumHeight(em * 8);

    auto* hint = NamedLabel("Label6", ToDisplay(screens::ReportHint(where)), this);
    hint->setWordWrap(true);

    auto* save = new QPushButton(ToDisplay(t::kReportSave), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto* close = new QPushButton(ToDisplay(t::kReportClose), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(save, &QPushButton::clicked, this, [this] { Save(); });
    connect(close, &QPushButton::clicked, this, [this] { this->close(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addStretch(1);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(em * 3 / 2, em, em * 3 / 2, em);
    layout->addWidget(intro);
    layout->addLayout(facts);
    layout->addWidget(textCaption);
    layout->addWidget(text_, 1);
    layout->addWidget(hint);
    layout->addLayout(buttons);
    resize(em * 34, em * 26);

    // Filling the box marks it changed; the loaded text is the saved one.
    text_->setPlainText(ToDisplay(model_.Load()));
    connect(text_, &QPlainTextEdit::textChanged, this, [this] { model_.TextChanged(); });
}

QString ProblemReportWindow::Text() const { return text_->toPlainText(); }

void ProblemReportWindow::Save() {
    if (model_.Save(Text().toStdString())) showMinimized();
}

void ProblemReportWindow::closeEvent(QCloseEvent* e) {
    if (model_.MayClose(Text().toStdString())) {
        e->accept();
    } else {
        e->ignore();
    }
}

}  // namespace zel
