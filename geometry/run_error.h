#pragma once

#include <stdexcept>
#include <string>

namespace geometry {

// A fault that stops the run: an index outside a column, a 16-bit overflow, or sites that
// the edge finder cannot take. The message is a complete sentence for the user.
class RunError : public std::runtime_error {
 public:
  explicit RunError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace geometry
