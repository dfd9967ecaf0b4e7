// The system menu opened from the map with Shift.
#pragma once

// Run by the idle leader: true when Shift opened the system menu this frame.
bool CheckOpenSystemMenu();
// Run on the walk marker: the same without saving; true when it opened.
bool TryOpenFieldMenu();
