#pragma once

#include <stdexcept>
#include <string>

namespace sumbrook {

// Base of every error the system raises on purpose; carries the message the
// error box shows.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

} // namespace sumbrook
