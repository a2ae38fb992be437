#pragma once

class MainWindow;
class CustomerDialog;
class AgentDialog;
class PolicyScheduleWindow;
class LoanTermsWindow;
class PreviousContractsWindow;
class FindDialog;
class FindContractWindow;
class ReportWindow;

// The program's six windows, each created once and then shown and hidden. The
// application owns them and is the only code that holds them all; the windows
// themselves never see this set.
struct AppWindows {
    MainWindow* frmAgent = nullptr;
    CustomerDialog* frmAddCust = nullptr;
    AgentDialog* frmAddAgent = nullptr;
    PolicyScheduleWindow* frmPolicies1 = nullptr;
    LoanTermsWindow* frmPreview = nullptr;
    PreviousContractsWindow* frmPrevious = nullptr;
    // Beside the six: Find Customer and Find Agent, over the main window's lists.
    FindDialog* frmFind = nullptr;
    FindDialog* frmFindAgent = nullptr;
    // Find Contract and the report, over the main window.
    FindContractWindow* frmFindContract = nullptr;
    ReportWindow* frmReport = nullptr;
};
