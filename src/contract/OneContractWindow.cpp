#include "contract/OneContractWindow.h"

#include "app/AppWindows.h"
#include "contract/LoanTermsWindow.h"
#include "contract/PolicyScheduleWindow.h"
#include "history/PreviousContractsWindow.h"

void hideOtherContractWindows(AppWindows& windows, const QWidget* shown)
{
    QWidget* const contractWindows[] = {windows.frmPolicies1, windows.frmPreview, windows.frmPrevious};
    for (QWidget* window : contractWindows) {
        if (window && window != shown && window->isVisible())
            window->hide();
    }
}
