#pragma once

namespace voltaryn {

// What a download does with a reply that fails its check: the desktop program shows what it can
// make of it, as it always has; a script refuses it, and the download ends there.
enum class NonsenseReplies { Shown, Refused };

} // namespace voltaryn
