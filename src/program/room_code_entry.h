// The room code as the guest types it in the window: letters and digits, Backspace, and on
// Return the code meant, its case and look-alikes forgiven, or one line saying why it is none.
#pragma once
#include <string>
#include <string_view>

class RoomCodeEntry {
 public:
  // Takes the letters and digits of `text` (UTF-8; full-width ones as their ASCII), in capitals,
  // up to a code's length; the rest, spaces and dashes included, is left out.
  void Type(std::string_view text);
  void Backspace();
  // The code typed (canonical), or "" with the reason in Complaint(); nothing typed is no answer.
  std::string Submit();
  // Why the last code led nowhere (the lobby's line); the player may type again.
  void Complain(const std::string& line) { complaint_ = line; }
  const std::string& Typed() const { return typed_; }
  const std::string& Complaint() const { return complaint_; }

 private:
  std::string typed_;
  std::string complaint_;
};
