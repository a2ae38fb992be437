// The main window's controls, where the form places them.
#include "windows/people/KeyedList.h"
#include "windows/people/MainWindow.h"
#include "windows/ui/Controls.h"
#include "windows/ui/GlobePicture.h"
#include "windows/ui/Twips.h"
#include "windows/ui/WindowFont.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using ui::addButton;
using ui::addLabel;
using ui::addOption;

namespace {

QFrame* addFrame(QWidget* parent, const QString& name, ui::TwipsRect box)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::Box);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui::placeTwips(frame, box);
    return frame;
}

people::KeyedList* addList(QWidget* parent, const QString& name, ui::TwipsRect box)
{
    auto* list = new people::KeyedList(parent);
    list->setObjectName(name);
    ui::placeTwips(list, box);
    return list;
}

} // namespace

void MainWindow::buildControls()
{
    setWindowTitle(QStringLiteral("TLY Finance"));
    ui::applyWindowFont(this);
    ui::setInnerSizeTwips(this, {7380, 5775});
    ui::paintWhite(this);

    // Created first, so it stays behind every other control.
    auto* globe = new ui::GlobePicture(this);
    ui::placeTwips(globe, {900, -120, 5535, 5130});
    addFrame(this, QStringLiteral("shpAgentArea"), {120, 480, 7155, 1635});
    addFrame(this, QStringLiteral("shpCustomerArea"), {120, 2160, 7155, 2235});

    const QFont bold = ui::windowFont(8.25, true);
    addLabel(this, QStringLiteral("Label3"), QStringLiteral("Welcome to QUILLON"),
             ui::windowFont(13.5, true, true), {330, 60, 6015, 375});
    auto* agentCaption = addLabel(this, QStringLiteral("Label1"),
             QStringLiteral("Select Agent from list or select New, Edit or Delete to change list."),
             bold, {300, 600, 6135, 495});
    m_agents = addList(this, QStringLiteral("lstAgent"), {180, 900, 5415, 1035});
    // The caption is an instruction; the list is announced by what it holds.
    m_agents->setAccessibleName(QStringLiteral("Agents"));
    m_agents->setAccessibleDescription(agentCaption->text());
    auto* newAgent = addButton(this, QStringLiteral("cmdNewAgent"), QStringLiteral("New"), {5700, 840, 1515, 375});
    auto* editAgent = addButton(this, QStringLiteral("cmdEditAgent"), QStringLiteral("Edit"), {5700, 1215, 1515, 375});
    auto* deleteAgent = addButton(this, QStringLiteral("cmdDeleteAgent"), QStringLiteral("Delete"), {5700, 1590, 1515, 375});

    auto* customerCaption = addLabel(this, QStringLiteral("Label2"),
             QStringLiteral("Select Customer from list or select New, Edit or Delete to change list. "),
             bold, {300, 2220, 6135, 495});
    m_customers = addList(this, QStringLiteral("lstCust"), {240, 2520, 5415, 1425});
    m_customers->setAccessibleName(QStringLiteral("Customers"));
    m_customers->setAccessibleDescription(customerCaption->text().trimmed());
    auto* newCust = addButton(this, QStringLiteral("cmdNewCust"), QStringLiteral("New"), {5700, 2520, 1515, 375});
    auto* editCust = addButton(this, QStringLiteral("cmdEditCust"), QStringLiteral("Edit"), {5700, 2895, 1515, 375});
    auto* deleteCust = addButton(this, QStringLiteral("cmdDeleteCust"), QStringLiteral("Delete"), {5700, 3270, 1515, 375});
    auto* previous = addButton(this, QStringLiteral("cmdPrevContract"), QStringLiteral("Previous Contracts"),
                               {5700, 3645, 1515, 375});

    addLabel(this, QStringLiteral("Label5"),
             QStringLiteral("Previous Contracts will pop up a list of contracts for the selected  customer."),
             ui::windowFont(), {660, 4080, 5955, 255});
    addLabel(this, QStringLiteral("Label4"), QStringLiteral("Loan Classification"), bold,
             {360, 4440, 5955, 255});
    m_commercial = addOption(this, QStringLiteral("optCommercial"), QStringLiteral("Commercial/Agricultural"),
                             {1673, 4740, 1995, 195});
    auto* personal = m_personal = addOption(this, QStringLiteral("optPersonal"), QStringLiteral("Personal/Consumer"),
                               {4013, 4740, 1695, 195});
    m_commercial->setChecked(true);

    auto* exit = addButton(this, QStringLiteral("cmdCancel"), QStringLiteral("Exit"), {2280, 5160, 1215, 495});
    auto* nextButton = addButton(this, QStringLiteral("cmdNext"), QStringLiteral("Next >>"), {3840, 5160, 1215, 495});

    ui::setTabChain({m_agents, newAgent, m_customers, newCust, m_commercial, personal, nextButton, exit,
                         editAgent, deleteAgent, editCust, deleteCust, previous});

    connect(newAgent, &QPushButton::clicked, this, &MainWindow::newAgent);
    connect(editAgent, &QPushButton::clicked, this, &MainWindow::editAgent);
    connect(deleteAgent, &QPushButton::clicked, this, &MainWindow::deleteAgent);
    connect(newCust, &QPushButton::clicked, this, &MainWindow::newCustomer);
    connect(editCust, &QPushButton::clicked, this, &MainWindow::editCustomer);
    connect(deleteCust, &QPushButton::clicked, this, &MainWindow::deleteCustomer);
    connect(previous, &QPushButton::clicked, this, &MainWindow::previousContracts);
    connect(nextButton, &QPushButton::clicked, this, &MainWindow::next);
    connect(exit, &QPushButton::clicked, this, &MainWindow::exitProgram);
}
