#pragma once

#include <stdexcept>
#include <string>

namespace print {

// A printer that cannot be reached or refuses an operation. The print command
// catches it and tells the user; the job is abandoned at that point.
class PrinterError : public std::runtime_error {
public:
    explicit PrinterError(const std::string& what) : std::runtime_error(what) {}
};

} // namespace print
