// Prompt texts of message boxes: carriage returns (character 13), alone or before a line feed,
// become line breaks; every other character, blanks included, stays.
#pragma once

#include <string>

namespace tessary {

std::string messageBoxText(const std::string& prompt);

}  // namespace tessary
