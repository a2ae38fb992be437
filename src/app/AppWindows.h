#pragma once

class MainWindow;
class CustomerDialog;
class AgentDialog;
class PolicyScheduleWindow;
class LoanTermsWindow;
class PreviousContractsWindow;

// The program's six windows, each created once and then shown and hidden.
// Windows reach each other through this set; the application owns them.
struct AppWindows {
    MainWindow* frmAgent = nullptr;
    CustomerDialog* frmAddCust = nullptr;
    AgentDialog* frmAddAgent = nullptr;
    PolicyScheduleWindow* frmPolicies1 = nullptr;
    LoanTermsWindow* frmPreview = nullptr;
    PreviousContractsWindow* frmPrevious = nullptr;
};
