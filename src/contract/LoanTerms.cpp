#include "contract/LoanTerms.h"

double financeChargeFor(double) { return 0; }
bool workOutFirstTerms(const ScheduleAmounts&, CurrentContract&) { return false; }
