#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "screens/CoatOfArmsModel.h"
#include "support/FakeDialogs.h"

namespace zel::screens {
namespace {

// A printer that records what it was asked and fails when told to.
class RecordingPrinter : public PicturePrinter {
public:
    bool Choose() override {
        ++Chosen;
        return ChooseAnswer;
    }
    bool Print(const std::string& path, std::string& error) override {
        Printed.push_back(path);
        BusyWhilePrinting = Dialogs->BusyDepth;
        if (!Failure.empty()) error = Failure;
        return Failure.empty();
    }

    test::FakeDialogs* Dialogs = nullptr;
    bool ChooseAnswer = true;          // false: the print dialog is cancelled
    std::string Failure;               // the description of a failing job
    int Chosen = 0;                    // print dialogs shown
    std::vector<std::string> Printed;  // pictures printed
    int BusyWhilePrinting = -1;        // busy pointer depth during the job
};

struct PrintCase : testing::Test {
    PrintCase() { printer.Dialogs = &dialogs; }
    test::FakeDialogs dialogs;
    RecordingPrinter printer;
};

TEST_F(PrintCase, NoToTheQuestionPrintsNothing) {
    dialogs.Answers = {MsgAnswer::No};
    EXPECT_EQ(PrintCoatOfArms("gerb.gif", dialogs, printer), PrintOutcome::Declined);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0].Text, "Напечатать Герб Вембного Клуба?");
    EXPECT_EQ(dialogs.Messages[0].Buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.Messages[0].Icon, MsgIcon::Information);
    EXPECT_EQ(printer.Chosen, 0);
    EXPECT_TRUE(printer.Printed.empty());
}

TEST_F(PrintCase, YesPrintsThePictureUnderTheBusyPointer) {
    EXPECT_EQ(PrintCoatOfArms("gerb.gif", dialogs, printer), PrintOutcome::Printed);
    EXPECT_EQ(printer.Printed, std::vector<std::string>{"gerb.gif"});
    EXPECT_EQ(printer.BusyWhilePrinting, 1);
    EXPECT_TRUE(dialogs.BusyBalanced());
    EXPECT_EQ(dialogs.Messages.size(), 1u);  // the question only
}

TEST_F(PrintCase, CancellingThePrintDialogPrintsNothingAndSaysNothing) {
    printer.ChooseAnswer = false;
    EXPECT_EQ(PrintCoatOfArms("gerb.gif", dialogs, printer), PrintOutcome::Cancelled);
    EXPECT_TRUE(printer.Printed.empty());
    EXPECT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_TRUE(dialogs.BusyCalls.empty());
}

TEST_F(PrintCase, AFailedJobShowsThePrintErrorWithTheDescriptionAfterThePointerIsBack) {
    printer.Failure = "В системе не установлен ни один принтер.";
    EXPECT_EQ(PrintCoatOfArms("gerb.gif", dialogs, printer), PrintOutcome::Failed);
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[1].Text, "Ошибка печати:\r\n\r\nВ системе не установлен ни один принтер.");
    EXPECT_EQ(dialogs.Messages[1].Icon, MsgIcon::Critical);
    EXPECT_TRUE(dialogs.BusyBalanced());
}

}  // namespace
}  // namespace zel::screens
