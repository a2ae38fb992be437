#pragma once

#include <QDialog>

struct Session;
struct AppWindows;

class CustomerDialog : public QDialog {
    Q_OBJECT
public:
    CustomerDialog(Session& session, AppWindows& windows, QWidget* parent = nullptr);

    // Shows the dialog modally after EditMode (and CustIndex) have been set.
    void showModal();

private:
    Session& m_session;
    AppWindows& m_windows;
};
