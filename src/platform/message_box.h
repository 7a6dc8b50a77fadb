// The player's only dialogues: the full-screen question and the start-up failure messages.
#pragma once

// The window title, and the caption of every message box.
constexpr const char* GameTitle = "Astorine Ver3.00";

enum class FullScreenReply { Yes, No, AlwaysYes, AlwaysNo };

// Asks "フルスクリーン？" with Yes (Return), No (Escape), and the same two answers to be kept for
// the next starts. A box that cannot be shown at all counts as No.
FullScreenReply AskFullScreen();
// Shows a start-up failure with the exclamation icon (and on stderr, for a box that cannot be
// shown). The program ends with 0 after it.
void ShowStartupFailure(const char* text);
