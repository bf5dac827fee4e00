// The posting of the schedules that are due.

#include "ledger/wCash.h"

void wCash::ChecaAgendamentos() {}
