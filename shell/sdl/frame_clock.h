#pragma once

// The desktop's clocks: milliseconds from the monotonic clock for frame pacing, and the calendar.
// Call once at start-up, before the first frame.
void initFrameClock();
