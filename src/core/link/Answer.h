#pragma once

#include <optional>

namespace voltaryn {

// Where the reply behind an answer came from.
enum class ReplySource {
    Fresh,     // the meter answered this request
    Previous,  // no reply came (the meter is gone); the previous reply of the run was decoded again
    None,      // no reply came, and there is no previous reply that can be used
    Invalid,   // the meter answered, but the reply makes no sense (a count above 32767)
};

// What a query command got: its decoded value, and where the reply came from. The meter's
// program has always decoded the previous reply when a request got none, and the poll loop still
// shows it that way; flows that need the meter's present answer check Fresh().
template <typename T>
struct Answer {
    ReplySource source = ReplySource::None;
    std::optional<T> value;  // decoded for Fresh and Previous

    bool Fresh() const { return source == ReplySource::Fresh; }
};

} // namespace voltaryn
