// The player's language: every text a player reads passes through Tr, which the program points at
// the chosen catalog. Without a catalog a text stays as written: the game's own texts are written
// in Japanese, the program's messages in English.
#pragma once

using TranslateHook = const char* (*)(const char* text);

// The text in the player's language; the text itself when no hook is set or it has no
// translation. Keeps printf's format checking of a translated format.
__attribute__((format_arg(1))) const char* Tr(const char* text);
// nullptr: texts stay as written.
void SetTranslateHook(TranslateHook hook);
