#include "frontend/QtPicturePrinter.h"

#include <QImage>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "render/PictureFile.h"

namespace zel {
namespace {

// Descriptions of the failures Qt's print system does not word itself.
constexpr const char* kNoPrinterInstalled = "В системе не установлен ни один принтер.";
constexpr const char* kNoPrinterChosen = "Принтер не выбран.";
constexpr const char* kPrinterMissing = "Принтер не найден: ";
constexpr const char* kPictureUnreadable = "Не удалось прочитать рисунок: ";
constexpr const char* kJobNotStarted = "Принтер не принял задание печати.";
constexpr const char* kJobNotFinished = "Задание печати не удалось завершить.";
constexpr const char* kPrintDialogTitle = "Печать";

// Why the printer as it is set up cannot print, or "" when it can.
std::string WhyNotReady(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        if (!printer.outputFileName().isEmpty()) return "";
    } else if (!printer.printerName().isEmpty()) {
        if (!QPrinterInfo::printerInfo(printer.printerName()).isNull()) return "";
        return kPrinterMissing + printer.printerName().toStdString();
    }
    return QPrinterInfo::availablePrinters().isEmpty() ? kNoPrinterInstalled : kNoPrinterChosen;
}

}  // namespace

QtPicturePrinter::QtPicturePrinter(QWidget* parent, Chooser choose)
    : parent_(parent), choose_(std::move(choose)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setDocName(QString::fromUtf8(screens::kPrintJobName));
}

QtPicturePrinter::~QtPicturePrinter() = default;

bool QtPicturePrinter::Choose() {
    if (choose_) return choose_(*printer_);
    QPrintDialog dialog(printer_.get(), parent_);
    dialog.setWindowTitle(QString::fromUtf8(kPrintDialogTitle));
    return dialog.exec() == QDialog::Accepted;
}

bool QtPicturePrinter::Print(const std::string& path, std::string& error) {
    QPrinter& printer = *printer_;
    error = WhyNotReady(printer);
    if (!error.empty()) return false;
    QString unreadable;
    const QImage picture = render::ReadPicture(QString::fromStdString(path), unreadable);
    if (picture.isNull()) {
        error = kPictureUnreadable + path;
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        error = kJobNotStarted;
        return false;
    }
    // The painter's window is the printable area of the page.
    const QRect page = painter.viewport();
    const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2,
                       page.y() + (page.height() - size.height()) / 2, size.width(), size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        error = kJobNotFinished;
        return false;
    }
    return true;
}

}  // namespace zel
