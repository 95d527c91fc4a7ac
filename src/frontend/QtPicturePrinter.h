#pragma once
#include <functional>
#include <memory>
#include <string>

#include "screens/CoatOfArmsModel.h"

class QPrinter;
class QWidget;

namespace zel {

// Prints a picture through Qt's print system: the system's printers, or a
// PDF file, chosen in the platform's print dialog. The picture fills as
// much of the printable page as it can with its proportions kept, centred.
class QtPicturePrinter : public screens::PicturePrinter {
public:
    // Sets the printer up (its name, or a PDF file); false when the person
    // cancels. Empty: the platform's print dialog over `parent`.
    using Chooser = std::function<bool(QPrinter& printer)>;

    explicit QtPicturePrinter(QWidget* parent, Chooser choose = {});
    ~QtPicturePrinter() override;

    bool Choose() override;
    // Fails with a description when no printer is chosen or installed (a
    // system printer was asked for and there is none), when the picture
    // cannot be read, or when the job cannot start or finish.
    bool Print(const std::string& path, std::string& error) override;

    QPrinter& Printer() { return *printer_; }

private:
    QWidget* parent_;                    // the print dialog's window
    Chooser choose_;                     // how the printer is chosen
    std::unique_ptr<QPrinter> printer_;  // the printer of the job
};

}  // namespace zel
