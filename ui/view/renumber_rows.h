// Restores "row i shows i + 1 and its timer runs under that number" after rows were removed.
#pragma once

class IEventList;
class ITimerHost;

// In list order, every row whose number is off moves its timer from the old number to the
// new one (started only when its event is enabled). Numbers only ever go down, so a new
// number is never one that a later row still uses.
void RenumberRows(IEventList& list, ITimerHost& timers);
