#pragma once
#include <string>

#include <QWidget>

#include "base/Dialogs.h"
#include "screens/ProblemReportModel.h"

class QLabel;
class QPlainTextEdit;

namespace zel {

// frmReport, "Отчет об ошибках программ Merovane(R)": the user writes a
// problem down in the box txt and keeps it in tyreport.rpt (`where` says
// which folder), which the window loads again when it is next opened.
// "Сохранить и свернуть это окно" saves and minimises; "Закрыть" and
// closing by any other means ask about an unsaved text. The window is made
// for each opening and deletes itself when it closes.
class ProblemReportWindow : public QWidget {
public:
    ProblemReportWindow(const screens::ReportLocation& where, const std::string& appTitle,
                        Dialogs& dialogs, QWidget* parent = nullptr);

    // "Сохранить и свернуть это окно": saves and, when that worked,
    // minimises the window.
    void Save();
    const screens::ProblemReportModel& Model() const { return model_; }
    QString Text() const;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    Dialogs& dialogs_;                  // questions, the busy pointer
    screens::ProblemReportModel model_; // the file and the dirty flag
    QPlainTextEdit* text_ = nullptr;    // txt
};

}  // namespace zel
