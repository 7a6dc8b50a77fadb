// printf's formatting into a string: a text that passes through Tr keeps its values' places in
// one sentence a translator sees whole.
#pragma once
#include <string>

__attribute__((format(printf, 1, 2))) std::string Formatted(const char* format, ...);
