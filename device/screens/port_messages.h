#pragma once

#include <string>

#include "base/core/phrases.h"

struct PortProblem;

// What every run on the bus tells the user about its port, in the window's
// language: why it would not open, and that it went away during the run.
void ShowPortProblem(const Phrases& phrases, const PortProblem& problem, const std::string& path);
void ShowPortLost(const Phrases& phrases, const std::string& path);
