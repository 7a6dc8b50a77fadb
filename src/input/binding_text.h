// A binding as the controls file spells it: SDL's names, except that a comma and a hash, which
// the file's syntax takes, are written Comma and Hash ("Keypad Comma").
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "input/bindings.h"
#include "services/file_text.h"

// nullopt for a name that is unknown or that would not read back to the same binding (a
// character with no name of its own, such as a control character).
std::optional<Binding> BindingFromText(std::string_view text);
std::string BindingText(const Binding& binding);
