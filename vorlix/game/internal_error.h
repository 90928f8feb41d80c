#pragma once
// The exception raised by the engines' internal checks.
//
// A failed check is a programming error of an engine, never a user error: it
// abandons the computation of the current move. The controller catches it, shows
// the message and ends the game as an abort.

#include <stdexcept>
#include <string>

namespace vorlix {

class InternalError : public std::runtime_error {
  public:
    // `message` is the check's own text ("Assertion failure", "Nincs sor !", ...);
    // `unit` names the unit whose check failed; `detail` says what was found.
    InternalError(std::string unit, std::string message, std::string detail = {});

    const std::string& Unit() const { return unit_; }
    const std::string& Message() const { return message_; }
    const std::string& Detail() const { return detail_; }

  private:
    std::string unit_, message_, detail_;
};

} // namespace vorlix
