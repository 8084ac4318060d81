// The wall clock in local time, as the date-time values of the dataset layer count it:
// days since 1899-12-30, the fraction being the time of day. The window system's back
// ends choose it: the real clock for the program, a clock fixed at start for tests.
#pragma once

#include <functional>

double LocalClockNow();
// The system's clock in local time, whatever clock is installed.
double SystemLocalClockNow();
// Installs the clock LocalClockNow() answers; an empty function restores the system's.
void SetLocalClock(std::function<double()> clock);
