#pragma once

#include <string>

// Replaces the first placeholder (such as "%s" or "%d") of a Shift-JIS text by
// value. Only a '%' that starts a character counts, and nothing else in the
// text or the value is interpreted, so texts and labels need no escaping.
// Without the placeholder the text is returned unchanged.
std::string ReplacePlaceholder(const std::string& text, const std::string& placeholder,
                               const std::string& value);
