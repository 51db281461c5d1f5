#pragma once

namespace voltaryn {

// The meter keeps its manually and automatically stored records in one memory, which its one
// erase command clears; the user is warned first in the words of what they asked to clear.
inline constexpr const char* ManualMemoryEraseWarning = "All the manually recorded data in memory will be deleted!";
inline constexpr const char* AutomaticMemoryEraseWarning = "All the automatically recorded data in memory will be deleted!";

} // namespace voltaryn
