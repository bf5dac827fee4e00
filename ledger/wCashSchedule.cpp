// The posting of the schedules that are due.

#include "ledger/wCash.h"

#include "schedule/SchedulePosting.h"

void wCash::ChecaAgendamentos()
{
    PostDueSchedules();
}
