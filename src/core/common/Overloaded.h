#pragma once

namespace voltaryn {

// One visitor for a std::variant made of a lambda per alternative.
template <typename... Kinds>
struct Overloaded : Kinds... {
    using Kinds::operator()...;
};
template <typename... Kinds>
Overloaded(Kinds...) -> Overloaded<Kinds...>;

} // namespace voltaryn
