#include "model/print/NoteValuesGatherer.h"

#include "model/session/Session.h"

namespace print {

NoteValues gatherNoteValues(const ScheduleValues& schedule, const ReviewValues& review, const Session& session)
{
    return gatherNoteValues(schedule, review, session.CurAgent, session.CurCust, session.Version);
}

NoteValues gatherNoteValues(const ScheduleValues& schedule, const ReviewValues& review, const AgentRecord& agent,
                            const CustomerRecord& customer, const QString& version)
{
    return NoteValues{review, schedule, agent, customer, version};
}

} // namespace print
