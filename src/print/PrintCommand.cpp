#include "print/PrintCommand.h"

#include "app/AppWindows.h"
#include "app/Session.h"
#include "contract/LoanTermsWindow.h"
#include "contract/PolicyScheduleWindow.h"

void runSavePrint(Session&, AppWindows& windows)
{
    // Until the note can be printed, Save / Print saves and returns to the schedule.
    if (!windows.frmPreview->SaveData())
        return;
    windows.frmPreview->hide();
    windows.frmPolicies1->show();
}
