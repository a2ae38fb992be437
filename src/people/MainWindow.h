#pragma once

#include <QWidget>

struct Session;
struct AppWindows;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(Session& session, AppWindows& windows, QWidget* parent = nullptr);

    // The start-up of the program: settings, version, the database file, the
    // title and both lists. False when the program must end.
    bool startUp();
    // The classification chosen here, which the loan-terms window preselects.
    bool commercialChosen() const;

private:
    Session& m_session;
    AppWindows& m_windows;
};
