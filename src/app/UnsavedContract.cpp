#include "app/UnsavedContract.h"

void UnsavedContract::begin(const print::ScheduleValues& schedule)
{
    m_schedule = schedule;
    m_terms.reset();
}

void UnsavedContract::reviewed(const print::ReviewValues& terms)
{
    m_terms = terms;
}

void UnsavedContract::saved(const print::ScheduleValues& schedule, const print::ReviewValues& terms)
{
    m_schedule = schedule;
    m_terms = terms;
}

bool UnsavedContract::changed(const print::ScheduleValues& schedule,
                              const std::optional<print::ReviewValues>& terms) const
{
    return schedule != m_schedule || (terms && terms != m_terms);
}
