// Action masks from and to the virtual keys of players 1 and 2.
#include "net/action_mask.h"

namespace {

void PressActions(InputFrame& frame, int player, ActionMask mask) {
  for (Action action : AllActions) {
    if ((mask & ActionBit(action)) != 0) {
      frame.Press(ActionVirtualKey(player, action));
    }
  }
}

}  // namespace

ActionMask ReadActionMask(const InputFrame& localFrame) {
  ActionMask mask = 0;
  for (Action action : AllActions) {
    if (localFrame.Held(ActionVirtualKey(1, action))) {
      mask |= ActionBit(action);
    }
  }
  return mask;
}

InputFrame OnlineFrame(ActionMask hostMask, ActionMask guestMask) {
  InputFrame frame;
  PressActions(frame, 1, hostMask);
  PressActions(frame, 2, guestMask);
  return frame;
}
