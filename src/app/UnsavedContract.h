#pragma once

#include "model/print/NoteValues.h"

#include <optional>

// What the contract windows showed when the contract was last begun, reopened,
// reviewed or saved, so that closing one of them can tell whether the user's
// work would be lost.
class UnsavedContract {
public:
    // A fresh schedule, or one reopened from the store: nothing typed yet.
    void begin(const print::ScheduleValues& schedule);
    // The review has just worked out the terms from the schedule.
    void reviewed(const print::ReviewValues& terms);
    void saved(const print::ScheduleValues& schedule, const print::ReviewValues& terms);

    // Whether what is on screen differs from that; `terms` only while the review shows.
    bool changed(const print::ScheduleValues& schedule, const std::optional<print::ReviewValues>& terms) const;

private:
    print::ScheduleValues m_schedule;
    std::optional<print::ReviewValues> m_terms;
};
