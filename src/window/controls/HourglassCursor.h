#pragma once

namespace cvx {

// Shows the hourglass for as long as it lives, so that every way out of a slow step restores the
// pointer. Nested ones stack.
class HourglassCursor {
 public:
  HourglassCursor();
  ~HourglassCursor();
  HourglassCursor(const HourglassCursor&) = delete;
  HourglassCursor& operator=(const HourglassCursor&) = delete;

  // The ordinary pointer for as long as it lives (a message box), over any hourglass.
  class Pause {
   public:
    Pause();
    ~Pause();
    Pause(const Pause&) = delete;
    Pause& operator=(const Pause&) = delete;
  };
};

}  // namespace cvx
