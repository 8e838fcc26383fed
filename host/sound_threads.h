// The threads a looping sound leaves on their way out when it is stopped:
// taken down with the process, they can fault (seen under Wine), so the
// stop waits for them.
#pragma once

#include <cstdint>
#include <vector>

// The ids of this process's threads.
std::vector<std::uint32_t> ProcessThreadIds();

// Waits for the threads begun since `before` was taken to end: until none
// has ended for a quiet spell, within a limit (the saver's rules).
void WaitForThreadsBegunSince(const std::vector<std::uint32_t>& before);
