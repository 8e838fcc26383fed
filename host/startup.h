// The host's start (module Sorvane_B): single instance, command line, work
// folder, settings, renderer check, then the mode's form.
#pragma once

#include <string_view>

// Runs once when the program starts, with the argument text of the command line.
void StartUp(std::string_view argumentText);
