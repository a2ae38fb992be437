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
// themselves never see this set. Each member is named for what the window
// does; its object name is its system name (given beside it).
struct AppWindows {
    MainWindow* mainWindow = nullptr;                     // frmAgent
    CustomerDialog* customerDialog = nullptr;             // frmAddCust
    AgentDialog* agentDialog = nullptr;                   // frmAddAgent
    PolicyScheduleWindow* schedule = nullptr;             // frmPolicies1
    LoanTermsWindow* loanTerms = nullptr;                 // frmPreview
    PreviousContractsWindow* previousContracts = nullptr; // frmPrevious
    // Beside the six: Find Customer and Find Agent, over the main window's lists.
    FindDialog* findCustomer = nullptr;
    FindDialog* findAgent = nullptr;
    // Find Contract and the report, over the main window.
    FindContractWindow* findContract = nullptr;
    ReportWindow* report = nullptr;
};
