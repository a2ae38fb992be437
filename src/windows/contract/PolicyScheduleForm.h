#pragma once

#include <array>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;

// One policy row of Sections 1 to 3: the same index of seven control arrays.
struct ScheduleRow {
    QLineEdit* policy = nullptr;
    QLineEdit* company = nullptr;
    QLineEdit* premium = nullptr;
    QLineEdit* coverage = nullptr;
    QLineEdit* inception = nullptr;
    QLineEdit* expiration = nullptr;
    QLineEdit* term = nullptr;
};

// A Section 4 amount counts only while its box is ticked.
struct SpecialItem {
    QCheckBox* box = nullptr;
    QLineEdit* amount = nullptr;
};

// The controls of the policy schedule, created on the window at their designed places.
struct PolicyScheduleForm {
    // Sections 1, 2 and 3: four, three and three rows.
    std::array<std::vector<ScheduleRow>, 3> sections;
    // Tax, fees, surcharge and other amount, in the order they are added up.
    std::array<SpecialItem, 4> specialItems;
    QLineEdit* description = nullptr;
    QPushButton* back = nullptr;
    QPushButton* next = nullptr;

    static PolicyScheduleForm build(QWidget* window);
};
